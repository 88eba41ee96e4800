#include "Platform/Win32/ScreenCanvasD3D.h"

#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"
#include "Graphics/QuarterCircleCache.h"
#include "Graphics/TextDrawing.h"
#include "Support/Direct3DTestDisplay.h"
#include "Support/SurfacePixels.h"
#include "Support/TestFont.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
class ScreenCanvasD3DTest : public testing::Test
{
protected:
    // The last primitive's corners as "x,y" (x and y to one decimal).
    std::vector<std::string> Corners() const
    {
        std::vector<std::string> corners;
        char text[64];
        for (const auto& v : mDisplay.primitives.back().vertices)
        {
            std::snprintf(text, sizeof text, "%.1f,%.1f", v.x, v.y);
            corners.push_back(text);
        }
        return corners;
    }
    void Refuse(HRESULT code)
    {
        Compat::DisplayMachine machine = Compat::GetDisplayMachine();
        machine.failures[Compat::DisplayCall::DrawPrimitive] = code;
        Compat::SetDisplayMachine(machine);
    }
    // The back buffer's pixel as the device drew it (opaque).
    PackedColor Pixel(int x, int y) { return Testing::ReadSurfacePixel(mDisplay.Display().GetBackBuffer(), x, y); }

    Testing::Direct3DTestDisplay mDisplay{800, 600};
    cScreenCanvasD3D mCanvas;
};

DrawState Colored(PackedColor color)
{
    DrawState state;
    state.color = ColorF::FromPacked(color);
    return state;
}

// Glyphs of a fixed 8 x 10 cell, from the first picture for lower-case letters and the second
// for the rest; each character advances 9 pixels.
class CellFont : public IGlyphSource
{
public:
    bool GetGlyph(wchar_t c, IImage*& image, Rect<int>& source) override
    {
        image = c >= L'a' && c <= L'z' ? &mLower : &mOther;
        source = Rect<int>(8 * (c % 4), 0, 8, 10);
        return true;
    }
    int GetAdvance(wchar_t, wchar_t) override { return 9; }

private:
    Image mLower{32, 10};
    Image mOther{32, 10};
};
} // namespace

TEST_F(ScreenCanvasD3DTest, AnswersItsInterfacesAndTheBackBuffersBounds)
{
    EXPECT_EQ(mCanvas.GetName(), Label("ScreenCanvasD3D"));
    EXPECT_EQ(mCanvas.GetBounds(), Rect<int>(0, 0, 800, 600));
    EXPECT_NE(QueryCanvas<IScreen>(&mCanvas), nullptr);
    EXPECT_NE(QueryCanvas<ILineDrawingCanvas>(&mCanvas), nullptr);
    EXPECT_NE(QueryCanvas<ITextDrawingCanvas>(&mCanvas), nullptr);
    EXPECT_NE(QueryCanvas<ISpriteDrawingCanvas>(&mCanvas), nullptr);
    EXPECT_EQ(QueryCanvas<IPixelSettingCanvas>(&mCanvas), nullptr);
}

TEST_F(ScreenCanvasD3DTest, FillsAreClippedHereAndNothingEmptyReachesTheDevice)
{
    DrawState state = Colored(0xFF336699);
    state.clip = {100, 100, 50, 50};
    EXPECT_EQ(mCanvas.FillRect(Rect<float>(0, 0, 50, 50), state), 1) << "outside the clip rectangle";
    EXPECT_EQ(mCanvas.FillRect(Rect<float>(120, 120, 20, 0), state), 1) << "no height";
    EXPECT_EQ(mCanvas.FillRect(Rect<float>(120, 120, 20, 20), Colored(0x00336699)), 1) << "transparent";
    EXPECT_TRUE(mDisplay.primitives.empty());

    EXPECT_EQ(mCanvas.FillRect(Rect<int>(90, 110, 100, 20), state), 0);
    ASSERT_EQ(mDisplay.primitives.size(), 1u);
    EXPECT_EQ(mDisplay.primitives[0].type, D3DPT_TRIANGLESTRIP);
    EXPECT_EQ(mDisplay.primitives[0].texture, nullptr);
    EXPECT_EQ(mDisplay.primitives[0].vertices[0].color, 0xFF336699u);
    EXPECT_EQ(Corners(), (std::vector<std::string>{"99.5,109.5", "99.5,129.5", "149.5,109.5", "149.5,129.5"}));
    EXPECT_EQ(Pixel(100, 110), 0x00336699u) << "the first pixel inside";
    EXPECT_EQ(Pixel(149, 129), 0x00336699u) << "the last pixel inside";
    EXPECT_EQ(Pixel(150, 129), 0x00000000u);

    Refuse(DDERR_SURFACEBUSY);
    EXPECT_EQ(mCanvas.FillRect(Rect<int>(100, 100, 10, 10), state), -1);
    EXPECT_NE(mDisplay.debug.Text().find(
                  "cScreenCanvasD3D::DrawFilledRect - DrawPrimitive returned 0x88760132 - DDERR_SURFACEBUSY\n"),
              std::string::npos)
        << mDisplay.debug.Text();
}

