// The device's primitives: the checks Direct3D makes, the stored states turned into one draw on
// the SDL renderer of the target's window, and the observer that tests watch.
#include "Platform/Compat/Direct3D/Device.h"
#include "Platform/Compat/Direct3D/PrimitiveDrawing.h"
#include "Platform/Compat/DirectDraw/Surface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Compat
{
namespace
{
constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b)
{
    D3DMATRIX product{};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (int k = 0; k < 4; ++k)
                product.m[row][column] += a.m[row][k] * b.m[k][column];
    return product;
}

// The SDL factor of a Direct3D blend; false for one SDL lacks.
bool Factor(DWORD blend, SDL_BlendFactor& factor)
{
    switch (blend)
    {
    case D3DBLEND_ZERO: factor = SDL_BLENDFACTOR_ZERO; return true;
    case D3DBLEND_ONE: factor = SDL_BLENDFACTOR_ONE; return true;
    case D3DBLEND_SRCALPHA: factor = SDL_BLENDFACTOR_SRC_ALPHA; return true;
    case D3DBLEND_INVSRCALPHA: factor = SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA; return true;
    default: return false;
    }
}

// Whether a texture-stage operation takes the argument (stage 0: "current" is the diffuse colour).
bool Takes(DWORD operation, DWORD arg1, DWORD arg2, DWORD argument)
{
    const auto is = [argument](DWORD arg) {
        return arg == argument || (argument == D3DTA_DIFFUSE && arg == D3DTA_CURRENT);
    };
    switch (operation)
    {
    case D3DTOP_MODULATE: return is(arg1) || is(arg2);
    case D3DTOP_SELECTARG1: return is(arg1);
    case D3DTOP_SELECTARG2: return is(arg2);
    default: return argument == D3DTA_DIFFUSE; // disabled: the diffuse colour passes
    }
}
} // namespace

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, DWORD format, void* vertices, DWORD count, DWORD flags)
{
    return Draw(type, format, vertices, count, nullptr, 0, flags);
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, DWORD format, void* vertices, DWORD vertexCount,
                                     WORD* indices, DWORD indexCount, DWORD flags)
{
    if (!indices)
        return DDERR_INVALIDPARAMS;
    return Draw(type, format, vertices, vertexCount, indices, indexCount, flags);
}

D3DMATRIX Device::Transform() const
{
    const auto matrix = [this](D3DTRANSFORMSTATETYPE type) {
        const auto found = mTransforms.find(type);
        if (found != mTransforms.end())
            return found->second;
        D3DMATRIX identity{};
        for (int i = 0; i < 4; ++i)
            identity.m[i][i] = 1.0f;
        return identity;
    };
    return Multiply(Multiply(matrix(D3DTRANSFORMSTATE_WORLD), matrix(D3DTRANSFORMSTATE_VIEW)),
                    matrix(D3DTRANSFORMSTATE_PROJECTION));
}

SurfaceTexture* Device::UseTarget()
{
    SurfaceTexture* target = mTarget->GetTexture(true);
    if (target)
        UseRenderTarget(target->GetRenderer(), target->Get());
    return target;
}

bool Device::BlendMode(SDL_BlendMode& mode) const
{
    const DWORD source = mRenderStates[D3DRENDERSTATE_SRCBLEND];
    const DWORD destination = mRenderStates[D3DRENDERSTATE_DESTBLEND];
    if (!mRenderStates[D3DRENDERSTATE_ALPHABLENDENABLE] || (source == D3DBLEND_ONE && destination == D3DBLEND_ZERO))
        mode = SDL_BLENDMODE_NONE;
    else if (source == D3DBLEND_SRCALPHA && destination == D3DBLEND_INVSRCALPHA)
        mode = SDL_BLENDMODE_BLEND;
    else if (source == D3DBLEND_SRCALPHA && destination == D3DBLEND_ONE)
        mode = SDL_BLENDMODE_ADD;
    else
    {
        SDL_BlendFactor from{}, to{};
        if (!Factor(source, from) || !Factor(destination, to))
            return false;
        mode = SDL_ComposeCustomBlendMode(from, to, SDL_BLENDOPERATION_ADD, from, to, SDL_BLENDOPERATION_ADD);
    }
    return true;
}

bool Device::ClipRectangle(SDL_Rect& clip) const
{
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    // Kept world coordinates: left <= x <= right, top <= y <= bottom. Planes that are not
    // axis-aligned are not kept to.
    float left = -kInfinity, right = kInfinity, top = -kInfinity, bottom = kInfinity;
    const DWORD enabled = mRenderStates[D3DRENDERSTATE_CLIPPLANEENABLE];
    for (int i = 0; i < kCompatClipPlanes; ++i)
    {
        const auto& [a, b, c, d] = mClipPlanes[i];
        if (!(enabled & (1u << i)) || c != 0.0f)
            continue;
        if (b == 0.0f && a != 0.0f)
            (a > 0.0f ? left : right) = a > 0.0f ? std::max(left, -d / a) : std::min(right, -d / a);
        else if (a == 0.0f && b != 0.0f)
            (b > 0.0f ? top : bottom) = b > 0.0f ? std::max(top, -d / b) : std::min(bottom, -d / b);
    }
    // The viewport and the target bound every primitive.
    const int viewLeft = int(mViewport.dwX), viewTop = int(mViewport.dwY);
    int first = viewLeft, last = viewLeft + int(mViewport.dwWidth) - 1;
    int firstRow = viewTop, lastRow = viewTop + int(mViewport.dwHeight) - 1;
    const D3DMATRIX transform = Transform();
    // A pixel is kept when its centre is: the bounds in pixels, rounded inwards.
    const auto bound = [&](float low, float high, bool horizontal, int& from, int& to) {
        const auto at = [&](float value) {
            const SDL_FPoint p =
                ProjectToPixels(transform, mViewport, horizontal ? value : 0.0f, horizontal ? 0.0f : value, 0.0f);
            return horizontal ? p.x : p.y;
        };
        float a = std::isfinite(low) ? at(low) : -kInfinity, b = std::isfinite(high) ? at(high) : kInfinity;
        if (a > b)
            std::swap(a, b);
        if (std::isfinite(a))
            from = std::max(from, int(std::ceil(a)));
        if (std::isfinite(b))
            to = std::min(to, int(std::floor(b)));
    };
    bound(left, right, true, first, last);
    bound(top, bottom, false, firstRow, lastRow);
    last = std::min(last, mTarget->GetWidth() - 1);
    lastRow = std::min(lastRow, mTarget->GetHeight() - 1);
    clip = {first, firstRow, last - first + 1, lastRow - firstRow + 1};
    return clip.w > 0 && clip.h > 0;
}

