// The reference count shared by every DirectDraw and Direct3D object of this layer.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDraw.h"

namespace Compat
{
template <typename Interface> class ComObject : public Interface
{
public:
    ULONG AddRef() override { return ++mReferences; }
    ULONG Release() override
    {
        const ULONG left = --mReferences;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ComObject() = default;
    ~ComObject() override = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

private:
    ULONG mReferences = 1;
};

// Releases a held reference and forgets it.
template <typename T> void ReleaseAndNull(T*& object)
{
    if (object)
        object->Release();
    object = nullptr;
}
} // namespace Compat
