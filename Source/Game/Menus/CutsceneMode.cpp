#include "Game/Menus/CutsceneMode.h"

#include "Debug.h"
#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ResourceManager.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

using namespace Corvane;
namespace Paths = ScreenPaths::Cutscene;

namespace
{
constexpr int kCutsceneMusic = 6;

// The person a state shows: 0 Mirel, 1 Lorcan, 2 Quilla, 3 Pembry, then 4 onwards each contestant;
// -1 for "None" or no state.
int CharacterOf(CutsceneCharState state)
{
    if (state >= kCharContestant01 && state <= kCharContestant12)
        return 4 + (state - kCharContestant01);
    // The first state of each person, in order; "None" ends the last.
    static constexpr CutsceneCharState kFirsts[] = {kCharMirelPos, kCharLorcanPos, kCharQuillaPos, kCharPembryPos,
                                                    kCharNone};
    for (int person = 0; person + 1 < static_cast<int>(std::size(kFirsts)); ++person)
        if (state >= kFirsts[person] && state < kFirsts[person + 1])
            return person;
    return -1;
}

// What one side is drawn with and where it stands.
struct SideLook
{
    const NodePath& character;
    const char* pictures;
    const char* onScreen;
    const char* offScreen;
};

const SideLook& LookOf(int side)
{
    static const SideLook kSides[] = {
        {Paths::kCharacterLeft, "CutsceneCharState_Left", "CutsceneChar_L_OnScreen", "CutsceneChar_L_OffScreen"},
        {Paths::kCharacterRight, "CutsceneCharState", "CutsceneChar_R_OnScreen", "CutsceneChar_R_OffScreen"},
    };
    return kSides[side];
}

Vector2<float> Place(const char* name, const SceneNode& node)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), node.GetPosition());
}

// A task showing entry state of the named image list (the list is looked up when it runs).
Task* ShowPictureTask(const char* pictures, CutsceneCharState state)
{
    return new SimpleFunctionTask<StaticSpriteNode>([pictures, state](StaticSpriteNode* node, float) {
        node->SetImageFromList(ResourceManager::Get<ImageList>(pictures).Get(), state);
    });
}
} // namespace

bool IsSameCharacter(CutsceneCharState a, CutsceneCharState b)
{
    const int character = CharacterOf(a);
    return character >= 0 && character == CharacterOf(b);
}

void CutsceneMode::OnEnter()
{
    EnterLayout(Label("CutsceneModeLayout"));

    const CutsceneData* record = ResourceManager::Get<CutsceneData>(mName).Get();
    if (record)
        mPrompts.assign(record->prompts.begin(), record->prompts.end());
    else
        DebugPrint("CutsceneMode: there is no cutscene \"%s\"; it closes without a line\n",
                   mName ? mName.c_str() : "");

    WireRollover(Paths::kNextButton, Paths::kNextRollover);
    WireRollover(Paths::kSkipButton, Paths::kSkipRollover);

    if (auto* background = FindInScreen<StaticSpriteNode>(Paths::kBG))
        background->SetImageFromList(ResourceManager::Get<ImageList>("CutsceneMode_BG").Get(),
                                     record ? record->location : 0);
    PlayNextLine();
}

void CutsceneMode::OnGainFocus()
{
    GameAudioManager::GetInstance()->SetMusicState(kCutsceneMusic, false);
}

void CutsceneMode::OnControl(Label, Label sender)
{
    static const Label next("NextButton"), skip("SkipButton");
    if (sender == skip)
        CloseAtOnce();
    else if (sender == next)
        PlayNextLine();
}

StaticSpriteNode* CutsceneMode::Character(Side side) const
{
    return FindInScreen<StaticSpriteNode>(LookOf(side).character);
}

void CutsceneMode::PlayNextLine()
{
    if (IsClosing())
        return;
    if (mPrompts.empty())
    {
        CloseAtOnce();
        return;
    }
    const CutscenePrompt prompt = mPrompts.front();
    mPrompts.pop_front();

    SceneNode* bubbles[] = {FindInScreen(Paths::kBubbleLeft), FindInScreen(Paths::kBubbleRight)};
    // An earlier line's bubble may still wait for its characters: it must not show any more.
    for (SceneNode* bubble : bubbles)
        if (bubble)
            bubble->GetTasks().EndAll();

    const bool leftMoved = ChangeCharacter(kLeftSide, mLeft, prompt.leftChar);
    const bool rightMoved = ChangeCharacter(kRightSide, mRight, prompt.rightChar);
    mLeft = prompt.leftChar;
    mRight = prompt.rightChar;

    const bool right = prompt.speaker == kCutsceneRight;
    SceneNode* bubble = bubbles[right ? 1 : 0];
    for (SceneNode* each : bubbles)
        if (each)
            each->SetVisible(false);
    if (auto* text = FindInScreen<StyledTextSpriteNode>(right ? Paths::kBubbleTextRight : Paths::kBubbleTextLeft))
        text->SetText(LocalizedText::GetCutsceneText(prompt.textID));
    if (!bubble)
        return;

    StaticSpriteNode* characters[] = {Character(kLeftSide), Character(kRightSide)};
    // A side still busy with an earlier line counts as moving: the bubble waits for it too.
    bool settling = leftMoved || rightMoved;
    for (StaticSpriteNode* character : characters)
        settling = settling || (character && !character->GetTasks().IsEmpty());
    if (!settling)
    {
        bubble->SetVisible(true);
        return;
    }
    for (StaticSpriteNode* character : characters)
    {
        CuePoint* cue = CuePoint::Create();
        // Registered on the bubble first: the cue point lives until both tasks have left it.
        bubble->GetTasks().Add(new CuePointTask(cue));
        if (character)
            character->GetTasks().Add(new CuePointTask(cue));
    }
    bubble->GetTasks().Add(new NodeVisibleTask(true));
}

bool CutsceneMode::ChangeCharacter(Side side, CutsceneCharState from, CutsceneCharState to)
{
    if (from == to)
        return false;
    StaticSpriteNode* node = Character(side);
    if (!node)
        return false;
    const SideLook& look = LookOf(side);
    if (IsSameCharacter(from, to))
    {
        // Behind an entrance still queued, whose picture task would overwrite it.
        if (node->GetTasks().IsEmpty())
            node->SetImageFromList(ResourceManager::Get<ImageList>(look.pictures).Get(), to);
        else
            node->GetTasks().Add(ShowPictureTask(look.pictures, to));
        return false;
    }
    const Vector2<float> on = Place(look.onScreen, *node);
    const Vector2<float> off = Place(look.offScreen, *node);
    const float seconds = ResourceManager::GetValue<float>(Label("CutsceneEnterExitTime"), 0.0f);
    if (from != kCharNone)
    {
        node->GetTasks().Add(new NodeLocationTask(on));
        node->GetTasks().Add(new NodeLocationTask(off, seconds));
        node->GetTasks().Add(new SimpleFunctionTask<StaticSpriteNode>(
            [](StaticSpriteNode* sprite, float) { sprite->SetImage(nullptr); }));
    }
    if (to != kCharNone)
    {
        node->GetTasks().Add(new NodeLocationTask(off));
        node->GetTasks().Add(ShowPictureTask(look.pictures, to));
        node->GetTasks().Add(new NodeLocationTask(on, seconds));
    }
    return true;
}
