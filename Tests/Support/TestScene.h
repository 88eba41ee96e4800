// Two scenes drawn through the drawing functions, for comparing what the renderers put on the
// screen with the image canvas's picture: images, fills, ellipses, lines and sprites; and text
// with its effects and alignments, in a font made in memory.
#pragma once

#include "Graphics/DrawingFunctions.h"
#include "Graphics/Image.h"
#include "Graphics/TextDrawing.h"
#include "Support/TestFont.h"

#include <gtest/gtest.h>

#include <memory>

namespace Corvane::Testing
{
constexpr int kSceneWidth = 400;
constexpr int kSceneHeight = 300;

// A 32 x 24 picture with a smooth alpha ramp from left to right.
inline std::unique_ptr<Image> SceneGradient()
{
    auto image = std::make_unique<Image>(32, 24);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            image->SetPixel(
                x, y, PackedColor(x * 8) << 24 | PackedColor(255 - y * 10) << 16 | PackedColor(x * 8) << 8 | 0x40);
    return image;
}

// A 16 x 16 mask picture: a ring of opaque pixels, transparent elsewhere.
inline std::unique_ptr<Image> SceneMask()
{
    auto image = std::make_unique<Image>(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
        {
            const int d = (x - 8) * (x - 8) + (y - 8) * (y - 8);
            image->SetPixel(x, y, d > 20 && d < 50 ? 0xFF20C040 : 0x00000000);
        }
    image->SetAlphaKind(true, true);
    return image;
}

inline Graphics::DrawState SceneColor(ColorF color)
{
    Graphics::DrawState state;
    state.color = color;
    return state;
}

inline void DrawScene(Graphics::ICanvas* canvas, Image& gradient, Image& mask)
{
    using namespace Graphics;
    FillRect({0, 0, kSceneWidth, kSceneHeight}, SceneColor({0.1f, 0.2f, 0.35f, 1}), canvas);
    FillRectI({20, 200, 120, 60}, SceneColor({0.9f, 0.6f, 0.1f, 1}), canvas);
    FillEllipse({160, 30, 90, 50}, SceneColor({0.2f, 0.8f, 0.3f, 1}), canvas);
    DrawEllipse({150, 20, 110, 70}, SceneColor({1, 1, 1, 1}), canvas);
    FillEllipse({300, 200, 40, 40}, SceneColor({0.8f, 0.1f, 0.1f, 1}), canvas);
    DrawLine(10, 290, 390, 150, SceneColor({1, 1, 0, 1}), canvas);

    DrawState images;
    DrawImage(&gradient, 30, 40, images, canvas);
    DrawImage(&gradient, 50, 60, images, canvas);
    images.tint = {1, 0.5f, 1, 0.6f};
    DrawImage(&gradient, 70, 80, images, canvas);
    DrawImage(&mask, 100, 30, DrawState(), canvas);
    DrawImageInRect(&gradient, {200, 120, 96, 48}, DrawState(), canvas);
    DrawState mirrored;
    mirrored.flags |= kDrawMirrorX | kDrawMirrorY;
    DrawImage(&gradient, 320, 40, mirrored, canvas);
    DrawRotatedImage(&gradient, 350, 250, 0.6f, DrawState(), canvas);

    SpriteRecord sprites[3];
    for (int i = 0; i < 3; ++i)
    {
        sprites[i].x = 40.0f + 50 * i;
        sprites[i].y = 150;
        sprites[i].color = {1, 1, 1, 0.4f + 0.3f * i};
        sprites[i].scaleX = 1.0f + 0.5f * i;
    }
    DrawSprites(&mask, 3, sprites, sizeof sprites[0], DrawState(), canvas);
}

// The text scene's font: 12 pixels high, glyphs with smooth left edges, "AV" kerned by -3.
inline std::unique_ptr<ImageFont> SceneFont()
{
    TestFontSpec spec;
    spec.lineHeight = 12;
    spec.widthBase = 5;
    spec.smooth = true;
    spec.kerning = {{{'A', 'V'}, -3}};
    return MakeTestFont(spec);
}

// On white: an outlined block broken into centred lines, a right-aligned line with a drop
// shadow and a half-transparent plain line. Every call must draw.
inline void DrawTextScene(Graphics::ICanvas* canvas, Font& font)
{
    using namespace Graphics;
    FillRect({0, 0, kSceneWidth, kSceneHeight}, DrawState(), canvas);
    DrawState state;
    state.font = &font;
    state.color = {0.2f, 0.4f, 1, 1};
    state.textMode = kTextOutline;
    state.horizontalAlignment = kAlignCenter;
    state.verticalAlignment = kAlignCenter;
    EXPECT_EQ(DrawTextBlockAt(L"AVAST the kitchen is open, chef: serve the soup hot", 200, 150, 180, state, canvas), 0);
    state.textMode = kTextDropShadow;
    state.horizontalAlignment = kAlignRight;
    state.verticalAlignment = kAlignLeft;
    EXPECT_EQ(DrawText(L"Score 1234", 390, 10, state, canvas), 0);
    EXPECT_EQ(DrawString(L"(plain)", 10, 280, {1, 1, 1, 0.5f}, state, canvas), 0);
}
} // namespace Corvane::Testing
