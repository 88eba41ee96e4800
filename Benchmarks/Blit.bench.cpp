// The software blitter against SDL2's surface blits and pixman's compositing, on the same
// pictures, positions and target: a 800 x 600 ARGB surface, images of 64 x 64 and 256 x 256 at
// 64 random positions that are partly off the surface, every blit mode at opacity 255 and 128,
// and stretched draws of 256 x 256 into 512 x 512 and 800 x 600. Every library reads the bytes the
// blitter reads (ARGB, opaque pictures' alpha 255) the way the blitter reads them, so that none
// converts pixels the blitter only copies. Each benchmark reports the visible pixels drawn per
// second as "Mpix/s"; names end in /Corvane, /SDL2 or /pixman.
//
//   build-rel/Benchmarks/blit_benchmark --benchmark_min_time=0.3
#include "Graphics/Blitter.h"
#include "Graphics/Image.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kTargetWidth = 800;
constexpr int kTargetHeight = 600;
constexpr int kPositions = 64;
// Every picture and the target: 0xAARRGGBB, the blitter's own pixels (opaque pictures' alpha 255).
constexpr Uint32 kFormat = SDL_PIXELFORMAT_ARGB8888;

enum class Alpha
{
    None,   // opaque pictures
    Mask,   // a disc, alpha 0 or 255
    Smooth, // a disc with a soft rim, like an anti-aliased sprite
};

// A sprite-like picture: coloured noise inside a disc that fills the square.
std::unique_ptr<Image> MakePicture(int size, Alpha alpha)
{
    std::mt19937 random(size);
    auto pixels = std::make_unique<PackedColor[]>(std::size_t(size) * size);
    const float radius = size * 0.5f;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            const float distance = std::hypot(x + 0.5f - radius, y + 0.5f - radius);
            float coverage = 1.0f;
            if (alpha == Alpha::Mask)
                coverage = distance < radius ? 1.0f : 0.0f;
            else if (alpha == Alpha::Smooth)
                coverage = std::clamp((radius - distance) / (size * 0.15f), 0.0f, 1.0f);
            const PackedColor a = static_cast<PackedColor>(coverage * 255.0f);
            pixels[y * size + x] = a << 24 | (random() & 0xFFFFFF);
        }
    return std::make_unique<Image>(std::move(pixels), size, size, alpha != Alpha::None, alpha == Alpha::Mask);
}

// An opaque picture exactly as large as the target.
std::unique_ptr<Image> MakeWholeSurface()
{
    auto image = std::make_unique<Image>(kTargetWidth, kTargetHeight);
    std::fill_n(image->GetPixels(), kTargetWidth * kTargetHeight, 0xFF808080u);
    image->SetAlphaKind(false, false);
    return image;
}

struct Case
{
    int mode;     // the blitter's loop mode
    int size;     // image side; 800 means the whole-surface image
    int opacity;  // 255 or 128
    bool stretch; // stretched into stretchWidth x stretchHeight at the positions
    int stretchWidth = 0;
    int stretchHeight = 0;
};

Alpha AlphaOf(int mode)
{
    switch (mode)
    {
    case 2:
    case 5: return Alpha::Mask;
    case 3:
    case 6: return Alpha::Smooth;
    default: return Alpha::None;
    }
}

bool Tinted(int mode)
{
    return mode >= 4;
}

// The same pictures, positions and pixel counts for every library in a case.
struct Scene
{
    std::unique_ptr<Image> image;
    Image& picture;
    std::vector<SDL_Point> positions;
    double visiblePixels = 0; // summed over all positions
    int drawWidth;
    int drawHeight;

    explicit Scene(const Case& c)
        : image(c.size == 800 ? MakeWholeSurface() : MakePicture(c.size, AlphaOf(c.mode))), picture(*image),
          drawWidth(c.stretch ? c.stretchWidth : c.size), drawHeight(c.stretch ? c.stretchHeight : c.size)
    {
        if (c.size == 800)
        {
            drawWidth = kTargetWidth;
            drawHeight = kTargetHeight;
        }
        std::mt19937 random(1234);
        for (int i = 0; i < kPositions; ++i)
        {
            SDL_Point p{0, 0};
            if (c.size != 800)
            {
                p.x = std::uniform_int_distribution<int>(-drawWidth / 2, kTargetWidth - drawWidth / 2)(random);
                p.y = std::uniform_int_distribution<int>(-drawHeight / 2, kTargetHeight - drawHeight / 2)(random);
            }
            positions.push_back(p);
            const int w = std::min(p.x + drawWidth, kTargetWidth) - std::max(p.x, 0);
            const int h = std::min(p.y + drawHeight, kTargetHeight) - std::max(p.y, 0);
            visiblePixels += double(std::max(w, 0)) * std::max(h, 0);
        }
    }
};

