// An image in memory: width * height packed 0xAARRGGBB pixels, rows top to bottom without gaps.
//
// Two change trackers: the dirty flag tells the attached texture to re-read the pixels (cleared
// when the texture is handed out), and a generation counter, bumped by every change, tells the
// rotation cache whether its copies still show the current pixels. Images are used by one thread
// at a time: loaded on the loader thread, then drawn on the main thread.
#pragma once

#include "Graphics/IImage.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Corvane
{
class ImageRotationCache;

class Image : public BaseImage
{
public:
    // 0 x 0, no pixels, no alpha.
    Image();
    // Transparent black pixels; has alpha. Throws RuntimeError for a negative or huge size.
    Image(int width, int height);
    // Takes the buffer of width * height pixels.
    Image(std::unique_ptr<PackedColor[]> pixels, int width, int height, bool hasAlpha, bool binaryAlpha);
    ~Image() override;

    // Replaces the pixels with the buffer of width * height pixels (the loader fills empty images).
    void Assign(std::unique_ptr<PackedColor[]> pixels, int width, int height, bool hasAlpha, bool binaryAlpha);
    // Fills the image from the files of name (ImageFile.h): this image, or null when no pixels
    // could be loaded (the image is then left as it was).
    Image* LoadFromFile(const std::wstring& name);

    int GetWidth() const override { return mWidth; }
    int GetHeight() const override { return mHeight; }
    PackedColor GetPixel(int x, int y) const override;
    ITexture* GetTexture() override;

    // Ignored outside the image.
    void SetPixel(int x, int y, PackedColor argb);

    // Row-major pixels for drawing code; whoever writes through them calls MarkDirty afterwards.
    PackedColor* GetPixels() { return mPixels.get(); }
    const PackedColor* GetPixels() const { return mPixels.get(); }
    // Records a change of the pixels: the texture refills and rotated copies are made again.
    void MarkDirty();
    bool IsDirty() const { return mDirty; }
    // Counts pixel changes; equal values mean equal pixels.
    std::uint64_t GetGeneration() const { return mGeneration; }

    // The alpha bytes are meaningful.
    bool HasAlpha() const { return mHasAlpha; }
    // Every alpha byte is 0 or 255: blits test alpha instead of blending.
    bool HasBinaryAlpha() const { return mBinaryAlpha; }
    void SetAlphaKind(bool hasAlpha, bool binaryAlpha);

    // New images owned by the caller, with this image's alpha kind.
    std::unique_ptr<Image> CreateCopy() const;
    // Left-right mirror.
    std::unique_ptr<Image> CreateMirrored() const;
    // A quarter turn clockwise on the screen (y points down); width and height exchanged.
    std::unique_ptr<Image> CreateRotated90() const;
    std::unique_ptr<Image> CreateRotated180() const;
    // A quarter turn counter-clockwise.
    std::unique_ptr<Image> CreateRotated270() const;
    // Turned clockwise by angle (radians) about the centre, nearest neighbour, in a box large
    // enough for the turned picture; uncovered pixels are transparent. Quarter turns are exact.
    std::unique_ptr<Image> CreateRotated(float angle) const;

    // Gives the image a cache of steps pre-rotated copies (steps >= 2); fewer steps remove it.
    void SetRotationSteps(int steps);
    // Computes every step of the cache now (the loader does it so drawing only blits).
    void PrecomputeRotations();
    // The cached copy for the step nearest angle (owned by the image, valid until its pixels or
    // cache change); null without a cache.
    Image* GetRotation(float angle);
    const ImageRotationCache* GetRotationCache() const { return mRotationCache.get(); }

private:
    std::unique_ptr<Image> CreateBlank(int width, int height) const;

    int mWidth = 0;
    int mHeight = 0;
    bool mDirty = true;
    std::uint64_t mGeneration = 0;
    std::unique_ptr<PackedColor[]> mPixels;
    bool mHasAlpha = false;
    bool mBinaryAlpha = false;
    std::unique_ptr<ImageRotationCache> mRotationCache;
};
} // namespace Corvane
