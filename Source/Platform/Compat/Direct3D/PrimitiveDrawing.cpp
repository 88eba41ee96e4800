#include "Platform/Compat/Direct3D/PrimitiveDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Compat
{
namespace
{
// Coordinates within this of a 1/256 step are taken as on it: the projection's rounding must not
// move an edge that lies on a pixel boundary.
constexpr float kSnap = 1e-3f;
// Texture coordinates within this of a whole texel make an exact source rectangle.
constexpr float kTexelSnap = 1e-3f;

float Snap(float value)
{
    const float step = std::round(value * 256.0f) / 256.0f;
    return std::fabs(value - step) < kSnap ? step : value;
}

// SDL's coordinates for a vertex. Geometry runs over SDL's continuous coordinates, whose pixel
// centres lie half a pixel on; SDL's lines and points take pixel numbers as Direct3D does.
SDL_FPoint ToPixels(const DrawSetup& setup, const CompatVertex& in, bool geometry)
{
    const SDL_FPoint at = ProjectToPixels(setup.transform, setup.viewport, in.x, in.y, in.z);
    const float shift = geometry ? 0.5f : 0.0f;
    return {at.x + shift, at.y + shift};
}

SDL_Color ToColor(const DrawSetup& setup, DWORD argb)
{
    SDL_Color color{Uint8(argb >> 16), Uint8(argb >> 8), Uint8(argb), Uint8(argb >> 24)};
    if (setup.whiteColor)
        color.r = color.g = color.b = 255;
    if (setup.opaqueAlpha)
        color.a = 255;
    return color;
}

bool SameColor(const SDL_Color& a, const SDL_Color& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool SamePlace(const SDL_Vertex& a, const SDL_Vertex& b)
{
    return a.position.x == b.position.x && a.position.y == b.position.y;
}

// A whole texel within kTexelSnap of the coordinate, else -1.
int ExactTexel(float coordinate, int size)
{
    const float texel = coordinate * float(size);
    const float whole = std::round(texel);
    return std::fabs(texel - whole) < kTexelSnap && whole >= 0.0f ? int(whole) : -1;
}

// Collects triangles for one SDL_RenderGeometry call and sends them when asked. Every triangle
// has vertices of its own, named by index: SDL's software renderer takes two triangles that share
// two vertices for a rectangle when their corners line up, and gets some of those wrong (a fan
// around a right angle), so none share any.
class TriangleBatch
{
public:
    explicit TriangleBatch(const DrawSetup& setup) : mSetup(setup) {}

    void Add(const std::array<SDL_Vertex, 3>& triangle)
    {
        for (const SDL_Vertex& vertex : triangle)
        {
            mIndices.push_back(int(mVertices.size()));
            mVertices.push_back(vertex);
        }
    }
    bool Flush()
    {
        if (mVertices.empty())
            return true;
        const bool drawn = SDL_RenderGeometry(mSetup.renderer, mSetup.texture, mVertices.data(), int(mVertices.size()),
                                              mIndices.data(), int(mIndices.size())) == 0;
        mVertices.clear();
        mIndices.clear();
        return drawn;
    }

private:
    const DrawSetup& mSetup;
    std::vector<SDL_Vertex> mVertices;
    std::vector<int> mIndices;
};

// Two triangles drawn as one rectangle.
struct Rectangle
{
    SDL_FRect to;
    SDL_Color color;
    SDL_Rect from; // texels
    SDL_RendererFlip flip;
};

// True when the two triangles cover an axis-aligned rectangle in one colour with texture
// coordinates that follow the axes onto whole texels.
bool AsRectangle(const DrawSetup& setup, const std::array<SDL_Vertex, 3>& a, const std::array<SDL_Vertex, 3>& b,
                 Rectangle& out)
{
    std::array<const SDL_Vertex*, 6> all{&a[0], &a[1], &a[2], &b[0], &b[1], &b[2]};
    for (const SDL_Vertex* vertex : all)
        if (!SameColor(vertex->color, a[0].color))
            return false;
    // The corner of b that a lacks.
    const SDL_Vertex* extra = nullptr;
    int shared = 0;
    for (const SDL_Vertex& corner : b)
    {
        const bool inA = SamePlace(corner, a[0]) || SamePlace(corner, a[1]) || SamePlace(corner, a[2]);
        shared += inA;
        if (!inA)
            extra = &corner;
    }
    if (shared != 2 || !extra)
        return false;
    const float left = std::min({a[0].position.x, a[1].position.x, a[2].position.x, extra->position.x});
    const float right = std::max({a[0].position.x, a[1].position.x, a[2].position.x, extra->position.x});
    const float top = std::min({a[0].position.y, a[1].position.y, a[2].position.y, extra->position.y});
    const float bottom = std::max({a[0].position.y, a[1].position.y, a[2].position.y, extra->position.y});
    if (!(left < right && top < bottom))
        return false;
    // Every corner on the rectangle, each of its four once, the texture following the axes.
    std::array<const SDL_Vertex*, 4> corners{};
    for (const SDL_Vertex* vertex : all)
    {
        const bool onLeft = vertex->position.x == left, onTop = vertex->position.y == top;
        if ((!onLeft && vertex->position.x != right) || (!onTop && vertex->position.y != bottom))
            return false;
        const SDL_Vertex*& slot = corners[(onLeft ? 0 : 1) + (onTop ? 0 : 2)];
        if (slot && (slot->tex_coord.x != vertex->tex_coord.x || slot->tex_coord.y != vertex->tex_coord.y))
            return false;
        slot = vertex;
    }
    for (const SDL_Vertex* corner : corners)
        if (!corner)
            return false;
    const SDL_FPoint topLeft = corners[0]->tex_coord, topRight = corners[1]->tex_coord;
    const SDL_FPoint bottomLeft = corners[2]->tex_coord, bottomRight = corners[3]->tex_coord;
    if (topLeft.x != bottomLeft.x || topRight.x != bottomRight.x || topLeft.y != topRight.y ||
        bottomLeft.y != bottomRight.y)
        return false;

    out.to = {left, top, right - left, bottom - top};
    out.color = a[0].color;
    out.from = {0, 0, 0, 0};
    out.flip = SDL_FLIP_NONE;
    if (!setup.texture)
        return true;
    const int u0 = ExactTexel(topLeft.x, setup.textureWidth), u1 = ExactTexel(topRight.x, setup.textureWidth);
    const int v0 = ExactTexel(topLeft.y, setup.textureHeight), v1 = ExactTexel(bottomLeft.y, setup.textureHeight);
    if (u0 < 0 || u1 < 0 || v0 < 0 || v1 < 0 || u0 == u1 || v0 == v1)
        return false;
    out.from = {std::min(u0, u1), std::min(v0, v1), std::abs(u1 - u0), std::abs(v1 - v0)};
    out.flip = SDL_RendererFlip((u0 > u1 ? SDL_FLIP_HORIZONTAL : 0) | (v0 > v1 ? SDL_FLIP_VERTICAL : 0));
    return true;
}

bool DrawRectangle(const DrawSetup& setup, const Rectangle& rectangle)
{
    const SDL_Color c = rectangle.color;
    // Blending by an alpha that is 1 everywhere is a copy, which costs a software renderer far
    // less.
    const bool opaque = c.a == 255 && (!setup.texture || setup.opaqueTexture);
    const SDL_BlendMode blend = opaque && setup.blend == SDL_BLENDMODE_BLEND ? SDL_BLENDMODE_NONE : setup.blend;
    if (!setup.texture)
    {
        SDL_SetRenderDrawBlendMode(setup.renderer, blend);
        SDL_SetRenderDrawColor(setup.renderer, c.r, c.g, c.b, c.a);
        return SDL_RenderFillRectF(setup.renderer, &rectangle.to) == 0;
    }
    SDL_SetTextureBlendMode(setup.texture, blend);
    SDL_SetTextureColorMod(setup.texture, c.r, c.g, c.b);
    SDL_SetTextureAlphaMod(setup.texture, c.a);
    const bool drawn = SDL_RenderCopyExF(setup.renderer, setup.texture, &rectangle.from, &rectangle.to, 0.0, nullptr,
                                         rectangle.flip) == 0;
    SDL_SetTextureBlendMode(setup.texture, setup.blend);
    return drawn;
}

// The vertex positions of a triangle list, strip or fan of n vertices taken through at(i).
template <typename At> bool DrawTriangles(const DrawSetup& setup, D3DPRIMITIVETYPE type, DWORD n, At at)
{
    std::vector<std::array<SDL_Vertex, 3>> triangles;
    if (type == D3DPT_TRIANGLELIST)
        for (DWORD i = 0; i + 2 < n; i += 3)
            triangles.push_back({at(i), at(i + 1), at(i + 2)});
    else if (type == D3DPT_TRIANGLESTRIP)
        for (DWORD i = 0; i + 2 < n; ++i)
            triangles.push_back({at(i), at(i + 1), at(i + 2)});
    else
        for (DWORD i = 1; i + 1 < n; ++i)
            triangles.push_back({at(0), at(i), at(i + 1)});

    if (setup.texture)
        SDL_SetTextureBlendMode(setup.texture, setup.blend);
    else
        SDL_SetRenderDrawBlendMode(setup.renderer, setup.blend);
    TriangleBatch batch(setup);
    bool drawn = true;
    Rectangle rectangle{};
    for (std::size_t i = 0; i < triangles.size(); ++i)
    {
        if (i + 1 < triangles.size() && AsRectangle(setup, triangles[i], triangles[i + 1], rectangle))
        {
            // Drawn in order: what the batch holds goes first.
            drawn &= batch.Flush();
            drawn &= DrawRectangle(setup, rectangle);
            ++i;
        }
        else
            batch.Add(triangles[i]);
    }
    return batch.Flush() && drawn;
}

bool DrawLines(const DrawSetup& setup, D3DPRIMITIVETYPE type, DWORD n, const std::vector<SDL_Vertex>& points)
{
    if (n < 2)
        return true;
    const SDL_Color color = points[0].color;
    SDL_SetRenderDrawBlendMode(setup.renderer, setup.blend);
    SDL_SetRenderDrawColor(setup.renderer, color.r, color.g, color.b, color.a);
    bool drawn = true;
    const DWORD step = type == D3DPT_LINELIST ? 2 : 1;
    for (DWORD i = 0; i + 1 < n; i += step)
        drawn &= SDL_RenderDrawLineF(setup.renderer, points[i].position.x, points[i].position.y,
                                     points[i + 1].position.x, points[i + 1].position.y) == 0;
    return drawn;
}

bool DrawPoints(const DrawSetup& setup, const std::vector<SDL_Vertex>& points)
{
    SDL_SetRenderDrawBlendMode(setup.renderer, setup.blend);
    bool drawn = true;
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const SDL_Color c = points[i].color;
        if (i == 0 || !SameColor(c, points[i - 1].color))
            SDL_SetRenderDrawColor(setup.renderer, c.r, c.g, c.b, c.a);
        drawn &= SDL_RenderDrawPointF(setup.renderer, points[i].position.x, points[i].position.y) == 0;
    }
    return drawn;
}
} // namespace

SDL_FPoint ProjectToPixels(const D3DMATRIX& transform, const D3DVIEWPORT7& viewport, float x, float y, float z)
{
    const auto& m = transform.m;
    float cx = x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0];
    float cy = x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1];
    const float w = x * m[0][3] + y * m[1][3] + z * m[2][3] + m[3][3];
    if (w != 0.0f && w != 1.0f)
    {
        cx /= w;
        cy /= w;
    }
    return {Snap(float(viewport.dwX) + (cx + 1.0f) * float(viewport.dwWidth) * 0.5f),
            Snap(float(viewport.dwY) + (1.0f - cy) * float(viewport.dwHeight) * 0.5f)};
}

