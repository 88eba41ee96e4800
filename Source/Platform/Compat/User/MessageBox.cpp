#include "Platform/Compat/User/MessageBox.h"

#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Compat/User/BoxWindow.h"
#include "Platform/Compat/User/DisplayConnection.h"
#include "Platform/Compat/User/DisplayPresence.h"
#include "Utf8.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
// A box on the screen when there is one (and it was not turned off for unattended runs with
// CORVANE_ERROR_BOX=stderr); the text always goes to standard error as well. A box that ends
// unanswered (the game was asked to end, or the display went) answers 0.
int PresentDefault(const wchar_t* text, const wchar_t* caption, UINT)
{
    const std::string captionText = Corvane::Utf8::FromWide(caption ? caption : L"");
    const std::string bodyText = Corvane::Utf8::FromWide(text ? text : L"");
    std::fprintf(stderr, "[%s]\n%s\n", captionText.c_str(), bodyText.c_str());

    const char* mode = std::getenv("CORVANE_ERROR_BOX");
    if (!Compat::HasDisplay() || Compat::IsDisplayLost() || (mode && std::strcmp(mode, "stderr") == 0))
        return IDOK;
    const Compat::BoxEnd end = Compat::ShowBoxWindow(captionText, bodyText);
    if (end != Compat::BoxEnd::kStopped && end != Compat::BoxEnd::kDisplayLost)
        return IDOK;
    // Nobody read it: the log keeps what it said.
    const std::string why = end == Compat::BoxEnd::kStopped ? "the game was asked to end" : "its display went away";
    OutputDebugStringA(("A box closed unanswered (" + why + "): [" + captionText + "] " + bodyText + "\n").c_str());
    return 0;
}

std::atomic<MessageBoxPresenter> gPresenter{&PresentDefault};
} // namespace

int MessageBoxW(HWND, const wchar_t* text, const wchar_t* caption, UINT type)
{
    return gPresenter.load()(text, caption, type);
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter)
{
    return gPresenter.exchange(presenter ? presenter : &PresentDefault);
}
