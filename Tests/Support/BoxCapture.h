// Collects the error boxes the program shows while it is alive, in place of showing them.
#pragma once

#include "Platform/Compat/User/MessageBox.h"
#include "Utf8.h"

#include <string>
#include <vector>

namespace Corvane::Testing
{
class BoxCapture
{
public:
    BoxCapture() : mPrevious(SetMessageBoxPresenter(&Record)) { Texts().clear(); }
    ~BoxCapture() { SetMessageBoxPresenter(mPrevious); }
    BoxCapture(const BoxCapture&) = delete;
    BoxCapture& operator=(const BoxCapture&) = delete;

    // "<caption>: <text>" of each box, in order (UTF-8).
    const std::vector<std::string>& Boxes() const { return Texts(); }
    void Clear() { Texts().clear(); }

private:
    static std::vector<std::string>& Texts()
    {
        static std::vector<std::string> texts;
        return texts;
    }
    static int Record(const wchar_t* text, const wchar_t* caption, UINT)
    {
        Texts().push_back(Utf8::FromWide(caption ? caption : L"") + ": " + Utf8::FromWide(text ? text : L""));
        return IDOK;
    }

    MessageBoxPresenter mPrevious;
};
} // namespace Corvane::Testing
