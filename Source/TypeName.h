// Readable names of run-time types, for diagnostics.
#pragma once

#include <string>
#include <typeinfo>

namespace Corvane
{
// The demangled name of type ("Corvane::TimedTask"), or the compiler's name when it cannot be
// demangled.
std::string GetTypeName(const std::type_info& type);
} // namespace Corvane
