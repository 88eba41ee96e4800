// The engine's own arrow cursor: a white arrow with a black outline, tip at (0, 0), drawn by the
// game while its custom cursor is on.
#pragma once

#include <cstdint>
#include <vector>

namespace Corvane
{
constexpr int kArrowCursorSize = 32;

// 32 x 32 packed 0xAARRGGBB pixels, rows top to bottom: opaque black or white, or transparent.
std::vector<std::uint32_t> BuildArrowCursorPixels();
} // namespace Corvane
