// The particle system node on its own: emission rates and duration, the particle limit, styles
// over a particle's life, motion, removal of the dead against a plain model, and the one sprite
// batch it draws.
#include "SceneGraph/ParticleSystemNode.h"

#include "Graphics/Image.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <set>
#include <vector>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
const ColorF kRed{1, 0, 0, 1};
const ColorF kClearBlue{0, 0, 1, 0};

// A node fading from opaque red at scale 2 to clear blue at scale 0, whose particles live long
// unless a test says otherwise.
struct Emitter : ParticleSystemNode
{
    explicit Emitter(float rate, float lifetime = 100.0f) : ParticleSystemNode(nullptr, kRed, kClearBlue, 2, 0, rate)
    {
        mDefaultLifetime = lifetime;
    }
};

// The counts after each of updates 20 ms updates.
std::vector<int> CountsOverUpdates(ParticleSystemNode& node, int updates)
{
    std::vector<int> counts;
    for (int i = 0; i < updates; ++i)
    {
        node.OnUpdate(0.02f);
        counts.push_back(node.GetCount());
    }
    return counts;
}
} // namespace

TEST(ParticleSystemNode, EmitsWholeParticlesPerUpdateAndDropsTheFraction)
{
    struct Case
    {
        float rate;
        std::vector<int> firstCounts; // after updates 1, 2, 3, 4
        int afterOneSecond;
    };
    const Case cases[] = {
        {30, {0, 1, 1, 2}, 25}, // 0.6 waits, 1.2 gives one and drops 0.2
        {60, {1, 2, 3, 4}, 50}, // 1.2 each update: one, the 0.2 dropped
        {100, {2, 4, 6, 8}, 100},
        {0, {0, 0, 0, 0}, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.rate);
        Emitter node(c.rate);
        const std::vector<int> counts = CountsOverUpdates(node, 50);
        EXPECT_EQ(std::vector<int>(counts.begin(), counts.begin() + 4), c.firstCounts);
        EXPECT_EQ(counts.back(), c.afterOneSecond);
    }
}

TEST(ParticleSystemNode, EmissionEndsAfterItsDurationWhileTheParticlesFadeOut)
{
    // Particles of 2.5 s: none dies before the emission ends, so every emission shows.
    Emitter node(60, 2.5f);
    node.mEmitDuration = 2.0f;
    const std::vector<int> counts = CountsOverUpdates(node, 125);
    int lastEmission = 0;
    for (int i = 1; i < int(counts.size()); ++i)
        if (counts[i] > counts[i - 1])
            lastEmission = i + 1;
    EXPECT_GE(lastEmission, 99) << "emits until 2 s";
    EXPECT_LE(lastEmission, 100) << "and not after";
    // Half a second later even the youngest have faded a fifth; none is new.
    ASSERT_GE(node.GetCount(), 99);
    for (int i = 0; i < node.GetCount(); ++i)
        EXPECT_LT(node.GetParticles()[i].color.alpha, 0.81f);
    const std::vector<int> rest = CountsOverUpdates(node, 125);
    EXPECT_GT(rest.front(), 0);
    EXPECT_EQ(rest.back(), 0) << "all faded out 2.5 s after the last emission";
}

TEST(ParticleSystemNode, NeverMoreThanTheLimitLive)
{
    Emitter node(1e9f);
    node.OnUpdate(0.02f);
    EXPECT_EQ(node.GetCount(), ParticleSystemNode::kMaxParticles);
    EXPECT_EQ(node.GetCapacity(), ParticleSystemNode::kMaxParticles) << "grown in steps of 512";
    node.OnUpdate(1e6f);
    node.OnUpdate(std::nanf(""));
    EXPECT_EQ(node.GetCount(), ParticleSystemNode::kMaxParticles);
    EXPECT_FALSE(node.EmitDirected(0, 0, 0, {0, 0}));
    EXPECT_FALSE(node.Emit());
}

TEST(ParticleSystemNode, StorageGrowsByFiveHundredTwelveRecords)
{
    Emitter node(0);
    EXPECT_EQ(node.GetCapacity(), 512);
    for (int i = 0; i < 513; ++i)
        node.AddParticle({0, 0}, {0, 0}, 1);
    EXPECT_EQ(node.GetCount(), 513);
    EXPECT_EQ(node.GetCapacity(), 1024);
}

