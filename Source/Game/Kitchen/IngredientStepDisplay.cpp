#include "Game/Kitchen/IngredientStepDisplay.h"

#include "Debug.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/SelfDestructTask.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/DragInputManager.h"
#include "Game/Kitchen/FlavorPicture.h"
#include "Game/Kitchen/PowerUpManager.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Kitchen/StepSparkle.h"
#include "Graphics/ImageList.h"
#include "RandomStream.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

using namespace Corvane;
namespace Paths = ObjectPaths::StepDisplay;

namespace
{
// "RequestIcon_Station" holds flavouring, meat, vegetable.
constexpr int kIconIndex[] = {2, 1, 0};
// One wrong press in this many brings the host's remark.
constexpr int kMissRemarkOdds = 5;
} // namespace

IngredientStepDisplay::IngredientStepDisplay(const RecipeStep& step) : mStep(step.GetID()) {}

Label IngredientStepDisplay::Group()
{
    static const Label group("IngredientStepDisplay");
    return group;
}

Label IngredientStepDisplay::GetGroup() const
{
    return Group();
}

RecipeStep* IngredientStepDisplay::FindStep() const
{
    return FindLive<RecipeStep>(mStep);
}

SceneNode* IngredientStepDisplay::Child(const NodePath& path) const
{
    return GetNode() ? GetNode()->FindByPath(path) : nullptr;
}

SceneNode* IngredientStepDisplay::CreateNode()
{
    return SceneLayout::InstantiateOrBare(Label("CookingStation_StepLayout"), Label("IngredientStepDisplay"));
}

void IngredientStepDisplay::OnAttached()
{
    if (const RecipeStep* step = FindStep())
        BuildView(*step);
    ConnectDropArea();
    const DragInputManager* manager = DragInputManager::Get();
    SetDropHint(manager && manager->GetDragMode() == DragInputManager::kIngredient);
}

void IngredientStepDisplay::BuildView(const RecipeStep& step)
{
    if (SceneNode* meter = Child(Paths::kProgressMeter))
        meter->SetVisible(false);
    const int category = step.GetCategory();
    if (auto* icon = dynamic_cast<StaticSpriteNode*>(Child(Paths::kIngredientImageBG)); icon && category >= 0 && category < 3)
        icon->SetImageFromList(ResourceManager::Get<ImageList>(Label("RequestIcon_Station")).Get(), kIconIndex[category]);
    if (SceneNode* key = Child(Paths::kKeyStepIcon))
        key->SetVisible(step.GetSlot() != -1);

    const ObjectID self = GetID();
    ShowFlavorPicture(Child(Paths::kAttribute1Icon), step.GetRequest1(), true);
    ShowFlavorPicture(Child(Paths::kAttribute2Icon), step.GetRequest2(), true);
    for (const auto& [path, request] : {std::pair{&Paths::kAttribute1, step.GetRequest1()},
                                        std::pair{&Paths::kAttribute2, step.GetRequest2()}})
        if (auto* text = dynamic_cast<StyledTextSpriteNode*>(Child(*path)))
        {
            text->SetText(request ? LocalizedText::GetAttributeLabelText(request.c_str()) : std::wstring());
            text->Signals().MouseEnter.connect([self](SceneNode*) {
                if (auto* display = FindLive<IngredientStepDisplay>(self))
                    display->OnRequestHover(true);
            });
            text->Signals().MouseLeave.connect([self](SceneNode*) {
                if (auto* display = FindLive<IngredientStepDisplay>(self))
                    display->OnRequestHover(false);
            });
            text->SetHitTest(true);
        }
    // The requests' sparks shrink as they rise.
    AddStepSparkle(Child(Paths::kAttribute1Sparkle), 0.2f);
    AddStepSparkle(Child(Paths::kAttribute2Sparkle), 0.2f);
    if (const PowerUpManager* powerUps = FindPowerUpManager(); powerUps && powerUps->IsAttributeHighlightActive())
        ShowRequestSparkles(true);
}