TEST_F(ScreenCanvasD3DTest, ImagesAreCutToTheClipRectangleWithTheirTextureCoordinates)
{
    Image image(100, 50); // a 128 x 64 texture
    image.SetPixel(20, 0, 0xFFFF0000);
    DrawState state;
    state.clip = {0, 0, 800, 600};
    EXPECT_EQ(mCanvas.DrawImage(&image, -20, 0, state), 0);
    ASSERT_EQ(mDisplay.primitives.size(), 1u);
    const auto& quad = mDisplay.primitives[0].vertices;
    EXPECT_EQ(Corners(), (std::vector<std::string>{"-0.5,-0.5", "-0.5,49.5", "79.5,-0.5", "79.5,49.5"}));
    EXPECT_FLOAT_EQ(quad[0].u, 20.0f / 128.0f);
    EXPECT_FLOAT_EQ(quad[3].u, 100.0f / 128.0f);
    EXPECT_FLOAT_EQ(quad[3].v, 50.0f / 64.0f);
    EXPECT_NE(mDisplay.primitives[0].texture, nullptr);
    EXPECT_EQ(Pixel(0, 0), 0x00FF0000u) << "the image's column 20 lands on the first pixel";

    // Mirrored, the part that shows is the image's other end.
    state.flags |= kDrawMirrorX;
    mCanvas.DrawImage(&image, -20, 0, state);
    EXPECT_FLOAT_EQ(mDisplay.primitives.back().vertices[0].u, 80.0f / 128.0f);
    EXPECT_FLOAT_EQ(mDisplay.primitives.back().vertices[3].u, 0.0f);

    // Stretched images are clipped too.
    state.flags &= ~kDrawMirrorX;
    state.clip = {0, 0, 50, 600};
    mCanvas.DrawStretchedImage(&image, {0, 100, 200, 100}, state);
    EXPECT_EQ(Corners(), (std::vector<std::string>{"-0.5,99.5", "-0.5,199.5", "49.5,99.5", "49.5,199.5"}));
    EXPECT_FLOAT_EQ(mDisplay.primitives.back().vertices[3].u, 25.0f / 128.0f);
    EXPECT_EQ(mCanvas.DrawStretchedImage(&image, {0, 100, 0, 100}, state), 1);
    EXPECT_EQ(mCanvas.DrawImage(nullptr, 0, 0, state), 1);
}

