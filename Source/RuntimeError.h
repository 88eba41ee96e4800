// The engine's exception: a standard runtime error that also carries where it was raised.
#pragma once

#include <stdexcept>
#include <string>

namespace Corvane
{
class RuntimeError : public std::runtime_error
{
public:
    // file and function may be null (they are then empty).
    RuntimeError(const std::string& message, const char* file, int line, const char* function);
    // The message is narrowed: every code point of 128 or more becomes '?'.
    RuntimeError(const std::wstring& message, const char* file, int line, const char* function);

    const std::string& GetFile() const { return mFile; }
    int GetLine() const { return mLine; }
    const std::string& GetFunction() const { return mFunction; }

private:
    std::string mFile;
    int mLine;
    std::string mFunction;
};

// "<file>(<line>): <msg>", the location prefix of errors found in data files.
std::wstring FormatErrorLocation(const std::wstring& file, int line, const std::wstring& msg);
} // namespace Corvane
