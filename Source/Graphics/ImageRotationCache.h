// Pre-rotated copies of an image at N equal angle steps, for software drawing of rotated sprites.
// The copies are valid for one generation of the image's pixels; a change of the pixels (not a
// texture refresh) makes the next lookup compute them again.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Corvane
{
class Image;

class ImageRotationCache
{
public:
    // steps >= 2.
    explicit ImageRotationCache(int steps);
    virtual ~ImageRotationCache();
    ImageRotationCache(const ImageRotationCache&) = delete;
    ImageRotationCache& operator=(const ImageRotationCache&) = delete;

    int GetStepCount() const { return mSteps; }
    // 2 pi / steps.
    float GetStepAngle() const { return mStep; }
    // The step within half a step of angle.
    int GetStepIndex(float angle) const;
    // The copy of image for angle's step, computed when missing or made for older pixels.
    Image* Get(Image& image, float angle);

    // Steps that hold a copy (step 0 holds the image itself).
    int GetFilledCount() const;
    // How many rotated copies were computed over the cache's life.
    int GetComputedCount() const { return mComputed; }

private:
    void Clear();

    int mSteps;
    float mStep;
    float mStepsPerRadian;
    std::vector<Image*> mSlots;
    std::vector<std::unique_ptr<Image>> mOwned;
    std::uint64_t mGeneration = 0;
    int mComputed = 0;
};
} // namespace Corvane