TEST_F(ScreenCanvasD3DTest, RotatedImagesClipThroughTheDisplayAndAnUnturnedOneIsPlain)
{
    Image image(40, 20);
    DrawState state;
    state.clip = {10, 10, 300, 300};
    const ClipRect before = mDisplay.Display().GetClipRect();
    for (const float angle : {0.0f, TwoPi()})
    {
        EXPECT_EQ(mCanvas.DrawRotatedImage(&image, 100, 50, angle, state), 0);
        EXPECT_EQ(Corners(), (std::vector<std::string>{"79.5,39.5", "79.5,59.5", "119.5,39.5", "119.5,59.5"}));
    }
    DWORD planes = 1;
    mDisplay.Device()->GetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, &planes);
    EXPECT_EQ(planes, 0u) << "an unturned image is clipped here";

    EXPECT_EQ(mCanvas.DrawRotatedImage(&image, 100, 50, 1.5707964f, state), 0);
    EXPECT_EQ(Corners(), (std::vector<std::string>{"110.5,29.5", "90.5,29.5", "110.5,69.5", "90.5,69.5"}));
    mDisplay.Device()->GetRenderState(D3DRENDERSTATE_CLIPPLANEENABLE, &planes);
    EXPECT_EQ(planes, 15u) << "the state's clip rectangle became clip planes";
    EXPECT_EQ(mDisplay.Display().GetClipRect(), before) << "and the display's rectangle came back";

    // Free triangles: a list in whole ones only, their texture coordinates running over the image.
    const TexturedVertex corners[4] = {{0, 0, 1, 0xFFFFFFFF, 0, 0},
                                       {10, 0, 1, 0xFFFFFFFF, 1, 0},
                                       {0, 10, 1, 0xFFFFFFFF, 0, 1},
                                       {10, 10, 1, 0xFFFFFFFF, 1, 1}};
    EXPECT_EQ(mCanvas.DrawTexturedVertices(IQuadDrawingCanvas::kTriangleList, &image, corners, 4, state), 0);
    EXPECT_EQ(mDisplay.primitives.back().type, D3DPT_TRIANGLELIST);
    ASSERT_EQ(mDisplay.primitives.back().vertices.size(), 3u);
    EXPECT_FLOAT_EQ(mDisplay.primitives.back().vertices[1].u, 40.0f / 64.0f);
    EXPECT_FLOAT_EQ(mDisplay.primitives.back().vertices[2].v, 20.0f / 32.0f);
}

TEST_F(ScreenCanvasD3DTest, TexturedVerticesKeepTheirPrimitiveKindAcrossBatches)
{
    Image image(40, 20);
    const DrawState state = Colored(0xFFFFFFFF);
    // Numbered by x, so each piece shows where it was cut.
    std::vector<TexturedVertex> many(1000);
    for (int i = 0; i < 1000; ++i)
        many[i] = {float(i), float(i % 2), 1, 0xFFFFFFFF, 0, 0};
    const struct
    {
        int kind;
        D3DPRIMITIVETYPE type;
    } kinds[] = {{IQuadDrawingCanvas::kTriangleStrip, D3DPT_TRIANGLESTRIP},
                 {IQuadDrawingCanvas::kTriangleFan, D3DPT_TRIANGLEFAN},
                 {IQuadDrawingCanvas::kTriangleList, D3DPT_TRIANGLELIST}};
    for (const auto& k : kinds)
    {
        mDisplay.primitives.clear();
        ASSERT_EQ(mCanvas.DrawTexturedVertices(k.kind, &image, many.data(), 1000, state), 0);
        ASSERT_GT(mDisplay.primitives.size(), 1u) << k.kind;
        int triangles = 0;
        float next = 0; // the first vertex a piece must start with
        for (const auto& primitive : mDisplay.primitives)
        {
            const auto& v = primitive.vertices;
            EXPECT_EQ(primitive.type, k.type);
            ASSERT_GE(v.size(), 3u);
            if (k.type == D3DPT_TRIANGLEFAN)
            {
                EXPECT_EQ(v[0].x, 0.0f) << "every piece of a fan turns about its centre";
                EXPECT_EQ(v[1].x, next == 0 ? 1.0f : next);
                next = v.back().x;
            }
            else
            {
                EXPECT_EQ(v[0].x, next);
                EXPECT_EQ(int(v[0].x) % 2, 0) << "strip pieces keep their winding";
                next = v.back().x + (k.type == D3DPT_TRIANGLESTRIP ? -1 : 1);
            }
            triangles += k.type == D3DPT_TRIANGLELIST ? int(v.size()) / 3 : int(v.size()) - 2;
        }
        EXPECT_EQ(triangles, k.type == D3DPT_TRIANGLELIST ? 333 : 998) << "no triangle lost or drawn twice";
    }
    EXPECT_EQ(mCanvas.DrawTexturedVertices(3, &image, many.data(), 3, state), -1) << "no such kind";
    EXPECT_EQ(mCanvas.DrawTexturedVertices(0, &image, many.data(), 2, state), 1) << "not one triangle";
}

