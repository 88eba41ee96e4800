#include "Game/Kitchen/CookingStation.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/ActionStepDisplay.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/DragAndDrop.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/FindLive.h"
#include "Game/Kitchen/FlameMeter.h"
#include "Game/Kitchen/IngredientStepDisplay.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Menus/TutorialManager.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"

using namespace Corvane;
namespace Paths = ObjectPaths::CookingStation;

namespace
{
constexpr float kPromptDelay = 0.5f;
constexpr float kTipDelay = 0.5f;
constexpr int kSecondRequestTip = 18;
// A bonus's tip comes a second after its popup, pointing at the step it was won with.
constexpr float kBonusTipDelay = 1.0f;

const char* const kActionNames[] = {"Chop", "Saute", "Boil", "Mix"};

Label TutorialRequest()
{
    static const Label name("TutorialRequest");
    return name;
}

} // namespace

CookingStation::CookingStation(int slot) : mSlot(slot) {}

Label CookingStation::Group()
{
    static const Label group("CookingStation");
    return group;
}

Label CookingStation::GetGroup() const
{
    return Group();
}

SceneNode* CookingStation::CreateNode()
{
    return SceneLayout::InstantiateOrBare(Label("CookingStationLayout"), Label("CookingStation_Root"));
}

void CookingStation::OnAttached()
{
    auto* meter = new FlameMeter;
    SceneNode* flameAttach = FindChild(Paths::kFlameAttach);
    meter->Attach(flameAttach ? flameAttach : GetNode());
    mFlameMeter = meter->GetID();
    ConnectClickRect();
    SetClickable(true);
}

void CookingStation::ConnectClickRect()
{
    SceneNode* area = FindChild(ObjectPaths::StepDisplay::kClickRect);
    if (!area)
        return;
    const ObjectID self = GetID();
    area->Signals().ButtonDown.connect([self](SceneNode*, MouseButton, int, int) {
        // A drag in progress goes on.
        if (auto* station = FindLive<CookingStation>(self))
            station->OnPressed();
    });
    area->Signals().ButtonUp.connect([](SceneNode*, MouseButton, int, int) {});
    area->Signals().MouseEnter.connect([self](SceneNode*) {
        if (auto* station = FindLive<CookingStation>(self))
            station->OnPointerEnter();
    });
    area->Signals().MouseLeave.connect([self](SceneNode*) {
        if (auto* station = FindLive<CookingStation>(self))
            station->OnPointerLeave();
    });
}

void CookingStation::OnPointerEnter()
{
    if (IsFree())
        EnterTarget(*this);
}

void CookingStation::OnPointerLeave()
{
    LeaveTarget(*this);
}

void CookingStation::SetClickable(bool on)
{
    if (SceneNode* area = FindChild(ObjectPaths::StepDisplay::kClickRect))
        area->SetHitTest(on);
}

SceneNode* CookingStation::FindChild(const NodePath& path) const
{
    return GetNode() ? GetNode()->FindByPath(path) : nullptr;
}

RecipeStep* CookingStation::FindStep() const
{
    return FindLive<RecipeStep>(mStep);
}

FlameMeter* CookingStation::GetFlameMeter() const
{
    return FindLive<FlameMeter>(mFlameMeter);
}

bool CookingStation::Accept(RecipeStep* step)
{
    if (!step || !IsFree())
        return false;
    ReceiveStep(step->GetID());
    return true;
}

void CookingStation::ReceiveStep(ObjectID step)
{
    mStep = step;
    if (RecipeStep* received = FindStep())
        received->AssignToStation(GetID());
}

void CookingStation::ShowStepArea(bool show)
{
    if (SceneNode* area = FindChild(Paths::kActionStepAttach))
        area->SetVisible(show);
    SceneNode* keyStep = FindChild(Paths::kKeyStepBG);
    if (keyStep)
        keyStep->SetVisible(false);
    if (!show)
        return;
    const RecipeStep* step = FindStep();
    if (keyStep && step && step->GetData().displayIndex != -1)
        keyStep->SetVisible(true);
    EndTasks(TutorialRequest());
    AddTask(TutorialRequest(),
            new SerialTask(new TimedTask(kTipDelay), new CallTask<CookingStation>([](CookingStation* station) {
                               TutorialManager::Instance()->QueuePantryTips(station->GetNode());
                           })));
    if (step && step->GetData().attRequest2 && GetNode())
        TutorialManager::Instance()->QueueTip(kSecondRequestTip,
                                              TutorialManager::PointAt(*GetNode(), Paths::kActionStepAttach));
}

