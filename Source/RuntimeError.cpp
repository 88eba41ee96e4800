#include "RuntimeError.h"

#include "Format.h"
#include "TextConversion.h"

namespace Corvane
{
namespace
{
std::string Narrowed(const std::wstring& text)
{
    std::string out;
    Narrow::FromWide(out, text);
    return out;
}
} // namespace

RuntimeError::RuntimeError(const std::string& message, const char* file, int line, const char* function)
    : std::runtime_error(message), mFile(file ? file : ""), mLine(line), mFunction(function ? function : "")
{
}

RuntimeError::RuntimeError(const std::wstring& message, const char* file, int line, const char* function)
    : RuntimeError(Narrowed(message), file, line, function)
{
}

std::wstring FormatErrorLocation(const std::wstring& file, int line, const std::wstring& msg)
{
    Format format(L"%file%(%line%): %msg%");
    // The line is given as text so that long files read "a.xml(12345)", not "a.xml(12,345)".
    format.Arg(L"file", file).Arg(L"line", std::to_wstring(line)).Arg(L"msg", msg);
    return format.c_str();
}
} // namespace Corvane
