// Presenting the software renderer's 800 x 600 frame on a virtual X display of 1280 x 1024 of its
// own (Xvfb), as the program presents it (frames not kept for reading back), processor time of
// the presenting thread per frame:
// - WindowedPresent: a frame with one changed pixel presented in an 800 x 600 window (the
//   renderer's EndScene: its frame converted into the back buffer, which lives in the window's
//   memory, and sent to the display), against "memcpy": one copy of the frame's pixels. Goal: at
//   most twice the copy.
// - FullScreenPresent: a frame whose every pixel changed presented full screen (converted,
//   compared with the frame shown before, scaled to 1280 x 960 between bars and sent).
// - Scale: the scaling step alone, the 800 x 600 frame (x8r8g8b8) to 1280 x 960 and to 1024 x 768
//   (the 1024 x 768 display), bilinear by PictureScaler against pixman's bilinear and nearest
//   scaling of the same frame in the same format and sizes. Goal: bilinear at least as fast as
//   pixman's.
// Names end in /Corvane, /memcpy or /pixman. Pin it to a core on a busy machine:
//
//   taskset -c 3 build-rel/Benchmarks/present_benchmark
#include "Framework/IGraphicsPlatform.h"
#include "Graphics/DrawState.h"
#include "Platform/Compat/DirectDraw/PictureScaler.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "Support/DisplayTestPlatform.h"
#include "VirtualDisplay.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <random>
#include <vector>

using namespace Corvane;

namespace
{
constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The software renderer on the virtual display, windowed or full screen (windowMode 1).
struct Presenting
{
    explicit Presenting(int windowMode) : platform((Benchmarks::UseVirtualDisplay(), kWidth), kHeight)
    {
        DisplaySettings settings;
        settings.windowMode = windowMode;
        settings.width = kWidth;
        settings.height = kHeight;
        renderer.Setup(settings);
        Compat::KeepPresentedFrames(false);
    }
    ~Presenting() { Compat::KeepPresentedFrames(true); }
    Presenting(const Presenting&) = delete;
    Presenting& operator=(const Presenting&) = delete;

    // A drawn frame: the rectangle filled with colour.
    void Fill(const Rect<int>& area, PackedColor colour)
    {
        Graphics::DrawState state;
        state.color = ColorF::FromPacked(colour);
        renderer.BeginScene();
        renderer.FillRect(area, state);
    }

    Testing::DisplayTestPlatform platform;
    DDraw7GraphicsPlatform renderer;
};

void Present(benchmark::State& state, Presenting& presenting, bool everyPixel)
{
    PackedColor colour = 0xFF204060u;
    int frame = 0;
    for (auto _ : state)
    {
        colour ^= 0x00FFFFFFu;
        ++frame;
        presenting.Fill(everyPixel ? Rect<int>(0, 0, kWidth, kHeight) : Rect<int>(frame % kWidth, 300, 1, 1), colour);
        const double before = Benchmarks::ThreadSeconds();
        benchmark::DoNotOptimize(presenting.renderer.PresentFrame());
        state.SetIterationTime(Benchmarks::ThreadSeconds() - before);
    }
}

void WindowedPresent(benchmark::State& state)
{
    Presenting presenting(0);
    Present(state, presenting, false);
}

void FullScreenPresent(benchmark::State& state)
{
    Presenting presenting(1);
    Present(state, presenting, true);
}

// One copy of the frame's pixels, timed the same way.
void CopyFrame(benchmark::State& state)
{
    const std::vector<std::uint32_t> frame(std::size_t(kWidth) * kHeight, 0xFF204060u);
    std::vector<std::uint32_t> screen(frame.size());
    for (auto _ : state)
    {
        const double before = Benchmarks::ThreadSeconds();
        std::memcpy(screen.data(), frame.data(), frame.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
        state.SetIterationTime(Benchmarks::ThreadSeconds() - before);
    }
}

const std::vector<std::uint32_t>& SourceFrame()
{
    static const std::vector<std::uint32_t> frame = [] {
        std::vector<std::uint32_t> pixels(std::size_t(kWidth) * kHeight);
        std::mt19937 random(3);
        for (std::uint32_t& pixel : pixels)
            pixel = random() | 0xFF000000u;
        return pixels;
    }();
    return frame;
}

void ScaleCorvane(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    const std::vector<std::uint32_t>& source = SourceFrame();
    std::vector<std::uint32_t> target(std::size_t(width) * height);
    Compat::PictureScaler scaler(kWidth, kHeight, width, height);
    for (auto _ : state)
    {
        scaler.Scale(reinterpret_cast<const std::uint8_t*>(source.data()), kWidth * 4,
                     reinterpret_cast<std::uint8_t*>(target.data()), width * 4, {0, 0, width, height});
        benchmark::ClobberMemory();
    }
}

void ScalePixman(benchmark::State& state, pixman_filter_t filter)
{
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    std::vector<std::uint32_t> source = SourceFrame();
    std::vector<std::uint32_t> target(std::size_t(width) * height);
    pixman_image_t* from = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, source.data(), kWidth * 4);
    pixman_image_t* to = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height, target.data(), width * 4);
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_int_to_fixed(kWidth) / width,
                                pixman_int_to_fixed(kHeight) / height);
    pixman_image_set_transform(from, &transform);
    pixman_image_set_filter(from, filter, nullptr, 0);
    pixman_image_set_repeat(from, PIXMAN_REPEAT_PAD);
    for (auto _ : state)
    {
        pixman_image_composite32(PIXMAN_OP_SRC, from, nullptr, to, 0, 0, 0, 0, 0, 0, width, height);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(from);
    pixman_image_unref(to);
}
} // namespace

BENCHMARK(WindowedPresent)->Name("WindowedPresent/800x600/Corvane")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyFrame)->Name("WindowedPresent/800x600/memcpy")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(FullScreenPresent)
    ->Name("FullScreenPresent/800x600To1280x1024/Corvane")
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ScaleCorvane)->Name("Scale/Bilinear/Corvane")->Args({1280, 960})->Args({1024, 768})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ScalePixman, Bilinear, PIXMAN_FILTER_BILINEAR)
    ->Name("Scale/Bilinear/pixman")
    ->Args({1280, 960})
    ->Args({1024, 768})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ScalePixman, Nearest, PIXMAN_FILTER_NEAREST)
    ->Name("Scale/Nearest/pixman")
    ->Args({1280, 960})
    ->Args({1024, 768})
    ->Unit(benchmark::kMicrosecond);
