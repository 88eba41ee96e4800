// The pantry on the level screen: places and rows by the level's counts, the draw from the decks,
// refills, shuffles, the name popup and stopping a drag, on the pantry test level (twelve
// ingredients of the recipe: six vegetables, two meats, four flavourings).
#include "KitchenTest.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/DragInputManager.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <algorithm>
#include <map>
#include <set>

using namespace Corvane;

namespace
{
const std::string kPantryPath = KitchenPaths::kPlayfield + "/Pantry_Attach/PantryRoot";

std::string BinPath(int place)
{
    return kPantryPath + "/ingredientAttachPoints/Row_" + std::to_string(place / 5 + 1) + "/IngredAttach_" +
           std::to_string(place % 5 + 1) + "/IngredientBin";
}

std::vector<std::string> Names(const std::vector<IngredientBin*>& bins)
{
    std::vector<std::string> names;
    for (const IngredientBin* bin : bins)
        names.emplace_back(bin->GetIngredient()->GetIngredientName().c_str());
    return names;
}

bool HasDuplicates(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return std::adjacent_find(names.begin(), names.end()) != names.end();
}
} // namespace

class PantryTest : public KitchenTest
{
protected:
    void SetUp() override
    {
        game = rig.StartLevel(KitchenLevels::kPantry);
        ASSERT_NE(game, nullptr);
        ASSERT_NO_FATAL_FAILURE(ClosePopup());
        pantry = FindPantry();
        ASSERT_NE(pantry, nullptr);
    }
    // The level's display counts changed, the pantry restocked and its bins made.
    void Restock(int vegetables, int meats, int flavourings)
    {
        auto* level = const_cast<KitchenLevelData*>(game->GetLevelData());
        level->pantryDisplayCounts = {{0, vegetables}, {1, meats}, {2, flavourings}};
        pantry->Restock();
        rig.Step();
    }
    int LiveBins() const
    {
        int count = 0;
        for (ObjectID id : game->GetGroup(IngredientBin::Group()))
            count += game->Get(id) != nullptr;
        return count;
    }
    StaticSpriteNode* RowLabel(int row) const
    {
        return pantry->GetNode()->FindByPathAs<StaticSpriteNode>(ObjectPaths::Pantry::kRowLabels[row]);
    }

    IngredientPantry* pantry = nullptr;
};

TEST_F(PantryTest, PlacesFollowTheCountsByCategoryAndEachRowIsLabelledByItsFirstPlace)
{
    struct Case
    {
        int counts[3];
        std::vector<int> places; // categories in place order
        int labels[3];           // the label's category, -1 hidden
    };
    const Case cases[] = {
        {{5, 2, 3}, {0, 0, 0, 0, 0, 1, 1, 2, 2, 2}, {0, 1, -1}},
        {{2, 1, 2}, {0, 0, 1, 2, 2}, {0, -1, -1}},
        {{3, 5, 7}, {0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2}, {0, 1, 2}},
        {{0, 2, 0}, {1, 1}, {1, -1, -1}},
        // More than the fifteen places of the layout: the first fifteen.
        {{6, 6, 6}, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 2, 2, 2}, {0, 0, 1}},
    };
    ImageList* labels = ResourceManager::Get<ImageList>(Label("PantryLabels")).Get();
    ASSERT_NE(labels, nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.counts[0] << " " << c.counts[1] << " " << c.counts[2]);
        Restock(c.counts[0], c.counts[1], c.counts[2]);
        std::vector<int> categories;
        for (const IngredientPantry::Place& place : pantry->GetPlaces())
            categories.push_back(place.category);
        EXPECT_EQ(categories, c.places);
        ASSERT_EQ(LiveBins(), static_cast<int>(c.places.size())) << "every place has its bin after one update";
        for (int i = 0; i < static_cast<int>(c.places.size()); ++i)
        {
            IngredientBin* bin = pantry->GetBin(i);
            ASSERT_NE(bin, nullptr);
            EXPECT_EQ(bin->GetIngredient()->GetCategory(), c.places[i]);
            EXPECT_EQ(rig.FindNode(BinPath(i)), bin->GetNode()) << "place " << i << " hangs at its attach point";
        }
        for (int row = 0; row < 3; ++row)
        {
            StaticSpriteNode* label = RowLabel(row);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->IsVisible(), c.labels[row] >= 0) << "row " << row + 1;
            if (c.labels[row] >= 0)
            {
                EXPECT_EQ(label->GetImage(), labels->GetImage(c.labels[row])) << "row " << row + 1;
            }
        }
    }
}