void CookingStation::OnStepArrived()
{
    ClearStepDisplay();
    if (const RecipeStep* step = FindStep())
        AttachStepDisplay(new IngredientStepDisplay(*step));
    if (FlameMeter* meter = GetFlameMeter())
        meter->StartIngredientWait();
    FennikPlayfield* playfield = FindPlayfield();
    StaticSpriteNode* prompt = playfield ? playfield->GetStationPrompt(mSlot) : nullptr;
    if (!prompt)
        return;
    // The prompt names the pantry row to take from: flavourings, meats, vegetables.
    static const int kPromptImages[] = {2, 1, 0};
    const int category = GetStepCategory();
    if (category >= 0 && category < 3)
        prompt->SetImageFromList(ResourceManager::Get<ImageList>(Label("AddIngredientPopup")).Get(),
                                 kPromptImages[category]);
    prompt->GetTasks().Add(new TimedTask(kPromptDelay));
    prompt->GetTasks().Add(new NodeVisibleTask(true));
}

void CookingStation::OnCookingStarted()
{
    // The ingredient display goes and the prompt with it: the step has its ingredient.
    ClearStepDisplay();
    if (const RecipeStep* step = FindStep())
        AttachStepDisplay(new ActionStepDisplay(*step));
    if (FlameMeter* meter = GetFlameMeter())
        meter->StartInteractionWait();
    GameAudioManager::GetInstance()->StartPassiveStationSound(GetID());
}

void CookingStation::OnAllRequestsMet()
{
    if (FlameMeter* meter = GetFlameMeter())
        meter->GainFlame();
    // The tips point at the station where it stands once the new flame has come in.
    GetTasks().Add(new SerialTask(
        new TimedTask(ResourceManager::GetValue<float>(Label("FlameRootLocation_EnterTime"), 0.0f)),
        new CallTask<CookingStation>([](CookingStation* station) {
            if (SceneNode* node = station->GetNode())
                TutorialManager::Instance()->QueueStationTips(*node);
        })));
}

int CookingStation::GetFlameScore() const
{
    const FlameMeter* meter = GetFlameMeter();
    return meter ? meter->GetFlames() * ResourceManager::GetValue<int>(Label("FlameMeter_PerFlameScore"), 0) : 0;
}

void CookingStation::ResetFlames()
{
    if (FlameMeter* meter = GetFlameMeter())
    {
        meter->Reset();
        meter->StopTimers();
    }
}

void CookingStation::OnPressed()
{
    // The same press as on the cooking step's card: a stove pressed where the cook already stands
    // puts him to work instead of doing nothing.
    if (RecipeStep* step = FindStep(); step && step->GetState() > RecipeStep::kAtStation)
        step->OnStationClicked();
    else if (PlayerAvatar* avatar = FindPlayerAvatar())
        avatar->WalkTo(GetID(), false);
}

void CookingStation::OnAvatarArrived()
{
    RecipeStep* step = FindStep();
    if (step && step->GetState() > RecipeStep::kAtStation)
        step->OnStationClicked();
}

void CookingStation::OnAvatarLeft()
{
    if (RecipeStep* step = FindStep())
        step->SetWorking(false);
}

