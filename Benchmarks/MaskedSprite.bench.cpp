// The level screen's plate: a dish of a plate picture and twelve ingredient pictures, drawn into
// an 800 x 600 image through the software blitter each frame. "Snapshot" is the dish display's
// way, a masked sprite that renders the dish layout into its snapshot on every frame and draws the
// snapshot at 0.6 scale; the peer "Direct" draws the same layout straight onto the screen at 0.6.
// Names end in /Corvane or /Peer; the ratio of the two is the price of the snapshot.
//
//   build-rel/Benchmarks/masked_sprite_benchmark --benchmark_min_time=0.5
#include "Graphics/Image.h"
#include "Graphics/ImageCanvas.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/MaskedSpriteNode.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kPieces = 12;

std::unique_ptr<Image> Picture(int width, int height, PackedColor argb)
{
    auto image = std::make_unique<Image>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->SetPixel(x, y, (x + y) % 7 == 0 ? 0u : argb);
    return image;
}

class PlateScreen
{
public:
    explicit PlateScreen(bool snapshot)
        : mScreen(800, 600), mPlate(Picture(220, 130, 0xFFFBF1DCu)), mPiece(Picture(48, 34, 0xFFD9553Bu))
    {
        Internal::SetTopApplicationMode(&mMode);
        mMode.OnEnter();
        auto* dish = new StaticSpriteNode(mPlate.get());
        for (int i = 0; i < kPieces; ++i)
        {
            auto* piece = new StaticSpriteNode(mPiece.get());
            piece->SetPosition(float(30 + (i % 6) * 26), float(30 + (i / 6) * 40));
            piece->SetParent(dish);
        }
        if (snapshot)
        {
            dish->RegisterTree(&mMode);
            auto* picture = new MaskedSpriteNode(dish, true);
            picture->SetMaskScale({0.6f, 0.6f});
            picture->SetPosition(576, 236);
            picture->SetParent(mMode.GetRootNode());
            picture->RegisterTree(&mMode);
        }
        else
        {
            dish->SetScale(0.6f, 0.6f);
            dish->SetPosition(576, 236);
            dish->SetParent(mMode.GetRootNode());
            dish->RegisterTree(&mMode);
        }
        mCanvas = CreateImageCanvas(mScreen);
        mContext.target = mCanvas;
    }
    ~PlateScreen()
    {
        Internal::SetTopApplicationMode(nullptr);
        DestroyImageCanvas(mCanvas);
    }

    void Frame()
    {
        mMode.Update(0.02f);
        ScopedDrawState target(mContext);
        mMode.Draw();
        benchmark::DoNotOptimize(mScreen.GetPixel(600, 260));
    }

private:
    Image mScreen;
    std::unique_ptr<Image> mPlate;
    std::unique_ptr<Image> mPiece;
    ICanvas* mCanvas = nullptr;
    RenderContext mContext;
    SceneApplicationMode mMode;
};

void Snapshot(benchmark::State& state)
{
    PlateScreen screen(true);
    for (auto _ : state)
        screen.Frame();
}
BENCHMARK(Snapshot)->Name("Plate/Snapshot/Corvane")->Unit(benchmark::kMicrosecond);

void Direct(benchmark::State& state)
{
    PlateScreen screen(false);
    for (auto _ : state)
        screen.Frame();
}
BENCHMARK(Direct)->Name("Plate/Direct/Peer")->Unit(benchmark::kMicrosecond);
} // namespace
