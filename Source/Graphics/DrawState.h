// The settings every drawing function and canvas operation reads: colours, clipping, the part
// of an image to draw, blending, mirroring, text effects and alignment. A plain value, copied
// whole; it owns nothing.
#pragma once

#include "Graphics/ColorF.h"
#include "Graphics/Rect.h"

#include <cstdint>

namespace Corvane
{
class Font;
}

namespace Corvane::Graphics
{
// Flag bits.
constexpr std::uint32_t kDrawSourceRect = 1; // draw only the source rectangle of an image
constexpr std::uint32_t kDrawBlend = 2;      // blend images by their alpha, fills and lines over the target
constexpr std::uint32_t kDrawMirrorX = 4;    // mirror images left-right
constexpr std::uint32_t kDrawMirrorY = 8;    // mirror images top-bottom

// Text modes.
constexpr int kTextPlain = 0;
constexpr int kTextOutline = 1;
constexpr int kTextDropShadow = 2;

// Alignments: where the given x (or y) lies on what is drawn.
constexpr int kAlignLeft = 0; // also top
constexpr int kAlignCenter = 1;
constexpr int kAlignRight = 2; // also bottom

// A clip rectangle that leaves drawing unbounded.
constexpr Rect<int> kUnboundedClip{-1073741824, -1073741824, 2147483647, 2147483647};

struct DrawState
{
    Font* font = nullptr;                       // not owned; text draws nothing without it
    ColorF color{1.0f, 1.0f, 1.0f, 1.0f};       // text, lines, fills, circles and ellipses
    ColorF effectColor{0.0f, 0.0f, 0.0f, 1.0f}; // text outline and drop shadow
    int effectOffsetX = 2;                      // distance of outline copies and drop shadow
    int effectOffsetY = 2;
    ColorF tint{1.0f, 1.0f, 1.0f, 1.0f}; // multiplies image colours; alpha is the opacity
    Rect<int> clip = kUnboundedClip;     // drawing outside it is discarded
    Rect<int> sourceRect{0, 0, 0, 0};    // used only with kDrawSourceRect
    std::uint32_t flags = kDrawBlend;
    int textMode = kTextPlain;
    int horizontalAlignment = kAlignLeft;
    int verticalAlignment = kAlignLeft;

    // Sets the source rectangle and its flag.
    void SetSourceRect(const Rect<int>& rect)
    {
        sourceRect = rect;
        flags |= kDrawSourceRect;
    }
    void ClearSourceRect() { flags &= ~kDrawSourceRect; }
    bool HasSourceRect() const { return (flags & kDrawSourceRect) != 0; }
    void SetFlag(std::uint32_t flag, bool on) { flags = on ? (flags | flag) : (flags & ~flag); }

    bool operator==(const DrawState& o) const = default;
};

// The defaults above, one process-wide constant.
const DrawState& GetDefaultDrawState();
} // namespace Corvane::Graphics