TEST_F(ScreenCanvasD3DTest, EllipsesOfNearlyEqualSidesAreCirclesAndLargeCirclesComeInJoinedBatches)
{
    const DrawState state = Colored(0xFFFFFFFF);
    const int rim = int(GetQuarterCirclePointsF(20).size()) * 4;
    mCanvas.DrawFilledEllipse({0, 0, 40, 40.3f}, state);
    ASSERT_EQ(mDisplay.primitives.size(), 1u);
    EXPECT_EQ(mDisplay.primitives[0].type, D3DPT_TRIANGLEFAN);
    EXPECT_EQ(int(mDisplay.primitives[0].vertices.size()), rim + 2) << "centre, rim, the rim's first point again";
    EXPECT_EQ(Corners()[0], "20.0,20.0");
    EXPECT_EQ(Corners()[1], "40.0,20.0");
    mCanvas.DrawLineEllipse({0, 0, 40, 41}, state);
    EXPECT_EQ(mDisplay.primitives.back().type, D3DPT_POINTLIST) << "an ellipse's outline";
    EXPECT_EQ(Corners()[0], "40.0,20.5");

    // A circle too large for one buffer: fans of at most 600 vertices about the centre, each
    // starting where the last one ended.
    mDisplay.primitives.clear();
    EXPECT_EQ(mCanvas.DrawFilledCircle(400, 300, 300, state), 0);
    ASSERT_GT(mDisplay.primitives.size(), 1u);
    std::size_t total = 0;
    for (std::size_t i = 0; i < mDisplay.primitives.size(); ++i)
    {
        const auto& fan = mDisplay.primitives[i].vertices;
        EXPECT_LE(fan.size(), 600u);
        EXPECT_EQ(fan[0].x, 400.0f);
        if (i > 0)
        {
            EXPECT_EQ(fan[1].x, mDisplay.primitives[i - 1].vertices.back().x);
        }
        total += fan.size() - 2;
    }
    EXPECT_EQ(total, GetQuarterCirclePointsF(300).size() * 4) << "every rim segment once";
    EXPECT_EQ(Pixel(400, 300), 0x00FFFFFFu);
    EXPECT_EQ(Pixel(650, 300), 0x00FFFFFFu);
    EXPECT_EQ(Pixel(400, 50), 0x00FFFFFFu);

    mDisplay.primitives.clear();
    DrawState clipped = state;
    clipped.clip = {0, 0, 100, 100};
    EXPECT_EQ(mCanvas.DrawLineCircle(300, 300, 50, clipped), 1) << "outside the clip rectangle";
    EXPECT_EQ(mCanvas.DrawFilledCircle(300, 300, 50, Colored(0x00FFFFFF)), 1) << "transparent";
    EXPECT_TRUE(mDisplay.primitives.empty());
}

TEST_F(ScreenCanvasD3DTest, LinesReportWhatTheDeviceDid)
{
    EXPECT_EQ(mCanvas.DrawLine(10, 10, 20, 10, Colored(0xFFFF0000)), 0);
    EXPECT_EQ(mDisplay.primitives.back().type, D3DPT_LINELIST);
    EXPECT_EQ(Pixel(15, 10), 0x00FF0000u);
    Refuse(DDERR_SURFACEBUSY);
    EXPECT_EQ(mCanvas.DrawLine(10, 10, 20, 10, Colored(0xFFFF0000)), -1) << "a refused line was not drawn";
    EXPECT_NE(mDisplay.debug.Text().find("cScreenCanvasD3D::DrawLine - DrawPrimitive returned"), std::string::npos);
}

TEST_F(ScreenCanvasD3DTest, SpritesComeInBatchesWithinTheBufferAndEmptyOnesAreLeftOut)
{
    Image image(4, 4);
    std::vector<SpriteRecord> sprites(20000);
    for (std::size_t i = 0; i < sprites.size(); ++i)
    {
        sprites[i].x = float(i % 800);
        sprites[i].y = float(i % 600);
        sprites[i].scaleX = i % 100 == 0 ? 0.0f : 1.0f; // every hundredth has no width
    }
    DrawState state;
    state.tint = {1, 1, 1, 0.5f};
    EXPECT_EQ(mCanvas.DrawSprites(&image, int(sprites.size()), sprites.data(), sizeof(SpriteRecord), state), 0);
    std::size_t quads = 0;
    for (const auto& batch : mDisplay.primitives)
    {
        EXPECT_TRUE(batch.indexed);
        EXPECT_LE(batch.vertices.size(), 900u) << "150 quads, six indices each";
        quads += batch.vertices.size() / 6;
    }
    EXPECT_EQ(quads, 19800u);
    EXPECT_EQ(mDisplay.primitives[0].vertices[0].color, 0x7FFFFFFFu) << "the record's colour times the tint";
    EXPECT_EQ(mCanvas.DrawSprites(&image, 1, sprites.data(), 8, state), 1) << "records shorter than a sprite";
}

