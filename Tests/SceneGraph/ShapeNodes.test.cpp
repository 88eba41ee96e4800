// Rect and ellipse nodes from layouts, drawn into pixels in the node's colour, filled or outlined,
// and hit-tested as their rectangle.
#include "SceneGraph/ShapeNodes.h"

#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Support/SceneHarness.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr PackedColor kWhite = 0xFFFFFFFF;

struct ShapeCase
{
    const char* what;
    const char* element;
    // Points and whether the shape covers them.
    std::vector<std::pair<std::pair<int, int>, bool>> points;
};

void PrintTo(const ShapeCase& c, std::ostream* out)
{
    *out << c.what;
}

class ShapeNodeDraw : public testing::TestWithParam<ShapeCase>
{
protected:
    SceneHarness scene;
};

TEST_P(ShapeNodeDraw, CoversExactlyItsPixels)
{
    scene.Show(GetParam().element);
    Image target(40, 40);
    Graphics::cImageCanvas canvas(target);
    scene.Update();
    scene.Draw(&canvas);
    for (const auto& [point, covered] : GetParam().points)
        EXPECT_EQ(target.GetPixel(point.first, point.second), covered ? kWhite : 0u)
            << "(" << point.first << ", " << point.second << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeNodeDraw,
    testing::Values(ShapeCase{"FilledRect",
                              R"(<rectnode x="2" y="3" width="10" height="5" color="#FFFFFF"/>)",
                              {{{2, 3}, true}, {{11, 7}, true}, {{12, 7}, false}, {{11, 8}, false}, {{1, 3}, false}}},
                    ShapeCase{"OutlinedRectTouchesItsOutermostPixels",
                              R"(<rectnode width="10" height="10" filled="false" color="#FFFFFF"/>)",
                              {{{0, 0}, true},
                               {{9, 0}, true},
                               {{9, 9}, true},
                               {{0, 9}, true},
                               {{5, 0}, true},
                               {{0, 5}, true},
                               {{5, 5}, false},
                               {{10, 0}, false},
                               {{0, 10}, false}}},
                    ShapeCase{"RectWithoutAttributesDrawsNothing", R"(<rectnode color="#FFFFFF"/>)", {{{0, 0}, false}}},
                    ShapeCase{"HiddenDrawsNothing",
                              R"(<rectnode width="10" height="10" visible="false" color="#FFFFFF"/>)",
                              {{{5, 5}, false}}},
                    ShapeCase{"FilledEllipse",
                              R"(<ellipsenode x="10" y="10" width="20" height="10" color="#FFFFFF"/>)",
                              {{{20, 15}, true}, {{11, 15}, true}, {{10, 10}, false}, {{29, 19}, false}}},
                    ShapeCase{"OutlinedEllipse",
                              R"(<ellipsenode x="10" y="10" width="20" height="10" filled="false" color="#FFFFFF"/>)",
                              {{{20, 15}, false}, {{10, 10}, false}, {{20, 11}, true}, {{10, 15}, true}}}),
    [](const testing::TestParamInfo<ShapeCase>& info) { return info.param.what; });

TEST(ShapeNodes, AnEllipseIsHitOnItsWholeRectangle)
{
    SceneHarness scene;
    SceneNode* ellipse = scene.Show(R"(<ellipsenode x="10" y="10" width="20" height="10" hitTest="true"/>)");
    scene.Update();
    EXPECT_TRUE(ellipse->HitTest({10.5f, 10.5f})) << "a corner outside the ellipse";
    EXPECT_TRUE(ellipse->HitTest({20.0f, 15.0f}));
    EXPECT_FALSE(ellipse->HitTest({31.0f, 15.0f}));
}
} // namespace
