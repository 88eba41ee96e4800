// The kitchen's particle effects on one screen, run for three seconds by the main loop itself
// (Looper::Loop on a test clock) and drawn by the software renderer into a headless window: the
// sparkles of a cooking station's step display over its two requests and its ingredient, the
// request sparkles of an ingredient step display, the cook's speed-up sparkles filling the shape of
// a ring sprite, and an ingredient's trail flying across the screen. Random stream 2 is seeded,
// so the frames after 1, 2 and 3 seconds are compared with golden captures (Support/GoldenFrame.h).
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Graphics/ImageFileWriters.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Win32/DDraw7GraphicsPlatform.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/ParticleSystemNode.h"
#include "Support/DisplayTestPlatform.h"
#include "Support/GoldenFrame.h"
#include "Support/SceneHarness.h"
#include "Support/SeededRandomStreams.h"
#include "Support/TestClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr float kDegrees = std::numbers::pi_v<float> / 180;
const std::filesystem::path kGoldenFolder = std::filesystem::path(CORVANE_TEST_DATA) / "SceneGraph";

// A screen that keeps the frame presented after every 50th update and asks the loop to end after
// the 150th (three seconds).
class CapturingScreen : public SceneApplicationMode
{
public:
    void Update(float dt) override
    {
        // The loop draws once after each update, so the last frame shows the last update.
        if (updates > 0 && updates % 50 == 0)
            frames.push_back(Compat::GetLastPresentedFrame());
        if (updates == 150)
        {
            RequestQuit();
            return;
        }
        SceneApplicationMode::Update(dt);
        ++updates;
    }

    int updates = 0;
    std::vector<Compat::PresentedFrame> frames;
};

// A soft round spark, white, opaque at its centre.
std::vector<PackedColor> SparkPixels(int size)
{
    std::vector<PackedColor> pixels;
    const float radius = size / 2.0f;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            const float d = std::hypot(x + 0.5f - radius, y + 0.5f - radius) / radius;
            pixels.push_back(PackedColor(std::clamp(1.0f - d, 0.0f, 1.0f) * 255) << 24 | 0xFFFFF0);
        }
    return pixels;
}

// A 48 x 48 ring, opaque between radii 14 and 22 and clear elsewhere: the cook's halo.
std::vector<PackedColor> HaloPixels()
{
    std::vector<PackedColor> pixels;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
        {
            const float d = std::hypot(x + 0.5f - 24, y + 0.5f - 24);
            pixels.push_back(d >= 14 && d < 22 ? 0x80F0C040u : 0x00000000u);
        }
    return pixels;
}

const char* const kLayouts = R"(
    <imagelist name="Halo" pattern="Pictures/Halo_%1%" first="0" last="0"/>
    <spritetype name="HaloSprite" images="Halo"/>
    <scenelayout name="StationStep">
      <testboxnode width="140" height="60" color="#304860">
        <scenenode nodeName="StepDisplay">
          <testboxnode nodeName="Attribute_1" x="10" y="10" width="60" height="14" color="#506070"/>
          <testboxnode nodeName="Attribute_2" x="10" y="34" width="60" height="14" color="#506070"/>
          <scenenode nodeName="Att1_Sparkle" x="10" y="10" width="60" height="14"/>
          <scenenode nodeName="Att2_Sparkle" x="10" y="34" width="60" height="14"/>
          <testboxnode nodeName="IngredientImg" x="90" y="10" width="40" height="40" color="#706040"/>
          <scenenode nodeName="IngredientImg_SparkleNode" x="90" y="10" width="40" height="40"/>
        </scenenode>
      </testboxnode>
    </scenelayout>
    <scenelayout name="IngredientStep">
      <testboxnode width="80" height="36" color="#403050">
        <scenenode nodeName="StepDisplay">
          <scenenode nodeName="Att1_Sparkle" x="10" y="4" width="60" height="12"/>
          <scenenode nodeName="Att2_Sparkle" x="10" y="20" width="60" height="12"/>
        </scenenode>
      </testboxnode>
    </scenelayout>
    <scenelayout name="Cook">
      <scenenode width="48" height="48">
        <animatedspritenode nodeName="SparkleBase" spriteType="HaloSprite" alphaSensitivity="64"/>
      </scenenode>
    </scenelayout>
    <scenelayout name="ParticleFeedbackNodeLayout">
      <scenenode><scenenode nodeName="boundsNode" width="16" height="16"/></scenenode>
    </scenelayout>
    <scenelayout name="Kitchen">
      <testboxnode width="320" height="240" color="#182030"/>
    </scenelayout>)";

