#include "LoadError.h"

namespace SimpleSettings
{
LoadError::LoadError(const std::wstring& dataSource, int dataLine, const std::wstring& message, const char* file,
                     int line, const std::string& function)
    : Corvane::RuntimeError(Corvane::FormatErrorLocation(dataSource, dataLine, message), file, line, function.c_str())
{
}

void RaiseLoadError(Corvane::IXMLReader& reader, const std::wstring& message, const char* file, int line,
                    const std::string& function)
{
    std::wstring source;
    reader.GetName(source);
    throw LoadError(source, reader.GetLine(), message, file, line, function);
}
} // namespace SimpleSettings
