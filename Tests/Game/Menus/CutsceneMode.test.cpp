// The cutscene screen on test records and a test layout, driven through the loop: who walks on and
// off, which picture each side shows, when the speaker's bubble appears and with which line, and
// how Next, Skip and a missing record or text end or fill it.
#include "Framework/ISoundChannel.h"
#include "Framework/ResourceManager.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/GameDataRegistration.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/CutsceneMode.h"
#include "Graphics/ImageList.h"
#include "RandomStream.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "Support/ControlScene.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Corvane;
using namespace Corvane::Testing;
namespace Paths = ScreenPaths::Cutscene;

namespace
{
// 17 pictures per side, told apart by their sizes; the walk takes 0.1 s (5 updates).
std::string PictureSizes(int height)
{
    std::string sizes;
    for (int i = 0; i < 17; ++i)
        sizes += (i ? "," : "") + std::to_string(40 + i) + "x" + std::to_string(height);
    return sizes;
}

const std::string kResources = R"(
<testfont name="Font"/>
<testsound name="MUSIC_Cutscene_1"/><testsound name="MUSIC_Cutscene_2"/><testsound name="MUSIC_Cutscene_3"/>
<testsound name="MUSIC_LevelIntro"/>
<testimagelist name="CutsceneCharState_Left" sizes=")" + PictureSizes(90) + R"("/>
<testimagelist name="CutsceneCharState" sizes=")" + PictureSizes(91) + R"("/>
<testimagelist name="CutsceneMode_BG" sizes="800x1,800x2,800x3,800x4,800x5,800x6,800x7"/>
<testimagelist name="Btn" sizes="60x20,60x20,60x20,60x20"/>
<testimagelist name="GlintImages" sizes="60x20,60x20"/>
<spriteanimationlist name="GlintAnims">
  <animation name="Idle" frameList="0"/>
  <animation name="Play" frameList="1,0" fps="2"/>
</spriteanimationlist>
<spritetype name="Glint" images="GlintImages" animationList="GlintAnims"/>
<vector2f name="CutsceneChar_L_OnScreen" x="100" y="200"/>
<vector2f name="CutsceneChar_L_OffScreen" x="-200" y="200"/>
<vector2f name="CutsceneChar_R_OnScreen" x="600" y="200"/>
<vector2f name="CutsceneChar_R_OffScreen" x="900" y="200"/>
<float name="CutsceneEnterExitTime" value="0.1"/>
<string name="Line.Hello" value="Hello there."/>
<string name="Line.Again" value="Hello again."/>
<string name="Line.Sad" value="Oh no."/>
<string name="Line.Rival" value="Make way."/>
<string name="Line.Both" value="We are both here."/>

<CutsceneData name="Faces" Location="Dining_R">
  <CutscenePromptList name="PromptList">
    <CutscenePrompt LeftChar="MirelPos" RightChar="None" Speaker="Left" textID="Line.Hello"/>
    <CutscenePrompt LeftChar="MirelPos" RightChar="None" Speaker="Left" textID="Line.Again"/>
    <CutscenePrompt LeftChar="MirelNeg" RightChar="None" Speaker="Left" textID="Line.Sad"/>
    <CutscenePrompt LeftChar="LorcanPos" RightChar="None" Speaker="Left" textID="Line.Rival"/>
  </CutscenePromptList>
</CutsceneData>
<CutsceneData name="Crowd" Location="Kitchen_H">
  <CutscenePromptList name="PromptList">
    <CutscenePrompt LeftChar="MirelPos" RightChar="None" Speaker="Left" textID="Line.Hello"/>
    <CutscenePrompt LeftChar="LorcanPos" RightChar="QuillaPos" Speaker="Right" textID="Line.Both"/>
    <CutscenePrompt LeftChar="MirelPos" RightChar="PembryPos" Speaker="Right" textID="Line.Rival"/>
    <CutscenePrompt LeftChar="MirelNeg" RightChar="PembryNeg" Speaker="Left" textID="Line.Sad"/>
    <CutscenePrompt LeftChar="MirelNeg" RightChar="PembryNeg" Speaker="Right" textID="Line.Missing"/>
  </CutscenePromptList>
</CutsceneData>
<CutsceneData name="Silent" Location="Living_H">
  <CutscenePromptList name="PromptList"/>
</CutsceneData>

<scenelayout name="CutsceneModeLayout">
  <scenenode name="CutsceneMode" nodeName="CutsceneMode" width="800" height="600">
    <staticspritenode name="BG" nodeName="BG"/>
    <staticspritenode name="Character_Left" nodeName="Character_Left" x="-200" y="200"/>
    <staticspritenode name="Character_Right" nodeName="Character_Right" x="900" y="200"/>
    <scenenode name="TextBubble_Left" nodeName="TextBubble_Left" x="200" y="20" visible="false">
      <styledtextspritenode nodeName="bubbleText" font="Font" width="300"/>
    </scenenode>
    <scenenode name="TextBubble_Right" nodeName="TextBubble_Right" x="300" y="20" visible="false">
      <styledtextspritenode nodeName="bubbleText" font="Font" width="300"/>
    </scenenode>
    <buttonnode name="SkipButton" nodeName="SkipButton" images="Btn" x="20" y="560"/>
    <animatedspritenode name="Skip_RolloverAnim" nodeName="Skip_RolloverAnim" spriteType="Glint" initialAnimation="Idle" x="20" y="560"/>
    <buttonnode name="NextButton" nodeName="NextButton" images="Btn" x="700" y="560"/>
    <animatedspritenode name="Next_RolloverAnim" nodeName="Next_RolloverAnim" spriteType="Glint" initialAnimation="Idle" x="700" y="560"/>
  </scenenode>
</scenelayout>
)";

