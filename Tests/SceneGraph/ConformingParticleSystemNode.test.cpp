// Particle systems that fill another node's shape, run in a scene-graph screen: where the points
// fall for rectangles, alpha-sensitive sprites, empty targets and excluded rectangles, when
// nothing is emitted, and the speeds and directions the particles leave with.
#include "SceneGraph/ParticleSystemNode.h"

#include "BoostRandomNumberStream.h"
#include "Support/SceneHarness.h"
#include "Support/SeededRandomStreams.h"
#include "Support/SpriteScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr unsigned kSeed = 4;
constexpr float kDegrees = std::numbers::pi_v<float> / 180;

struct ConformingScene
{
    ConformingScene()
    {
        scene.Manager().RegisterFactory(L"testimagelist", new TestImageListFactory);
        // Each pixel of "Stripes" has its column as its alpha: columns 21 to 39 are above 20.
        scene.Load(
            R"(<testimagelist name="Stripes" sizes="40x10"/><spritetype name="StripeSprite" images="Stripes"/>)");
        scene.Show(R"(
            <scenenode width="320" height="240">
              <animatedspritenode name="Pic" spriteType="StripeSprite" alphaSensitivity="20" x="10" y="10"/>
              <scenenode name="Area" x="100" y="50" width="60" height="20"/>
              <scenenode name="Dot" x="200" y="200"/>
              <scenenode name="Cover" x="90" y="40" width="100" height="40"/>
              <scenenode name="LeftHalf" x="100" y="50" width="30" height="20"/>
            </scenenode>)");
    }

    SceneNode* Node(const char* name) { return dynamic_cast<SceneNode*>(scene.Screen().FindByName(Label(name))); }

    // The station sparkle's creation values, registered in the screen and made a child of the
    // target (at its top-left corner); particles live long, so that every emission stays.
    ConformingParticleSystemNode* Attach(SceneNode* target, float rate = 100)
    {
        auto* node =
            new ConformingParticleSystemNode(target, &image, {1, 1, 1, 0.7f}, {1, 1, 1, 0.7f}, 0.5f, 0.5f, rate);
        node->mDefaultLifetime = 100;
        node->RegisterTree(&scene.Screen());
        node->SetParent(target);
        return node;
    }

    SeededRandomStreams streams{kSeed};
    Image image{4, 4};
    SceneHarness scene;
};
} // namespace

