// The meter nodes: bars drawn from layouts into pixels (the fill along each direction over the
// track, with an image list or a film strip for pictures; the discrete bar's cells; sizes,
// clamping and the maximum of 0), and the fraction text following its value and maximum.
#include "SceneGraph/FractionTextMeterNode.h"
#include "SceneGraph/MeterBarNodes.h"
#include "SceneGraph/TextSpriteNode.h"
#include "Support/TestFont.h"

#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr PackedColor kTrack = 0xFFFF0000;
constexpr PackedColor kFull = 0xFF00FF00;
constexpr PackedColor kEmpty = 0xFF0000FF;

// A fill picture whose column (or row) i has the colour 0xFF00 (i + 1) 00, so that the source
// offset of each drawn pixel can be read back.
PackedColor FillColor(int i)
{
    return 0xFF000000u | static_cast<PackedColor>(i + 1) << 8;
}

std::vector<PackedColor> Pixels(int width, int height, const std::function<PackedColor(int, int)>& at)
{
    std::vector<PackedColor> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(at(x, y));
    return pixels;
}

class MeterBarTest : public testing::Test
{
protected:
    MeterBarTest()
    {
        // Horizontal bars: 40 x 4 fill and track; vertical: 4 x 40. As image lists and as the
        // two cells of a film strip.
        scene.AddImage("HFill", 40, 4, Pixels(40, 4, [](int x, int) { return FillColor(x); }));
        scene.AddImage("VFill", 4, 40, Pixels(4, 40, [](int, int y) { return FillColor(y); }));
        scene.AddSolidImage("HTrack", 40, 4, kTrack);
        scene.AddSolidImage("VTrack", 4, 40, kTrack);
        scene.AddImage("HStrip", 40, 8, Pixels(40, 8, [](int x, int y) { return y < 4 ? FillColor(x) : kTrack; }));
        scene.AddSolidImage("Full", 10, 12, kFull);
        scene.AddSolidImage("Empty", 10, 12, kEmpty);
        scene.Load(R"(<imagelist name="HBar"><image src="Pictures/HFill"/><image src="Pictures/HTrack"/></imagelist>
                      <imagelist name="VBar"><image src="Pictures/VFill"/><image src="Pictures/VTrack"/></imagelist>
                      <filmstrip name="HBarStrip" src="Pictures/HStrip" cols="1" rows="2"/>
                      <imagelist name="Cells"><image src="Pictures/Full"/><image src="Pictures/Empty"/></imagelist>)");
    }
    // Draws the screen into a fresh 100 x 100 picture.
    void Draw()
    {
        target = std::make_unique<Image>(100, 100);
        Graphics::cImageCanvas canvas(*target);
        scene.Update();
        scene.Draw(&canvas);
    }
    PackedColor At(int x, int y) const { return target->GetPixel(x, y); }

    SceneHarness scene;
    std::unique_ptr<Image> target;
};

struct BarCase
{
    const char* what;
    const char* attributes;
    // Along the bar from its start: the first pixel of the fill and the source column (or row) of
    // that pixel; pixels before the fill show the track. -1: no fill at all.
    int fillFrom;
    int sourceAtFill;
    int fillTo; // one past the fill's last pixel
    bool vertical;
};

void PrintTo(const BarCase& c, std::ostream* out)
{
    *out << c.what;
}

class MeterBarFill : public MeterBarTest, public testing::WithParamInterface<BarCase>
{
};

TEST_P(MeterBarFill, FillsOverTheTrackFromTheRightEnd)
{
    const BarCase& c = GetParam();
    auto* bar =
        dynamic_cast<MeterBarNode*>(scene.Show(std::string("<meterbarnode x=\"10\" y=\"10\" ") + c.attributes + "/>"));
    ASSERT_NE(bar, nullptr);
    Draw();
    const int length = bar->GetLength();
    for (int i = 0; i < length; ++i)
    {
        const PackedColor pixel = c.vertical ? At(11, 10 + i) : At(10 + i, 11);
        const bool filled = c.fillFrom >= 0 && i >= c.fillFrom && i < c.fillTo;
        const PackedColor expected = filled ? FillColor((c.sourceAtFill + i - c.fillFrom) % 40) : kTrack;
        ASSERT_EQ(pixel, expected) << "pixel " << i << " of " << length;
    }
    EXPECT_EQ(c.vertical ? At(11, 10 + length) : At(10 + length, 11), 0u) << "drawn past the bar's end";
}

INSTANTIATE_TEST_SUITE_P(
    MeterBar, MeterBarFill,
    testing::Values(
        BarCase{"LeftToRight", R"(images="HBar" max="10" start="5")", 0, 0, 20, false},
        BarCase{"RightToLeftKeepsThePatternInPlace", R"(images="HBar" direction="rightToLeft" max="10" start="5")", 20,
                20, 40, false},
        BarCase{"TopToBottom", R"(images="VBar" direction="topToBottom" max="10" start="2.5")", 0, 0, 10, true},
        BarCase{"BottomToTop", R"(images="VBar" direction="bottomToTop" max="10" start="2.5")", 30, 30, 40, true},
        BarCase{"FilmStripCells", R"(images="HBarStrip" max="10" start="5")", 0, 0, 20, false},
        BarCase{"UnknownDirectionWordIsLeftToRight", R"(images="HBar" direction="LeftToRight" max="10" start="5")", 0,
                0, 20, false},
        BarCase{"LongerThanThePictureRepeatsIt", R"(images="HBar" size="60" max="4" start="3")", 0, 0, 45, false},
        BarCase{"StartAboveMaxIsFull", R"(images="HBar" max="10" start="25")", 0, 0, 40, false},
        BarCase{"MaxZeroDrawsNoFill", R"(images="HBar" start="5")", -1, 0, 0, false}),
    [](const testing::TestParamInfo<BarCase>& info) { return info.param.what; });

