#include "Platform/Compat/User/MessageBox.h"

#include "Utf8.h"

#include <atomic>
#include <cstdio>

namespace
{
void PutUtf8(const wchar_t* text)
{
    const std::string bytes = Corvane::Utf8::FromWide(text ? text : L"");
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

int PresentOnStandardError(const wchar_t* text, const wchar_t* caption, UINT)
{
    std::fputs("[", stderr);
    PutUtf8(caption);
    std::fputs("]\n", stderr);
    PutUtf8(text);
    std::fputs("\n", stderr);
    return IDOK;
}

std::atomic<MessageBoxPresenter> gPresenter{&PresentOnStandardError};
} // namespace

int MessageBoxW(HWND, const wchar_t* text, const wchar_t* caption, UINT type)
{
    return gPresenter.load()(text, caption, type);
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter)
{
    return gPresenter.exchange(presenter ? presenter : &PresentOnStandardError);
}
