#include "Graphics/ImageResourceFactory.h"
#include "Framework/ResourceWrapper.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/ImageRotationCache.h"
#include "ImageFileWriters.h"
#include "ImageResources.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

TEST(ImageResourceFactory, LoadsItsImageWithEveryRotationPrecomputed)
{
    ImageResources resources;
    resources.Folder().Write("Art/pot.gif", SolidGif(6, 4, 0xFF0000));
    resources.Load(R"(<image name="Pot" src="Art/pot" rotations="8"/>
                      <image name="Plain" src="Art/pot"/>
                      <image name="One" src="Art/pot" rotations="1"/>)");

    const auto pot = ResourceManager::Get<Image>("Pot");
    ASSERT_TRUE(pot);
    EXPECT_EQ(pot->GetWidth(), 6);
    const ImageRotationCache* cache = pot->GetRotationCache();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->GetStepCount(), 8);
    EXPECT_EQ(cache->GetFilledCount(), 8);
    EXPECT_EQ(cache->GetComputedCount(), 7); // step 0 is the image itself

    // Drawing it turned at any angle only blits what is cached.
    Image target(40, 40);
    Graphics::ICanvas* canvas = Graphics::CreateImageCanvas(target);
    for (float angle : {0.0f, 0.3f, 0.5f, 1.6f, 3.1f, -0.8f, 7.0f})
        EXPECT_EQ(Graphics::DrawRotatedImage(pot.Get(), 20, 20, angle, Graphics::GetDefaultDrawState(), canvas), 0);
    Graphics::DestroyImageCanvas(canvas);
    EXPECT_EQ(cache->GetComputedCount(), 7);

    EXPECT_EQ(ResourceManager::Get<Image>("Plain")->GetRotationCache(), nullptr);
    EXPECT_EQ(ResourceManager::Get<Image>("One")->GetRotationCache(), nullptr);
    // The resource is the image itself, and its element's attributes stay readable.
    EXPECT_STREQ(dynamic_cast<ResourceWrapper<Image>*>(pot.GetDescriptor())->GetStringAttribute(L"src", L""),
                 L"Art/pot");
}

TEST(ImageResourceFactory, NoPixelsNoResource)
{
    ImageResources resources;
    resources.Folder().Write("bad.gif", "not a GIF");
    DebugCapture capture;
    resources.Load(R"(<image name="Missing" src="nowhere"/><image name="Bad" src="bad"/><image name="Empty"/>)");
    EXPECT_FALSE(ResourceManager::Get<Image>("Missing"));
    EXPECT_FALSE(ResourceManager::Get<Image>("Bad"));
    EXPECT_FALSE(ResourceManager::Get<Image>("Empty"));
    EXPECT_NE(capture.Text().find("Image nowhere was not found.\n"), std::string::npos);
    EXPECT_NE(capture.Text().find("Image bad could not be loaded.\n"), std::string::npos);
}

TEST(ImageResourceFactory, DependsOnTheImageAndItsMask)
{
    ImageResourceFactory factory;
    const auto dependencies = DependenciesOf(factory, R"(<image name="Pot" src="Art/pot"/>)");
    EXPECT_EQ(Locations(dependencies), (std::vector<std::wstring>{L"Art/pot", L"Art/pot_mask"}));
}
