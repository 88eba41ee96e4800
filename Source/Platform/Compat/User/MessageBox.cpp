#include "Platform/Compat/User/MessageBox.h"

#include "Platform/Compat/User/DisplayConnection.h"
#include "Platform/Compat/User/DisplayPresence.h"
#include "Utf8.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{
void PutUtf8(const wchar_t* text)
{
    const std::string bytes = Corvane::Utf8::FromWide(text ? text : L"");
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

// A box on the screen when there is one (and it was not turned off for unattended runs with
// CORVANE_ERROR_BOX=stderr); the text always goes to standard error as well.
int PresentDefault(const wchar_t* text, const wchar_t* caption, UINT)
{
    std::fputs("[", stderr);
    PutUtf8(caption);
    std::fputs("]\n", stderr);
    PutUtf8(text);
    std::fputs("\n", stderr);

    const char* mode = std::getenv("CORVANE_ERROR_BOX");
    if (Compat::HasDisplay() && !Compat::IsDisplayLost() && !(mode && std::strcmp(mode, "stderr") == 0))
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, Corvane::Utf8::FromWide(caption ? caption : L"").c_str(),
                                 Corvane::Utf8::FromWide(text ? text : L"").c_str(), nullptr);
    return IDOK;
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