// What a level intro does for the music when it comes back on top.
class IntroStandIn : public SceneApplicationMode
{
public:
    void OnGainFocus() override { GameAudioManager::GetInstance()->SetMusicState(4, false); }
};

class CutsceneTest : public testing::Test
{
protected:
    CutsceneTest() : mOwnsStreams(GetRandomStream(0) == nullptr)
    {
        if (mOwnsStreams)
            CreateRandomStreams();
        RegisterRecordFactories();
        scene.Load(kResources);
    }
    ~CutsceneTest() override
    {
        delete GameAudioManager::GetInstanceIfCreated();
        if (mOwnsStreams)
            DeleteRandomStreams();
    }

    void Push(ApplicationMode* mode)
    {
        scene.looper.QueueRequest(mode, kModePush);
        scene.Update();
    }
    CutsceneMode* Open(const char* name)
    {
        Push(new CutsceneMode(Label(name)));
        return Cutscene();
    }
    CutsceneMode* Cutscene() const { return dynamic_cast<CutsceneMode*>(scene.looper.GetTopMode()); }

    StaticSpriteNode* Character(bool right) const
    {
        return scene.FindAs<StaticSpriteNode>(right ? Paths::kCharacterRight : Paths::kCharacterLeft);
    }
    // The side's picture of the state.
    IImage* Picture(bool right, CutsceneCharState state) const
    {
        return ResourceManager::Get<ImageList>(right ? "CutsceneCharState" : "CutsceneCharState_Left")->GetImage(state);
    }
    bool BubbleShown(bool right) const { return scene.Find(right ? Paths::kBubbleRight : Paths::kBubbleLeft)->IsVisible(); }
    std::wstring BubbleText(bool right) const
    {
        return scene.FindAs<StyledTextSpriteNode>(right ? Paths::kBubbleTextRight : Paths::kBubbleTextLeft)->GetText();
    }
    // The bubbles shown, as "L", "R", "LR" or "".
    std::string Bubbles() const { return std::string(BubbleShown(false) ? "L" : "") + (BubbleShown(true) ? "R" : ""); }

    void ClickNode(const NodePath& path)
    {
        const Vector2<float> middle = scene.Find(path)->GetWorldCenter();
        scene.Click(static_cast<int>(middle.x), static_cast<int>(middle.y));
    }
    void Next() { ClickNode(Paths::kNextButton); }
    // Long enough for any walk on and off to end.
    void Settle() { scene.Update(40); }

    ControlScene scene;

private:
    bool mOwnsStreams;
};
} // namespace

TEST_F(CutsceneTest, EqualStatesShowTheBubbleAtOnceAndASameCharacterChangeSwapsThePictureInPlace)
{
    ASSERT_NE(Open("Faces"), nullptr);
    EXPECT_EQ(scene.FindAs<StaticSpriteNode>(Paths::kBG)->GetImage(),
              ResourceManager::Get<ImageList>("CutsceneMode_BG")->GetImage(kLocationDiningR));
    EXPECT_EQ(Bubbles(), "") << "the first line waits for Mirel to walk on";
    Settle();
    EXPECT_EQ(Character(false)->GetPosition(), Vector2<float>(100, 200));
    EXPECT_EQ(Character(false)->GetImage(), Picture(false, kCharMirelPos));
    EXPECT_EQ(Bubbles(), "L");
    EXPECT_EQ(BubbleText(false), L"Hello there.");

    // Each line shows at once, before any update: nobody moves.
    const struct
    {
        CutsceneCharState face;
        const wchar_t* text;
    } lines[] = {{kCharMirelPos, L"Hello again."}, {kCharMirelNeg, L"Oh no."}};
    for (const auto& line : lines)
    {
        Next();
        EXPECT_EQ(Bubbles(), "L") << "the bubble shows at once";
        EXPECT_EQ(BubbleText(false), line.text);
        EXPECT_EQ(Character(false)->GetImage(), Picture(false, line.face));
        EXPECT_TRUE(Character(false)->GetTasks().IsEmpty()) << "no walk";
        scene.Update();
        EXPECT_EQ(Character(false)->GetPosition(), Vector2<float>(100, 200));
    }
    EXPECT_EQ(Cutscene()->GetLeftState(), kCharMirelNeg);
}

