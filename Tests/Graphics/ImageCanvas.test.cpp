#include "Graphics/ImageCanvas.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"
#include "Graphics/ImageRotationCache.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
// A clean image (its texture took the pixels) and a canvas on it.
struct Target
{
    Image image;
    cImageCanvas canvas;
    Target(int width, int height) : image(width, height), canvas(image) { Clean(); }
    void Clean() { image.GetTexture(); } // no texture: the flag stays; see IsClean
    bool Changed(std::uint64_t before) const { return image.GetGeneration() != before; }
    int Count(PackedColor color) const
    {
        return int(std::count(image.GetPixels(), image.GetPixels() + image.GetWidth() * image.GetHeight(), color));
    }
};

DrawState Colored(ColorF color, std::uint32_t flags = kDrawBlend)
{
    DrawState state = GetDefaultDrawState();
    state.color = color;
    state.flags = flags;
    return state;
}

class OtherImage : public BaseImage
{
public:
    int GetWidth() const override { return 1; }
    int GetHeight() const override { return 1; }
    PackedColor GetPixel(int, int) const override { return 0; }
    ITexture* GetTexture() override { return nullptr; }
};
} // namespace

TEST(ImageCanvas, AnswersItsFourInterfaces)
{
    Target target(4, 4);
    EXPECT_EQ(target.canvas.GetName(), Label("ImageCanvas"));
    EXPECT_EQ(target.canvas.GetBounds(), Rect<int>(0, 0, 4, 4));
    EXPECT_NE(QueryCanvas<ICanvas>(&target.canvas), nullptr);
    EXPECT_EQ(QueryCanvas<IQuadDrawingCanvas>(&target.canvas), static_cast<IQuadDrawingCanvas*>(&target.canvas));
    EXPECT_EQ(QueryCanvas<IPixelSettingCanvas>(&target.canvas), static_cast<IPixelSettingCanvas*>(&target.canvas));
    EXPECT_EQ(QueryCanvas<IEllipseDrawingCanvas>(&target.canvas), static_cast<IEllipseDrawingCanvas*>(&target.canvas));
    void* untouched = &target;
    EXPECT_FALSE(target.canvas.QueryInterface(Label("ILineDrawingCanvas"), &untouched));
    EXPECT_EQ(untouched, &target);

    ICanvas* made = CreateImageCanvas(target.image);
    EXPECT_EQ(made->GetName(), Label("ImageCanvas"));
    DestroyImageCanvas(made);
    DestroyImageCanvas(nullptr);
}

TEST(ImageCanvas, FillRectClipsBlendsOrStoresAndMarksChanges)
{
    Target target(8, 8);
    std::uint64_t generation = target.image.GetGeneration();
    EXPECT_EQ(target.canvas.FillRect(Rect<int>(8, 0, 4, 4), Colored({1, 1, 1, 1})), 1);
    EXPECT_FALSE(target.Changed(generation));

    DrawState clipped = Colored({1, 0, 0, 1});
    clipped.clip = {0, 0, 3, 8};
    EXPECT_EQ(target.canvas.FillRect(Rect<float>(1.9f, 1.9f, 4.5f, 2.5f), clipped), 0);
    EXPECT_TRUE(target.Changed(generation));
    EXPECT_EQ(target.Count(0xFFFF0000), 2 * 2); // x 1..2 (clip), y 1..2
    EXPECT_EQ(target.image.GetPixel(1, 1), 0xFFFF0000u);

    // Blended with the blend flag, stored as it is (alpha included) without it.
    const ColorF half(1, 1, 1, 0.5f);
    target.canvas.FillRect(Rect<int>(1, 1, 1, 1), Colored(half));
    EXPECT_EQ(target.image.GetPixel(1, 1), BlendPixel(half.ToPacked(), 0xFFFF0000u));
    target.canvas.FillRect(Rect<int>(2, 2, 1, 1), Colored(half, 0));
    EXPECT_EQ(target.image.GetPixel(2, 2), half.ToPacked());
}