TEST(ParticleSystemNode, AParticleMovesFromTheStartStyleToTheEndStyleThroughTheTable)
{
    Emitter node(0);
    node.SetPosition(30, 40);
    node.AddParticle({5, 6}, {10, 0}, 1.0f);
    const Particle& p = node.GetParticles()[0];
    // Born in the start style, where the node stands plus the offset.
    EXPECT_EQ(p.x, 35);
    EXPECT_EQ(p.y, 46);
    EXPECT_EQ(p.color, kRed);
    EXPECT_EQ(p.scaleX, 2);
    EXPECT_EQ(p.scaleY, 2);
    EXPECT_EQ(p.invLifetime, 1.0f);

    node.UpdateParticles(0.5f); // capped at 0.1
    EXPECT_FLOAT_EQ(p.life, 0.9f);
    EXPECT_FLOAT_EQ(p.x, 36.0f) << "moved for 0.1 s only";
    // 229.5 of 255 left: entry 229.
    EXPECT_EQ(p.color, node.GetTable()[229].color);
    for (int i = 0; i < 4; ++i)
        node.UpdateParticles(0.1f);
    node.UpdateParticles(0.0f); // a zero step only restyles
    EXPECT_NEAR(p.life, 0.5f, 1e-6f);
    const ParticleTableEntry& half = node.GetTable()[127];
    EXPECT_EQ(p.color, half.color) << "half its life left";
    EXPECT_EQ(p.scaleX, half.scale);
    EXPECT_NEAR(half.color.red, 127.0f / 255.0f, 1e-6f);
    EXPECT_NEAR(half.color.blue, 128.0f / 255.0f, 1e-6f);
    EXPECT_NEAR(half.scale, 2 * 127.0f / 255.0f, 1e-6f);

    // The table runs from the end style (entry 0) to the start style (entry 255).
    EXPECT_EQ(node.GetTable()[0].color, kClearBlue);
    EXPECT_EQ(node.GetTable()[0].scale, 0);
    EXPECT_EQ(node.GetTable()[255].color, kRed);
    EXPECT_EQ(node.GetTable()[255].scale, 2);

    // A new end style takes effect once the table is marked out of date.
    node.mEndScale = 4;
    node.UpdateParticles(0.0f);
    EXPECT_EQ(p.scaleX, half.scale) << "the old table until marked";
    node.mTableDirty = true;
    node.UpdateParticles(0.0f);
    EXPECT_FALSE(node.mTableDirty);
    EXPECT_NEAR(p.scaleX, 4 + (2 - 4) * 127.0f / 255.0f, 1e-5f);
}

TEST(ParticleSystemNode, LifetimeZeroMeansTheDefaultLifetime)
{
    ParticleSystemNode node(nullptr, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0);
    EXPECT_TRUE(node.EmitDirected(0, 0, 0, {0, 0}));
    EXPECT_EQ(node.GetParticles()[0].life, 3.5f);
    EXPECT_FLOAT_EQ(node.GetParticles()[0].invLifetime, 1 / 3.5f);
    EXPECT_EQ(node.mMinSpeed, 0.0f);
    EXPECT_EQ(node.mMaxSpeed, 0.0f);
}

TEST(ParticleSystemNode, MotionFollowsDirectionAccelerationDampingAndDrift)
{
    Emitter node(0);
    node.mBaseAngle = std::numbers::pi_v<float> / 2; // down the screen
    ASSERT_TRUE(node.EmitDirected(std::numbers::pi_v<float> / 2, 10, 1, {0, 0}));
    const Particle& p = node.GetParticles()[0];
    EXPECT_NEAR(p.vx, -10, 1e-5f) << "the base angle turns every emission";
    EXPECT_NEAR(p.vy, 0, 1e-5f);

    node.SetAcceleration(3 * std::numbers::pi_v<float> / 2, 100); // upwards
    EXPECT_NEAR(node.mAcceleration.x, 0, 1e-4f);
    EXPECT_NEAR(node.mAcceleration.y, -100, 1e-4f);
    node.mDamping = 0.5f;
    node.mDrift = {5, 0};
    node.UpdateParticles(0.1f);
    // v = (v + a dt)(1 - damping dt); position += v dt + drift dt.
    EXPECT_NEAR(p.vx, -10 * 0.95f, 1e-4f);
    EXPECT_NEAR(p.vy, -10 * 0.95f, 1e-4f);
    EXPECT_NEAR(p.x, -0.95f + 0.5f, 1e-4f);
    EXPECT_NEAR(p.y, -0.95f, 1e-4f);
}