constexpr float kTint[3] = {0.8f, 0.6f, 0.4f};

void Report(benchmark::State& state, const Scene& scene)
{
    state.counters["Mpix/s"] = benchmark::Counter(double(state.iterations()) * scene.visiblePixels / kPositions / 1e6,
                                                  benchmark::Counter::kIsRate);
}

void RunCorvane(benchmark::State& state, Case c)
{
    Scene scene(c);
    std::vector<PackedColor> target(std::size_t(kTargetWidth) * kTargetHeight, 0xFF204060);
    BlitSurface surface{target.data(), kTargetWidth, kTargetHeight};
    DrawState draw = GetDefaultDrawState();
    draw.tint = Tinted(c.mode) ? ColorF(kTint[0], kTint[1], kTint[2], 1.0f) : ColorF(1, 1, 1, 1);
    draw.tint.alpha = c.opacity / 255.0f;
    int i = 0;
    for (auto _ : state)
    {
        const SDL_Point& p = scene.positions[i];
        if (c.stretch)
            BlitStretchedImage(scene.picture, {p.x, p.y, c.stretchWidth, c.stretchHeight}, surface, draw);
        else
            BlitImage(scene.picture, p.x, p.y, surface, draw);
        i = (i + 1) % kPositions;
    }
    benchmark::DoNotOptimize(target.data());
    Report(state, scene);
}

