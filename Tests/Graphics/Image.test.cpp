#include "Graphics/Image.h"
#include "Graphics/GraphicsMath.h"
#include "Graphics/ITexture.h"
#include "RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;

namespace
{
class FakeTexture : public Referenced<ITexture>
{
public:
    void MarkForRefill() override { ++refills; }
    int refills = 0;
};

// 3 x 2, every pixel different:
//   a b c
//   d e f
std::unique_ptr<Image> Asymmetric()
{
    auto image = std::make_unique<Image>(3, 2);
    const PackedColor values[] = {0xA, 0xB, 0xC, 0xD, 0xE, 0xF};
    for (int i = 0; i < 6; ++i)
        image->SetPixel(i % 3, i / 3, values[i]);
    image->SetAlphaKind(true, true);
    return image;
}

std::vector<PackedColor> Pixels(const Image& image)
{
    return {image.GetPixels(), image.GetPixels() + image.GetWidth() * image.GetHeight()};
}

const float kPi = std::acos(-1.0f);
} // namespace

TEST(Image, ConstructionAndPixelAccess)
{
    const Image empty;
    EXPECT_EQ(empty.GetWidth(), 0);
    EXPECT_TRUE(empty.IsDirty());
    EXPECT_FALSE(empty.HasAlpha());

    Image image(4, 3);
    EXPECT_TRUE(image.HasAlpha());
    EXPECT_FALSE(image.HasBinaryAlpha());
    EXPECT_EQ(Pixels(image), std::vector<PackedColor>(12, 0));

    image.SetPixel(3, 2, 0x12345678);
    EXPECT_EQ(image.GetPixel(3, 2), 0x12345678u);
    // Outside: reads 0, writes nothing.
    image.SetPixel(4, 0, 0xFFFFFFFF);
    image.SetPixel(0, -1, 0xFFFFFFFF);
    EXPECT_EQ(image.GetPixel(4, 0), 0u);
    EXPECT_EQ(image.GetPixel(0, -1), 0u);
    EXPECT_EQ(std::count(image.GetPixels(), image.GetPixels() + 12, 0xFFFFFFFFu), 0);

    EXPECT_THROW(Image(-1, 4), RuntimeError);
    EXPECT_THROW(Image(1 << 20, 1 << 20), RuntimeError);
}

TEST(Image, TextureIsRefilledOnlyAfterPixelChanges)
{
    Image image(2, 2);
    auto* texture = new FakeTexture;
    image.SetTexture(texture);
    texture->Release(); // the image holds the only reference now
    EXPECT_EQ(texture->GetReferenceCount(), 1);

    EXPECT_EQ(image.GetTexture(), texture);
    EXPECT_EQ(texture->refills, 1);
    EXPECT_FALSE(image.IsDirty());
    image.GetTexture();
    EXPECT_EQ(texture->refills, 1);
    image.SetPixel(0, 0, 1);
    image.GetTexture();
    EXPECT_EQ(texture->refills, 2);

    // Attaching the same texture again keeps it alive; attaching none releases it.
    texture->AddRef();
    image.SetTexture(texture);
    EXPECT_EQ(texture->GetReferenceCount(), 2);
    image.SetTexture(nullptr);
    EXPECT_EQ(texture->GetReferenceCount(), 1);
    texture->Release();
}

TEST(Image, QuarterTurnsAndMirrorsMovePixelsExactly)
{
    const auto image = Asymmetric();

    const auto turned90 = image->CreateRotated90();
    ASSERT_EQ(turned90->GetWidth(), 2);
    ASSERT_EQ(turned90->GetHeight(), 3);
    // Clockwise: the left column, bottom up, becomes the top row.
    EXPECT_EQ(Pixels(*turned90), (std::vector<PackedColor>{0xD, 0xA, 0xE, 0xB, 0xF, 0xC}));

    EXPECT_EQ(Pixels(*image->CreateRotated180()), (std::vector<PackedColor>{0xF, 0xE, 0xD, 0xC, 0xB, 0xA}));

    const auto turned270 = image->CreateRotated270();
    ASSERT_EQ(turned270->GetWidth(), 2);
    EXPECT_EQ(Pixels(*turned270), (std::vector<PackedColor>{0xC, 0xF, 0xB, 0xE, 0xA, 0xD}));

    EXPECT_EQ(Pixels(*image->CreateMirrored()), (std::vector<PackedColor>{0xC, 0xB, 0xA, 0xF, 0xE, 0xD}));
    const auto copy = image->CreateCopy();
    EXPECT_EQ(Pixels(*copy), Pixels(*image));
    EXPECT_TRUE(copy->HasAlpha() && copy->HasBinaryAlpha());
    EXPECT_TRUE(image->CreateRotated90()->HasBinaryAlpha());

    // Any angle within a thousandth of a degree of a quarter turn is that exact turn.
    EXPECT_EQ(Pixels(*image->CreateRotated(kPi / 2)), Pixels(*turned90));
    EXPECT_EQ(Pixels(*image->CreateRotated(-kPi / 2)), Pixels(*turned270));
    EXPECT_EQ(Pixels(*image->CreateRotated(kPi)), Pixels(*image->CreateRotated180()));
    EXPECT_EQ(Pixels(*image->CreateRotated(2 * kPi)), Pixels(*image));
}

TEST(Image, FreeAngleRotationGrowsTheBoxAndLeavesCornersClear)
{
    Image image(10, 10);
    std::fill_n(image.GetPixels(), 100, 0xFF00FF00u);
    const auto turned = image.CreateRotated(kPi / 4);
    ASSERT_EQ(turned->GetWidth(), 15);
    ASSERT_EQ(turned->GetHeight(), 15);
    EXPECT_EQ(turned->GetPixel(0, 0), 0u);
    EXPECT_EQ(turned->GetPixel(14, 0), 0u);
    EXPECT_EQ(turned->GetPixel(0, 14), 0u);
    EXPECT_EQ(turned->GetPixel(14, 14), 0u);
    EXPECT_EQ(turned->GetPixel(7, 7), 0xFF00FF00u);
    EXPECT_EQ(turned->GetPixel(7, 1), 0xFF00FF00u); // the turned square's top corner

    // A tiny angle is already sampled, not copied: a large image's box grows by a pixel.
    const Image large(100, 100);
    EXPECT_EQ(large.CreateRotated(0.0005f)->GetWidth(), 101);
    EXPECT_EQ(large.CreateRotated(0.00001f)->GetWidth(), 100);
}

TEST(Image, RotationSamplesTurnClockwiseOnScreen)
{
    // A single marked pixel right of the centre moves below the centre after a turn of about
    // +90 degrees sampled through the free-angle path.
    Image image(21, 21);
    image.SetPixel(18, 10, 0xFFFFFFFF);
    const auto turned = image.CreateRotated(kPi / 2 + 0.01f);
    int found = 0;
    for (int y = 0; y < turned->GetHeight(); ++y)
        for (int x = 0; x < turned->GetWidth(); ++x)
            if (turned->GetPixel(x, y) == 0xFFFFFFFFu)
            {
                ++found;
                EXPECT_NEAR(x, turned->GetWidth() / 2, 1);
                EXPECT_GT(y, turned->GetHeight() / 2 + 5);
            }
    EXPECT_EQ(found, 1);
}