TEST_F(ScreenCanvasD3DTest, GlyphsAreBatchedByPictureAHundredAtATime)
{
    CellFont font;
    const DrawState state = Colored(0xFFFFFFFF);
    EXPECT_EQ(mCanvas.DrawGlyphs(std::wstring(250, L'a').c_str(), 0, 0, state, font), 0);
    std::vector<std::size_t> sizes;
    for (const auto& batch : mDisplay.primitives)
        sizes.push_back(batch.vertices.size() / 6);
    EXPECT_EQ(sizes, (std::vector<std::size_t>{100, 100, 50}));

    mDisplay.primitives.clear();
    mCanvas.DrawGlyphs(L"abcDEF", 0, 0, state, font);
    ASSERT_EQ(mDisplay.primitives.size(), 2u) << "the picture changes in the middle";
    const auto& first = mDisplay.primitives[0].vertices;
    EXPECT_EQ(first.size(), 18u);
    EXPECT_EQ(first[6].x, 8.5f) << "the second glyph 9 pixels on";
    EXPECT_FLOAT_EQ(first[6].u, 16.0f / 32.0f) << "'b' is the picture's third cell";

    mDisplay.primitives.clear();
    DrawState clipped = state;
    clipped.clip = {0, 0, 12, 10};
    mCanvas.DrawGlyphs(L"abc", 0, 0, clipped, font);
    ASSERT_EQ(mDisplay.primitives.size(), 1u);
    EXPECT_EQ(mDisplay.primitives[0].vertices.size(), 12u) << "the third glyph lies outside";
    EXPECT_FLOAT_EQ(mDisplay.primitives[0].vertices[8].u, (16.0f + 3.0f) / 32.0f) << "the second glyph cut at 12";
}

TEST_F(ScreenCanvasD3DTest, TextIsTheFontsGlyphsKernedInTheStatesColour)
{
    Testing::TestFontSpec spec;
    spec.kerning = {{{'A', 'V'}, -3}};
    const std::unique_ptr<ImageFont> font = Testing::MakeTestFont(spec);
    DrawState state = Colored(0xFFFFFFFF);
    EXPECT_EQ(mCanvas.DrawText(L"AV", 10, 20, state), 1) << "no font";
    EXPECT_TRUE(mDisplay.primitives.empty());

    // 'A' is 3 pixels wide, 'V' 4; kerned, 'V' starts one pixel after 'A' and covers its rest.
    state.font = font.get();
    EXPECT_EQ(mCanvas.DrawText(L"AV", 10, 20, state), 0);
    ASSERT_EQ(mDisplay.primitives.size(), 1u);
    EXPECT_EQ(mDisplay.primitives[0].type, D3DPT_TRIANGLELIST);
    EXPECT_EQ(mDisplay.primitives[0].vertices.size(), 12u);
    const PackedColor a = Testing::TestGlyphColor('A') & 0xFFFFFF, v = Testing::TestGlyphColor('V') & 0xFFFFFF;
    EXPECT_EQ((std::vector<PackedColor>{Pixel(10, 20), Pixel(11, 20), Pixel(14, 29), Pixel(15, 20), Pixel(10, 30)}),
              (std::vector<PackedColor>{a, v, v, 0, 0}));

    // The drawing functions hand whole lines to the canvas, in the colour they are given.
    mDisplay.primitives.clear();
    EXPECT_EQ(Graphics::DrawString(L"AVA", 0, 0, ColorF::FromPacked(0xFF336699), state, &mCanvas), 0);
    ASSERT_EQ(mDisplay.primitives.size(), 1u);
    EXPECT_EQ(mDisplay.primitives[0].vertices[0].color, 0xFF336699u);
    mDisplay.primitives.clear();
    state.textMode = kTextOutline;
    EXPECT_EQ(DrawTextBlockAt(L"AV\nAV AV", 0, 0, 1000, state, &mCanvas), 0);
    EXPECT_EQ(mDisplay.primitives.size(), 18u) << "two lines, eight outline passes and the text each";
}