TEST(ImageCanvas, ImagesBlitIntoTheTarget)
{
    Target target(8, 8);
    Image sprite(2, 2);
    std::fill_n(sprite.GetPixels(), 4, 0xFF00FF00u);
    sprite.SetAlphaKind(false, false);
    std::uint64_t generation = target.image.GetGeneration();
    EXPECT_EQ(target.canvas.DrawImage(&sprite, 3.7f, 1.2f, GetDefaultDrawState()), 0);
    EXPECT_TRUE(target.Changed(generation));
    EXPECT_EQ(target.image.GetPixel(3, 1), 0xFF00FF00u);
    EXPECT_EQ(target.image.GetPixel(4, 2), 0xFF00FF00u);
    EXPECT_EQ(target.Count(0xFF00FF00), 4);

    generation = target.image.GetGeneration();
    EXPECT_EQ(target.canvas.DrawImage(&sprite, 20, 20, GetDefaultDrawState()), 1);
    EXPECT_FALSE(target.Changed(generation));
    EXPECT_EQ(target.canvas.DrawStretchedImage(&sprite, {0, 4, 8, 4}, GetDefaultDrawState()), 0);
    EXPECT_EQ(target.Count(0xFF00FF00), 4 + 32);

    OtherImage other;
    EXPECT_EQ(target.canvas.DrawImage(&other, 0, 0, GetDefaultDrawState()), 1);
    EXPECT_EQ(target.canvas.DrawImage(nullptr, 0, 0, GetDefaultDrawState()), 1);
    EXPECT_EQ(target.canvas.DrawStretchedImage(&other, {0, 0, 2, 2}, GetDefaultDrawState()), 1);
    EXPECT_EQ(target.canvas.DrawTexturedVertices(0, &sprite, nullptr, 0, GetDefaultDrawState()), -2);
}

TEST(ImageCanvas, RotatedImagesComeFromTheRotationCache)
{
    Target target(20, 20);
    Image arrow(4, 2);
    std::fill_n(arrow.GetPixels(), 8, 0xFFFFFFFFu);
    arrow.SetAlphaKind(false, false);
    EXPECT_EQ(target.canvas.DrawRotatedImage(&arrow, 10, 10, 1.0f, GetDefaultDrawState()), -2);
    EXPECT_EQ(target.canvas.DrawRotatedImageInRect(&arrow, {10, 10, 4, 4}, 1.0f, GetDefaultDrawState()), -2);

    arrow.SetRotationSteps(4);
    const float quarter = TwoPi() / 4;
    EXPECT_EQ(target.canvas.DrawRotatedImage(&arrow, 10, 10, quarter, GetDefaultDrawState()), 0);
    // The 2 x 4 turned copy centred on (10, 10): columns 9..10, rows 8..11.
    EXPECT_EQ(target.Count(0xFFFFFFFF), 8);
    EXPECT_EQ(target.image.GetPixel(9, 8), 0xFFFFFFFFu);
    EXPECT_EQ(target.image.GetPixel(10, 11), 0xFFFFFFFFu);
    EXPECT_EQ(target.image.GetPixel(11, 10), 0u);

    // Drawing rotated copies over and over computes the copy once.
    for (int frame = 0; frame < 5; ++frame)
        target.canvas.DrawRotatedImage(&arrow, 10, 10, quarter, GetDefaultDrawState());
    EXPECT_EQ(arrow.GetRotationCache()->GetComputedCount(), 1);
}

TEST(ImageCanvas, PixelsAreSetUnblended)
{
    Target target(4, 4);
    EXPECT_EQ(target.canvas.SetPixel(1.9f, 2.1f, 0x80123456), 0);
    EXPECT_EQ(target.image.GetPixel(1, 2), 0x80123456u);
    EXPECT_EQ(target.canvas.GetPixel(1.5f, 2.5f), 0x80123456u);
    EXPECT_EQ(target.canvas.GetPixel(4, 0), 0u);
    EXPECT_EQ(target.canvas.SetPixel(-1, 0, 1), 0);
}

