#include "Game/Menus/FinishedDishMode.h"

#include "Game/Data/TuningValue.h"
#include "Format.h"
#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/Looper.h"
#include "Framework/ParallelTask.h"
#include "Framework/ResourceManager.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/CompletedDishDisplay.h"
#include "Game/Kitchen/GameMode.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/MaskedSpriteNode.h"
#include "SceneGraph/MaskedSpriteTasks.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <array>

using namespace Corvane;
namespace Paths = ScreenPaths::FinishedDish;

namespace
{
constexpr int kSlots = 9;
constexpr int kPlaceholders = 5;
// Per plate type, the placeholder each dish slot fills (0 none; slot 0, the plate, never does).
constexpr std::array<std::array<int, kSlots>, kPlatingTypeCount> kNameSlots{{
    {-1, 1, 2, 3, 0, 0, 0, 0, 0}, {-1, 1, 2, 3, 0, 0, 0, 0, 0}, {-1, 1, 2, 3, 0, 0, 0, 0, 0},
    {-1, 0, 0, 0, 1, 0, 2, 3, 4}, {-1, 0, 0, 2, 1, 3, 4, 0, 0}, {-1, 4, 0, 0, 1, 0, 2, 3, 0},
    {-1, 3, 0, 1, 0, 0, 2, 0, 0}, {-1, 4, 0, 0, 3, 0, 1, 2, 0}, {-1, 3, 0, 1, 2, 0, 0, 0, 0},
    {-1, 1, 4, 2, 0, 3, 0, 0, 0}, {-1, 3, 4, 1, 0, 2, 0, 0, 0}, {-1, 3, 1, 0, 2, 0, 0, 0, 0},
    {-1, 3, 1, 0, 2, 0, 0, 0, 0}, {-1, 3, 1, 0, 2, 0, 0, 0, 0}, {-1, 3, 1, 0, 2, 0, 0, 0, 0},
    {-1, 4, 2, 1, 3, 0, 0, 0, 0}, {-1, 4, 2, 1, 3, 0, 0, 0, 0}, {-1, 2, 3, 4, 1, 0, 0, 0, 0},
    {-1, 2, 3, 4, 1, 0, 0, 0, 0}, {-1, 5, 2, 3, 4, 1, 0, 0, 0}, {-1, 2, 0, 0, 4, 3, 0, 1, 0},
    {-1, 5, 2, 3, 4, 1, 0, 0, 0}, {-1, 2, 0, 0, 4, 3, 0, 1, 0}, {-1, 2, 0, 1, 3, 0, 4, 0, 0},
    {-1, 0, 3, 0, 1, 2, 0, 0, 0}, {-1, 2, 1, 3, 4, 0, 0, 0, 0}, {-1, 3, 0, 2, 1, 0, 0, 0, 0},
    {-1, 0, 0, 1, 4, 2, 0, 3, 0}, {-1, 0, 1, 0, 2, 0, 3, 0, 0}, {-1, 0, 0, 1, 2, 3, 0, 4, 0},
    {-1, 1, 0, 0, 2, 3, 0, 0, 0},
}};

// Where the band and the name are wiped in: from zero width to the band's full width.
constexpr Rect<int> kWipeStart{186, 443, 0, 100};
constexpr Rect<int> kWipeEnd{186, 443, 600, 100};
constexpr float kWipeTime = 1.0f;
constexpr float kKnifeTime = 0.3f;
constexpr float kMeterStartScale = 0.6f;

Vector2<float> Place(const char* name, const SceneNode& node)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), node.GetPosition());
}

} // namespace

void CentreDishNameOnBand(SceneNode& name, const SceneNode& band)
{
    name.SetPosition((band.GetWidth() - name.GetWidth()) / 2.0f, name.GetPosition().y);
}

int DishNamePlaceholder(int plateType, int slot)
{
    if (plateType < 0 || plateType >= kPlatingTypeCount || slot < 0 || slot >= kSlots)
        return 0;
    return std::max(0, kNameSlots[static_cast<std::size_t>(plateType)][static_cast<std::size_t>(slot)]);
}

std::wstring DishNameTemplate(int plateType)
{
    const auto* list =
        ResourceManager::Get<Internal::ValueWrapper<std::vector<std::wstring>>>(Label("DishDisplayReplacementStrings"))
            .Get();
    if (!list || plateType < 0 || plateType >= static_cast<int>(list->value.size()))
        return {};
    return list->value[static_cast<std::size_t>(plateType)];
}

