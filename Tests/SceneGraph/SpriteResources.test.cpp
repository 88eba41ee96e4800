#include "SceneGraph/AnimationParseError.h"
#include "SceneGraph/SpriteAnimationReader.h"
#include "SceneGraph/SceneGraphRegistration.h"
#include "SceneGraph/SpriteType.h"

#include "Support/ResourceFolder.h"

#include <gtest/gtest.h>

#include <typeinfo>
#include <utility>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Frames = std::vector<std::pair<int, float>>;

Frames FramesOf(const SpriteAnimation& animation)
{
    Frames frames;
    for (const SpriteFrame& frame : animation.frames)
        frames.emplace_back(frame.index, frame.duration);
    return frames;
}

class SpriteResourcesTest : public testing::Test
{
protected:
    SpriteResourcesTest() { RegisterSceneResourceFactories(); }

    void Load(const std::string& manifest, const std::string& body)
    {
        resources.WriteManifest(manifest, body);
        resources.Manager().LoadAndWait(std::wstring(manifest.begin(), manifest.end()), false, nullptr);
    }
    // The error text of loading body, which must fail with an AnimationParseError.
    std::string LoadError(const std::string& manifest, const std::string& body)
    {
        try
        {
            Load(manifest, body);
        }
        catch (const AnimationParseError& error)
        {
            return error.what();
        }
        return "(loaded)";
    }
    static const SpriteType* Type(const char* name) { return ResourceManager::Get<SpriteType>(name).Get(); }
    static const SpriteAnimationList* List(const char* name)
    {
        return ResourceManager::Get<SpriteAnimationList>(name).Get();
    }
    static const SpriteAnimation& Animation(const SpriteAnimationList* list, const char* name)
    {
        static const SpriteAnimation missing(Label("(missing)"), 0, false, Label());
        const auto found = list->GetAnimations().find(Label(name));
        return found == list->GetAnimations().end() ? missing : found->second;
    }

    ResourceFolder resources;
};
} // namespace

TEST_F(SpriteResourcesTest, PlaysComeFromNumPlaysElseNumLoopsAndZeroMeansForever)
{
    Load("plays", R"(
        <spriteanimationlist name="Plays">
          <animation name="plain"/>
          <animation name="loops2" numLoops="2"/>
          <animation name="loopsNegative" numLoops="-1"/>
          <animation name="loopsMax" numLoops="2147483647"/>
          <animation name="plays0" numPlays="0"/>
          <animation name="playsNegative" numPlays="-3"/>
          <animation name="playsWin" numPlays="4" numLoops="9"/>
          <animation name="pong" pingPong="true"/>
        </spriteanimationlist>)");
    const SpriteAnimationList* list = List("Plays");
    ASSERT_NE(list, nullptr);
    const std::pair<const char*, int> expected[] = {{"plain", 1},  {"loops2", 3},         {"loopsNegative", 1},
                                                    {"loopsMax", 2147483647}, {"plays0", -1}, {"playsNegative", -3},
                                                    {"playsWin", 4}};
    for (const auto& [name, plays] : expected)
        EXPECT_EQ(Animation(list, name).numPlays, plays) << name;
    EXPECT_FALSE(Animation(list, "plain").pingPong);
    EXPECT_TRUE(Animation(list, "pong").pingPong);
    EXPECT_EQ(FramesOf(Animation(list, "plain")), (Frames{{0, 1.0f}})) << "no attributes, no children";
}

TEST_F(SpriteResourcesTest, FramesComeFromTheFrameListTimedByDurationOrRateElseFromFrameChildren)
{
    Load("timing", R"(
        <spriteanimationlist name="Timing">
          <animation name="duration" frameList="0-3" duration="2.0"/>
          <animation name="fps" frameList="0-3" fps="8"/>
          <animation name="fpsZero" frameList="0-3" fps="0"/>
          <animation name="both" frameList="4,5" duration="3" fps="100"/>
          <animation name="durationOnly" duration="1.5"><frame index="7"/></animation>
          <animation name="listOnly" frameList="9-8"/>
          <animation name="absurdRate" frameList="1" fps="1e30"/>
          <animation name="children">
            <frame index="3" duration="0.25"/>
            <frame duration="-1"/>
            text between
            <Frame index="8"/>
            <group><frame index="9"/></group>
            <frame index="2" duration="nan"/>
          </animation>
        </spriteanimationlist>)");
    const SpriteAnimationList* list = List("Timing");
    ASSERT_NE(list, nullptr);
    const std::pair<const char*, Frames> expected[] = {
        {"duration", {{0, 0.5f}, {1, 0.5f}, {2, 0.5f}, {3, 0.5f}}},
        {"fps", {{0, 0.125f}, {1, 0.125f}, {2, 0.125f}, {3, 0.125f}}},
        {"fpsZero", {{0, 1.0f}, {1, 1.0f}, {2, 1.0f}, {3, 1.0f}}},
        {"both", {{4, 1.5f}, {5, 1.5f}}},
        {"durationOnly", {{0, 1.5f}}},
        {"listOnly", {{9, 1.0f}, {8, 1.0f}}},
        {"absurdRate", {{1, kMinFrameDuration}}},
        {"children", {{3, 0.25f}, {0, 1.0f}, {2, 1.0f}}},
    };
    for (const auto& [name, frames] : expected)
        EXPECT_EQ(FramesOf(Animation(list, name)), frames) << name;
}