TEST(ConformingParticleSystemNode, EmitsInsideTheTargetOrNotAtAll)
{
    struct Case
    {
        const char* name;
        std::function<ConformingParticleSystemNode*(ConformingScene&)> make;
        int expected; // after ten updates at two per update
        std::function<bool(const Particle&)> where;
    };
    const auto inArea = [](const Particle& p) { return p.x >= 100 && p.x < 160 && p.y >= 50 && p.y < 70; };
    const Case cases[] = {
        {"a rectangle's every point", [](ConformingScene& s) { return s.Attach(s.Node("Area")); }, 20, inArea},
        {"a zero-size target at the node itself",
         [](ConformingScene& s) {
             ConformingParticleSystemNode* node = s.Attach(s.Node("Dot"));
             node->SetPosition(5, 7);
             return node;
         },
         20, [](const Particle& p) { return p.x == 205 && p.y == 207; }},
        {"no target",
         [](ConformingScene& s) {
             ConformingParticleSystemNode* node = s.Attach(s.Node("Area"));
             node->mTarget = nullptr;
             return node;
         },
         0, nullptr},
        {"a hidden emitter",
         [](ConformingScene& s) {
             ConformingParticleSystemNode* node = s.Attach(s.Node("Area"));
             node->SetVisible(false);
             return node;
         },
         0, nullptr},
        {"an emitter under a hidden node",
         [](ConformingScene& s) {
             ConformingParticleSystemNode* node = s.Attach(s.Node("Area"));
             s.Node("Area")->SetVisible(false);
             return node;
         },
         0, nullptr},
        {"an exclusion covering the target",
         [](ConformingScene& s) {
             ConformingParticleSystemNode* node = s.Attach(s.Node("Area"));
             node->mExcluded = s.Node("Cover");
             return node;
         },
         0, nullptr},
        {"an exclusion of the left half",
         [](ConformingScene& s) {
             ConformingParticleSystemNode* node = s.Attach(s.Node("Area"));
             node->mExcluded = s.Node("LeftHalf");
             return node;
         },
         20, [&inArea](const Particle& p) { return inArea(p) && p.x >= 130; }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ConformingScene s;
        ConformingParticleSystemNode* node = c.make(s);
        s.scene.Update(10);
        ASSERT_EQ(node->GetCount(), c.expected);
        for (int i = 0; i < node->GetCount(); ++i)
            EXPECT_TRUE(c.where(node->GetParticles()[i]))
                << "particle at " << node->GetParticles()[i].x << ", " << node->GetParticles()[i].y;
    }
}

TEST(ConformingParticleSystemNode, OverAnAlphaSensitiveSpriteOnlyOpaquePixelsEmitUntilATransparentOne)
{
    ConformingScene s;
    ConformingParticleSystemNode* node = s.Attach(s.Node("Pic"), 2500); // 50 asked for per update
    SeedRandomStream(2, kSeed);
    s.scene.Update();

    // Stream 2 draws y, then x, per point, then speed and direction per particle; the first
    // point on a clear pixel ends the update's emissions.
    BoostRandomNumberStream twin(kSeed);
    int expected = 0;
    for (; expected < 50; ++expected)
    {
        twin.NextFloat();
        const float x = 10.0f + twin.NextFloat() * 40.0f;
        if (int(x) - 10 <= 20)
            break;
        twin.NextFloat();
        twin.NextFloat();
    }
    ASSERT_GT(expected, 0) << "the seed gives opaque points first";
    ASSERT_LT(expected, 50) << "and then a clear one";
    EXPECT_EQ(node->GetCount(), expected);

    s.scene.Update(40);
    EXPECT_GT(node->GetCount(), expected + 10) << "emission goes on in later updates";
    for (int i = 0; i < node->GetCount(); ++i)
    {
        const Particle& p = node->GetParticles()[i];
        EXPECT_GE(int(p.x) - 10, 21) << "over a clear pixel at " << p.x;
        EXPECT_GE(p.y, 10);
        EXPECT_LT(p.y, 20);
    }
}

TEST(ConformingParticleSystemNode, ParticlesLeaveWithinTheSpeedRangeAndTheSpread)
{
    struct Case
    {
        const char* name;
        float minSpeed, maxSpeed, spread, base;
    };
    // The cook's speed-up sparkles, then the station sparkles, which start at rest.
    const Case cases[] = {{"fanned upwards", 45, 55, 135 * kDegrees, 270 * kDegrees}, {"at rest", 0, 0, 0, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ConformingScene s;
        ConformingParticleSystemNode* node = s.Attach(s.Node("Area"), 1000);
        node->mMinSpeed = c.minSpeed;
        node->mMaxSpeed = c.maxSpeed;
        node->mSpreadAngle = c.spread;
        node->mBaseAngle = c.base;
        s.scene.Update();
        ASSERT_EQ(node->GetCount(), 20);
        for (int i = 0; i < node->GetCount(); ++i)
        {
            const Particle& p = node->GetParticles()[i];
            const float speed = std::hypot(p.vx, p.vy);
            EXPECT_GE(speed, c.minSpeed - 1e-3f);
            EXPECT_LE(speed, c.maxSpeed + 1e-3f);
            if (speed > 0)
            {
                // Never within the 90 degrees around straight down that a 135-degree spread
                // about straight up leaves out.
                const float angle = std::atan2(p.vy, p.vx) / kDegrees;
                EXPECT_FALSE(angle > 45.01f && angle < 134.99f) << angle;
            }
        }
    }
}
