#include "Game/Kitchen/FennikPlayfield.h"

#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ParallelTask.h"
#include "Framework/RepeatingTask.h"
#include "Framework/ResourceManager.h"
#include "Framework/SelfDestructTask.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/GameRecords.h"
#include "Game/Data/IngredientData.h"
#include "Game/Kitchen/DragAndDrop.h"
#include "Game/Kitchen/DragInputManager.h"
#include "Game/Kitchen/FindLive.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/InGameDishDisplay.h"
#include "Game/Kitchen/KitchenText.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/PowerUpManager.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeList.h"
#include "Game/Menus/TutorialManager.h"
#include "Graphics/IImage.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <algorithm>
#include <set>

using namespace Corvane;
namespace Paths = ObjectPaths::Playfield;

namespace
{
constexpr float kPromptBob = 10.0f;
constexpr float kPromptBobTime = 0.2f;
constexpr float kPromptPause = 1.0f;
constexpr float kIdleTipDelay = 6.0f;
constexpr int kIdleTip = 14;

const NodePath& RecipeListAttach()
{
    static const NodePath path = PathOf({"GameScreenRoot", "UI_attach", "List_Attach"});
    return path;
}

const NodePath& DishDisplay()
{
    static const NodePath path = PathOf({"GameScreenRoot", "UI_attach", "dishDisplay"});
    return path;
}

const NodePath& DishPlate()
{
    static const NodePath path = PathOf({"GameScreenRoot", "UI_attach", "dishDisplay", "plate"});
    return path;
}

const NodePath& PowerUpAttach()
{
    static const NodePath path = PathOf({"GameScreenRoot", "UI_attach", "PowerUp_Attach"});
    return path;
}

const NodePath& FXLayer()
{
    static const NodePath path = PathOf({"GameScreenRoot", "FX_Layer"});
    return path;
}

const NodePath& PopupAttach()
{
    static const NodePath path = PathOf({"GameScreenRoot", "FX_Layer", "Popup_Attach"});
    return path;
}

SceneNode* InstantiateUnder(const char* layoutName, SceneNode* parent)
{
    const SceneLayout* layout = SceneLayout::Find(Label(layoutName));
    ObjectDatabase* database = ObjectDatabase::Current();
    return layout && database ? layout->Instantiate(parent, database) : nullptr;
}
} // namespace

Label FennikPlayfield::Name()
{
    static const Label name("FennikPlayfield");
    return name;
}

Label FennikPlayfield::GetName() const
{
    return Name();
}

Label FennikPlayfield::IdleTipTaskName()
{
    static const Label name("TutorialRequest");
    return name;
}

SceneNode* FennikPlayfield::CreateNode()
{
    // Without its layout the playfield still holds the kitchen's objects.
    return SceneLayout::InstantiateOrBare(Label("FennikPlayfieldLayout"), Label("FennikPlayfield_Root"));
}

SceneNode* FennikPlayfield::FindChild(const NodePath& path) const
{
    return GetNode() ? GetNode()->FindByPath(path) : nullptr;
}

Label FennikPlayfield::ChooseBackground()
{
    const LevelProgressManager* progress = LevelProgressManager::Instance();
    const Label level = progress->GetCurrentLevelID();
    // A level in no episode (number 0) has no descriptor to read.
    const int number = progress->GetEpisodeNumOfLevel(level);
    const EpisodeDescriptor* episode = number > 0 ? progress->FindEpisode(number) : nullptr;
    if (episode && level && episode->dashcourse1.levelID == level)
        return Label("GamePlayfield_Dashcourse_1_BG");
    if (episode && level && episode->dashcourse2.levelID == level)
        return Label("GamePlayfield_Dashcourse_2_BG");
    return Label("GamePlayfield_EliminationBG");
}

void FennikPlayfield::OnAttached()
{
    if (auto* background = dynamic_cast<StaticSpriteNode*>(FindChild(Paths::kBackground)))
        if (IImage* image = ResourceManager::Get<IImage>(ChooseBackground()).Get())
        {
            background->SetImage(image);
            background->SetSize(static_cast<float>(image->GetWidth()), static_cast<float>(image->GetHeight()));
        }
    StartPromptBobbing();
}

void FennikPlayfield::StartPromptBobbing()
{
    SceneNode* prompts = FindChild(Paths::kAddIngredientPromptRoot);
    if (!prompts)
        return;
    const Vector2<float> at = prompts->GetPosition();
    prompts->GetTasks().Add(new RepeatingTask(new SerialTask(new NodeLocationTask({at.x, at.y + kPromptBob}, kPromptBobTime),
                                                             new NodeLocationTask(at, kPromptBobTime),
                                                             new TimedTask(kPromptPause))));
}