TEST_F(SpriteResourcesTest, ATypesOwnAnimationsOverrideItsListsAndLinksResolveToTheTypesVersions)
{
    Load("cook", R"(
        <spriteanimationlist name="CookMoves">
          <animation name="stand" frameList="0"/>
          <animation name="walk" frameList="1-4" linkedAnimation="stand"/>
          <animation name="wave" frameList="5" linkedAnimation="nowhere"/>
          <animation name="sit" frameList="6" linkedAnimation=""/>
        </spriteanimationlist>
        <spritetype name="Cook" images="CookImages" animationList="CookMoves">
          <animation name="stand" frameList="10"/>
          <animation name="jump" frameList="11"/>
          <animation name="jump" frameList="12" linkedAnimation="walk"/>
          <nested><animation name="hidden"/></nested>
        </spritetype>
        <spritetype name="Plain" images="x" animationList="Cook"/>
        <spritetype name="Lonely" animationList="NotDeclared"/>)");
    const SpriteType* cook = Type("Cook");
    ASSERT_NE(cook, nullptr);
    EXPECT_EQ(cook->GetTypeName(), Label("Cook"));
    EXPECT_EQ(cook->GetImages(), Label("CookImages"));
    EXPECT_EQ(cook->GetAnimations().size(), 5u);
    EXPECT_EQ(cook->FindAnimation(Label("hidden")), nullptr) << "only direct children are animations";

    const SpriteAnimation* stand = cook->FindAnimation(Label("STAND"));
    ASSERT_NE(stand, nullptr);
    EXPECT_EQ(FramesOf(*stand), (Frames{{10, 1.0f}})) << "the type's own version";
    EXPECT_EQ(cook->FindAnimation(Label("walk"))->linked, stand);
    EXPECT_EQ(cook->FindAnimation(Label("jump"))->linked, cook->FindAnimation(Label("walk")));
    EXPECT_EQ(FramesOf(*cook->FindAnimation(Label("jump"))), (Frames{{12, 1.0f}})) << "the later one";
    EXPECT_EQ(cook->FindAnimation(Label("wave"))->linked, nullptr);
    EXPECT_EQ(cook->FindAnimation(Label("sit"))->linkedAnimation, Label());

    const SpriteAnimationList* moves = List("CookMoves");
    for (const auto& [name, animation] : moves->GetAnimations())
        EXPECT_EQ(animation.linked, nullptr) << "lists never resolve links: " << name.c_str();
    EXPECT_TRUE(Type("Plain")->GetAnimations().empty()) << "a sprite type is no animation list";
    EXPECT_TRUE(Type("Lonely")->GetAnimations().empty());
}

TEST_F(SpriteResourcesTest, AnimationErrorsNameTheirSpriteTypeOrListAndAnimationAndCreateNothing)
{
    EXPECT_EQ(LoadError("badType", R"(
        <spritetype name="Cook"><animation name="walk" frameList="1,,2"/></spritetype>)"),
              "in SpriteType \"Cook\": in animation \"walk\": illegal token ',' (line 1, pos 3). (Expected an integer).");
    EXPECT_EQ(Type("Cook"), nullptr);

    EXPECT_EQ(LoadError("badList", R"(
        <spriteanimationlist name="Moves"><animation name="ok"/><animation name="run" frameList="-4"/></spriteanimationlist>)"),
              "in SpriteAnimationList \"Moves\": in animation \"run\": illegal token '-' (line 1, pos 1). ");
    EXPECT_EQ(List("Moves"), nullptr);

    EXPECT_EQ(LoadError("unnamed", R"(
        <spritetype name="Nameless"><animation frameList="1 2"/></spritetype>)"),
              "in SpriteType \"Nameless\": illegal token '2' (line 1, pos 4). (Expected ',').");

    try
    {
        Load("tooLarge", R"(<spritetype name="Big"><animation name="a" frameList="12345678901"/></spritetype>)");
        ADD_FAILURE() << "an eleven-digit index loaded";
    }
    catch (const AnimationParseError&)
    {
        ADD_FAILURE() << "the conversion error carries no context";
    }
    catch (const std::bad_cast&)
    {
    }
    EXPECT_EQ(Type("Big"), nullptr);
}