TEST(ParticleSystemNode, RemovingTheDeadKeepsEveryLiveParticleOnceAsAPlainModelDoes)
{
    // Each particle is told apart by its horizontal speed, which nothing changes.
    Emitter node(0);
    std::map<int, float> model; // id -> life left
    std::mt19937 random(7);
    const float lifetimes[] = {0.02f, 0.02f, 0.04f, 0.05f, 0.1f, 0.3f, 1.0f};
    int nextId = 1;
    for (int update = 0; update < 400; ++update)
    {
        const int adds = int(random() % 40);
        for (int i = 0; i < adds; ++i, ++nextId)
        {
            const float lifetime = lifetimes[random() % std::size(lifetimes)];
            node.AddParticle({0, 0}, {float(nextId), 0}, lifetime);
            model[nextId] = lifetime;
        }
        node.UpdateParticles(0.02f);
        for (auto it = model.begin(); it != model.end();)
        {
            it->second -= 0.02f;
            it = it->second <= 0.0f ? model.erase(it) : std::next(it);
        }

        std::map<int, float> live;
        for (int i = 0; i < node.GetCount(); ++i)
        {
            const Particle& p = node.GetParticles()[i];
            ASSERT_TRUE(live.emplace(int(p.vx), p.life).second) << "particle " << p.vx << " twice";
        }
        ASSERT_EQ(live, model) << "after update " << update;
    }
    EXPECT_GT(nextId, 5000);

    // A pass in which every particle dies, the last ones included.
    Emitter brief(0);
    for (int i = 0; i < 5; ++i)
        brief.AddParticle({0, 0}, {0, 0}, 0.01f);
    brief.UpdateParticles(0.02f);
    EXPECT_EQ(brief.GetCount(), 0);
}

TEST(ParticleSystemNode, DrawsTheLiveRecordsAsOneBatchFadedByTheWorldAlpha)
{
    Image image(8, 8);
    SceneNode parent;
    ParticleSystemNode node(&image, kRed, kClearBlue, 1, 1, 0);
    node.SetParent(&parent);
    parent.SetAlpha(0.5f);
    node.SetAlpha(0.8f);
    for (int i = 0; i < 3; ++i)
        node.AddParticle({float(i), 0}, {0, 0}, 1);

    RecordingCanvas canvas({"ISpriteDrawingCanvas"});
    Graphics::RenderContext context{&canvas, Graphics::GetRenderContext().state};
    context.state.tint = {0.2f, 0.3f, 0.4f, 1.0f};
    context.state.flags = Graphics::kDrawMirrorX;
    Graphics::ScopedDrawState onCanvas(context);
    node.Draw({100, 100});
    ASSERT_EQ(canvas.calls.size(), 1u);
    const CanvasCall& call = canvas.calls[0];
    EXPECT_EQ(call.operation, "DrawSprites");
    EXPECT_EQ(call.image, &image);
    EXPECT_EQ(call.numbers, (std::vector<float>{3, 48})) << "three records 48 bytes apart";
    EXPECT_EQ(call.sprites, node.GetParticles()) << "straight from the array, no offset";
    EXPECT_EQ(call.state.tint.red, 0.2f);
    EXPECT_FLOAT_EQ(call.state.tint.alpha, 0.4f);
    EXPECT_EQ(call.state.flags, Graphics::kDrawMirrorX | Graphics::kDrawBlend);

    // Nothing while hidden, or with nothing live.
    parent.SetVisible(false);
    node.Draw({0, 0});
    parent.SetVisible(true);
    Emitter empty(0);
    empty.mImage = &image;
    empty.Draw({0, 0});
    EXPECT_EQ(canvas.calls.size(), 1u);
}
