#include "Game/Loading/LoadFailureReport.h"

#include "Platform/Compat/User/MessageBox.h"
#include "Platform/Win32/UnhandledException.h"
#include "Utf8.h"

#include <algorithm>

using namespace Corvane;

namespace
{
// A box taller than the screen hides its own button: the rest of a long list is in the log.
constexpr std::size_t kListedFailures = 10;

// Resources the game plays without: a picture or a sound it lacks is a blank or a silence.
bool CanDoWithout(const ResourceManager::Failure& failure)
{
    static const wchar_t* const kMedia[] = {L"image", L"imagelist", L"filmstrip", L"sound", L"randomsound"};
    return std::find(std::begin(kMedia), std::end(kMedia), failure.element) != std::end(kMedia);
}
} // namespace

std::wstring DescribeLoadFailures(const std::vector<ResourceManager::Failure>& failures, bool& canGoOn)
{
    canGoOn = std::all_of(failures.begin(), failures.end(), CanDoWithout);
    if (failures.empty())
        return {};
    std::wstring text = L"Some of the game's files could not be read:\n";
    for (std::size_t i = 0; i < failures.size() && i < kListedFailures; ++i)
        text += L"\n" + Utf8::ToWide(failures[i].message);
    if (failures.size() > kListedFailures)
        text += L"\n...and " + std::to_wstring(failures.size() - kListedFailures) +
                L" more, which the game's log lists.";
    text += canGoOn ? L"\n\nThe game goes on without them: some pictures or sounds will be missing."
                    : L"\n\nThe game cannot be played without them and ends now. Installing it again should mend "
                      L"them.";
    return text;
}

bool ReportLoadFailures(const std::vector<ResourceManager::Failure>& failures)
{
    bool canGoOn = true;
    const std::wstring text = DescribeLoadFailures(failures, canGoOn);
    if (!text.empty())
        MessageBoxW(nullptr, text.c_str(), GetErrorBoxCaption().c_str(), MB_OK | MB_ICONERROR);
    return canGoOn;
}
