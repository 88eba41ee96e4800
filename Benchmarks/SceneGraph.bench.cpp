// One frame of a scene-graph screen of 2,000 nodes nested five deep: the update (objects' tasks and
// the world-state refresh), the draw traversal (every node draws a picture into a canvas that
// draws nothing) and one hit test. "Moving" moves a tenth of the nodes each frame, "Still" none;
// the peer "FlatArrays" does the least such a frame needs: the same nodes as a flat array of
// parent indices, every world position recomputed in one pass, the same 2,000 picture calls and
// a backward scan for the hit. Names end in /Corvane or /Peer. The goal: under 0.3 ms a frame.
//
//   build-rel/Benchmarks/scenegraph_benchmark --benchmark_min_time=0.5
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Image.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/SceneApplicationMode.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kNodes = 2000;
constexpr int kFanOut = 5;

// Offers picture drawing and does nothing else.
class NullCanvas : public ICanvas, public IQuadDrawingCanvas
{
public:
    Label GetName() override { return Label("NullCanvas"); }
    const Rect<int>& GetBounds() override { return mBounds; }
    bool QueryInterface(Label name, void** out) override
    {
        return AnswerInterface<ICanvas>(name, this, out) || AnswerInterface<IQuadDrawingCanvas>(name, this, out);
    }
    int FillRect(const Rect<float>&, const DrawState&) override { return 0; }
    int FillRect(const Rect<int>&, const DrawState&) override { return 0; }
    int DrawImage(IImage*, float x, float y, const DrawState&) override
    {
        benchmark::DoNotOptimize(x + y);
        return 0;
    }
    int DrawStretchedImage(IImage*, const Rect<int>&, const DrawState&) override { return 0; }
    int DrawRotatedImage(IImage*, float, float, float, const DrawState&) override { return 0; }
    int DrawRotatedImageInRect(IImage*, const Rect<int>&, float, const DrawState&) override { return 0; }
    int DrawTexturedVertices(int, IImage*, const TexturedVertex*, int, const DrawState&) override { return 0; }

private:
    Rect<int> mBounds{0, 0, 800, 600};
};

class PictureNode : public SceneNode
{
public:
    explicit PictureNode(IImage* image) : mImage(image) { SetSize(16, 16); }
    void Draw(const Vector2<float>& offset) override
    {
        if (IsWorldVisible())
            DrawNodeImage(*this, mImage, offset, true);
    }

private:
    IImage* mImage;
};

// The nodes level by level, kFanOut children each, parents before children: {node, parent index}.
std::vector<int> TreeShape()
{
    std::vector<int> parents{-1};
    for (std::size_t next = 0; parents.size() < kNodes; ++next)
        for (int i = 0; i < kFanOut && parents.size() < kNodes; ++i)
            parents.push_back(static_cast<int>(next));
    return parents;
}

class Screen
{
public:
    Screen() : mImage(16, 16)
    {
        Internal::SetTopApplicationMode(&mMode);
        mMode.OnEnter();
        const std::vector<int> parents = TreeShape();
        for (std::size_t i = 0; i < parents.size(); ++i)
        {
            auto* node = new PictureNode(&mImage);
            node->SetPosition(float(i % 7), float(i % 5));
            node->SetHitTest(i % 3 == 0);
            node->SetParent(parents[i] < 0 ? mMode.GetRootNode() : mNodes[std::size_t(parents[i])]);
            mNodes.push_back(node);
        }
        mNodes.front()->RegisterTree(&mMode);
        mContext.target = &mCanvas;
    }
    ~Screen() { Internal::SetTopApplicationMode(nullptr); }

    void Frame(bool moving)
    {
        if (moving)
            for (std::size_t i = mFrame % 10; i < mNodes.size(); i += 10)
                mNodes[i]->SetPosition(float(mFrame % 13), float(i % 11));
        ++mFrame;
        mMode.Update(0.02f);
        ScopedDrawState target(mContext);
        mMode.Draw();
        benchmark::DoNotOptimize(mMode.GetRootNode()->HitTestTree({33, 27}));
    }

private:
    Image mImage;
    NullCanvas mCanvas;
    RenderContext mContext;
    SceneApplicationMode mMode;
    std::vector<SceneNode*> mNodes;
    unsigned mFrame = 0;
};

void Moving(benchmark::State& state)
{
    Screen screen;
    for (auto _ : state)
        screen.Frame(true);
}
BENCHMARK(Moving)->Name("Frame/Moving/Corvane")->Unit(benchmark::kMicrosecond);

void Still(benchmark::State& state)
{
    Screen screen;
    for (auto _ : state)
        screen.Frame(false);
}
BENCHMARK(Still)->Name("Frame/Still/Corvane")->Unit(benchmark::kMicrosecond);

void FlatArrays(benchmark::State& state)
{
    const std::vector<int> parents = TreeShape();
    std::vector<float> localX(kNodes), localY(kNodes), worldX(kNodes), worldY(kNodes);
    for (int i = 0; i < kNodes; ++i)
    {
        localX[std::size_t(i)] = float(i % 7);
        localY[std::size_t(i)] = float(i % 5);
    }
    Image image(16, 16);
    NullCanvas canvas;
    const DrawState drawState;
    unsigned frame = 0;
    for (auto _ : state)
    {
        for (std::size_t i = frame % 10; i < std::size_t(kNodes); i += 10)
            localX[i] = float(frame % 13);
        ++frame;
        for (std::size_t i = 0; i < std::size_t(kNodes); ++i)
        {
            const int parent = parents[i];
            worldX[i] = localX[i] + (parent < 0 ? 0.0f : worldX[std::size_t(parent)]);
            worldY[i] = localY[i] + (parent < 0 ? 0.0f : worldY[std::size_t(parent)]);
        }
        for (std::size_t i = 0; i < std::size_t(kNodes); ++i)
            DrawImage(&image, worldX[i], worldY[i], drawState, &canvas);
        int hit = -1;
        for (int i = kNodes; i-- > 0 && hit < 0;)
            if (i % 3 == 0 && worldX[std::size_t(i)] <= 33 && 33 < worldX[std::size_t(i)] + 16 &&
                worldY[std::size_t(i)] <= 27 && 27 < worldY[std::size_t(i)] + 16)
                hit = i;
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(FlatArrays)->Name("Frame/FlatArrays/Peer")->Unit(benchmark::kMicrosecond);
} // namespace
