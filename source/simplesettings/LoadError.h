// The error of the record binding library: a data file's name and line with the problem found
// there, "<file>(<line>): <message>", so that whoever edits the data knows where to look. The
// engine's own fields (file, line, function) say which check of the library raised it.
#pragma once

#include "IXMLReader.h"
#include "RuntimeError.h"

#include <string>

namespace SimpleSettings
{
class LoadError : public Corvane::RuntimeError
{
public:
    // dataSource and dataLine locate the problem in the data; file, line and function the check.
    LoadError(const std::wstring& dataSource, int dataLine, const std::wstring& message, const char* file, int line,
              const std::string& function);
};

// Throws a LoadError at the place reader has reached in its document.
[[noreturn]] void RaiseLoadError(Corvane::IXMLReader& reader, const std::wstring& message, const char* file, int line,
                                 const std::string& function);
} // namespace SimpleSettings

// Raises a LoadError from the check that this line is in.
#define SIMPLESETTINGS_RAISE(reader, message, function)                                                                \
    ::SimpleSettings::RaiseLoadError((reader), (message), __FILE__, __LINE__, (function))