struct KitchenEffects
{
    explicit KitchenEffects(SceneHarness& scene) : scene(scene)
    {
        spark = ResourceManager::Get<Image>("ProgressSpeedParticle").Get();
    }

    // Registered in the screen and made a child of parent, as the kitchen attaches its effects.
    ConformingParticleSystemNode* Attach(ConformingParticleSystemNode* node, SceneNode* parent)
    {
        node->RegisterTree(&scene.Screen());
        node->SetParent(parent);
        return node;
    }

    // A step display's sparkle over one area: colour (1, 1, 1, 0.7) throughout, at rest, rising.
    ConformingParticleSystemNode* StepSparkle(SceneNode* area, float endScale)
    {
        auto* node =
            new ConformingParticleSystemNode(area, spark, {1, 1, 1, 0.7f}, {1, 1, 1, 0.7f}, 0.5f, endScale, 100.0f);
        node->mMinSpeed = 0;
        node->mMaxSpeed = 0;
        node->mEmissionRate = 60;
        node->SetAcceleration(270 * kDegrees, 100);
        node->mDefaultLifetime = 0.25f;
        node->mTableDirty = true;
        return Attach(node, area);
    }

    // The cook's speed-up sparkles: fanned upwards from the halo's ring, shrinking.
    ConformingParticleSystemNode* SpeedUpSparkles(SceneNode* base)
    {
        auto* node =
            new ConformingParticleSystemNode(base, spark, {1, 1, 1, 0.7f}, {1, 1, 1, 0.7f}, 1.0f, 0.6f, 100.0f);
        node->mEmissionRate = 30;
        node->mMinSpeed = 45;
        node->mMaxSpeed = 55;
        node->mSpreadAngle = 135 * kDegrees;
        node->mDefaultLifetime = 1.5f;
        node->mTableDirty = true;
        node->mBaseAngle = 270 * kDegrees;
        return Attach(node, base);
    }

    // An ingredient flying to the dish, trailing particles that rise where they were left.
    ConformingParticleSystemNode* Flight(SceneNode* root)
    {
        SceneNode* bounds = root->FindByPath({"boundsNode"});
        auto* node =
            new ConformingParticleSystemNode(bounds, spark, {1, 1, 1, 0.7f}, {1, 0.8f, 0.4f, 0.0f}, 0.6f, 0.3f, 100.0f);
        node->SetAcceleration(270 * kDegrees, 100);
        node->mDefaultLifetime = 0.6f;
        root->GetTasks().Add(new NodeLocationTask({270.0f, 40.0f}, 2.0f));
        return Attach(node, root);
    }

    SceneHarness& scene;
    Image* spark = nullptr;
};
} // namespace

