#include "Graphics/ImageRotationCache.h"
#include "Graphics/Image.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;

namespace
{
const float kPi = std::acos(-1.0f);

std::unique_ptr<Image> Marked(int width, int height)
{
    auto image = std::make_unique<Image>(width, height);
    for (int i = 0; i < width * height; ++i)
        image->GetPixels()[i] = 0xFF000000u | PackedColor(i);
    image->MarkDirty();
    return image;
}
} // namespace

TEST(ImageRotationCache, StepsCoverHalfAStepEitherSide)
{
    const ImageRotationCache cache(8);
    EXPECT_EQ(cache.GetStepIndex(0.3f), 0);
    EXPECT_EQ(cache.GetStepIndex(0.5f), 1);
    EXPECT_EQ(cache.GetStepIndex(-0.3f), 0);
    EXPECT_EQ(cache.GetStepIndex(-kPi / 2), 6);
    EXPECT_EQ(cache.GetStepIndex(2 * kPi - 0.1f), 0);
    EXPECT_EQ(cache.GetStepIndex(-2 * kPi), 0);
}

TEST(ImageRotationCache, PrecomputedStepsAreReusedByLaterDraws)
{
    auto image = Marked(6, 4);
    EXPECT_EQ(image->GetRotation(1.0f), nullptr); // no cache yet
    image->SetRotationSteps(1);
    EXPECT_EQ(image->GetRotationCache(), nullptr);

    image->SetRotationSteps(8);
    image->PrecomputeRotations();
    const ImageRotationCache& cache = *image->GetRotationCache();
    EXPECT_EQ(cache.GetFilledCount(), 8);
    EXPECT_EQ(cache.GetComputedCount(), 7); // step 0 is the image itself
    EXPECT_EQ(image->GetRotation(0.3f), image.get());

    // The image stays dirty (no texture refreshed it): the copies are still good.
    ASSERT_TRUE(image->IsDirty());
    for (int frame = 0; frame < 10; ++frame)
        for (int step = 0; step < 8; ++step)
            image->GetRotation(step * kPi / 4 + 0.1f);
    EXPECT_EQ(cache.GetComputedCount(), 7);

    // -pi/2 lands on the 270-degree copy, made for the step's exact angle.
    Image* turned = image->GetRotation(-kPi / 2);
    ASSERT_NE(turned, nullptr);
    const auto expected = image->CreateRotated270();
    EXPECT_EQ(std::vector<PackedColor>(turned->GetPixels(), turned->GetPixels() + 24),
              std::vector<PackedColor>(expected->GetPixels(), expected->GetPixels() + 24));
}

TEST(ImageRotationCache, PixelChangesAreShownByTheNextLookup)
{
    auto image = Marked(4, 4);
    image->SetRotationSteps(4);
    const Image* before = image->GetRotation(kPi);
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(before->GetPixel(0, 0), image->GetPixel(3, 3));

    image->SetPixel(3, 3, 0xFFABCDEF);
    const Image* after = image->GetRotation(kPi);
    EXPECT_EQ(after->GetPixel(0, 0), 0xFFABCDEFu);
    EXPECT_EQ(image->GetRotationCache()->GetComputedCount(), 2);
}