void IngredientStepDisplay::ConnectDropArea()
{
    SceneNode* area = Child(Paths::kClickRect);
    if (!area)
        return;
    const ObjectID self = GetID();
    const auto find = [self] { return FindLive<IngredientStepDisplay>(self); };
    area->Signals().ButtonDown.connect([find](SceneNode*, MouseButton, int, int) {
        if (IngredientStepDisplay* display = find())
            display->OnPress();
    });
    // Taken, so that nothing below the display hears it.
    area->Signals().ButtonUp.connect([](SceneNode*, MouseButton, int, int) {});
    area->Signals().MouseEnter.connect([find](SceneNode*) {
        if (IngredientStepDisplay* display = find())
            EnterTarget(*display);
    });
    area->Signals().MouseLeave.connect([find](SceneNode*) {
        if (IngredientStepDisplay* display = find())
            LeaveTarget(*display);
    });
}

void IngredientStepDisplay::OnRequestHover(bool on)
{
    // Both texts light the bins that carry both requests (while the attribute power-up runs).
    const RecipeStep* step = FindStep();
    PowerUpManager* powerUps = GetPowerUpManager();
    if (step && powerUps)
        powerUps->HighlightBinsForRequests(on, step->GetRequest1(), step->GetRequest2(), step->GetCategory());
    if (on)
        EnterTarget(*this);
    else
        LeaveTarget(*this);
}

void IngredientStepDisplay::SetDropHint(bool on)
{
    if (SceneNode* area = Child(Paths::kClickRect))
        area->SetHitTest(on);
}

bool IngredientStepDisplay::HasDropHint() const
{
    const SceneNode* area = Child(Paths::kClickRect);
    return area && area->GetHitTest();
}

void IngredientStepDisplay::OnPress()
{
    RecipeStep* step = FindStep();
    IngredientSource* source = CurrentIngredientSource();
    if (!step || !source)
        return;
    const CookingIngredient* ingredient = source->GetItem();
    if (ingredient && ingredient->GetCategory() == step->GetCategory())
    {
        // The press, not the last hover, names the display that takes the drop.
        EnterTarget(*this);
        Deliver(*source);
        return;
    }
    GameAudioManager* audio = GameAudioManager::GetInstance();
    audio->PlaySound(Label("SFX_WrongIngredient"));
    step->ShowWrongIngredientTip();
    IRandomNumberStream* random = GetCurrentRandomStream();
    if (random && RandomInt(*random, 1, kMissRemarkOdds) == 1)
        audio->PlayVoice(Label("VO_Orvel_Miss"));
}

bool IngredientStepDisplay::Accept(CookingIngredient* ingredient)
{
    RecipeStep* step = FindStep();
    if (!step || !ingredient || step->GetState() != RecipeStep::kAtStation ||
        ingredient->GetCategory() != step->GetCategory())
        return false;
    DebugPrint("IngredientStepDisplay: %s serves a step of category %d\n", ingredient->GetIngredientName().c_str(),
               step->GetCategory());
    step->AddIngredient(*ingredient);
    return true;
}

void IngredientStepDisplay::OnUpdate(float)
{
    const RecipeStep* step = FindStep();
    if (step && step->GetState() > RecipeStep::kAtStation && GetTasks().IsEmpty())
        GetTasks().Add(new SelfDestructTask);
}

void IngredientStepDisplay::ShowRequestSparkles(bool on)
{
    const RecipeStep* step = FindStep();
    if (!step)
        return;
    if (SceneNode* sparkle = Child(Paths::kAttribute1Sparkle); sparkle && step->GetRequest1())
        sparkle->SetVisible(on);
    if (SceneNode* sparkle = Child(Paths::kAttribute2Sparkle); sparkle && step->GetRequest2())
        sparkle->SetVisible(on);
}

void IngredientStepDisplay::FlashRequests(bool on)
{
    if (on)
        PlayHighlightFlash(Child(Paths::kPowerUpFlashAttach));
    ShowRequestSparkles(on);
}