bool DrawVertices(const DrawSetup& setup, D3DPRIMITIVETYPE type, const CompatVertex* vertices, DWORD count,
                  const WORD* indices, DWORD indexCount)
{
    const bool geometry = type == D3DPT_TRIANGLELIST || type == D3DPT_TRIANGLESTRIP || type == D3DPT_TRIANGLEFAN;
    std::vector<SDL_Vertex> converted(count);
    for (DWORD i = 0; i < count; ++i)
        converted[i] = {
            ToPixels(setup, vertices[i], geometry), ToColor(setup, vertices[i].color), {vertices[i].u, vertices[i].v}};
    const DWORD n = indices ? indexCount : count;
    const auto at = [&](DWORD i) { return converted[indices ? indices[i] : i]; };
    switch (type)
    {
    case D3DPT_TRIANGLELIST:
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return DrawTriangles(setup, type, n, at);
    case D3DPT_LINELIST:
    case D3DPT_LINESTRIP:
    case D3DPT_POINTLIST:
    {
        std::vector<SDL_Vertex> points(n);
        for (DWORD i = 0; i < n; ++i)
            points[i] = at(i);
        return type == D3DPT_POINTLIST ? DrawPoints(setup, points) : DrawLines(setup, type, n, points);
    }
    }
    return false;
}
} // namespace Compat
