// A picture that can be drawn: its size, its pixels and the renderer's texture attached to it.
#pragma once

#include "Graphics/ColorF.h"

namespace Corvane
{
class ITexture;

class IImage
{
public:
    virtual ~IImage() = default;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    // Packed 0xAARRGGBB; 0 outside the image.
    virtual PackedColor GetPixel(int x, int y) const = 0;
    // Attaches the renderer's texture (a reference is added; the one held before is released).
    virtual void SetTexture(ITexture* texture) = 0;
    // The attached texture or null; marks it for refilling first when the pixels have changed.
    virtual ITexture* GetTexture() = 0;
};

// Holds the attached texture for an image implementation.
class BaseImage : public IImage
{
public:
    BaseImage() = default;
    ~BaseImage() override;
    BaseImage(const BaseImage&) = delete;
    BaseImage& operator=(const BaseImage&) = delete;

    void SetTexture(ITexture* texture) override;

protected:
    ITexture* mTexture = nullptr;
};
} // namespace Corvane