TEST_F(PantryTest, TheRecipesIngredientsAreMadeByCategoryInListOrderAndALabelWithoutARecordIsSkipped)
{
    const std::map<int, std::vector<std::string>> expected = {
        {0, {"Tomato", "Onion", "Carrot", "Potato", "Pepper", "Mushroom"}},
        {1, {"Chicken", "Sausage"}},
        {2, {"Garlic", "Basil", "Lemon", "Honey"}}};
    for (const auto& [category, names] : expected)
    {
        std::vector<std::string> made;
        for (const CookingIngredient* ingredient : pantry->GetIngredients(category))
            made.emplace_back(ingredient->GetIngredientName().c_str());
        EXPECT_EQ(made, names) << "category " << category;
    }
    int live = 0;
    for (ObjectID id : game->GetGroup(CookingIngredient::Group()))
        live += game->Get(id) != nullptr;
    EXPECT_EQ(live, 12);

    // A restock removes the old ingredients with their bins before it makes the new ones.
    pantry->Restock();
    rig.Step();
    live = 0;
    for (ObjectID id : game->GetGroup(CookingIngredient::Group()))
        live += game->Get(id) != nullptr;
    EXPECT_EQ(live, 12);
    EXPECT_EQ(LiveBins(), 10);
}

TEST_F(PantryTest, AnIngredientIsShownTwiceOnlyWhenItsCategoryHasFewerIngredientsThanPlaces)
{
    // Seeds vary the decks; the rule holds for every draw, the first fill's and the refills' of
    // places whose bins went (the deck then holds what is on show too).
    for (int round = 0; round < 5; ++round)
    {
        Restock(6, 2, 4);
        for (int refill = 0; refill < 4; ++refill)
        {
            for (int category = 0; category < 3; ++category)
            {
                const std::vector<IngredientBin*> bins = pantry->GetBins(category);
                ASSERT_FALSE(bins.empty());
                EXPECT_FALSE(HasDuplicates(Names(bins))) << "category " << category << ", refill " << refill;
                game->Remove(bins[static_cast<std::size_t>(refill) % bins.size()]->GetID());
            }
            rig.Step();
        }
    }
    Restock(1, 3, 1);
    const std::vector<std::string> meats = Names(pantry->GetBins(1));
    ASSERT_EQ(meats.size(), 3u);
    EXPECT_TRUE(HasDuplicates(meats)) << "two meats in three places";
}

TEST_F(PantryTest, AGoneBinsPlaceIsRefilledNextUpdateWithTheIngredientNotOnShow)
{
    // Five of six vegetables are on show; the sixth is the last of the deck.
    std::set<std::string> all = {"Tomato", "Onion", "Carrot", "Potato", "Pepper", "Mushroom"};
    for (const std::string& name : Names(pantry->GetBins(0)))
        all.erase(name);
    ASSERT_EQ(all.size(), 1u);
    const std::string hidden = *all.begin();
    ASSERT_EQ(pantry->GetDeckSize(0), 1u);

    const std::string gone = Names({pantry->GetBin(2)})[0];
    game->Remove(pantry->GetBin(2)->GetID());
    EXPECT_EQ(pantry->GetBin(2), nullptr);
    rig.Step();
    ASSERT_NE(pantry->GetBin(2), nullptr) << "refilled in the next update";
    EXPECT_EQ(Names({pantry->GetBin(2)})[0], hidden);
    EXPECT_EQ(pantry->GetDeckSize(0), 6u) << "the deck ran empty and was shuffled anew";
    EXPECT_FALSE(HasDuplicates(Names(pantry->GetBins(0))));

    // Two places gone at once are refilled in place order, none twice.
    game->Remove(pantry->GetBin(4)->GetID());
    game->Remove(pantry->GetBin(0)->GetID());
    rig.Step();
    EXPECT_EQ(pantry->GetBins(0).size(), 5u);
    EXPECT_FALSE(HasDuplicates(Names(pantry->GetBins(0))));
}

TEST_F(PantryTest, AShuffleReplacesEveryBinOfItsCategoryAndTheDeckComesBackOnlyOnceDrawn)
{
    Restock(2, 2, 3);
    const std::vector<std::string> meats = Names(pantry->GetBins(1));
    const std::vector<std::string> flavourings = Names(pantry->GetBins(2));
    std::set<std::string> seen;
    for (int shuffle = 0; shuffle < 3; ++shuffle)
    {
        const std::vector<ObjectID> before = {pantry->GetBin(0)->GetID(), pantry->GetBin(1)->GetID()};
        for (const std::string& name : Names(pantry->GetBins(0)))
            EXPECT_TRUE(seen.insert(name).second) << name << " came back before the deck was drawn";
        pantry->ShuffleCategory(0);
        EXPECT_NE(rig.FindNode("GameScreenRoot/FX_Layer/ShuffleFlash"), nullptr) << "a flash over each bin";
        const auto replaced = [&] { return pantry->GetBins(0).size() == 2 && pantry->GetBin(0)->GetID() != before[0]; };
        ASSERT_GE(rig.StepUntil(replaced, 20), 0) << "shuffle " << shuffle;
        EXPECT_NE(pantry->GetBin(1)->GetID(), before[1]);
    }
    EXPECT_EQ(seen.size(), 6u) << "three shuffles of two places show all six vegetables";
    EXPECT_GE(rig.StepUntil([&] { return rig.FindNode("GameScreenRoot/FX_Layer/ShuffleFlash") == nullptr; }, 100), 0)
        << "the flashes go once played";
    EXPECT_EQ(Names(pantry->GetBins(1)), meats) << "other categories stay";
    EXPECT_EQ(Names(pantry->GetBins(2)), flavourings);
}