TEST_F(MeterBarTest, TheBarTakesItsSizeFromTheFillPictureOrItsLengthAndClampsItsValue)
{
    struct Case
    {
        const char* element;
        float width, height;
    };
    for (const Case& c :
         {Case{R"(<meterbarnode images="HBar"/>)", 40, 4}, Case{R"(<meterbarnode images="HBar" size="25"/>)", 25, 4},
          Case{R"(<meterbarnode images="VBar" direction="bottomToTop" size="-3"/>)", 4, 40},
          Case{R"(<meterbarnode images="Nothing" size="25"/>)", 0, 0}})
    {
        SCOPED_TRACE(c.element);
        SceneNode* node = scene.Show(c.element);
        EXPECT_EQ(node->GetWidth(), c.width);
        EXPECT_EQ(node->GetHeight(), c.height);
    }
    auto* bar = dynamic_cast<MeterBarNode*>(scene.Show(R"(<meterbarnode images="HBar" max="10" start="4"/>)"));
    bar->SetValue(-1.0f);
    EXPECT_EQ(bar->GetFillLength(), 0);
    bar->SetValue(7.0f);
    bar->SetMax(5.0f);
    EXPECT_EQ(bar->GetValue(), 5.0f);
    EXPECT_EQ(bar->GetFillLength(), 40);
}

struct CellsCase
{
    const char* what;
    const char* attributes;
    float width, height;
    const char* cells; // F filled, E empty, in drawing order from the bar's start
    int step;
    bool vertical;
};

void PrintTo(const CellsCase& c, std::ostream* out)
{
    *out << c.what;
}

class DiscreteMeterCells : public MeterBarTest, public testing::WithParamInterface<CellsCase>
{
};

TEST_P(DiscreteMeterCells, DrawsTheFilledShareOfItsCells)
{
    const CellsCase& c = GetParam();
    SceneNode* node =
        scene.Show(std::string("<discretemeterbarnode images=\"Cells\" x=\"5\" y=\"5\" ") + c.attributes + "/>");
    EXPECT_EQ(node->GetWidth(), c.width);
    EXPECT_EQ(node->GetHeight(), c.height);
    Draw();
    const std::string cells = c.cells;
    for (std::size_t i = 0; i < cells.size(); ++i)
    {
        const int along = 5 + static_cast<int>(i) * c.step + 4;
        const PackedColor pixel = c.vertical ? At(9, along) : At(along, 9);
        const PackedColor expected = cells[i] == 'F' ? kFull : cells[i] == 'E' ? kEmpty : 0u;
        EXPECT_EQ(pixel, expected) << "cell " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    MeterBar, DiscreteMeterCells,
    testing::Values(
        CellsCase{"RowFilledFirst", R"(size="5" offset="2" max="5" start="2.9")", 58, 12, "FFEEE", 12, false},
        CellsCase{"RowRightToLeftEmptyFirst", R"(size="5" offset="2" max="5" start="2.9" direction="rightToLeft")", 58,
                  12, "EEEFF", 12, false},
        CellsCase{"Column", R"(size="3" offset="2" max="3" start="1" direction="topToBottom")", 10, 40, "FEE", 14,
                  true},
        CellsCase{"ColumnBottomToTop", R"(size="3" offset="2" max="3" start="1" direction="bottomToTop")", 10, 40,
                  "EEF", 14, true},
        CellsCase{"MaxZeroDrawsNoCell", R"(size="3" start="1")", 30, 12, "000", 10, false}),
    [](const testing::TestParamInfo<CellsCase>& info) { return info.param.what; });

TEST(FractionTextMeter, ShowsValueAndMaximumRoundedDownAndTakesTheTextsSize)
{
    const auto font = MakeTestFont();
    FractionTextMeterNode meter(font.get(), {1, 1, 1, 1}, 2);
    TextSpriteNode* text = meter.GetTextNode();
    ASSERT_EQ(text->GetParent(), &meter);
    EXPECT_EQ(text->GetJustify(), 2);
    EXPECT_EQ(text->GetText(), L"0/0");

    meter.SetMax(5.0f);
    meter.SetValue(2.99f);
    EXPECT_EQ(text->GetText(), L"2/5");
    const SceneNode& textNode = *text;
    EXPECT_EQ(meter.GetWidth(), textNode.GetWidth());
    EXPECT_EQ(meter.GetHeight(), 10.0f);
    meter.SetMax(1.0f);
    EXPECT_EQ(text->GetText(), L"1/1") << "the value is clamped to the new maximum";
    meter.SetValue(-3.0f);
    EXPECT_EQ(text->GetText(), L"0/1");
    // The child is the caller's until the tree is registered.
    delete text;
}

TEST(FractionTextMeter, ALayoutStartsItClampedToItsMaximum)
{
    SceneHarness scene;
    auto* meter = dynamic_cast<FractionTextMeterNode*>(
        scene.Show(R"(<fractiontextmeternode color="#FF0000" textJustify="center" max="10" start="12.5"/>)"));
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(meter->GetTextNode()->GetText(), L"10/10");
    EXPECT_EQ(meter->GetTextNode()->GetJustify(), 1);
    EXPECT_EQ(meter->GetTextNode()->GetColor(), (ColorF{1, 0, 0, 1}));
    EXPECT_EQ(meter->GetTextNode()->GetFont(), nullptr) << "no font named: no text drawn, no error";
}
} // namespace
