#include "Graphics/FilmStripResourceFactory.h"
#include "Graphics/FilmStrip.h"
#include "ImageFileWriters.h"
#include "ImageResources.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

TEST(FilmStripResourceFactory, CutsItsImageIntoCells)
{
    ImageResources resources;
    resources.Folder().Write("walk.png", EncodePng(256, 64, std::vector<PackedColor>(256 * 64, 0xFF102030)));
    DebugCapture capture;
    resources.Load(R"(<filmstrip name="Walk" src="walk" cols="4"/>
                      <filmstrip name="Grid" src="walk" cols="2" rows="2"/>
                      <filmstrip name="Whole" src="walk"/>
                      <filmstrip name="Backwards" src="walk" cols="-4" rows="-1"/>
                      <filmstrip name="Missing" src="gone" cols="4"/>)");

    // Users see film strips as image lists.
    const auto walk = ResourceManager::Get<IImageList>("Walk");
    ASSERT_TRUE(walk);
    EXPECT_EQ(walk->GetCount(), 4);
    EXPECT_EQ(walk->GetWidth(0), 64);
    EXPECT_EQ(walk->GetHeight(0), 64);
    EXPECT_EQ(walk->GetPixel(3, 63, 63), 0xFF102030u);
    EXPECT_EQ(ResourceManager::Get<FilmStrip>("Grid")->GetFrameRect(3), (Rect<int>{128, 32, 128, 32}));
    EXPECT_EQ(ResourceManager::Get<FilmStrip>("Whole")->GetCount(), 1);
    EXPECT_EQ(ResourceManager::Get<FilmStrip>("Backwards")->GetCount(), 1);
    EXPECT_EQ(ResourceManager::Get<FilmStrip>("Backwards")->GetWidth(0), 256);
    EXPECT_FALSE(ResourceManager::Get<IImageList>("Missing"));
}

TEST(FilmStripResourceFactory, DependsOnTheImageAndItsMask)
{
    FilmStripResourceFactory factory;
    EXPECT_EQ(Locations(DependenciesOf(factory, R"(<filmstrip name="W" src="Art/walk" cols="4"/>)")),
              (std::vector<std::wstring>{L"Art/walk", L"Art/walk_mask"}));
}
