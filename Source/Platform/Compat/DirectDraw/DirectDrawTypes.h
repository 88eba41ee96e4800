// The DirectDraw structures and flags the display code is written against, with the meanings it
// relies on. Values the game's display code states are used as stated; the rest are this layer's
// own. Structures hold only the fields the game reads or writes.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

#include <cstdint>

struct GUID
{
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
using IID = GUID;

inline bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}

using HMONITOR = void*;
using D3DCOLOR = DWORD;

// Pixel format flags, one bit each.
constexpr DWORD DDPF_ALPHAPIXELS = 0x1;
constexpr DWORD DDPF_ALPHA = 0x2;
constexpr DWORD DDPF_FOURCC = 0x4;
constexpr DWORD DDPF_PALETTEINDEXED4 = 0x8;
constexpr DWORD DDPF_PALETTEINDEXEDTO8 = 0x10;
constexpr DWORD DDPF_PALETTEINDEXED8 = 0x20;
constexpr DWORD DDPF_RGB = 0x40;
constexpr DWORD DDPF_COMPRESSED = 0x80;
constexpr DWORD DDPF_RGBTOYUV = 0x100;
constexpr DWORD DDPF_YUV = 0x200;
constexpr DWORD DDPF_ZBUFFER = 0x400;
constexpr DWORD DDPF_PALETTEINDEXED1 = 0x800;
constexpr DWORD DDPF_PALETTEINDEXED2 = 0x1000;
constexpr DWORD DDPF_ZPIXELS = 0x2000;
constexpr DWORD DDPF_STENCILBUFFER = 0x4000;
constexpr DWORD DDPF_ALPHAPREMULT = 0x8000;
constexpr DWORD DDPF_LUMINANCE = 0x10000;
constexpr DWORD DDPF_BUMPLUMINANCE = 0x20000;
constexpr DWORD DDPF_BUMPDUDV = 0x80000;

struct DDPIXELFORMAT
{
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union
    {
        DWORD dwRGBBitCount;
        DWORD dwZBufferBitDepth;
    };
    union
    {
        DWORD dwRBitMask;
        DWORD dwStencilBitDepth;
    };
    union
    {
        DWORD dwGBitMask;
        DWORD dwZBitMask;
    };
    union
    {
        DWORD dwBBitMask;
        DWORD dwStencilBitMask;
    };
    DWORD dwRGBAlphaBitMask;
};

// Surface capabilities (DDSCAPS2::dwCaps).
constexpr DWORD DDSCAPS_BACKBUFFER = 0x4;
constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_FLIP = 0x10;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x20;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr DWORD DDSCAPS_TEXTURE = 0x1000;
constexpr DWORD DDSCAPS_3DDEVICE = 0x2000;
constexpr DWORD DDSCAPS_VIDEOMEMORY = 0x4000;
constexpr DWORD DDSCAPS_ZBUFFER = 0x20000;
// DDSCAPS2::dwCaps2.
constexpr DWORD DDSCAPS2_TEXTUREMANAGE = 0x10;
constexpr DWORD DDSCAPS2_STEREOSURFACELEFT = 0x80000;

struct DDSCAPS2
{
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};

// Which fields of a surface description are meaningful.
constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;
constexpr DWORD DDSD_LPSURFACE = 0x800;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
constexpr DWORD DDSD_REFRESHRATE = 0x40000;
constexpr DWORD DDSD_TEXTURESTAGE = 0x100000;

struct DDSURFACEDESC2
{
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    void* lpSurface;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
};

// Driver capabilities.
constexpr DWORD DDCAPS2_CANRENDERWINDOWED = 0x80000;

struct DDCAPS
{
    DWORD dwSize;
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwVidMemTotal;
    DWORD dwVidMemFree;
};

constexpr int MAX_DDDEVICEID_STRING = 512;

struct DDDEVICEIDENTIFIER2
{
    char szDriver[MAX_DDDEVICEID_STRING];
    char szDescription[MAX_DDDEVICEID_STRING];
    std::int64_t liDriverVersion;
    DWORD dwVendorId;
    DWORD dwDeviceId;
    DWORD dwSubSysId;
    DWORD dwRevision;
    GUID guidDeviceIdentifier;
    DWORD dwWHQLLevel;
};

// Cooperative levels.
constexpr DWORD DDSCL_FULLSCREEN = 0x1;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x2;
constexpr DWORD DDSCL_NORMAL = 0x8;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;
constexpr DWORD DDSCL_FPUSETUP = 0x800;

// Lock, blit and flip flags. Every call here completes at once, so the wait flags are accepted
// and change nothing.
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDLOCK_READONLY = 0x10;
constexpr DWORD DDLOCK_WRITEONLY = 0x20;
constexpr DWORD DDBLT_WAIT = 0x1000000;
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x0;
constexpr DWORD DDBLTFAST_WAIT = 0x10;
constexpr DWORD DDFLIP_WAIT = 0x1;

struct DDBLTFX
{
    DWORD dwSize;
    DWORD dwFillColor;
};

// Driver enumeration flags.
constexpr DWORD DDENUM_ATTACHEDSECONDARYDEVICES = 0x1;
constexpr DWORD DDENUM_DETACHEDSECONDARYDEVICES = 0x2;
constexpr DWORD DDENUM_NONDISPLAYDEVICES = 0x4;

// Render depths of a device (D3DDEVICEDESC7::dwDeviceRenderBitDepth).
constexpr DWORD DDBD_32 = 0x100;
constexpr DWORD DDBD_24 = 0x200;
constexpr DWORD DDBD_16 = 0x400;
constexpr DWORD DDBD_8 = 0x800;

// Enumeration callbacks answer whether to go on.
constexpr HRESULT DDENUMRET_CANCEL = 0;
constexpr HRESULT DDENUMRET_OK = 1;
