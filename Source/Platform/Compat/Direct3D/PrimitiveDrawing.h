// Turning one Direct3D primitive into SDL renderer calls: vertices are transformed to the
// viewport's pixels (Direct3D's pixel centres lie on whole coordinates, SDL's half a pixel in),
// triangles of every kind become one indexed triangle list for SDL_RenderGeometry, and two
// triangles that form an axis-aligned rectangle of one colour become a rectangle copy or fill, so
// that unscaled pictures land on pixels exactly with every renderer. Lines and points use SDL's
// line and point drawing in the first vertex's or each point's colour. Internal to the layer.
#pragma once

#include "Platform/Compat/Direct3D/Direct3DTypes.h"

#include <SDL.h>

namespace Compat
{
// The vertex layout of format 0x142.
struct CompatVertex
{
    float x;
    float y;
    float z;
    DWORD color; // 0xAARRGGBB
    float u;
    float v;
};
static_assert(sizeof(CompatVertex) == 24, "the layout of D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1");

// How the device's states say a primitive is drawn. The renderer's target and clip rectangle are
// already set.
struct DrawSetup
{
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr; // null: the vertex colours alone
    int textureWidth = 0;
    int textureHeight = 0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    D3DMATRIX transform{}; // world * view * projection
    D3DVIEWPORT7 viewport{};
    bool whiteColor = false;    // the texture's colour replaces the vertex colour
    bool opaqueAlpha = false;   // the texture's alpha replaces the vertex alpha
    bool opaqueTexture = false; // every texel's alpha is 1
};

// Where a point lands in the viewport, in Direct3D pixels (pixel i's centre at i); coordinates
// within a rounding error of a 1/256 step are put on it.
SDL_FPoint ProjectToPixels(const D3DMATRIX& transform, const D3DVIEWPORT7& viewport, float x, float y, float z);

// Draws count vertices (or, with indices, indexCount vertices by index; every index below count)
// as type. False when SDL refused a call.
bool DrawVertices(const DrawSetup& setup, D3DPRIMITIVETYPE type, const CompatVertex* vertices, DWORD count,
                  const WORD* indices, DWORD indexCount);
} // namespace Compat
