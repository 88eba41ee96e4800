// Kernel objects behind HANDLE values: every handle the layer gives out points to one of these,
// and CloseHandle (or FindClose) deletes it.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

namespace Compat
{
class KernelObject
{
public:
    virtual ~KernelObject() = default;
};

// The object behind handle when it is of type T, else null (also for null and invalid handles).
template <typename T> T* HandleAs(HANDLE handle)
{
    if (!handle || handle == reinterpret_cast<HANDLE>(-1))
        return nullptr;
    return dynamic_cast<T*>(static_cast<KernelObject*>(handle));
}

inline HANDLE ToHandle(KernelObject* object)
{
    return static_cast<HANDLE>(object);
}
} // namespace Compat
