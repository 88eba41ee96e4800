#include "Game/Loading/LoadFailureReport.h"

#include "Platform/Compat/User/MessageBox.h"
#include "Platform/Win32/UnhandledException.h"
#include "Utf8.h"

#include <algorithm>
#include <cwctype>

using namespace Corvane;

namespace
{
// The box wraps its lines to its width and grows with them: a list this long still fits an
// 800 x 600 screen with the box's button below it. The rest of a longer list is in the log.
constexpr std::size_t kListedFailures = 6;

// Resources the game plays without: a picture or a sound it lacks is a blank or a silence.
bool CanDoWithout(const ResourceManager::Failure& failure)
{
    static const wchar_t* const kMedia[] = {L"image", L"imagelist",   L"filmstrip",
                                            L"sound", L"randomsound", L"soundlist"};
    return std::find(std::begin(kMedia), std::end(kMedia), failure.element) != std::end(kMedia);
}

// Where "(<line>): " follows the file's name in an error's text, or npos.
std::size_t FindPlace(const std::wstring& message)
{
    for (std::size_t open = message.find(L'('); open != std::wstring::npos; open = message.find(L'(', open + 1))
    {
        std::size_t close = open + 1;
        while (close < message.size() && std::iswdigit(message[close]))
            ++close;
        if (close > open + 1 && message.compare(close, 3, L"): ") == 0)
            return open;
    }
    return std::wstring::npos;
}

// One failure: "<file>, line <n>:" with the reason below it, the file named from the game's folder
// when it lies in it; a text without a place is listed as it is.
std::wstring Listed(const std::wstring& message, const std::wstring& folder)
{
    const std::size_t place = FindPlace(message);
    if (place == std::wstring::npos)
        return L"\n" + message;
    std::wstring file = message.substr(0, place);
    if (!folder.empty() && file.compare(0, folder.size() + 1, folder + L"/") == 0)
        file.erase(0, folder.size() + 1);
    const std::size_t close = message.find(L"): ", place);
    const std::wstring line = message.substr(place + 1, close - place - 1);
    return L"\n" + file + L", line " + line + L":\n    " + message.substr(close + 3);
}
} // namespace

std::wstring DescribeLoadFailures(const std::vector<ResourceManager::Failure>& failures, const std::wstring& folder,
                                  bool& canGoOn)
{
    canGoOn = std::all_of(failures.begin(), failures.end(), CanDoWithout);
    if (failures.empty())
        return {};
    std::wstring text = L"Some of the game's files could not be read. In " + folder + L":\n";
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i)
        text += Listed(Utf8::ToWide(failures[i].message), folder);
    if (failures.size() > kListedFailures)
        text +=
            L"\n...and " + std::to_wstring(failures.size() - kListedFailures) + L" more, which the game's log lists.";
    text += canGoOn ? L"\n\nThe game goes on without them: some pictures or sounds will be missing."
                    : L"\n\nThe game cannot be played without them and ends now.\nInstalling it again should mend "
                      L"them.";
    return text;
}

bool ReportLoadFailures(const std::vector<ResourceManager::Failure>& failures, const std::wstring& folder)
{
    bool canGoOn = true;
    const std::wstring text = DescribeLoadFailures(failures, folder, canGoOn);
    if (!text.empty())
        MessageBoxW(nullptr, text.c_str(), GetErrorBoxCaption().c_str(), MB_OK | MB_ICONERROR);
    return canGoOn;
}