TEST_F(PantryTest, TheNamePopupShowsAfterTheDelayOnlyWhileThePointerStays)
{
    const float delay = ResourceManager::GetValue<float>(Label("PopupDelayTime"), -1.0f);
    ASSERT_GT(delay, 0.0f);
    const int delayUpdates = static_cast<int>(delay * 50.0f + 0.5f);
    SceneNode* popup = FindPlayfield()->GetIngredientDataPopup();
    ASSERT_NE(popup, nullptr);
    struct Case
    {
        int stay;  // updates on the bin before the pointer leaves (-1: stays)
        bool shown;
    };
    for (const Case c : {Case{-1, true}, Case{delayUpdates - 5, false}, Case{0, false}})
    {
        SCOPED_TRACE(c.stay);
        rig.MoveTo(300, 150);
        rig.Step();
        IngredientBin* bin = pantry->GetBin(6);
        rig.Move(BinPath(6));
        if (c.stay >= 0)
        {
            rig.Step(c.stay);
            rig.MoveTo(300, 150);
        }
        rig.Step(delayUpdates + 2);
        EXPECT_EQ(popup->IsVisible(), c.shown);
        if (!c.shown)
            continue;
        const std::wstring name = LocalizedText::GetDisplayText(bin->GetIngredient()->GetIngredientName().c_str());
        EXPECT_EQ(Text("GameScreenRoot/FX_Layer/Popup_Attach/IngredientDataPopup/bubbleBG/IngredientName"),
                  name);
        const Vector2<float> offset = ResourceManager::GetValue<Vector2<float>>(Label("PantryItemPopupOffset"), {});
        const Vector2<float> at = bin->GetNode()->GetWorldPosition();
        EXPECT_EQ(popup->GetWorldPosition(), (Vector2<float>{at.x + offset.x, at.y + offset.y}));
        const SceneNode* text = popup->FindByPath(PathOf({"bubbleBG", "IngredientName"}));
        EXPECT_FLOAT_EQ(popup->FindByPath(PathOf({"bubbleBG"}))->GetWidth(), text->GetWidth() + 20.0f);
    }
    // Over every bin the name's tag stays on the pantry, clear of the power-ups beside it and of
    // the bins of the other rows.
    const auto overlap = [](const Rect<float>& a, const Rect<float>& b) {
        return !Rect<float>::Intersect(a, b).IsEmpty();
    };
    const Rect<float> board = pantry->GetNode()->GetBounds();
    const Rect<float> powerUps = rig.FindNode("GameScreenRoot/UI_attach/PowerUp_Attach")->GetBounds();
    SceneNode* tag = popup->FindByPath(PathOf({"bubbleBG"}));
    for (int place = 0; place < 15; ++place)
    {
        SCOPED_TRACE(place);
        if (!rig.FindNode(BinPath(place)))
            continue;
        rig.MoveTo(300, 300);
        rig.Step();
        rig.Move(BinPath(place));
        rig.Step(delayUpdates + 2);
        ASSERT_TRUE(popup->IsVisible());
        EXPECT_TRUE(board.ContainsRect(tag->GetBounds())) << "the tag spills off the pantry";
        EXPECT_FALSE(overlap(tag->GetBounds(), powerUps)) << "the tag covers the power-ups";
        for (int other = 0; other < 15; ++other)
            if (SceneNode* bin = rig.FindNode(BinPath(other) + "/clickRect"); bin && other / 5 != place / 5)
                EXPECT_FALSE(overlap(tag->GetBounds(), bin->GetBounds())) << "the tag covers bin " << other;
    }
    // A bin that goes from under the pointer takes the popup with it.
    rig.Move(BinPath(0));
    rig.Step(delayUpdates + 2);
    ASSERT_TRUE(popup->IsVisible());
    game->Remove(pantry->GetBin(0)->GetID());
    EXPECT_FALSE(popup->IsVisible());
}

TEST_F(PantryTest, StopDragIfDraggedActsOnlyForTheDraggedBin)
{
    DragInputManager* manager = DragInputManager::Get();
    rig.Press(BinPath(0));
    ASSERT_EQ(manager->GetDragMode(), DragInputManager::kIngredient);
    rig.Step();
    ASSERT_TRUE(manager->GetDragImage()->IsVisible());
    pantry->GetBin(1)->StopDragIfDragged();
    EXPECT_EQ(manager->GetDragMode(), DragInputManager::kIngredient) << "another bin's stop leaves the drag";
    EXPECT_TRUE(manager->GetDragImage()->IsVisible());
    pantry->GetBin(0)->StopDragIfDragged();
    EXPECT_EQ(manager->GetDragMode(), DragInputManager::kNothing);
    EXPECT_FALSE(manager->GetDragImage()->IsVisible());

    // A restock stops the drag of its bins: the next press picks anew.
    rig.Press(BinPath(3));
    ASSERT_EQ(manager->GetDragMode(), DragInputManager::kIngredient);
    pantry->Restock();
    EXPECT_EQ(manager->GetDragMode(), DragInputManager::kNothing);
    EXPECT_EQ(CurrentIngredientSource(), nullptr) << "the dragged bin went with the restock";
}