TEST_F(CutsceneTest, AnotherCharacterWalksOnOnlyAfterTheFirstHasLeftAndTheBubbleWaitsForBoth)
{
    Open("Faces");
    Settle();
    Next();
    Next();
    Settle(); // Mirel, unhappy, in place
    Next();   // Lorcan takes her place
    EXPECT_EQ(Bubbles(), "") << "both bubbles hide while the characters move";

    // Follow the left side, update by update: who is shown, where, and whether the bubble is up.
    std::vector<std::string> seen;
    for (int tick = 0; tick < 30; ++tick)
    {
        scene.Update();
        const StaticSpriteNode& left = *Character(false);
        const std::string who = left.GetImage() == Picture(false, kCharMirelNeg)    ? "Mirel"
                                : left.GetImage() == Picture(false, kCharLorcanPos) ? "Lorcan"
                                : left.GetImage() == nullptr                        ? "nobody"
                                                                                    : "?";
        const std::string where = left.GetPosition() == Vector2<float>(100, 200)    ? " on stage"
                                  : left.GetPosition() == Vector2<float>(-200, 200) ? " off stage"
                                                                                    : "";
        const std::string phase = who + where + (BubbleShown(false) ? " speaking" : "");
        // Mirel's walk off and Lorcan's walk on pass through many places: one entry each.
        if (seen.empty() || seen.back() != phase)
            seen.push_back(phase);
    }
    // Mirel leaves (her last steps and the picture's removal may share an update), then Lorcan
    // appears off stage, walks on, and only then speaks.
    const auto at = [&seen](const std::string& phase) {
        return std::find(seen.begin(), seen.end(), phase) - seen.begin();
    };
    EXPECT_EQ(seen.front(), "Mirel");
    EXPECT_EQ(at("nobody off stage"), at("Lorcan off stage") - 1) << testing::PrintToString(seen);
    EXPECT_LT(at("Lorcan off stage"), at("Lorcan"));
    EXPECT_EQ(std::vector<std::string>(seen.end() - 3, seen.end()),
              (std::vector<std::string>{"Lorcan", "Lorcan on stage", "Lorcan on stage speaking"}));
    EXPECT_EQ(BubbleText(false), L"Make way.");
}

TEST_F(CutsceneTest, TheBubbleWaitsForTheSlowerSideAndAQuickNextLeavesOnlyTheCurrentSpeakersBubble)
{
    Open("Crowd");
    Settle();
    ASSERT_EQ(Bubbles(), "L");

    // Left: Mirel off, Lorcan on (two walks); right: Quilla on (one walk).
    Next();
    scene.Update(7);
    EXPECT_EQ(Character(true)->GetPosition(), Vector2<float>(600, 200)) << "Quilla is in place";
    EXPECT_EQ(Bubbles(), "") << "the bubble waits for Lorcan too";
    Settle();
    EXPECT_EQ(Bubbles(), "R");

    // Both sides change places again (the right one to speak), and at once, while Lorcan and
    // Quilla are still leaving, the next line changes both expressions (the left one to speak).
    Next();
    scene.Update(2);
    Next();
    EXPECT_EQ(Bubbles(), "");
    Settle();
    EXPECT_EQ(Bubbles(), "L") << "the earlier line's right bubble never shows";
    EXPECT_EQ(BubbleText(false), L"Oh no.");
    EXPECT_EQ(Character(false)->GetImage(), Picture(false, kCharMirelNeg)) << "the entrance did not undo the change";
    EXPECT_EQ(Character(true)->GetImage(), Picture(true, kCharPembryNeg));
    EXPECT_EQ(Character(false)->GetPosition(), Vector2<float>(100, 200));
    EXPECT_EQ(Cutscene()->GetLeftState(), kCharMirelNeg);
    EXPECT_EQ(Cutscene()->GetRightState(), kCharPembryNeg);

    // A line without its text says which text is missing.
    Next();
    EXPECT_EQ(Bubbles(), "R");
    EXPECT_EQ(BubbleText(true), L"Cutscene Text 'Line.Missing' Not Found");
}

