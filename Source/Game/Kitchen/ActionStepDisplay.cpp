#include "Game/Kitchen/ActionStepDisplay.h"

#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Framework/SelfDestructTask.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/FlavorPicture.h"
#include "Game/Kitchen/PowerUpManager.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Kitchen/StepSparkle.h"
#include "Graphics/Image.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/MeterBarNodes.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <string>
#include <vector>

using namespace Corvane;

namespace
{
constexpr const char* kActionNames[] = {"Chop", "Saute", "Boil", "Mix"};
constexpr const char* kCategoryNames[] = {"Vegetable", "Meat", "Flavoring"};
constexpr const char* kMeterLists[] = {"ProgressMeter_V", "ProgressMeter_M", "ProgressMeter_F"};
// The category backgrounds stand in "IngredientBG_Station" in the reverse order.
constexpr int kBackgroundIndex[] = {2, 1, 0};

// A request's flash: full at once, held, then faded out.
constexpr float kFlashHold = 0.2f;
constexpr float kFlashFade = 0.3f;

bool ValidIndex(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// "a/b" as a path of node names.
NodePath PathFrom(const char* text)
{
    std::vector<NodePathElement> steps;
    std::string rest = text;
    for (std::size_t slash; (slash = rest.find('/')) != std::string::npos; rest.erase(0, slash + 1))
        steps.emplace_back(rest.substr(0, slash));
    steps.emplace_back(rest);
    return NodePath(std::move(steps));
}
} // namespace

ActionStepDisplay::ActionStepDisplay(const RecipeStep& step) : mStep(step.GetID()) {}

Label ActionStepDisplay::Group()
{
    static const Label group("ActionStepDisplay");
    return group;
}

Label ActionStepDisplay::GetGroup() const
{
    return Group();
}

RecipeStep* ActionStepDisplay::FindStep() const
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<RecipeStep*>(database->Get(mStep)) : nullptr;
}

SceneNode* ActionStepDisplay::Child(const char* path) const
{
    return GetNode() ? GetNode()->FindByPath(PathFrom(path)) : nullptr;
}

SceneNode* ActionStepDisplay::CreateNode()
{
    return SceneLayout::InstantiateOrBare(Label("CookingStation_StepLayout"), Label("ActionStepDisplay"));
}

void ActionStepDisplay::OnAttached()
{
    if (SceneNode* click = Child("clickRect"))
    {
        click->Signals().ButtonDown.connect([this](SceneNode*, MouseButton, int, int) {
            if (RecipeStep* step = FindStep())
                step->OnStationClicked();
        });
        // Taken and dropped, so that nothing below the display hears them.
        click->Signals().ButtonUp.connect([](SceneNode*, MouseButton, int, int) {});
        click->Signals().MouseEnter.connect([](SceneNode*) {});
        click->Signals().MouseLeave.connect([](SceneNode*) {});
        click->SetHitTest(true);
    }
    if (const RecipeStep* step = FindStep())
    {
        BuildView(*step);
        ConnectPowerUpHovers(*step);
    }
    BuildSparkles();
    SetActionIndicator(true);
}

void ActionStepDisplay::BuildView(const RecipeStep& step)
{
    const int category = step.GetCategory();
    if (SceneNode* meter = Child("ProgMeter"))
        meter->SetVisible(true);
    if (SceneNode* key = Child("StepDisplay/KeyStepIcon"))
        key->SetVisible(step.GetSlot() != -1);

    const auto* styleSource = dynamic_cast<StyledTextSpriteNode*>(Child("StepDisplay/Attribute_1"));
    TextStyle style = styleSource ? styleSource->GetStyle() : TextStyle{};
    style.color = ResourceManager::GetValue<ColorF>(Label("RecipeList_NormalColor"), style.color);
    struct Request
    {
        const char* text;
        const char* picture;
        Label flavor;
    };
    const Request requests[] = {{"StepDisplay/Attribute_1", "StepDisplay/Att1_Icon", step.GetRequest1()},
                                {"StepDisplay/Attribute_2", "StepDisplay/Att2_Icon", step.GetRequest2()}};
    for (const auto& [path, picture, request] : requests)
    {
        // Only what the ingredient met is shown.
        const bool met = request && step.IsAttributeMatched(request);
        ShowFlavorPicture(Child(picture), request, met);
        if (auto* text = dynamic_cast<StyledTextSpriteNode*>(Child(path)))
        {
            text->SetText(LocalizedText::GetAttributeLabelText(request.c_str()));
            text->SetHitTest(true);
            if (met)
                text->SetStyle(style);
            else
                text->SetVisible(false);
        }
    }

    if (auto* meter = dynamic_cast<MeterBarNode*>(Child("ProgMeter/meter")); meter && ValidIndex(category, 3))
    {
        meter->SetImageList(ResourceManager::Get<ImageList>(Label(kMeterLists[category])).Get());
        meter->SetMax(RecipeStep::kCompleteProgress);
        meter->SetValue(step.GetProgress());
    }
    if (step.GetIngredient())
        if (IImage* picture = ResourceManager::Get<IImage>(Label::Format("%s_Image", step.GetIngredient().c_str())).Get())
            if (auto* image = dynamic_cast<StaticSpriteNode*>(Child("StepDisplay/IngredientImg")))
                image->SetImage(picture);
    if (auto* background = dynamic_cast<StaticSpriteNode*>(Child("StepDisplay/IngredientImg_BG")))
    {
        if (ValidIndex(category, 3))
            background->SetImageFromList(ResourceManager::Get<ImageList>(Label("IngredientBG_Station")).Get(),
                                         kBackgroundIndex[category]);
        background->SetHitTest(true);
    }
}

