// The Direct3D interface of a DirectDraw object: its driver's devices and their formats, and
// device creation. Internal to the layer.
#pragma once

#include "Platform/Compat/Direct3D/Direct3D.h"

namespace Compat
{
class DirectDrawObject;

// A new Direct3D interface over owner (which it keeps a reference to).
IDirect3D7* CreateDirect3D(DirectDrawObject* owner);
} // namespace Compat