void RunSdl(benchmark::State& state, Case c)
{
    Scene scene(c);
    const bool hasAlpha = scene.picture.HasAlpha();
    const bool blend = hasAlpha || c.opacity < 255;
    // The picture's own bytes, read as the blitter reads them: in the target's format where it is
    // copied (another would have SDL convert every pixel), with the alpha byte ignored where an
    // opaque picture is blended at an opacity (else SDL would weigh each pixel by its alpha).
    const Uint32 format = blend && !hasAlpha ? Uint32(SDL_PIXELFORMAT_RGB888) : kFormat;
    SDL_Surface* source =
        SDL_CreateRGBSurfaceWithFormatFrom(scene.picture.GetPixels(), scene.picture.GetWidth(),
                                           scene.picture.GetHeight(), 32, scene.picture.GetWidth() * 4, format);
    std::vector<PackedColor> target(std::size_t(kTargetWidth) * kTargetHeight, 0xFF204060);
    SDL_Surface* screen =
        SDL_CreateRGBSurfaceWithFormatFrom(target.data(), kTargetWidth, kTargetHeight, 32, kTargetWidth * 4, kFormat);
    SDL_SetSurfaceBlendMode(source, blend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    SDL_SetSurfaceAlphaMod(source, Uint8(c.opacity));
    if (Tinted(c.mode))
        SDL_SetSurfaceColorMod(source, Uint8(kTint[0] * 255), Uint8(kTint[1] * 255), Uint8(kTint[2] * 255));
    int i = 0;
    for (auto _ : state)
    {
        const SDL_Point& p = scene.positions[i];
        SDL_Rect to{p.x, p.y, scene.drawWidth, scene.drawHeight};
        if (c.stretch)
            SDL_BlitScaled(source, nullptr, screen, &to);
        else
            SDL_BlitSurface(source, nullptr, screen, &to);
        i = (i + 1) % kPositions;
    }
    benchmark::DoNotOptimize(target.data());
    SDL_FreeSurface(screen);
    SDL_FreeSurface(source);
    Report(state, scene);
}

void RunPixman(benchmark::State& state, Case c)
{
    Scene scene(c);
    const bool hasAlpha = scene.picture.HasAlpha();
    // pixman composites premultiplied colours (an opaque picture's are its own). The same choice of
    // formats as for SDL: the target's where the picture is copied, its alpha ignored where an
    // opaque picture is blended.
    const int w = scene.picture.GetWidth();
    const int h = scene.picture.GetHeight();
    std::vector<PackedColor> premultiplied(scene.picture.GetPixels(), scene.picture.GetPixels() + std::size_t(w) * h);
    for (PackedColor& p : premultiplied)
    {
        const PackedColor a = p >> 24;
        p = a << 24 | (((p >> 16 & 0xFF) * a / 255) << 16) | (((p >> 8 & 0xFF) * a / 255) << 8) |
            ((p & 0xFF) * a / 255);
    }
    const bool tinted = Tinted(c.mode);
    const bool blend = hasAlpha || tinted || c.opacity < 255;
    pixman_image_t* source = pixman_image_create_bits(blend && !hasAlpha ? PIXMAN_x8r8g8b8 : PIXMAN_a8r8g8b8, w, h,
                                                      premultiplied.data(), w * 4);
    std::vector<PackedColor> target(std::size_t(kTargetWidth) * kTargetHeight, 0xFF204060);
    pixman_image_t* screen =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, kTargetWidth, kTargetHeight, target.data(), kTargetWidth * 4);
    if (c.stretch)
    {
        pixman_transform_t scale;
        pixman_transform_init_scale(&scale, pixman_double_to_fixed(double(w) / c.stretchWidth),
                                    pixman_double_to_fixed(double(h) / c.stretchHeight));
        pixman_image_set_transform(source, &scale);
        pixman_image_set_filter(source, PIXMAN_FILTER_NEAREST, nullptr, 0);
    }
    // Tint and opacity as a solid mask; per-channel (component alpha) when tinted.
    pixman_image_t* mask = nullptr;
    if (tinted || c.opacity < 255)
    {
        const auto channel = [&](float v) { return uint16_t(v * c.opacity / 255.0f * 65535); };
        const pixman_color_t color = {channel(tinted ? kTint[0] : 1), channel(tinted ? kTint[1] : 1),
                                      channel(tinted ? kTint[2] : 1), uint16_t(c.opacity * 257)};
        mask = pixman_image_create_solid_fill(&color);
        pixman_image_set_component_alpha(mask, tinted);
    }
    const pixman_op_t op = blend ? PIXMAN_OP_OVER : PIXMAN_OP_SRC;
    int i = 0;
    for (auto _ : state)
    {
        const SDL_Point& p = scene.positions[i];
        // pixman does not clip to the destination for us here: only the visible part is asked for.
        const int x0 = std::max(p.x, 0);
        const int y0 = std::max(p.y, 0);
        const int x1 = std::min(p.x + scene.drawWidth, kTargetWidth);
        const int y1 = std::min(p.y + scene.drawHeight, kTargetHeight);
        if (x1 > x0 && y1 > y0)
            pixman_image_composite32(op, source, mask, screen, x0 - p.x, y0 - p.y, 0, 0, x0, y0, x1 - x0, y1 - y0);
        i = (i + 1) % kPositions;
    }
    benchmark::DoNotOptimize(target.data());
    if (mask)
        pixman_image_unref(mask);
    pixman_image_unref(screen);
    pixman_image_unref(source);
    Report(state, scene);
}

const char* kModeNames[] = {
    "whole_copy", "copy", "alpha_test", "alpha_blend", "tinted_copy", "tinted_alpha_test", "tinted_alpha_blend"};

void Register(const std::string& name, const Case& c)
{
    benchmark::RegisterBenchmark((name + "/Corvane").c_str(), RunCorvane, c);
    benchmark::RegisterBenchmark((name + "/SDL2").c_str(), RunSdl, c);
    benchmark::RegisterBenchmark((name + "/pixman").c_str(), RunPixman, c);
}

int RegisterAll()
{
    for (const int opacity : {255, 128})
    {
        Register("BlitImage/800x600/whole_copy/o" + std::to_string(opacity), {0, 800, opacity, false});
        for (const int size : {64, 256})
            for (int mode = 1; mode < 7; ++mode)
                Register("BlitImage/" + std::to_string(size) + "/" + kModeNames[mode] + "/o" + std::to_string(opacity),
                         {mode, size, opacity, false});
    }
    for (const auto& [w, h] : {std::pair{512, 512}, std::pair{800, 600}})
    {
        const std::string to = std::to_string(w) + "x" + std::to_string(h);
        Register("BlitStretchedImage/256to" + to + "/copy", {1, 256, 255, true, w, h});
        Register("BlitStretchedImage/256to" + to + "/tinted_alpha_blend_o128", {6, 256, 128, true, w, h});
    }
    return 0;
}

const int registered = RegisterAll();
} // namespace