void CookingStation::SetAvatarWorking(bool working)
{
    if (PlayerAvatar* avatar = FindPlayerAvatar())
        avatar->SetWorking(working);
    // The loops follow the cook only while the step cooks (its action display is up).
    const RecipeStep* step = FindStep();
    if (!step || step->GetState() != RecipeStep::kCooking)
        return;
    GameAudioManager* audio = GameAudioManager::GetInstance();
    auto* display = dynamic_cast<ActionStepDisplay*>(GetStepDisplay());
    if (working)
    {
        audio->StartActiveStationSound(GetID());
        if (display)
            display->PlaySpeedUpAccel();
    }
    else
    {
        audio->StartPassiveStationSound(GetID());
        if (display)
        {
            display->PlaySpeedUpIdle();
            display->SetActionIndicator(true);
        }
    }
}

void CookingStation::SetDisplayIdleSprite(bool visible)
{
    if (auto* display = dynamic_cast<ActionStepDisplay*>(GetStepDisplay()))
        display->SetActionIndicator(visible);
}

bool CookingStation::IsAvatarHere() const
{
    const PlayerAvatar* avatar = FindPlayerAvatar();
    return avatar && avatar->GetStation() == GetID();
}

SceneLayoutController* CookingStation::GetStepDisplay() const
{
    return FindLive<SceneLayoutController>(mStepDisplay);
}

void CookingStation::AttachStepDisplay(SceneLayoutController* display)
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->Remove(mStepDisplay);
    mStepDisplay = kNoObject;
    if (!display)
        return;
    display->Attach(FindChild(Paths::kActionStepAttach));
    mStepDisplay = display->GetID();
}

void CookingStation::ClearStepDisplay()
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->Remove(mStepDisplay);
    mStepDisplay = kNoObject;
    FennikPlayfield* playfield = FindPlayfield();
    if (StaticSpriteNode* prompt = playfield ? playfield->GetStationPrompt(mSlot) : nullptr)
    {
        prompt->GetTasks().EndAll();
        prompt->SetVisible(false);
    }
}

Label CookingStation::GetStepIngredient() const
{
    const RecipeStep* step = FindStep();
    return step ? step->GetIngredient() : Label();
}

Label CookingStation::GetStepActionName() const
{
    const int action = GetStepActionType();
    return action >= 0 && action < 4 ? Label(kActionNames[action]) : Label();
}

int CookingStation::GetStepActionType() const
{
    const RecipeStep* step = FindStep();
    return step ? static_cast<int>(step->GetData().anim) : -1;
}

int CookingStation::GetStepCategory() const
{
    const RecipeStep* step = FindStep();
    return step ? static_cast<int>(step->GetData().category) : -1;
}

bool CookingStation::StepHasMatched(Label attribute) const
{
    const RecipeStep* step = FindStep();
    if (!step)
        return false;
    return (step->GetData().attRequest1 == attribute && step->IsRequestMatched(0)) ||
           (step->GetData().attRequest2 == attribute && step->IsRequestMatched(1));
}

void CookingStation::OnUpdate(float)
{
    const RecipeStep* step = FindStep();
    if (!step || step->GetState() < RecipeStep::kFinishing)
        return;
    // The step goes on to the dish by itself: the station is free for the next one.
    mStep = kNoObject;
    if (SceneNode* keyStep = FindChild(Paths::kKeyStepBG))
        keyStep->SetVisible(false);
    GameAudioManager* audio = GameAudioManager::GetInstance();
    audio->StopStationSound(GetID(), false);
    audio->StopStationSound(GetID(), true);
    if (IsAvatarHere())
        if (PlayerAvatar* avatar = FindPlayerAvatar())
            avatar->SetWorking(false);
    if (FlameMeter* meter = GetFlameMeter())
        meter->StopTimers();
}

void CookingStation::QueueBonusTip(int tip)
{
    // The place is taken now: the step may have left the station a second later.
    const Vector2<float> tipAt =
        GetNode() ? TutorialManager::PointAt(*GetNode(), Paths::kActionStepAttach) : Vector2<float>{-1.0f, -1.0f};
    GetTasks().Add(new TimedTask(kBonusTipDelay));
    GetTasks().Add(new CallTask<CookingStation>(
        [tip, tipAt](CookingStation*) { TutorialManager::Instance()->QueueTip(tip, tipAt); }));
}

std::vector<CookingStation*> FindCookingStations()
{
    return LiveMembers<CookingStation>(CookingStation::Group());
}
