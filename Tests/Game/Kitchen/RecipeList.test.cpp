// The recipe list on the level screen: how many rows it shows and the count of steps left, the
// send button's hold and rules (free stations, the current dish before the next), the component
// headers with their colours and spacing, rows sliding and flying, and rows turning active with
// their dish.
#include "KitchenTest.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/RecipeListEntry.h"
#include "Game/Menus/FinishedDishMode.h"
#include "Game/Menus/TutorialManager.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <cmath>

using namespace Corvane;
using namespace KitchenLevels;

namespace
{
const std::string kListRoot = "GameScreenRoot/UI_attach/List_Attach/RecipeList";

int Resource(const char* name)
{
    return ResourceManager::GetValue<int>(Label(name), -1);
}

class RecipeListTest : public KitchenTest
{
protected:
    RecipeListTest() = default;
    explicit RecipeListTest(const Corvane::Testing::KitchenRig::Options& options) : KitchenTest(options) {}

    void Start(int level)
    {
        game = rig.StartLevel(level);
        ASSERT_NE(game, nullptr);
        list = FindRecipeList();
        ASSERT_NE(list, nullptr);
    }
    std::vector<RecipeListEntry*> Entries() const
    {
        std::vector<RecipeListEntry*> entries;
        for (ObjectID id : list->GetEntries())
            entries.push_back(dynamic_cast<RecipeListEntry*>(game->Get(id)));
        return entries;
    }
    ButtonNode* Button() const { return dynamic_cast<ButtonNode*>(rig.FindNode(kListRoot + "/NextStepButton")); }
    int FreeStations() const
    {
        int free = 0;
        for (ObjectID id : game->GetGroup(CookingStation::Group()))
            if (const auto* station = dynamic_cast<CookingStation*>(game->Get(id)))
                free += station->IsFree();
        return free;
    }
    int CountAtStations() const
    {
        int count = 0;
        for (ObjectID id : game->GetGroup(RecipeStep::Group()))
            count += Step(id)->GetState() == RecipeStep::kAtStation;
        return count;
    }

    RecipeList* list = nullptr;
};

struct RowsCase
{
    const char* name;
    int level;
    std::size_t rows;
    const wchar_t* remaining;
};

class ListRows : public RecipeListTest, public testing::WithParamInterface<RowsCase>
{
};

TEST_P(ListRows, AtMostEightRowsShowAndTheCountHoldsEveryStepLeft)
{
    ASSERT_NO_FATAL_FAILURE(Start(GetParam().level));
    rig.Step();
    EXPECT_EQ(list->GetEntries().size(), GetParam().rows);
    EXPECT_EQ(Text(kListRoot + "/RemainingSteps"), GetParam().remaining);
    EXPECT_EQ(static_cast<int>(game->GetGroup(RecipeListEntry::Group()).size()), static_cast<int>(GetParam().rows));
}

INSTANTIATE_TEST_SUITE_P(RecipeList, ListRows,
                         testing::Values(RowsCase{"ThreeAndFourSteps", kListSeven, 7, L"7"},
                                         RowsCase{"ThreeDishesOfFour", kListTwelve, 8, L"12"}),
                         [](const testing::TestParamInfo<RowsCase>& info) { return info.param.name; });

TEST_F(RecipeListTest, TheButtonWaitsOutTheListsFirstSecondAndThenSendsWhatTheStationsTake)
{
    ASSERT_NO_FATAL_FAILURE(Start(kListSeven));
    // The dish starts at once (as when its popup closes): only the list's first second holds it.
    list->SetBusy(false);
    rig.Step();
    ASSERT_NE(Button(), nullptr);
    int held = 0;
    for (; !Button()->IsEnabled() && held < 100; ++held)
    {
        EXPECT_FALSE(list->CanSendFirstEntry());
        rig.Step();
    }
    EXPECT_GE(held, 48);
    EXPECT_LE(held, 51);

    // Four free stations, three steps of the current dish: all three go, the next dish's head step
    // waits although a station is free.
    ASSERT_EQ(FreeStations(), 4);
    Button()->Click();
    EXPECT_EQ(CountAtStations(), 3);
    EXPECT_EQ(FreeStations(), 1);
    EXPECT_EQ(list->GetEntries().size(), 4u);
    EXPECT_EQ(Text(kListRoot + "/RemainingSteps"), L"4");
    EXPECT_GE(CountSounds("start", "SFX_RecipeStepToStation"), 1);
    rig.Step();
    EXPECT_FALSE(Button()->IsEnabled());
    list->SendSteps();
    EXPECT_EQ(CountAtStations(), 3);
}

TEST_F(RecipeListTest, OneFreeStationTakesOneOfTwoHeadSteps)
{
    ASSERT_NO_FATAL_FAILURE(Start(kListTwelve));
    ClosePopup();
    list->SendSteps();
    EXPECT_EQ(CountAtStations(), 1);
    EXPECT_EQ(list->GetEntries().size(), 7u) << "the rows do not refill before the next update";
    rig.Step();
    EXPECT_EQ(list->GetEntries().size(), 8u);
    EXPECT_EQ(Text(kListRoot + "/RemainingSteps"), L"11");
    EXPECT_FALSE(Button()->IsEnabled());
}

TEST_F(RecipeListTest, ComponentsTakeTheSixColoursInTurnAndHeadersTheirColour)
{
    ASSERT_NO_FATAL_FAILURE(Start(kListTwelve));
    rig.Step();
    const std::vector<ColorF> colours = ResourceManager::GetValue<std::vector<ColorF>>(Label("DishComponent_Color"), {});
    ASSERT_EQ(colours.size(), 6u);
    const std::vector<int> expected{0, 1, 2, 3, 4, 5, 0, 1};
    std::vector<int> slots;
    for (RecipeListEntry* entry : Entries())
    {
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(entry->HasHeader()) << "every step is a component of its own";
        const int slot = list->GetComponentColorIndex(*entry->GetStep());
        slots.push_back(slot);
        const auto* text = dynamic_cast<StyledTextSpriteNode*>(entry->GetNode()->FindByPath({"ComponentText"}));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->GetStyle().color, colours[static_cast<std::size_t>(slot)]);
    }
    EXPECT_EQ(slots, expected) << "the seventh component takes slot 0 again";
}

