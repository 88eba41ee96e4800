#include "Graphics/ImageRotationCache.h"

#include "Graphics/GraphicsMath.h"
#include "Graphics/Image.h"

#include <algorithm>

namespace Corvane
{
ImageRotationCache::ImageRotationCache(int steps)
    : mSteps(std::max(steps, 2)), mStep(Graphics::TwoPi() / static_cast<float>(mSteps)), mStepsPerRadian(1.0f / mStep),
      mSlots(mSteps, nullptr), mOwned(mSteps)
{
}

ImageRotationCache::~ImageRotationCache() = default;

int ImageRotationCache::GetStepIndex(float angle) const
{
    const int index = static_cast<int>(Graphics::WrapAngle(angle + mStep * 0.5f) * mStepsPerRadian);
    return index % mSteps;
}

Image* ImageRotationCache::Get(Image& image, float angle)
{
    // The copies belong to one state of the pixels; a texture refresh does not change them.
    if (mGeneration != image.GetGeneration())
    {
        Clear();
        mGeneration = image.GetGeneration();
    }
    const int index = GetStepIndex(angle);
    if (mSlots[index])
        return mSlots[index];
    if (index == 0)
        return mSlots[0] = &image;
    // Made for the step's own angle, so every angle of the step draws the same picture.
    mOwned[index] = image.CreateRotated(static_cast<float>(index) * mStep);
    ++mComputed;
    return mSlots[index] = mOwned[index].get();
}

int ImageRotationCache::GetFilledCount() const
{
    return static_cast<int>(std::count_if(mSlots.begin(), mSlots.end(), [](const Image* slot) { return slot; }));
}

void ImageRotationCache::Clear()
{
    std::fill(mSlots.begin(), mSlots.end(), nullptr);
    for (auto& owned : mOwned)
        owned.reset();
}
} // namespace Corvane