TEST(SparkleScreen, TheKitchensSparklesRunThreeSecondsInTheMainLoopAsCaptured)
{
    DisplayTestPlatform platform(kWidth, kHeight);
    DDraw7GraphicsPlatform renderer;
    DisplaySettings settings;
    settings.windowMode = 0;
    settings.width = kWidth;
    settings.height = kHeight;
    renderer.Setup(settings);

    SeededRandomStreams streams(30);
    TestClock clock;
    auto* screen = new CapturingScreen;
    SceneHarness scene(screen, clock);
    scene.AddImage("ProgressSpeedParticle", 16, 16, SparkPixels(16));
    scene.Folder().Write("Pictures/Halo_0.png", EncodePng(48, 48, HaloPixels()));
    scene.Load(kLayouts);
    KitchenEffects kitchen(scene);
    ASSERT_NE(kitchen.spark, nullptr);

    scene.Instantiate("Kitchen");
    SceneNode* station = scene.Instantiate("StationStep");
    station->SetPosition(20, 30);
    SceneNode* ingredientStep = scene.Instantiate("IngredientStep");
    ingredientStep->SetPosition(20, 150);
    SceneNode* cook = scene.Instantiate("Cook");
    cook->SetPosition(220, 150);
    SceneNode* flight = scene.Instantiate("ParticleFeedbackNodeLayout");
    flight->SetPosition(180, 210);

    std::vector<ConformingParticleSystemNode*> sparkles;
    for (const char* area : {"Att1_Sparkle", "Att2_Sparkle", "IngredientImg_SparkleNode"})
        sparkles.push_back(kitchen.StepSparkle(station->FindByPath({"StepDisplay", area}), 0.5f));
    for (const char* area : {"Att1_Sparkle", "Att2_Sparkle"})
        sparkles.push_back(kitchen.StepSparkle(ingredientStep->FindByPath({"StepDisplay", area}), 0.2f));
    ConformingParticleSystemNode* speedUp = kitchen.SpeedUpSparkles(cook->FindByPath({"SparkleBase"}));
    ConformingParticleSystemNode* trail = kitchen.Flight(flight);
    // The second request of the ingredient step is met later: its sparkle shows after a second.
    sparkles.back()->SetVisible(false);
    sparkles.back()->GetTasks().Add(new SerialTask(new TimedTask(1.0f), new NodeVisibleTask(true)));

    // The game's window has the focus, as while the player watches it: the loop runs.
    platform.HandleMessage(platform.GetWindowHandle(), WM_ACTIVATE, WA_ACTIVE, 0);
    SeedRandomStream(2, 30);
    Compat::ForgetPresentedFrames();
    scene.looper.Loop();

    EXPECT_EQ(screen->updates, 150);
    EXPECT_EQ(Compat::CountPresentedFrames(), 150) << "one frame after each update";
    ASSERT_EQ(screen->frames.size(), 3u);
    for (std::size_t i = 0; i < screen->frames.size(); ++i)
    {
        const std::string name = "sparkles-" + std::to_string(i + 1) + "s.png";
        SCOPED_TRACE(name);
        const Compat::PresentedFrame& frame = screen->frames[i];
        ASSERT_EQ(frame.width, kWidth);
        ASSERT_EQ(frame.height, kHeight);
        CompareWithGolden(frame, kGoldenFolder / name);
        // The sparks are there: the scene's colours are all dark without them.
        const auto bright = std::count_if(frame.pixels.begin(), frame.pixels.end(),
                                          [](std::uint32_t p) { return (p >> 16 & 0xFF) > 0xB0; });
        EXPECT_GT(bright, 100);
    }
    if (RenewingGoldenCaptures())
        GTEST_SKIP() << "wrote the captures into " << kGoldenFolder;

    // Each step sparkle keeps about rate x lifetime (15) alive; the halo's only on its ring.
    for (ConformingParticleSystemNode* sparkle : sparkles)
    {
        EXPECT_GE(sparkle->GetCount(), 10);
        EXPECT_LE(sparkle->GetCount(), 16);
    }
    EXPECT_GT(speedUp->GetCount(), 5);
    for (int i = 0; i < speedUp->GetCount(); ++i)
        EXPECT_LT(speedUp->GetParticles()[i].y, 150 + 48 + 55 * 1.5f);
    EXPECT_EQ(flight->GetPosition(), (Vector2<float>{270.0f, 40.0f})) << "the ingredient arrived";
    EXPECT_GT(trail->GetCount(), 30);
}