TEST_F(CutsceneTest, NextAfterTheLastLineAndSkipAtAnyTimeCloseItAndAMissingRecordClosesOnEntering)
{
    // Next through every line; the click after the last closes.
    Open("Faces");
    for (int line = 1; line < 4; ++line)
    {
        Next();
        scene.Update();
    }
    EXPECT_EQ(Cutscene()->GetLinesLeft(), 0u);
    ASSERT_NE(Cutscene(), nullptr) << "the last line stays until clicked away";
    Next();
    scene.Update();
    EXPECT_EQ(Cutscene(), nullptr);

    // Skip while both sides walk, with cue points waiting.
    Open("Crowd");
    scene.Update(3);
    Next();
    scene.Update(2);
    ClickNode(Paths::kSkipButton);
    scene.Update();
    EXPECT_EQ(Cutscene(), nullptr) << "Skip does not wait for the walks";

    // No prompts, and no record at all: closed at once, the latter reported.
    DebugCapture debug;
    for (const char* name : {"Silent", "NoSuchCutscene"})
    {
        Open(name);
        scene.Update();
        EXPECT_EQ(Cutscene(), nullptr) << name;
    }
    EXPECT_NE(debug.Text().find("NoSuchCutscene"), std::string::npos) << debug.Text();
    EXPECT_EQ(debug.Text().find("Silent"), std::string::npos) << "a record without lines is no fault";
}

TEST_F(CutsceneTest, ItPlaysTheCutsceneMusicAndTheScreenBelowGetsItsOwnBackWhenItCloses)
{
    GameAudioManager& audio = *GameAudioManager::GetInstance();
    Push(new IntroStandIn);
    ASSERT_EQ(audio.GetMusicState(), 4);
    Open("Faces");
    EXPECT_EQ(audio.GetMusicState(), 6);
    ASSERT_NE(audio.GetMusicChannel(), nullptr);
    const ISound* cutsceneTrack = audio.GetMusicChannel()->GetSound();
    EXPECT_TRUE(cutsceneTrack == ResourceManager::Get<ISound>("MUSIC_Cutscene_1").Get() ||
                cutsceneTrack == ResourceManager::Get<ISound>("MUSIC_Cutscene_2").Get() ||
                cutsceneTrack == ResourceManager::Get<ISound>("MUSIC_Cutscene_3").Get());
    EXPECT_FALSE(Cutscene()->IsOpaque()) << "the screen below stays in view";

    scene.audio.now += 10000; // the intro's music started long ago
    ClickNode(Paths::kSkipButton);
    scene.Update();
    EXPECT_EQ(audio.GetMusicState(), 4);
    ASSERT_NE(audio.GetMusicChannel(), nullptr);
    EXPECT_EQ(audio.GetMusicChannel()->GetSound(), ResourceManager::Get<ISound>("MUSIC_LevelIntro").Get());
}

TEST_F(CutsceneTest, APointerOnAButtonPlaysItsRolloverAndLeavingItReturnsItToIdle)
{
    Open("Faces");
    for (const auto& [button, rollover] :
         {std::pair{&Paths::kNextButton, &Paths::kNextRollover}, std::pair{&Paths::kSkipButton, &Paths::kSkipRollover}})
    {
        const Vector2<float> middle = scene.Find(*button)->GetWorldCenter();
        auto* anim = scene.FindAs<AnimatedSpriteNode>(*rollover);
        scene.MoveMouse(static_cast<int>(middle.x), static_cast<int>(middle.y));
        EXPECT_TRUE(anim->IsPlaying(Label("Play")));
        scene.MoveMouse(400, 300);
        EXPECT_TRUE(anim->IsPlaying(Label("Idle")));
    }
}

TEST(CutsceneCharacters, EachPersonsFacesBelongTogetherAndEveryContestantIsAPersonOfTheirOwn)
{
    const struct
    {
        CutsceneCharState a, b;
        bool same;
    } cases[] = {
        {kCharMirelPos, kCharMirelNeg2, true},         {kCharLorcanPos, kCharLorcanNeg3, true},
        {kCharQuillaNeg2, kCharQuillaPos, true},        {kCharPembryNeg, kCharPembryPos, true},
        {kCharMirelNeg2, kCharLorcanPos, false},        {kCharPembryNeg, kCharContestant01, false},
        {kCharContestant01, kCharContestant01, true},   {kCharContestant12, kCharContestant12, true},
        {kCharContestant01, kCharContestant12, false},  {kCharContestant06, kCharContestant07, false},
        {kCharNone, kCharNone, false},                  {kCharContestant12, kCharNone, false},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(IsSameCharacter(c.a, c.b), c.same) << kCutsceneCharStateNames[c.a] << " " << kCutsceneCharStateNames[c.b];
        EXPECT_EQ(IsSameCharacter(c.b, c.a), c.same) << "either way round";
    }
}
