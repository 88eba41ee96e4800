// Reading and writing single pixels of a DirectDraw surface of the platform layer through a lock.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDraw.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace Corvane::Testing
{
// The bytes (4 by default) of the pixel at (x, y), as a little-endian value.
inline std::uint32_t ReadSurfacePixel(IDirectDrawSurface7* surface, int x, int y, int bytes = 4)
{
    DDSURFACEDESC2 desc{};
    EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    std::uint32_t value = 0;
    if (desc.lpSurface)
        std::memcpy(&value, static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch + x * bytes, bytes);
    surface->Unlock(nullptr);
    return value;
}

// Writes a 32-bit pixel value at (x, y).
inline void WriteSurfacePixel(IDirectDrawSurface7* surface, int x, int y, std::uint32_t value)
{
    DDSURFACEDESC2 desc{};
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    std::memcpy(static_cast<std::uint8_t*>(desc.lpSurface) + y * desc.lPitch + x * 4, &value, 4);
    surface->Unlock(nullptr);
}
} // namespace Corvane::Testing
