// An indexed set of pictures: animation frames, the states of a button, the pieces of a frame.
// Widgets and nodes draw an item by index. An index is valid when 0 <= index < GetCount() and
// the item has pixels; for any other index the queries give 0 and the draws return 1 (nothing to
// draw). Draw results are those of the free drawing functions: 0 drawn, 1 nothing, -2 the canvas
// lacks the interface. Main thread (lists are built on the loader thread before they are shared).
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/DrawState.h"
#include "Graphics/ICanvas.h"
#include "Graphics/Rect.h"

#include <cmath>
#include <cstdint>

namespace Corvane
{
class IImageList
{
public:
    virtual ~IImageList() = default;
    virtual int GetCount() const = 0;
    // Size of the item in pixels.
    virtual int GetWidth(int index) const = 0;
    virtual int GetHeight(int index) const = 0;
    // The alpha byte of the item's pixel (x, y); 0 outside the item.
    virtual std::uint8_t GetAlpha(int index, int x, int y) const = 0;
    // The item's packed 0xAARRGGBB pixel (x, y); 0 outside the item.
    virtual PackedColor GetPixel(int index, int x, int y) const = 0;
    // The item at (x, y) as DrawImage places it.
    virtual int Draw(int index, float x, float y, const Graphics::DrawState& state, Graphics::ICanvas* canvas) = 0;
    // The item stretched into destination, whose four values are first rounded down.
    virtual int DrawInRect(int index, const Rect<float>& destination, const Graphics::DrawState& state,
                           Graphics::ICanvas* canvas) = 0;
};

namespace Internal
{
// Each of the four values rounded down, as the draws into a rectangle place their items.
inline Rect<int> FloorRect(const Rect<float>& r)
{
    return {static_cast<int>(std::floor(r.x)), static_cast<int>(std::floor(r.y)), static_cast<int>(std::floor(r.width)),
            static_cast<int>(std::floor(r.height))};
}
} // namespace Internal
} // namespace Corvane