TEST_F(RecipeListTest, RowsSlideToTheirPlacesOneBelowTheOtherWithFourUnitsMoreAboveALaterHeader)
{
    ASSERT_NO_FATAL_FAILURE(Start(kListSeven));
    // Rows added together slide in one below the other, never piled on one place.
    const std::vector<RecipeListEntry*> sliding = Entries();
    for (std::size_t i = 1; i < sliding.size(); ++i)
        EXPECT_GE(sliding[i]->GetNode()->GetPosition().y,
                  sliding[i - 1]->GetNode()->GetPosition().y + static_cast<float>(sliding[i - 1]->GetHeight()))
            << "row " << i << " lies on the row above it";
    rig.Step(100);
    const int normal = Resource("RecipeListVSpacing_Normal");
    const int header = Resource("RecipeListVSpacing_Header");
    // Base, Base, Top; then Greens (asking two flavours), Dressing, Greens, Side.
    const std::vector<bool> headers{true, false, true, true, true, false, true};
    const std::vector<RecipeListEntry*> entries = Entries();
    ASSERT_EQ(entries.size(), headers.size());
    int y = 0;
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        EXPECT_EQ(entries[i]->HasHeader(), headers[i]) << "row " << i;
        if (headers[i] && i > 0)
            y += 4;
        EXPECT_FLOAT_EQ(entries[i]->GetNode()->GetPosition().y, static_cast<float>(y)) << "row " << i;
        EXPECT_FLOAT_EQ(entries[i]->GetNode()->GetPosition().x, 0.0f);
        y += headers[i] ? header : normal;
    }
    // A row asking two flavours stands its texts 8 units higher than one asking one.
    const float one = entries[0]->GetNode()->FindByPath({"StepText_1"})->GetPosition().y;
    const float two = entries[3]->GetNode()->FindByPath({"StepText_1"})->GetPosition().y;
    EXPECT_FLOAT_EQ(two, one - 8.0f);
    EXPECT_EQ(Text(kListRoot + "/ListField/ListEntry/StepText_2"), L"") << "the last row drawn asks one flavour";
    // Only steps that fill a place on the plate carry the key mark (Side fills none).
    EXPECT_FALSE(entries[6]->GetNode()->FindByPath({"KeyStepIcon"})->IsVisible());
    EXPECT_TRUE(entries[5]->GetNode()->FindByPath({"KeyStepIcon"})->IsVisible());
}

