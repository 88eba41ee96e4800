#include "TypeName.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace Corvane
{
std::string GetTypeName(const std::type_info& type)
{
    const char* mangled = type.name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    return status == 0 && demangled ? demangled.get() : mangled;
}
} // namespace Corvane