std::wstring ComposeDishName(const std::wstring& nameTemplate, int plateType,
                             const std::vector<DishIngredient>& ingredients,
                             const std::function<std::wstring(Label)>& displayText)
{
    std::array<Label, kPlaceholders + 1> filled{};
    for (const DishIngredient& entry : ingredients)
        if (const int placeholder = DishNamePlaceholder(plateType, entry.slot); placeholder > 0)
            filled[static_cast<std::size_t>(placeholder)] = entry.ingredient;
    Format name(nameTemplate);
    for (int n = 1; n <= kPlaceholders; ++n)
    {
        const Label ingredient = filled[static_cast<std::size_t>(n)];
        if (!ingredient)
            name % (Format(L"Ing_%1%") % n).str();
        else
            name % (displayText ? displayText(ingredient) : LocalizedText::GetDisplayText(ingredient.c_str()));
    }
    return name.str();
}

void FinishedDishMode::OnEnter()
{
    EnterLayout(Label("FinalDishDisplayLayout"));
    SceneNode* attach = FindInScreen(Paths::kDishAttach);
    auto* meter = FindInScreen<StaticSpriteNode>(Paths::kMeter);
    auto* knife = FindInScreen(Paths::kKnife);
    auto* band = FindInScreen(Paths::kTextBG);
    auto* name = FindInScreen<StyledTextSpriteNode>(Paths::kDishName);
    if (!attach || !meter || !knife || !band || !name)
    {
        // A broken layout shows nothing; the level must still go on.
        CloseAtOnce();
        return;
    }

    auto* dish = new CompletedDishDisplay(mLevelScreen, mPlateType);
    dish->Attach(attach);
    dish->MoveIn();
    SceneNode* picture = dish->GetPicture();
    if (!picture)
    {
        CloseAtOnce();
        return;
    }

    if (dynamic_cast<GameMode*>(mLevelScreen))
        meter->SetImageFromList(ResourceManager::Get<ImageList>("FinalDishDisplay_MeterImages").Get(),
                                GameMode::CountCurrentDishStars(mLevelScreen));
    meter->SetScale(kMeterStartScale, kMeterStartScale);
    meter->SetPosition(Place("MeterStartLocation", *meter));
    const float moveTime = TuningValue("DishMoveTime");
    meter->GetTasks().Add(new ParallelTask(
        0,
        new NodeScaleTask(ResourceManager::GetValue<Vector2<float>>(Label("MeterFinalScale"), {1.0f, 1.0f}), moveTime),
        new NodeLocationTask(Place("MeterFinalLocation", *meter), moveTime)));

    const auto* level = dynamic_cast<const GameMode*>(mLevelScreen);
    name->SetText(ComposeDishName(DishNameTemplate(mPlateType), mPlateType,
                                  level ? level->GetDishIngredients() : std::vector<DishIngredient>{}));
    CentreDishNameOnBand(*name, *band);
    name->SetClipRect(kWipeStart);
    knife->SetPosition(Place("KnifeStartLocation", *knife));
    band->SetClipRect(kWipeStart);

    // The dish has arrived: the knife goes. The knife is there: the band and the name are wiped
    // in, in the same update (one cue point holds both).
    CuePoint* arrived = CuePoint::Create();
    CuePoint* cut = CuePoint::Create();
    picture->GetTasks().Add(new CuePointTask(arrived));
    knife->GetTasks().Add(new CuePointTask(arrived));
    knife->GetTasks().Add(new NodeLocationTask(Place("KnifeFinalLocation", *knife), kKnifeTime));
    knife->GetTasks().Add(new CuePointTask(cut));
    band->GetTasks().Add(new CuePointTask(cut));
    band->GetTasks().Add(new NodeClipRectTask(kWipeEnd, kWipeTime));
    name->GetTasks().Add(new CuePointTask(cut));
    name->GetTasks().Add(new NodeClipRectTask(kWipeEnd, kWipeTime));

    // The pop waits on the dish alone: the wipes may still run.
    picture->GetTasks().Add(new TimedTask(TuningValue("AfterDishDelayTime")));
    picture->GetTasks().Add(new CallTask<SceneNode>([](SceneNode*) { PopApplicationMode(); }));
}
