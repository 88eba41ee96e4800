#include "Graphics/Image.h"

#include "Graphics/GraphicsMath.h"
#include "Graphics/ITexture.h"
#include "Graphics/ImageFile.h"
#include "Graphics/ImageRotationCache.h"
#include "RuntimeError.h"

#include <algorithm>
#include <cstddef>

namespace Corvane
{
namespace
{
// 1 GiB of pixels; anything larger is a corrupt size, not a picture.
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;

std::size_t CheckedPixelCount(int width, int height, const char* function)
{
    if (width < 0 || height < 0 || std::int64_t(width) * height > kMaxPixels)
        throw RuntimeError("Invalid image size.", __FILE__, __LINE__, function);
    return std::size_t(width) * std::size_t(height);
}
} // namespace

Image::Image() = default;

Image::Image(int width, int height)
    : mWidth(width), mHeight(height),
      mPixels(new PackedColor[CheckedPixelCount(width, height, "Corvane::Image::Image")]()), mHasAlpha(true)
{
}

Image::Image(std::unique_ptr<PackedColor[]> pixels, int width, int height, bool hasAlpha, bool binaryAlpha)
{
    Assign(std::move(pixels), width, height, hasAlpha, binaryAlpha);
}

Image::~Image() = default;

void Image::Assign(std::unique_ptr<PackedColor[]> pixels, int width, int height, bool hasAlpha, bool binaryAlpha)
{
    CheckedPixelCount(width, height, "Corvane::Image::Assign");
    if (!pixels && width * height > 0)
        throw RuntimeError("Image pixels are missing.", __FILE__, __LINE__, "Corvane::Image::Assign");
    mPixels = std::move(pixels);
    mWidth = width;
    mHeight = height;
    SetAlphaKind(hasAlpha, binaryAlpha);
    MarkDirty();
}

Image* Image::LoadFromFile(const std::wstring& name)
{
    DecodedImage loaded = Internal::LoadImageFile(name);
    if (!loaded)
        return nullptr;
    Assign(std::move(loaded.pixels), loaded.width, loaded.height, loaded.hasAlpha, loaded.binaryAlpha);
    return this;
}

PackedColor Image::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
        return 0;
    return mPixels[std::size_t(y) * mWidth + x];
}

ITexture* Image::GetTexture()
{
    if (mDirty && mTexture)
    {
        mTexture->MarkForRefill();
        mDirty = false;
    }
    return mTexture;
}

void Image::SetPixel(int x, int y, PackedColor argb)
{
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight)
        return;
    mPixels[std::size_t(y) * mWidth + x] = argb;
    MarkDirty();
}

void Image::MarkDirty()
{
    mDirty = true;
    ++mGeneration;
}

void Image::SetAlphaKind(bool hasAlpha, bool binaryAlpha)
{
    mHasAlpha = hasAlpha;
    mBinaryAlpha = binaryAlpha;
}

std::unique_ptr<Image> Image::CreateBlank(int width, int height) const
{
    auto image = std::make_unique<Image>(width, height);
    image->SetAlphaKind(mHasAlpha, mBinaryAlpha);
    return image;
}

std::unique_ptr<Image> Image::CreateCopy() const
{
    auto copy = CreateBlank(mWidth, mHeight);
    std::copy_n(mPixels.get(), std::size_t(mWidth) * mHeight, copy->mPixels.get());
    return copy;
}

std::unique_ptr<Image> Image::CreateMirrored() const
{
    auto mirrored = CreateBlank(mWidth, mHeight);
    for (int y = 0; y < mHeight; ++y)
    {
        const PackedColor* row = mPixels.get() + std::size_t(y) * mWidth;
        std::reverse_copy(row, row + mWidth, mirrored->mPixels.get() + std::size_t(y) * mWidth);
    }
    return mirrored;
}

std::unique_ptr<Image> Image::CreateRotated90() const
{
    auto turned = CreateBlank(mHeight, mWidth);
    PackedColor* out = turned->mPixels.get();
    for (int r = 0; r < mWidth; ++r)
        for (int c = 0; c < mHeight; ++c)
            *out++ = mPixels[std::size_t(mHeight - 1 - c) * mWidth + r];
    return turned;
}

std::unique_ptr<Image> Image::CreateRotated180() const
{
    auto turned = CreateBlank(mWidth, mHeight);
    const std::size_t count = std::size_t(mWidth) * mHeight;
    std::reverse_copy(mPixels.get(), mPixels.get() + count, turned->mPixels.get());
    return turned;
}

std::unique_ptr<Image> Image::CreateRotated270() const
{
    auto turned = CreateBlank(mHeight, mWidth);
    PackedColor* out = turned->mPixels.get();
    for (int r = 0; r < mWidth; ++r)
        for (int c = 0; c < mHeight; ++c)
            *out++ = mPixels[std::size_t(c) * mWidth + (mWidth - 1 - r)];
    return turned;
}

void Image::SetRotationSteps(int steps)
{
    if (steps >= 2)
        mRotationCache = std::make_unique<ImageRotationCache>(steps);
    else
        mRotationCache.reset();
}

void Image::PrecomputeRotations()
{
    if (!mRotationCache)
        return;
    const int steps = mRotationCache->GetStepCount();
    for (int i = 0; i < steps; ++i)
        GetRotation(static_cast<float>(i) * (1.0f / static_cast<float>(steps)) * Graphics::TwoPi());
}

Image* Image::GetRotation(float angle)
{
    if (!mRotationCache)
        return nullptr;
    return mRotationCache->Get(*this, angle);
}
} // namespace Corvane