TEST(ImageCanvas, CirclesFromThePointTable)
{
    Target target(20, 20);
    const DrawState white = Colored({1, 1, 1, 1});
    EXPECT_EQ(target.canvas.DrawLineCircle(10, 10, 0.4f, white), 0);
    EXPECT_EQ(target.Count(0xFFFFFFFF), 0);
    EXPECT_EQ(target.canvas.DrawLineCircle(10, 10, 0.5f, white), 0);
    EXPECT_EQ(target.Count(0xFFFFFFFF), 1);
    EXPECT_EQ(target.image.GetPixel(10, 10), 0xFFFFFFFFu);

    // Radius 3: the points (3,0) (2,0) (2,1) (1,2) (0,2) in four quarters.
    Target ring(20, 20);
    EXPECT_EQ(ring.canvas.DrawLineCircle(10, 10, 3, white), 0);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{13, 10}, {7, 10}, {12, 11}, {8, 9}, {11, 12}, {10, 8}})
        EXPECT_EQ(ring.image.GetPixel(x, y), 0xFFFFFFFFu) << x << "," << y;
    EXPECT_EQ(ring.image.GetPixel(10, 10), 0u);
    EXPECT_EQ(ring.Count(0xFFFFFFFF), 14); // (2,0) and (0,2) meet their mirrors on the axes

    Target disc(20, 20);
    const std::uint64_t generation = disc.image.GetGeneration();
    EXPECT_EQ(disc.canvas.DrawFilledCircle(10, 10, 3, white), 0);
    EXPECT_TRUE(disc.Changed(generation));
    EXPECT_EQ(disc.Count(0xFFFFFFFF), 7 + 5 + 5 + 3 + 3); // rows 10, 9/11, 8/12
    EXPECT_EQ(disc.image.GetPixel(10, 10), 0xFFFFFFFFu);

    // Faint colours, missed clips and negative radii draw nothing.
    Target faint(20, 20);
    EXPECT_EQ(faint.canvas.DrawFilledCircle(10, 10, 5, Colored({1, 1, 1, 0.4f})), 1);
    EXPECT_EQ(faint.canvas.DrawFilledCircle(40, 10, 5, white), 1);
    EXPECT_EQ(faint.canvas.DrawLineCircle(10, 10, -3, white), 1);
    DrawState clipped = white;
    clipped.clip = {0, 0, 10, 20};
    EXPECT_EQ(faint.canvas.DrawFilledCircle(10, 10, 3, clipped), 0);
    EXPECT_EQ(faint.Count(0xFFFFFFFF), 3 + 2 + 2 + 1 + 1); // the columns 7..9 of the disc
}

TEST(ImageCanvas, SmallCirclesAreABlockAndEllipsesSqueezeTheCircle)
{
    Target target(20, 20);
    EXPECT_EQ(target.canvas.DrawLineCircle(5, 5, 1, Colored({1, 1, 1, 1})), 0);
    EXPECT_EQ(target.Count(0xFFFFFFFF), 9);

    // 10 x 10.3 is a circle of radius 5 about (5, 5).
    Target circle(20, 20);
    Target ellipse(20, 20);
    circle.canvas.DrawLineCircle(5, 5, 5, Colored({1, 1, 1, 1}));
    EXPECT_EQ(ellipse.canvas.DrawLineEllipse({0, 0, 10, 10.3f}, Colored({1, 1, 1, 1})), 0);
    EXPECT_EQ(std::vector<PackedColor>(ellipse.image.GetPixels(), ellipse.image.GetPixels() + 400),
              std::vector<PackedColor>(circle.image.GetPixels(), circle.image.GetPixels() + 400));

    // A wide ellipse spans its width but not its height.
    Target wide(30, 20);
    EXPECT_EQ(wide.canvas.DrawFilledEllipse({2, 5, 20, 6}, Colored({0, 1, 0, 1})), 0);
    EXPECT_EQ(wide.image.GetPixel(12, 8), 0xFF00FF00u);
    EXPECT_EQ(wide.image.GetPixel(3, 8), 0xFF00FF00u);
    EXPECT_EQ(wide.image.GetPixel(12, 3), 0u);
    EXPECT_EQ(wide.image.GetPixel(12, 13), 0u);
    Target outline(30, 20);
    EXPECT_EQ(outline.canvas.DrawLineEllipse({2, 5, 20, 6}, Colored({0, 1, 0, 1})), 0);
    EXPECT_EQ(outline.image.GetPixel(12, 8), 0u); // hollow
    EXPECT_LT(outline.Count(0xFF00FF00), wide.Count(0xFF00FF00));
    EXPECT_EQ(outline.canvas.DrawLineEllipse({40, 5, 20, 6}, Colored({0, 1, 0, 1})), 1);
}

TEST(ImageCanvas, FreeFunctionsDrawThroughIt)
{
    Target target(10, 10);
    EXPECT_EQ(FillRectI({0, 0, 2, 2}, Colored({0, 0, 1, 1}), &target.canvas), 0);
    EXPECT_EQ(DrawLine(0, 5, 9, 5, Colored({1, 0, 0, 1}), &target.canvas), 0);
    EXPECT_EQ(target.Count(0xFF0000FF), 4);
    EXPECT_EQ(target.Count(0xFFFF0000), 10);
    EXPECT_EQ(FillEllipse({2, 2, 6, 6}, Colored({0, 1, 0, 1}), &target.canvas), 0);
    EXPECT_GT(target.Count(0xFF00FF00), 10);
}
