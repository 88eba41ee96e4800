#include "Platform/Win32/D3DTexture.h"

#include "Debug.h"
#include "Graphics/Image.h"
#include "Platform/Win32/display.h"
#include "RuntimeError.h"
#include "Win32/GraphicsErrorString.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>

namespace Corvane
{
namespace
{
// Never destroyed: images that live until the program ends (statics of tools and benchmarks)
// let go of their textures after every other static has gone.
std::set<D3DTexture*>& Textures()
{
    static auto* textures = new std::set<D3DTexture*>;
    return *textures;
}

// "<what> returned 0x... - <name>" through the debug output.
void LogFailure(const char* what, HRESULT result)
{
    char name[1024];
    GetGraphicsErrorString(result, sizeof name, name);
    DebugPrint("%s returned 0x%08X - %s\n", what, static_cast<unsigned>(result), name);
}
} // namespace

D3DTexture::D3DTexture(Image& image) : mImage(&image)
{
    Textures().insert(this);
    Measure();
}

D3DTexture::~D3DTexture()
{
    Textures().erase(this);
    ReleaseSurfaces();
}

std::size_t D3DTexture::Count()
{
    return Textures().size();
}

D3DTexture* D3DTexture::GetTextureForImage(IImage* image)
{
    if (!image)
        return nullptr;
    if (auto* attached = dynamic_cast<D3DTexture*>(image->GetTexture()))
        return attached;
    auto* concrete = dynamic_cast<Image*>(image);
    if (!concrete)
        return nullptr;
    auto* texture = new D3DTexture(*concrete);
    concrete->SetTexture(texture);
    texture->Release();
    return texture;
}

void D3DTexture::Measure()
{
    const int imageWidth = mImage->GetWidth(), imageHeight = mImage->GetHeight();
    mInfo.source = Rect<int>(0, 0, imageWidth, imageHeight);
    int width = imageWidth, height = imageHeight;
    CDisplay* display = CDisplay::GetInstance();
    try
    {
        if (display && display->GetDevice())
            display->GetTextureSize(imageWidth, imageHeight, width, height);
    }
    catch (const RuntimeError&)
    {
        // The device cannot say: the image's own size until it can.
    }
    // An empty image still needs a texture to draw from.
    mInfo.width = std::max(width, 1);
    mInfo.height = std::max(height, 1);
    mInfo.uScale = float(imageWidth) / float(mInfo.width);
    mInfo.vScale = float(imageHeight) / float(mInfo.height);
}

void D3DTexture::ReleaseSurfaces()
{
    if (mSurface)
        mSurface->Release();
    mSurface = nullptr;
}

IDirectDrawSurface7* D3DTexture::GetSurface()
{
    // The image was given pixels of another size (the loader fills empty images): a texture of
    // the new size.
    if (mInfo.source.width != mImage->GetWidth() || mInfo.source.height != mImage->GetHeight())
    {
        ReleaseSurfaces();
        Measure();
    }
    if (mSurface && mSurface->IsLost() == DDERR_SURFACELOST && SUCCEEDED(mSurface->Restore()))
        mNeedsRefill = true;
    if (!mSurface)
    {
        if (!CreateSurface())
            return nullptr;
        mNeedsRefill = true;
    }
    if (mNeedsRefill)
        Fill();
    return mSurface;
}

bool D3DTexture::CreateSurface()
{
    CDisplay* display = CDisplay::GetInstance();
    IDirect3DDevice7* device = display ? display->GetDevice() : nullptr;
    if (!device)
        return false;
    D3DDEVICEDESC7 caps{};
    if (const HRESULT result = device->GetCaps(&caps); FAILED(result))
    {
        LogFailure("TextureContainer::Restore - IDirect3DDevice7::GetCaps", result);
        return false;
    }
    // The device may differ from the one the texture was measured for.
    Measure();

    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT | DDSD_TEXTURESTAGE;
    desc.dwWidth = static_cast<DWORD>(mInfo.width);
    desc.dwHeight = static_cast<DWORD>(mInfo.height);
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    // Hardware devices let the driver manage texture memory; the others read system memory.
    if (display->GetTextureMemory() == DDSCAPS_VIDEOMEMORY)
        desc.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
    else
        desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;
    const DDPIXELFORMAT& opaque = display->GetTextureFormat(false);
    desc.ddpfPixelFormat = !opaque.dwFlags || mImage->HasAlpha() ? display->GetTextureFormat(true) : opaque;

    IDirectDrawSurface7* target = nullptr;
    if (const HRESULT result = device->GetRenderTarget(&target); FAILED(result))
    {
        LogFailure("TextureContainer::Restore - IDirect3DDevice7::GetRenderTarget", result);
        return false;
    }
    void* object = nullptr;
    const HRESULT found = target->GetDDInterface(&object);
    target->Release();
    if (FAILED(found))
    {
        LogFailure("TextureContainer::Restore - IDirectDrawSurface7::GetDDInterface", found);
        return false;
    }
    auto* draw = static_cast<IDirectDraw7*>(object);
    const HRESULT made = draw->CreateSurface(&desc, &mSurface, nullptr);
    draw->Release();
    if (FAILED(made))
    {
        LogFailure("TextureContainer::Restore - IDirectDraw7::CreateSurface", made);
        mSurface = nullptr;
        return false;
    }
    return true;
}

bool D3DTexture::Fill()
{
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    const HRESULT locked = mSurface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
    if (FAILED(locked) || !desc.lpSurface)
    {
        // Nothing is written; the texture stays marked for the next try.
        LogFailure("D3DTexture::RebuildSurface - IDirectDrawSurface7::Lock", FAILED(locked) ? locked : DDERR_GENERIC);
        return false;
    }
    auto* bytes = static_cast<std::uint8_t*>(desc.lpSurface);
    const auto row = [&](int y) { return reinterpret_cast<std::uint32_t*>(bytes + std::size_t(y) * desc.lPitch); };
    const int width = static_cast<int>(desc.dwWidth);
    const int height = static_cast<int>(desc.dwHeight);
    // Only what fits: an image larger than the device's largest texture keeps its top-left part.
    const Rect<int>& source = mInfo.source;
    const int columns = std::clamp(width - mInfo.offsetX, 0, source.width);
    const int rows = std::clamp(height - mInfo.offsetY, 0, source.height);
    const PackedColor* pixels = mImage->GetPixels();
    if (columns == 0 || rows == 0 || !pixels)
    {
        // An empty image draws nothing: a transparent texture.
        for (int y = 0; y < height; ++y)
            std::fill_n(row(y), width, 0u);
    }
    else
    {
        const int imageWidth = mImage->GetWidth();
        for (int y = 0; y < rows; ++y)
        {
            std::uint32_t* out = row(mInfo.offsetY + y) + mInfo.offsetX;
            const PackedColor* in = pixels + std::size_t(source.y + y) * imageWidth + source.x;
            std::copy_n(in, columns, out);
            // The last column repeated to the right edge.
            std::fill(out + columns, row(mInfo.offsetY + y) + width, out[columns - 1]);
        }
        // The last row repeated to the bottom edge.
        for (int y = mInfo.offsetY + rows; y < height; ++y)
            std::memcpy(row(y), row(mInfo.offsetY + rows - 1), std::size_t(width) * 4);
    }
    mNeedsRefill = false;
    if (const HRESULT unlocked = mSurface->Unlock(nullptr); FAILED(unlocked))
        LogFailure("D3DTexture::RebuildSurface - IDirectDrawSurface7::Unlock", unlocked);
    return true;
}
} // namespace Corvane
