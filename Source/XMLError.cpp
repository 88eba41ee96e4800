#include "XMLError.h"

namespace Corvane
{
XMLError::XMLError(const std::wstring& source, int line, const std::wstring& message, const char* file, int sourceLine,
                   const char* function)
    : RuntimeError(FormatErrorLocation(source, line, message), file, sourceLine, function)
{
}
} // namespace Corvane
