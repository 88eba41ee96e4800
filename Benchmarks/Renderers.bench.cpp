// One frame of a typical scene through the renderers: a full-screen 800 x 600 background, 40
// sprites of 64 x 64 with smooth alpha at fixed pseudo-random positions. For the software
// renderer "Frame" is the whole frame (draw, convert into the screen's format, blit, present in
// the window); "Draw" and "Present" are its two halves. For the hardware renderer "Frame" is
// clear, draw and present on the window's accelerated SDL renderer, under a display with a GPU
// (SDL_VIDEODRIVER=x11); without one (headless) those cases are skipped. "FrameWithText" (both
// renderers) adds ten outlined centred lines of text (a font made in memory): glyph by glyph as
// images in software, batched glyph quads in hardware. The peer is SDL2's software renderer
// drawing the same scene into an 800 x 600 ARGB surface (draw only); "Present" has the peer
// "memcpy", one copy of the frame. Names end in /Corvane, /SDL2 or /memcpy.
//
//   build-rel/Benchmarks/renderer_benchmark --benchmark_min_time=0.5
#include "AcceleratedRenderer.h"
#include "Graphics/DrawState.h"
#include "Graphics/DrawingInterfaces.h"
#include "Graphics/Image.h"
#include "Graphics/TextDrawing.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/DirectDraw/Presenter.h"
#include "Platform/Win32/D3D7GraphicsPlatform.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/TestFont.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

using namespace Corvane;

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSprites = 40;
constexpr int kSpriteSize = 64;

struct Scene
{
    std::unique_ptr<Image> background;
    std::unique_ptr<Image> sprite;
    std::vector<std::pair<int, int>> positions;
};