void ActionStepDisplay::BuildSparkles()
{
    for (const char* path : {"StepDisplay/Att1_Sparkle", "StepDisplay/Att2_Sparkle", "StepDisplay/IngredientImg_SparkleNode"})
        AddStepSparkle(Child(path), 0.5f);
    // A display that comes while a highlight power-up runs joins in.
    const PowerUpManager* powerUps = FindPowerUpManager();
    if (powerUps && powerUps->IsAttributeHighlightActive())
        ShowMatchedSparkles(true);
    if (powerUps && powerUps->IsComboHighlightActive())
        SetIngredientSparkle(true);
}

void ActionStepDisplay::ConnectPowerUpHovers(const RecipeStep& step)
{
    const Label request1 = step.GetRequest1();
    const Label request2 = step.GetRequest2();
    const int category = step.GetCategory();
    const auto requests = [request1, request2, category](PowerUpManager& powerUps, bool on) {
        powerUps.HighlightBinsForRequests(on, request1, request2, category);
    };
    ConnectPowerUpHover(Child("StepDisplay/Attribute_1"), mStep, requests);
    ConnectPowerUpHover(Child("StepDisplay/Attribute_2"), mStep, requests);
    const Label ingredient = step.GetIngredient();
    ConnectPowerUpHover(Child("StepDisplay/IngredientImg_BG"), mStep, [ingredient](PowerUpManager& powerUps, bool on) {
        powerUps.HighlightBinsForCombos(on, ingredient);
    });
}

void ActionStepDisplay::OnUpdate(float)
{
    const RecipeStep* step = FindStep();
    if (!step)
        return;
    if (step->GetState() >= RecipeStep::kFinishing)
    {
        // Once only: the removal follows at the next update of the tasks.
        if (GetTasks().IsEmpty())
            GetTasks().Add(new SelfDestructTask);
    }
    else if (auto* meter = dynamic_cast<MeterBarNode*>(Child("ProgMeter/meter")))
        meter->SetValue(step->GetProgress());
}

bool ActionStepDisplay::IsRequestMatched(Label attribute) const
{
    const RecipeStep* step = FindStep();
    return step && step->IsAttributeMatched(attribute);
}

void ActionStepDisplay::FlashRequest(Label attribute)
{
    const RecipeStep* step = FindStep();
    if (!step)
        return;
    const std::pair<const char*, Label> flashes[] = {{"StepDisplay/Att1_Flash", step->GetRequest1()},
                                                     {"StepDisplay/Att2_Flash", step->GetRequest2()}};
    for (const auto& [path, request] : flashes)
        if (SceneNode* flash = Child(path); flash && request == attribute)
        {
            flash->SetAlpha(1.0f);
            flash->GetTasks().Add(new TimedTask(kFlashHold));
            flash->GetTasks().Add(new NodeAlphaTask(0.0f, kFlashFade));
        }
}

void ActionStepDisplay::SetActionIndicator(bool visible)
{
    auto* figure = dynamic_cast<AnimatedSpriteNode*>(Child("ActionIndicator"));
    const RecipeStep* step = FindStep();
    if (!figure || !step)
        return;
    const int action = step->GetAnimation();
    const int category = step->GetCategory();
    if (ValidIndex(action, 4) && ValidIndex(category, 3))
        figure->SetSpriteType(Label::Format("%s_Idle_%sSpriteType", kActionNames[action], kCategoryNames[category]));
    figure->PlayAnimation(Label("Play"));
    figure->SetVisible(visible);
}

void ActionStepDisplay::PlaySpeedUp(const char* animation)
{
    if (auto* speed = dynamic_cast<AnimatedSpriteNode*>(Child("ProgMeter/SpeedUpAnim")))
        speed->PlayAnimation(Label(animation));
}

void ActionStepDisplay::PlaySpeedUpAccel()
{
    PlaySpeedUp("Accel");
}

void ActionStepDisplay::PlaySpeedUpMax()
{
    PlaySpeedUp("Max");
}

void ActionStepDisplay::PlaySpeedUpIdle()
{
    PlaySpeedUp("Idle");
}

void ActionStepDisplay::ShowMatchedSparkles(bool visible)
{
    const RecipeStep* step = FindStep();
    const std::pair<const char*, Label> sparkles[] = {
        {"StepDisplay/Att1_Sparkle", step ? step->GetRequest1() : Label()},
        {"StepDisplay/Att2_Sparkle", step ? step->GetRequest2() : Label()}};
    for (const auto& [path, request] : sparkles)
        if (SceneNode* sparkle = Child(path))
            sparkle->SetVisible(visible && request && step->IsAttributeMatched(request));
}

void ActionStepDisplay::SetIngredientSparkle(bool visible)
{
    if (SceneNode* sparkle = Child("StepDisplay/IngredientImg_SparkleNode"))
        sparkle->SetVisible(visible);
}

void ActionStepDisplay::FlashHighlight(bool on, bool requests)
{
    if (on)
        PlayHighlightFlash(Child("StepDisplay/AttrPowerUpFlashAttach"));
    if (requests)
        ShowMatchedSparkles(on);
    else
        SetIngredientSparkle(on);
}