void FennikPlayfield::CreateStations(int numStations)
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return;
    const int count = std::clamp(numStations, 0, kSlots);
    for (int i = 0; i < count; ++i)
    {
        const int slot = count >= kSlots ? i : i + 1;
        auto* station = new CookingStation(slot);
        station->Attach(FindChild(Paths::kStations[slot]));
        if (slot == 1)
            mFirstStation = station->GetID();
    }
    if (SceneNode* cancel = FindChild(Paths::kCancelDragMask))
    {
        // A press on the bare floor ends the drag in progress without a target.
        cancel->Signals().ButtonDown.connect([](SceneNode*, MouseButton, int, int) {
            ClearTarget();
            if (DragInputManager* manager = DragInputManager::Get())
                manager->DeliverDrop();
        });
        cancel->SetVisible(true);
        cancel->SetHitTest(true);
    }
    auto* avatar = new PlayerAvatar;
    avatar->Attach(FindChild(Paths::kPlayerAttach));
    avatar->WalkTo(mFirstStation, true);
}

void FennikPlayfield::CreateInterface()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return;
    if (SceneNode* buttons = InstantiateUnder("PowerUpButtonsLayout", FindNodeInCurrentScene(PowerUpAttach())))
        mPowerUpButtons = buttons->GetID();
    auto* list = new RecipeList;
    list->Attach(FindNodeInCurrentScene(RecipeListAttach()));
    for (ObjectID recipe : database->GetGroup(Recipe::Group()))
        list->AddRecipe(recipe);
    auto* pantry = new IngredientPantry;
    pantry->Attach(FindChild(Paths::kPantryAttach));
    mPantry = pantry->GetID();
    (new InGameDishDisplay)->Attach(FindNodeInCurrentScene(DishPlate()));

    if (SceneNode* buttons = FindLive<SceneNode>(mPowerUpButtons))
        for (int slot = 0; slot < kPowerUpTypeCount; ++slot)
            if (auto* button = buttons->FindByPathAs<ButtonNode>(Paths::kPowerUpButtons[slot]))
            {
                const ObjectID self = GetID();
                const auto type = static_cast<PowerUpType>(slot);
                button->Clicked.connect([type](ButtonNode*) {
                    if (PowerUpManager* powerUps = GetPowerUpManager())
                        powerUps->Use(type);
                });
                button->Clicked.connect([self, type](ButtonNode*) {
                    if (auto* playfield = FindLive<FennikPlayfield>(self))
                        playfield->FlashPowerUpButton(type);
                });
            }
    if (SceneNode* popup = InstantiateUnder("IngredientDataPopupLayout", FindNodeInCurrentScene(PopupAttach())))
    {
        popup->SetVisible(false);
        mIngredientDataPopup = popup->GetID();
    }
}

void FennikPlayfield::FlashPowerUpButton(PowerUpType type)
{
    auto* buttons = FindLive<SceneNode>(mPowerUpButtons);
    const int slot = static_cast<int>(type);
    SceneNode* button =
        buttons && slot >= 0 && slot < kPowerUpTypeCount ? buttons->FindByPath(Paths::kPowerUpButtons[slot]) : nullptr;
    if (!button)
        return;
    SceneNode* flash = InstantiateUnder("PowerUpButtonsFlashLayout", buttons);
    if (!flash)
        return;
    flash->SetPosition(button->GetCenter());
    flash->BringToFront();
    // The flash goes once its animation has played.
    CuePoint* played = CuePoint::Create();
    flash->GetTasks().Add(new CuePointTask(played));
    flash->GetTasks().Add(new SelfDestructTask);
    if (SceneNode* anim = flash->FindByPath(PathOf({"anim"})))
    {
        anim->GetTasks().Add(new NodeAnimationTask(Label("Play"), 1));
        anim->GetTasks().Add(new CuePointTask(played));
    }
}