const Scene& GetScene()
{
    static const Scene scene = [] {
        Scene s;
        auto background = std::make_unique<PackedColor[]>(std::size_t(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                background[std::size_t(y) * kWidth + x] =
                    0xFF000000u | PackedColor(x & 0xFF) << 16 | PackedColor(y & 0xFF) << 8 | 0x40;
        s.background = std::make_unique<Image>(std::move(background), kWidth, kHeight, false, false);

        auto sprite = std::make_unique<PackedColor[]>(kSpriteSize * kSpriteSize);
        const float radius = kSpriteSize * 0.5f;
        for (int y = 0; y < kSpriteSize; ++y)
            for (int x = 0; x < kSpriteSize; ++x)
            {
                const float distance = std::hypot(x + 0.5f - radius, y + 0.5f - radius);
                const float coverage = std::clamp((radius - distance) / (kSpriteSize * 0.15f), 0.0f, 1.0f);
                sprite[y * kSpriteSize + x] = PackedColor(coverage * 255.0f) << 24 | 0x00E08020u;
            }
        s.sprite = std::make_unique<Image>(std::move(sprite), kSpriteSize, kSpriteSize, true, false);

        std::mt19937 random(12);
        for (int i = 0; i < kSprites; ++i)
            s.positions.emplace_back(int(random() % (kWidth - kSpriteSize)), int(random() % (kHeight - kSpriteSize)));
        return s;
    }();
    return scene;
}

// A renderer set up in a headless window of the given colour depth.
template <typename Renderer> struct Harness
{
    explicit Harness(int bits) : platform(Headless(), kHeight)
    {
        Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
        machine.desktopBits = bits;
        Compat::SetDisplayMachine(machine);
        DisplaySettings settings;
        settings.windowMode = 0;
        settings.width = kWidth;
        settings.height = kHeight;
        renderer.Setup(settings);
        canvas = Graphics::QueryCanvas<Graphics::IQuadDrawingCanvas>(renderer.GetCanvas());
        // As the program presents: the frames' pixels are not kept for reading back.
        Compat::KeepPresentedFrames(false);
    }
    ~Harness() { Compat::KeepPresentedFrames(true); }
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    void Draw()
    {
        const Scene& scene = GetScene();
        const Graphics::DrawState state;
        canvas->DrawImage(scene.background.get(), 0, 0, state);
        for (const auto& [x, y] : scene.positions)
            canvas->DrawImage(scene.sprite.get(), float(x), float(y), state);
    }

    // Ten centred lines with an outline, as a dialogue box would show them.
    void DrawText()
    {
        static const std::unique_ptr<ImageFont> font = [] {
            Testing::TestFontSpec spec;
            spec.first = 32;
            spec.lineHeight = 16;
            spec.widthBase = 5;
            spec.smooth = true;
            return Testing::MakeTestFont(spec);
        }();
        static const std::wstring text = [] {
            std::wstring lines;
            for (int i = 0; i < 10; ++i)
                lines += L"Chef, the soup for table " + std::to_wstring(i + 1) + L" needs two more onions!\n";
            return lines;
        }();
        Graphics::DrawState state;
        state.font = font.get();
        state.textMode = Graphics::kTextOutline;
        state.horizontalAlignment = Graphics::kAlignCenter;
        Graphics::DrawTextBlockAt(text.c_str(), kWidth / 2.0f, 200, kWidth, state, renderer.GetCanvas());
    }

    // Which SDL renderer the window draws with (the hardware renderer's frames depend on it).
    std::string SdlRendererLabel()
    {
        SDL_RendererInfo info{};
        SDL_GetRendererInfo(Compat::GetWindowRenderer(platform.GetWindowHandle()), &info);
        return std::string("SDL ") + (info.name ? info.name : "none");
    }

    // Like the tests, no window appears while the frames run, unless a display is asked for;
    // the width of the window.
    static int Headless()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        return kWidth;
    }

    Testing::DisplayTestPlatform platform;
    Renderer renderer;
    Graphics::IQuadDrawingCanvas* canvas = nullptr;
};

void Frame(benchmark::State& state)
{
    Harness<DDraw7GraphicsPlatform> harness(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        harness.renderer.BeginScene();
        harness.Draw();
        benchmark::DoNotOptimize(harness.renderer.PresentFrame());
    }
    state.SetLabel(std::to_string(state.range(0)) + "-bit screen");
}

// Both renderers end the frame with EndScene (the software renderer's presents it).
template <typename Renderer> void FrameWithText(benchmark::State& state)
{
    Harness<Renderer> harness(32);
    if constexpr (std::is_same_v<Renderer, D3D7GraphicsPlatform>)
        if (Benchmarks::SkipWithoutAcceleratedRenderer(state))
            return;
    for (auto _ : state)
    {
        if (harness.renderer.BeginScene() == 0)
        {
            harness.Draw();
            harness.DrawText();
            harness.renderer.EndScene();
        }
    }
    if constexpr (std::is_same_v<Renderer, D3D7GraphicsPlatform>)
        state.SetLabel(harness.SdlRendererLabel());
}

void Draw(benchmark::State& state)
{
    Harness<DDraw7GraphicsPlatform> harness(32);
    for (auto _ : state)
    {
        harness.renderer.BeginScene();
        harness.Draw();
        benchmark::DoNotOptimize(harness.renderer.GetFrame());
    }
}

void Present(benchmark::State& state)
{
    Harness<DDraw7GraphicsPlatform> harness(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        harness.renderer.BeginScene();
        harness.renderer.SetPixel(0, 0, 0xFFFFFFFF); // a drawn frame, so that it is presented
        benchmark::DoNotOptimize(harness.renderer.PresentFrame());
    }
    state.SetLabel(std::to_string(state.range(0)) + "-bit screen");
}

// The least a present could do: one copy of the frame's 800 x 600 pixels.
void CopyFrame(benchmark::State& state)
{
    const std::vector<PackedColor> frame(std::size_t(kWidth) * kHeight, 0xFF204060u);
    std::vector<PackedColor> screen(frame.size());
    for (auto _ : state)
    {
        std::memcpy(screen.data(), frame.data(), frame.size() * sizeof(PackedColor));
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}

void HardwareFrame(benchmark::State& state)
{
    Harness<D3D7GraphicsPlatform> harness(32);
    if (Benchmarks::SkipWithoutAcceleratedRenderer(state))
        return;
    for (auto _ : state)
    {
        if (harness.renderer.BeginScene() == 0)
        {
            harness.Draw();
            harness.renderer.EndScene();
        }
    }
    state.SetLabel(harness.SdlRendererLabel());
}

void DrawSdl(benchmark::State& state)
{
    const Scene& scene = GetScene();
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(target);
    SDL_Texture* background =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, kWidth, kHeight);
    SDL_UpdateTexture(background, nullptr, scene.background->GetPixels(), kWidth * 4);
    SDL_SetTextureBlendMode(background, SDL_BLENDMODE_NONE);
    SDL_Texture* sprite =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, kSpriteSize, kSpriteSize);
    SDL_UpdateTexture(sprite, nullptr, scene.sprite->GetPixels(), kSpriteSize * 4);
    SDL_SetTextureBlendMode(sprite, SDL_BLENDMODE_BLEND);
    for (auto _ : state)
    {
        SDL_RenderCopy(renderer, background, nullptr, nullptr);
        for (const auto& [x, y] : scene.positions)
        {
            const SDL_Rect at{x, y, kSpriteSize, kSpriteSize};
            SDL_RenderCopy(renderer, sprite, nullptr, &at);
        }
        SDL_RenderFlush(renderer);
        benchmark::DoNotOptimize(target->pixels);
    }
    SDL_DestroyTexture(sprite);
    SDL_DestroyTexture(background);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(target);
}
} // namespace

BENCHMARK(Frame)->Name("SoftwareRenderer/Frame/Corvane")->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(FrameWithText<DDraw7GraphicsPlatform>)
    ->Name("SoftwareRenderer/FrameWithText/Corvane")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Draw)->Name("SoftwareRenderer/Draw/Corvane")->Unit(benchmark::kMillisecond);
BENCHMARK(DrawSdl)->Name("SoftwareRenderer/Draw/SDL2")->Unit(benchmark::kMillisecond);
BENCHMARK(Present)->Name("SoftwareRenderer/Present/Corvane")->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFrame)->Name("SoftwareRenderer/Present/memcpy")->Unit(benchmark::kMillisecond);
BENCHMARK(HardwareFrame)->Name("HardwareRenderer/Frame/Corvane")->Unit(benchmark::kMillisecond);
BENCHMARK(FrameWithText<D3D7GraphicsPlatform>)
    ->Name("HardwareRenderer/FrameWithText/Corvane")
    ->Unit(benchmark::kMillisecond);
