// The display's Direct3D set-up: the device, its viewport and z-buffer, the check of video
// memory, the texture formats and the texture size rules.
#include "Debug.h"
#include "Platform/Win32/DisplayCheck.h"
#include "Platform/Win32/display.h"
#include "RuntimeError.h"

#include <algorithm>
#include <bit>
#include <string>

namespace Corvane
{
using Internal::ThrowIfCreateFailed;
using Internal::ThrowIfFailed;

namespace
{
constexpr const char* kCreateEnvironment = "Corvane::CDisplay::CreateEnvironment";
constexpr const char* kCreateDirect3D = "Corvane::CDisplay::CreateDirect3D";
constexpr const char* kCreateZBuffer = "Corvane::CDisplay::CreateZBuffer";
constexpr const char* kGetTextureSize = "Corvane::CDisplay::GetTextureSize";

constexpr DWORD kMinimumVideoMemory = 0x800000; // more than 8 MiB is needed for 3D
constexpr int kMinimumTextureSize = 1024;

// The flag names of a pixel format, in the order of their bits, each followed by ", ".
std::string FlagNames(DWORD flags)
{
    static const char* const kNames[] = {"DDPF_ALPHAPIXELS, ",
                                         "DDPF_ALPHA, ",
                                         "DDPF_FOURCC, ",
                                         "DDPF_PALETTEINDEXED4, ",
                                         "DDPF_PALETTEINDEXEDTO8, ",
                                         "DDPF_PALETTEINDEXED8, ",
                                         "DDPF_RGB, ",
                                         "DDPF_COMPRESSED, ",
                                         "DDPF_RGBTOYUV, ",
                                         "DDPF_YUV, ",
                                         "DDPF_ZBUFFER, ",
                                         "DDPF_PALETTEINDEXED1, ",
                                         "DDPF_PALETTEINDEXED2, ",
                                         "DDPF_ZPIXELS, ",
                                         "DDPF_STENCILBUFFER, ",
                                         "DDPF_ALPHAPREMULT, ",
                                         "DDPF_LUMINANCE, ",
                                         "DDPF_BUMPLUMINANCE, ",
                                         "DDPF_BUMPDUDV, "};
    static const DWORD kBits[] = {DDPF_ALPHAPIXELS,
                                  DDPF_ALPHA,
                                  DDPF_FOURCC,
                                  DDPF_PALETTEINDEXED4,
                                  DDPF_PALETTEINDEXEDTO8,
                                  DDPF_PALETTEINDEXED8,
                                  DDPF_RGB,
                                  DDPF_COMPRESSED,
                                  DDPF_RGBTOYUV,
                                  DDPF_YUV,
                                  DDPF_ZBUFFER,
                                  DDPF_PALETTEINDEXED1,
                                  DDPF_PALETTEINDEXED2,
                                  DDPF_ZPIXELS,
                                  DDPF_STENCILBUFFER,
                                  DDPF_ALPHAPREMULT,
                                  DDPF_LUMINANCE,
                                  DDPF_BUMPLUMINANCE,
                                  DDPF_BUMPDUDV};
    std::string names;
    for (std::size_t i = 0; i < std::size(kBits); ++i)
        if (flags & kBits[i])
            names += kNames[i];
    return names;
}

// The widths of the alpha, red, green and blue masks one after another ("8888"); an empty mask
// writes nothing.
std::string MaskWidths(const DDPIXELFORMAT& format)
{
    std::string widths;
    for (const DWORD mask : {format.dwRGBAlphaBitMask, format.dwRBitMask, format.dwGBitMask, format.dwBBitMask})
        if (mask)
            widths += std::to_string(std::popcount(mask));
    return widths;
}

HRESULT NoteTextureFormat(DDPIXELFORMAT* format, void* context)
{
    auto* formats = static_cast<DDPIXELFORMAT*>(context); // [0] without alpha, [1] with alpha
    const DWORD flags = format->dwFlags;
    const std::string names = FlagNames(flags);
    const bool rgb = (flags & DDPF_RGB) != 0;
    if (rgb && format->dwRGBBitCount > 8)
        DebugPrint("\t%d bit %s - %s- ", int(format->dwRGBBitCount), MaskWidths(*format).c_str(), names.c_str());
    else if (flags & DDPF_FOURCC)
    {
        const char code[5] = {char(format->dwFourCC), char(format->dwFourCC >> 8), char(format->dwFourCC >> 16),
                              char(format->dwFourCC >> 24), 0};
        DebugPrint("\t%s - %s- ", code, names.c_str());
    }
    else
        DebugPrint("\t%d bit - %s- ", int(format->dwRGBBitCount), names.c_str());

    if (rgb && format->dwRGBBitCount == 32)
    {
        DebugPrint("Good Format\n");
        formats[(flags & DDPF_ALPHAPIXELS) ? 1 : 0] = *format;
    }
    else if (flags & DDPF_PALETTEINDEXED8)
        DebugPrint("indexed 8");
    else if (flags & DDPF_PALETTEINDEXED2)
        DebugPrint("indexed 2");
    else
        DebugPrint("Skipped\n");
    return D3DENUMRET_OK;
}

struct ZBufferSearch
{
    DWORD bits;
    DDPIXELFORMAT found;
    bool hasFound;
};

HRESULT FindZBufferFormat(DDPIXELFORMAT* format, void* context)
{
    auto* search = static_cast<ZBufferSearch*>(context);
    if (format->dwZBufferBitDepth != search->bits)
        return D3DENUMRET_OK;
    search->found = *format;
    search->hasFound = true;
    return D3DENUMRET_CANCEL;
}

int NextPowerOfTwo(int value)
{
    if (value <= 1)
        return 1;
    return value > (1 << 30) ? 1 << 30 : static_cast<int>(std::bit_ceil(static_cast<unsigned>(value)));
}
} // namespace

void CDisplay::CreateDirect3D(const GUID& device, int flags)
{
    void* object = nullptr;
    ThrowIfFailed(mDirectDraw->QueryInterface(IID_IDirect3D7, &object), "Could not get the Direct3D interface",
                  __FILE__, __LINE__, kCreateDirect3D);
    mDirect3D = static_cast<IDirect3D7*>(object);
    ThrowIfFailed(mDirect3D->CreateDevice(device, mBackBuffer, &mDevice), "Could not create the Direct3D device",
                  __FILE__, __LINE__, kCreateDirect3D);
    D3DVIEWPORT7 viewport{0, 0, static_cast<DWORD>(mWidth), static_cast<DWORD>(mHeight), 0.0f, 1.0f};
    ThrowIfFailed(mDevice->SetViewport(&viewport), "Could not set current viewport to the device", __FILE__, __LINE__,
                  kCreateDirect3D);
    if (flags & kDisplayZBuffer)
        CreateZBuffer(device);

    DDCAPS driver{}, emulation{};
    driver.dwSize = sizeof driver;
    emulation.dwSize = sizeof emulation;
    ThrowIfFailed(mDirectDraw->GetCaps(&driver, &emulation),
                  "Unable to determine amount of video memory available for textures.", __FILE__, __LINE__,
                  kCreateEnvironment);
    DebugPrint("Driver Video Memory: %d Total, %d Free\n", int(driver.dwVidMemTotal), int(driver.dwVidMemFree));
    if (driver.dwVidMemTotal <= kMinimumVideoMemory)
        throw RuntimeError("Not enough free texture memory to run in 3D.", __FILE__, __LINE__, kCreateEnvironment);
    FindTextureFormats();
    if (!mAlphaFormat.dwFlags)
        throw RuntimeError("Could not find acceptable texture format.", __FILE__, __LINE__, kCreateEnvironment);
    int width = 0, height = 0;
    GetTextureSize(kMinimumTextureSize, kMinimumTextureSize, width, height);
    if (width < kMinimumTextureSize || height < kMinimumTextureSize)
        throw RuntimeError("3D Mode requires a minimum texture size of 1024x1024", __FILE__, __LINE__,
                           kCreateEnvironment);
}

void CDisplay::CreateZBuffer(const GUID& device)
{
    D3DDEVICEDESC7 caps{};
    ThrowIfFailed(mDevice->GetCaps(&caps), "Could not create zbuffer surface", __FILE__, __LINE__, kCreateZBuffer);
    if (caps.dpcTriCaps.dwRasterCaps & D3DPRASTERCAPS_ZBUFFERLESSHSR)
        return;
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    ThrowIfFailed(mBackBuffer->GetSurfaceDesc(&desc), "Could not create zbuffer surface", __FILE__, __LINE__,
                  kCreateZBuffer);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    desc.ddsCaps = {DDSCAPS_ZBUFFER, 0, 0, 0};
    ZBufferSearch search{desc.ddpfPixelFormat.dwRGBBitCount, {}, false};
    mDirect3D->EnumZBufferFormats(device, &FindZBufferFormat, &search);
    if (!search.hasFound)
    {
        search.bits = 16;
        mDirect3D->EnumZBufferFormats(device, &FindZBufferFormat, &search);
    }
    if (!search.hasFound)
        throw RuntimeError("Device doesn't support requested zbuffer format", __FILE__, __LINE__, kCreateZBuffer);
    mZBufferFormat = search.found;
    desc.ddpfPixelFormat = search.found;
    ThrowIfCreateFailed(mDirectDraw->CreateSurface(&desc, &mZBuffer, nullptr), "Could not create zbuffer surface",
                        "Out of video memory creating zbuffer surface", __FILE__, __LINE__, kCreateZBuffer);
    ThrowIfFailed(mBackBuffer->AddAttachedSurface(mZBuffer), "Couldn't attach zbuffer to render surface", __FILE__,
                  __LINE__, kCreateZBuffer);
    ThrowIfFailed(mDevice->SetRenderTarget(mBackBuffer, 0), "SetRenderTarget failed after attaching zbuffer", __FILE__,
                  __LINE__, kCreateZBuffer);
}

void CDisplay::FindTextureFormats()
{
    DebugPrint("Texture Formats:\n");
    DDPIXELFORMAT formats[2] = {};
    mDevice->EnumTextureFormats(&NoteTextureFormat, formats);
    mOpaqueFormat = formats[0];
    mAlphaFormat = formats[1];
}

void CDisplay::GetTextureSize(int wantedWidth, int wantedHeight, int& width, int& height)
{
    D3DDEVICEDESC7 caps{};
    ThrowIfFailed(mDevice ? mDevice->GetCaps(&caps) : DDERR_NOTINITIALIZED,
                  "Unable to determine required texture size for an image.", __FILE__, __LINE__, kGetTextureSize);
    width = wantedWidth;
    height = wantedHeight;
    const DWORD textureCaps = caps.dpcTriCaps.dwTextureCaps;
    if (textureCaps & D3DPTEXTURECAPS_POW2)
    {
        width = NextPowerOfTwo(width);
        height = NextPowerOfTwo(height);
    }
    // A device that does not say its maximum gets the smallest any device has.
    const int maxWidth = caps.dwMaxTextureWidth ? static_cast<int>(caps.dwMaxTextureWidth) : 256;
    const int maxHeight = caps.dwMaxTextureHeight ? static_cast<int>(caps.dwMaxTextureHeight) : 256;
    width = std::min(width, maxWidth);
    height = std::min(height, maxHeight);
    if (textureCaps & D3DPTEXTURECAPS_SQUAREONLY)
        width = height = std::max(width, height);
}
} // namespace Corvane
