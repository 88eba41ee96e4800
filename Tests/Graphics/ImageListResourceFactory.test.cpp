#include "Graphics/ImageListResourceFactory.h"
#include "Graphics/Image.h"
#include "Graphics/ImageList.h"
#include "ImageFileWriters.h"
#include "ImageResources.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// Frames numbered as given, each one pixel wide and as tall as its number plus one.
void WriteFrames(const TempFolder& folder, const std::string& prefix, std::initializer_list<int> numbers)
{
    for (int n : numbers)
        folder.Write(prefix + std::to_string(n) + ".gif", SolidGif(1, n + 1, 0x00FF00));
}

std::vector<int> Heights(const IImageList& list)
{
    std::vector<int> heights;
    for (int i = 0; i < list.GetCount(); ++i)
        heights.push_back(list.GetHeight(i));
    return heights;
}
} // namespace

TEST(ImageListResourceFactory, PatternsRunToTheirFirstGap)
{
    ImageResources resources;
    WriteFrames(resources.Folder(), "Anim/walk", {1, 2, 3, 4, 5, 7});
    WriteFrames(resources.Folder(), "Anim/jump", {0, 1, 3});
    resources.Folder().Write("Anim/still.gif", SolidGif(2, 2, 0xFF0000));
    DebugCapture capture;
    resources.Load(R"(<imagelist name="Walk" pattern="Anim/walk%1%"/>
                      <imagelist name="Jump" pattern="Anim/jump%1%" first="0"/>
                      <imagelist name="Some" pattern="Anim/walk%1%" first="2" last="3"/>
                      <imagelist name="None" pattern="Anim/walk%1%" first="3" last="2"/>
                      <imagelist name="Still" pattern="Anim/still"/>)");

    const auto walk = ResourceManager::Get<IImageList>("Walk");
    ASSERT_TRUE(walk);
    EXPECT_EQ(Heights(*walk), (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(Heights(*ResourceManager::Get<ImageList>("Jump")), (std::vector<int>{1, 2}));
    EXPECT_EQ(Heights(*ResourceManager::Get<ImageList>("Some")), (std::vector<int>{3, 4}));
    EXPECT_EQ(ResourceManager::Get<ImageList>("None")->GetCount(), 0);
    // A pattern without its placeholder names its one file once.
    EXPECT_EQ(ResourceManager::Get<ImageList>("Still")->GetCount(), 1);
}

TEST(ImageListResourceFactory, ChildElementsAreImagesAfterThePattern)
{
    ImageResources resources;
    WriteFrames(resources.Folder(), "f", {1, 2});
    resources.Folder().Write("up.gif", SolidGif(7, 1, 0xFF0000));
    resources.Folder().Write("down.gif", SolidGif(8, 1, 0xFF0000));
    DebugCapture capture;
    resources.Load(R"(<imagelist name="Button">
                        <image src="up"/>
                        <image src="down" rotations="4"><ignored/></image>
                      </imagelist>
                      <imagelist name="Both" pattern="f%1%"><image src="up"/></imagelist>
                      <imagelist name="WithSound" pattern="f%1%"><image src="up"/><sound src="click"/></imagelist>
                      <imagelist name="WithMissing"><image src="up"/><image src="gone"/></imagelist>
                      <image name="After" src="down"/>)");

    const auto button = ResourceManager::Get<ImageList>("Button");
    ASSERT_TRUE(button);
    ASSERT_EQ(button->GetCount(), 2);
    EXPECT_EQ(button->GetWidth(0), 7);
    EXPECT_EQ(button->GetWidth(1), 8);
    EXPECT_NE(dynamic_cast<Image*>(button->GetImage(1))->GetRotationCache(), nullptr);

    const auto both = ResourceManager::Get<ImageList>("Both");
    ASSERT_TRUE(both);
    EXPECT_EQ(both->GetCount(), 3);
    EXPECT_EQ(both->GetWidth(2), 7); // pattern images first

    // A child that gives no image makes the whole list no resource.
    EXPECT_FALSE(ResourceManager::Get<IImageList>("WithSound"));
    EXPECT_FALSE(ResourceManager::Get<IImageList>("WithMissing"));
    // The children were read as the list's own, not as resources of the manifest.
    EXPECT_TRUE(ResourceManager::Get<Image>("After"));
}

TEST(ImageListResourceFactory, DependenciesOfPatternOrChildren)
{
    ImageResources resources;
    WriteFrames(resources.Folder(), "walk", {1, 2, 4});
    ImageListResourceFactory factory;

    // The pattern's files up to its gap; its children are then not looked at.
    EXPECT_EQ(Locations(DependenciesOf(factory, R"(<imagelist pattern="walk%1%"><image src="x"/></imagelist>)")),
              (std::vector<std::wstring>{L"walk1", L"walk1_mask", L"walk2", L"walk2_mask"}));
    // A pattern that finds nothing leaves it to the children's "src".
    EXPECT_EQ(Locations(DependenciesOf(factory, R"(<imagelist pattern="run%1%">
                                                     <image src="up"><a src="no"/></image>
                                                     <image src="down"/>
                                                   </imagelist>)")),
              (std::vector<std::wstring>{L"up", L"up_mask", L"down", L"down_mask"}));
}
