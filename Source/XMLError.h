// The error of malformed XML: "<source>(<line>): <message>", so that whoever edits the file by
// hand is told where to look.
#pragma once

#include "RuntimeError.h"

namespace Corvane
{
class XMLError : public RuntimeError
{
public:
    // source and line locate the problem in the data file; file, sourceLine and function locate
    // the throw site in the program.
    XMLError(const std::wstring& source, int line, const std::wstring& message, const char* file, int sourceLine,
             const char* function);
};
} // namespace Corvane
