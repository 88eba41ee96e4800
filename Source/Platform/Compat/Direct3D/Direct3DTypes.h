// The Direct3D 7 structures, states and capability bits the display code is written against.
// Values the game's display code states are used as stated; the rest are this layer's own.
#pragma once

#include "Platform/Compat/DirectDraw/DirectDrawTypes.h"

using D3DVALUE = float;

struct D3DCOLORVALUE
{
    D3DVALUE r;
    D3DVALUE g;
    D3DVALUE b;
    D3DVALUE a;
};

// Row-major, row vectors multiplied on the left.
struct D3DMATRIX
{
    D3DVALUE m[4][4];
};

struct D3DVIEWPORT7
{
    DWORD dwX;
    DWORD dwY;
    DWORD dwWidth;
    DWORD dwHeight;
    D3DVALUE dvMinZ;
    D3DVALUE dvMaxZ;
};

struct D3DMATERIAL7
{
    D3DCOLORVALUE diffuse;
    D3DCOLORVALUE ambient;
    D3DCOLORVALUE specular;
    D3DCOLORVALUE emissive;
    D3DVALUE power;
};

struct D3DRECT
{
    LONG x1;
    LONG y1;
    LONG x2;
    LONG y2;
};

// Device capability bits.
constexpr DWORD D3DDEVCAPS_HWRASTERIZATION = 0x80000;
constexpr DWORD D3DPRASTERCAPS_ZBUFFERLESSHSR = 0x8000;
constexpr DWORD D3DPTEXTURECAPS_POW2 = 0x2;
constexpr DWORD D3DPTEXTURECAPS_SQUAREONLY = 0x20;

struct D3DPRIMCAPS
{
    DWORD dwRasterCaps;
    DWORD dwTextureCaps;
    DWORD dwTextureFilterCaps;
    DWORD dwSrcBlendCaps;
    DWORD dwDestBlendCaps;
};

struct D3DDEVICEDESC7
{
    DWORD dwDevCaps;
    D3DPRIMCAPS dpcLineCaps;
    D3DPRIMCAPS dpcTriCaps;
    DWORD dwDeviceRenderBitDepth; // DDBD_* bits
    DWORD dwDeviceZBufferBitDepth;
    DWORD dwMinTextureWidth;
    DWORD dwMinTextureHeight;
    DWORD dwMaxTextureWidth; // 0 when the device does not say
    DWORD dwMaxTextureHeight;
    WORD wMaxTextureBlendStages;
    WORD wMaxSimultaneousTextures;
    WORD wMaxUserClipPlanes;
    GUID deviceGUID;
};

// Render states.
enum D3DRENDERSTATETYPE : DWORD
{
    D3DRENDERSTATE_ZENABLE = 1,
    D3DRENDERSTATE_ZWRITEENABLE,
    D3DRENDERSTATE_SHADEMODE,
    D3DRENDERSTATE_LASTPIXEL,
    D3DRENDERSTATE_SRCBLEND,
    D3DRENDERSTATE_DESTBLEND,
    D3DRENDERSTATE_CULLMODE,
    D3DRENDERSTATE_DITHERENABLE,
    D3DRENDERSTATE_ALPHABLENDENABLE,
    D3DRENDERSTATE_FOGENABLE,
    D3DRENDERSTATE_SPECULARENABLE,
    D3DRENDERSTATE_EDGEANTIALIAS,
    D3DRENDERSTATE_COLORKEYENABLE,
    D3DRENDERSTATE_STENCILENABLE,
    D3DRENDERSTATE_TEXTUREFACTOR,
    D3DRENDERSTATE_CLIPPING,
    D3DRENDERSTATE_LIGHTING,
    D3DRENDERSTATE_AMBIENT,
    D3DRENDERSTATE_COLORVERTEX,
    D3DRENDERSTATE_LOCALVIEWER,
    D3DRENDERSTATE_NORMALIZENORMALS,
    D3DRENDERSTATE_COLORKEYBLENDENABLE,
    D3DRENDERSTATE_CLIPPLANEENABLE,
    D3DRENDERSTATE_COUNT // not a state: one past the last
};

enum D3DSHADEMODE : DWORD
{
    D3DSHADE_FLAT = 1,
    D3DSHADE_GOURAUD
};

enum D3DCULL : DWORD
{
    D3DCULL_NONE = 1,
    D3DCULL_CW,
    D3DCULL_CCW
};

enum D3DBLEND : DWORD
{
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE,
    D3DBLEND_SRCALPHA,
    D3DBLEND_INVSRCALPHA
};

// Texture stage states and their values.
enum D3DTEXTURESTAGESTATETYPE : DWORD
{
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1,
    D3DTSS_COLORARG2,
    D3DTSS_ALPHAOP,
    D3DTSS_ALPHAARG1,
    D3DTSS_ALPHAARG2,
    D3DTSS_ADDRESS,
    D3DTSS_MAGFILTER,
    D3DTSS_MINFILTER,
    D3DTSS_MIPFILTER,
    D3DTSS_COUNT // not a state: one past the last
};

enum D3DTEXTUREOP : DWORD
{
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1,
    D3DTOP_SELECTARG2,
    D3DTOP_MODULATE
};

// Texture stage arguments.
constexpr DWORD D3DTA_DIFFUSE = 0x0;
constexpr DWORD D3DTA_CURRENT = 0x1;
constexpr DWORD D3DTA_TEXTURE = 0x2;

enum D3DTEXTUREADDRESS : DWORD
{
    D3DTADDRESS_WRAP = 1,
    D3DTADDRESS_CLAMP
};

// Filters; linear is 2 for both.
enum D3DTEXTUREMAGFILTER : DWORD
{
    D3DTFG_POINT = 1,
    D3DTFG_LINEAR = 2
};
enum D3DTEXTUREMINFILTER : DWORD
{
    D3DTFN_POINT = 1,
    D3DTFN_LINEAR = 2
};

enum D3DTRANSFORMSTATETYPE : DWORD
{
    D3DTRANSFORMSTATE_WORLD = 1,
    D3DTRANSFORMSTATE_VIEW,
    D3DTRANSFORMSTATE_PROJECTION
};

// Clear flags.
constexpr DWORD D3DCLEAR_TARGET = 0x1;
constexpr DWORD D3DCLEAR_ZBUFFER = 0x2;

// The number of user clip planes a device keeps.
constexpr int kCompatClipPlanes = 6;

constexpr HRESULT D3DENUMRET_CANCEL = 0;
constexpr HRESULT D3DENUMRET_OK = 1;
