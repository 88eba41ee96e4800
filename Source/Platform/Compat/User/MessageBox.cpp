#include "Platform/Compat/User/MessageBox.h"

#include <atomic>
#include <cstdio>

namespace
{
// Writes the box as UTF-8 so any text survives the terminal.
void PutUtf8(const wchar_t* text)
{
    for (; text && *text; ++text)
    {
        const auto cp = static_cast<std::uint32_t>(*text);
        char out[4];
        int n = 0;
        if (cp < 0x80)
            out[n++] = static_cast<char>(cp);
        else if (cp < 0x800)
        {
            out[n++] = static_cast<char>(0xC0 | (cp >> 6));
            out[n++] = static_cast<char>(0x80 | (cp & 0x3F));
        }
        else if (cp < 0x10000)
        {
            out[n++] = static_cast<char>(0xE0 | (cp >> 12));
            out[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out[n++] = static_cast<char>(0x80 | (cp & 0x3F));
        }
        else
        {
            out[n++] = static_cast<char>(0xF0 | ((cp >> 18) & 0x07));
            out[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out[n++] = static_cast<char>(0x80 | (cp & 0x3F));
        }
        std::fwrite(out, 1, static_cast<std::size_t>(n), stderr);
    }
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