void FennikPlayfield::ShowClassicComboPopup(Label combo, float x, float y)
{
    SceneNode* popup = InstantiateUnder("ClassicComboPopupLayout", FindNodeInCurrentScene(FXLayer()));
    // One at a time: the new one replaces the one shown.
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->Remove(mClassicComboPopup);
    mClassicComboPopup = popup ? popup->GetID() : kNoObject;
    GameAudioManager::GetInstance()->PlaySound(Label("SFX_ClassicCombo"));
    if (!popup)
        return;
    const IngredientComboData* data = ResourceManager::Get<IngredientComboData>(combo).Get();
    const int points = (data ? static_cast<int>(data->ingredients.size()) : 0) *
                       ResourceManager::GetValue<int>(Label("FlavorComboMultiplier"), 0);
    SetNodeText(popup, Paths::kScoreText, L"+" + std::to_wstring(points));
    if (data)
    {
        const std::set<Label> ingredients(data->ingredients.begin(), data->ingredients.end());
        bool first = true;
        for (Label ingredient : ingredients)
        {
            auto* sprite = popup->FindByPathAs<StaticSpriteNode>(first ? Paths::kIngredient1 : Paths::kIngredient2);
            IImage* image = ResourceManager::Get<IImage>(Label::Format("%s_Image", ingredient.c_str())).Get();
            if (sprite && image)
            {
                sprite->SetImage(image);
                sprite->SetSize(static_cast<float>(image->GetWidth()), static_cast<float>(image->GetHeight()));
            }
            first = false;
        }
    }
    popup->SetPosition(x, y);
    const Vector2<float> offset =
        ResourceManager::GetValue<Vector2<float>>(Label("ClassicComboPopupFadeOffset"), {0.0f, 0.0f});
    const float fade = ResourceManager::GetValue<float>(Label("ClassicComboFadeTime"), 0.0f);
    popup->GetTasks().Add(new TimedTask(2.0f));
    popup->GetTasks().Add(new ParallelTask(0, new NodeLocationTask({x + offset.x, y + offset.y}, fade),
                                           new NodeAlphaTask(0.3f, fade)));
    popup->GetTasks().Add(new SelfDestructTask);
}

void FennikPlayfield::ShowDishDisplay(bool show)
{
    SceneNode* display = FindNodeInCurrentScene(DishDisplay());
    if (!display)
        return;
    if (show)
        display->GetTasks().Add(new NodeVisibleTask(true));
    else
        display->SetVisible(false);
}

void FennikPlayfield::SetChainPopup(ObjectID popup)
{
    if (ObjectDatabase* database = ObjectDatabase::Current())
        database->Remove(mChainPopup);
    mChainPopup = popup;
}

SceneNode* FennikPlayfield::GetIngredientDataPopup() const
{
    return FindLive<SceneNode>(mIngredientDataPopup);
}

StaticSpriteNode* FennikPlayfield::GetStationPrompt(int slot) const
{
    if (slot < 0 || slot >= kSlots)
        return nullptr;
    return dynamic_cast<StaticSpriteNode*>(FindChild(Paths::kAddIngredientPrompts[slot]));
}

void FennikPlayfield::OnUpdate(float)
{
    RefreshPowerUpButtons();
    WatchIdleKitchen();
}

void FennikPlayfield::RefreshPowerUpButtons()
{
    auto* buttons = FindLive<SceneNode>(mPowerUpButtons);
    PowerUpManager* powerUps = buttons ? GetPowerUpManager() : nullptr;
    if (!powerUps)
        return;
    for (int slot = 0; slot < kPowerUpTypeCount; ++slot)
    {
        auto* button = buttons->FindByPathAs<ButtonNode>(Paths::kPowerUpButtons[slot]);
        if (!button)
            continue;
        const int count = powerUps->GetCount(static_cast<PowerUpType>(slot));
        button->SetEnabled(count > 0);
        if (auto* counter = buttons->FindByPathAs<AnimatedSpriteNode>(Paths::kPowerUpCounts[slot]))
        {
            counter->SetVisible(count >= 1);
            if (count >= 1)
                counter->ShowFrame(count - 1);
        }
    }
}

void FennikPlayfield::WatchIdleKitchen()
{
    const std::vector<CookingStation*> stations = FindCookingStations();
    const bool busy = std::any_of(stations.begin(), stations.end(), [](const CookingStation* s) { return !s->IsFree(); });
    if (busy)
    {
        EndTasks(IdleTipTaskName());
        return;
    }
    if (GetNamedTasks().IsRunning(IdleTipTaskName()))
        return;
    AddTask(IdleTipTaskName(),
            new SerialTask(new TimedTask(kIdleTipDelay), new CallTask<FennikPlayfield>([](FennikPlayfield*) {
                               TutorialManager::Instance()->QueueTip(kIdleTip, TutorialManager::PointFor(kIdleTip));
                           })));
}

FennikPlayfield* FindPlayfield()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<FennikPlayfield*>(database->FindByName(FennikPlayfield::Name())) : nullptr;
}
