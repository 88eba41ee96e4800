// The Direct3D renderer's copy of one image: a texture surface of the size the device's rules ask
// for (powers of two, square, a maximum), holding the image's ARGB pixels padded by repeating the
// last column and the last row, so that filtering at the edges sees the image's own pixels.
//
// Made the first time an image is drawn and cached on the image (its attachment, which holds the
// only reference); refilled when the image marks its pixels changed; its surface is dropped when
// the display releases its device and made again, on the device then in use, at the next draw.
// Failures are logged, never raised: the primitive is then drawn untextured. Main thread.
#pragma once

#include "Graphics/ITexture.h"
#include "Graphics/Rect.h"
#include "Platform/Compat/DirectDraw/DirectDraw.h"
#include "Platform/Win32/DisplayResource.h"
#include "Referenced.h"

#include <cstddef>

namespace Corvane
{
class IImage;
class Image;

// Where the image lies in the texture and how texture coordinates reach its pixels.
struct TextureInfo
{
    Rect<int> source; // the image's pixels copied: 0, 0, image width, image height
    int offsetX = 0;  // where the source's top-left lands in the texture
    int offsetY = 0;
    int width = 0; // of the texture
    int height = 0;
    float uScale = 1.0f; // image width / texture width
    float vScale = 1.0f; // image height / texture height
};

class D3DTexture final : public Referenced<ITexture>, public DisplayResource
{
public:
    // A texture for image (not owned), with one reference, sized for the device in use (the
    // image's own size, at least 1 x 1, while there is none).
    explicit D3DTexture(Image& image);

    // The next GetSurface fills the surface again.
    void MarkForRefill() override { mNeedsRefill = true; }
    const TextureInfo& GetInfo() const { return mInfo; }
    Image* GetImage() const { return mImage; }
    // The surface, made and filled first when needed; null when it cannot be made (logged).
    IDirectDrawSurface7* GetSurface();

    // The device is about to go: the surface goes with it.
    void ReleaseSurfaces() override;
    // Nothing: the surface is made again when next used.
    void RestoreSurfaces() override {}

    // The image's texture: the attached one, else a new one attached to image (the image then
    // holds its only reference). Null for no image and for images other than Corvane::Image.
    static D3DTexture* GetTextureForImage(IImage* image);
    // How many textures exist.
    static std::size_t Count();

private:
    ~D3DTexture() override;

    // The texture size for the image on the display's device, when there is one.
    void Measure();
    // Makes the surface on the display's device; false (logged) when it cannot.
    bool CreateSurface();
    // Copies the image into the surface; false (logged) when the surface cannot be locked.
    bool Fill();

    Image* mImage;
    TextureInfo mInfo;
    IDirectDrawSurface7* mSurface = nullptr;
    bool mNeedsRefill = true;
};
} // namespace Corvane