TEST_F(RecipeListTest, ARowFliesToItsStationWhateverItIsToldAndGoesWhenItArrives)
{
    ASSERT_NO_FATAL_FAILURE(Start(kListTwelve));
    ClosePopup();
    // The rows have slid to their places.
    GameUpdate(60);
    RecipeListEntry* flying = Entries().front();
    const ObjectID flyingID = flying->GetID();
    list->SendSteps();
    const auto* station = dynamic_cast<CookingStation*>(game->Get(Step(flying->GetStepID())->GetStation()));
    ASSERT_NE(station, nullptr);
    flying->MoveTo(0);
    const float time = ResourceManager::GetValue<float>(Label("RecipeItemToStationTime"), -1.0f);
    const int updates = static_cast<int>(std::lround(time * 50.0f));
    GameUpdate(updates);
    ASSERT_NE(game->Get(flyingID), nullptr) << "still there at the end of its flight";
    const Vector2<float> at = flying->GetNode()->GetWorldPosition();
    const Vector2<float> target = station->GetNode()->GetWorldPosition();
    EXPECT_NEAR(at.x, target.x, 0.5f);
    EXPECT_NEAR(at.y, target.y, 0.5f);
    GameUpdate(3);
    EXPECT_EQ(game->Get(flyingID), nullptr) << "removed once arrived";
}

// A new player's kitchen: the tips are raised.
class NewPlayerList : public RecipeListTest
{
protected:
    NewPlayerList() : RecipeListTest(NewPlayer()) {}
};

TEST_F(NewPlayerList, AStationShowsItsStepOnceItsRowHasArrivedWithTheTipForTwoRequestsOnce)
{
    ASSERT_NO_FATAL_FAILURE(Start(kCooking));
    ClosePopup();
    const auto tip18 = [] {
        int count = 0;
        for (const TutorialTip& tip : TutorialManager::Instance()->GetPendingTips())
            count += tip.tip == kTipTwoFlavors;
        return count + (TutorialManager::Instance()->IsTipShown(kTipTwoFlavors) ? 1 : 0);
    };
    list->SendSteps();
    EXPECT_EQ(CountAtStations(), 4);
    for (int i = 0; i < 200 && !game->GetGroup(RecipeListEntry::Group()).empty(); ++i)
        ReadBubbles(1);
    GameUpdate();
    EXPECT_EQ(tip18(), 1) << "one step of four asks for two flavours";
}

TEST_F(RecipeListTest, ANewCurrentDishsRowsTurnActiveInTheNextUpdate)
{
    ASSERT_NO_FATAL_FAILURE(Start(kListSeven));
    ClosePopup();
    auto* inactive = ResourceManager::Get<ImageList>(Label("StepIcons_Inactive")).Get();
    auto* active = ResourceManager::Get<ImageList>(Label("StepIcons_Active")).Get();
    ASSERT_NE(inactive, nullptr);
    ASSERT_NE(active, nullptr);
    const auto icon = [](RecipeListEntry* entry) {
        return dynamic_cast<StaticSpriteNode*>(entry->GetNode()->FindByPath({"IngredIcon"}))->GetImage();
    };
    const std::vector<RecipeListEntry*> entries = Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i]->IsActive(), i < 3) << "row " << i;
    EXPECT_EQ(icon(entries[0]), active->GetImage(0)) << "vegetable";
    EXPECT_EQ(icon(entries[1]), active->GetImage(1)) << "flavouring";
    EXPECT_EQ(icon(entries[2]), active->GetImage(2)) << "meat";
    EXPECT_EQ(icon(entries[3]), inactive->GetImage(0));
    const ColorF grey = ResourceManager::GetValue<ColorF>(Label("RecipeList_InactiveColor"), {});
    EXPECT_EQ(dynamic_cast<StyledTextSpriteNode*>(entries[3]->GetNode()->FindByPath({"StepText_1"}))->GetStyle().color,
              grey);

    FinishCurrentDish();
    ReadBubbles(2);
    ASSERT_NE(rig.TopAs<FinishedDishMode>(), nullptr);
    rig.PopTop();
    for (int i = 0; i < 200 && game->GetPopup() == kNoObject; ++i)
        ReadBubbles(1);
    ClosePopup();
    const ObjectID next = list->GetCurrentRecipe();
    ASSERT_EQ(next, Entries().front()->GetStep()->GetRecipe()) << "the second dish is current";
    for (RecipeListEntry* entry : Entries())
        EXPECT_TRUE(entry->IsActive());
    EXPECT_EQ(icon(Entries().front()), active->GetImage(0));
}
} // namespace