HRESULT Device::Draw(D3DPRIMITIVETYPE type, DWORD format, void* vertices, DWORD count, const WORD* indices,
                     DWORD indexCount, DWORD flags)
{
    if (format != kVertexFormat)
        return D3DERR_INVALIDVERTEXTYPE;
    if (type < D3DPT_POINTLIST || type > D3DPT_TRIANGLEFAN)
        return D3DERR_INVALIDPRIMITIVETYPE;
    if ((!vertices && count > 0) || flags != 0)
        return DDERR_INVALIDPARAMS;
    for (DWORD i = 0; indices && i < indexCount; ++i)
        if (indices[i] >= count)
            return DDERR_INVALIDPARAMS;
    if (!mInScene)
        return D3DERR_SCENE_NOT_IN_SCENE;
    HRESULT result = mTarget->IsLost() != DD_OK ? DDERR_SURFACELOST : InjectedFailure(DisplayCall::DrawPrimitive);
    if (result != D3D_OK)
    {
        Report(type, vertices, count, indices, indexCount, result);
        return result;
    }

    DrawSetup setup;
    SDL_Rect clip{};
    SurfaceTexture* target = UseTarget();
    if (!target)
        result = D3DERR_INITFAILED;
    else if (!BlendMode(setup.blend))
        result = D3DERR_CONFLICTINGRENDERSTATE;
    Surface* texture = mTextures[0];
    const DWORD colorOp = Stage(D3DTSS_COLOROP), alphaOp = Stage(D3DTSS_ALPHAOP);
    const DWORD color1 = Stage(D3DTSS_COLORARG1), color2 = Stage(D3DTSS_COLORARG2);
    const DWORD alpha1 = Stage(D3DTSS_ALPHAARG1), alpha2 = Stage(D3DTSS_ALPHAARG2);
    const bool textured =
        texture && (Takes(colorOp, color1, color2, D3DTA_TEXTURE) || Takes(alphaOp, alpha1, alpha2, D3DTA_TEXTURE));
    if (result == D3D_OK && textured)
    {
        SurfaceTexture* copy = texture->GetTexture(false);
        if (!copy || copy->GetRenderer() != target->GetRenderer())
            result = DDERR_DEVICEDOESNTOWNSURFACE;
        else
        {
            setup.texture = copy->Get();
            setup.textureWidth = texture->GetWidth();
            setup.textureHeight = texture->GetHeight();
            setup.whiteColor = !Takes(colorOp, color1, color2, D3DTA_DIFFUSE);
            setup.opaqueAlpha = !Takes(alphaOp, alpha1, alpha2, D3DTA_DIFFUSE);
            setup.opaqueTexture =
                !(texture->GetFormat().dwFlags & DDPF_ALPHAPIXELS) || !Takes(alphaOp, alpha1, alpha2, D3DTA_TEXTURE);
            const bool linear = Stage(D3DTSS_MAGFILTER) == D3DTFG_LINEAR;
            SDL_SetTextureScaleMode(setup.texture, linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        }
    }
    if (result == D3D_OK && ClipRectangle(clip))
    {
        setup.renderer = target->GetRenderer();
        setup.viewport = mViewport;
        setup.transform = Transform();
        SDL_RenderSetClipRect(setup.renderer, &clip);
        const bool drawn =
            DrawVertices(setup, type, static_cast<const CompatVertex*>(vertices), count, indices, indexCount);
        mTarget->MarkTextureDrawn();
        if (!drawn)
            result = DDERR_GENERIC;
    }
    Report(type, vertices, count, indices, indexCount, result);
    return result;
}

void Device::Report(D3DPRIMITIVETYPE type, const void* vertices, DWORD count, const WORD* indices, DWORD indexCount,
                    HRESULT result) const
{
    if (!mObserver)
        return;
    DrawnPrimitive primitive;
    primitive.type = type;
    primitive.indexed = indices != nullptr;
    primitive.texture = mTextures[0];
    primitive.result = result;
    const auto* given = static_cast<const CompatVertex*>(vertices);
    const DWORD n = indices ? indexCount : count;
    for (DWORD i = 0; i < n; ++i)
    {
        const CompatVertex& v = given[indices ? indices[i] : i];
        primitive.vertices.push_back({v.x, v.y, v.z, v.color, v.u, v.v});
    }
    mObserver(primitive);
}
} // namespace Compat
