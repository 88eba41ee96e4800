// What the kitchen's tests share: the rig on the kitchen test levels (Tests/Data/Kitchen: the
// level order by index below) and the moves a player makes on the level screen.
#pragma once

#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeList.h"
#include "Game/Kitchen/RecipeListEntry.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Menus/TutorialManager.h"
#include "Game/Menus/TutorialMode.h"
#include "Support/KitchenRig.h"
#include "Widgets/IText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace KitchenLevels
{
// Episode 1: the clocks.
constexpr int kClock90 = 0;
constexpr int kClock45 = 1;
constexpr int kClock61 = 2;
// Episode 2: one dish in 40 s, four stations with one step of each action, two dishes in 60 s.
constexpr int kOneDish = 3;
constexpr int kStations = 4;
constexpr int kTwoDishes = 5;
// In no episode: a playable level, a level whose recipes have no steps, one without recipes.
constexpr int kNoEpisode = 6;
constexpr int kNoSteps = 7;
constexpr int kNoRecipes = 8;
// Episode 4: one, three and five stations (the three-station level holds power-ups 3, 0, 1, 0, 2, 0).
constexpr int kOneStation = 9;
constexpr int kThreeStations = 10;
constexpr int kFiveStations = 11;
// Episode 3: two dishes of 3 and 4 steps at four stations, three dishes of 4 steps at one station,
// one dish of four varied steps (two requests, meat, an unknown flavour, no dish place) at four.
constexpr int kListSeven = 12;
constexpr int kListTwelve = 13;
constexpr int kCooking = 14;
// Episode 5: one dish of a vegetable, a meat and a flavouring step from a full pantry at four.
constexpr int kPantry = 15;
// Episode 6: the stations' bonuses (Fresh and Sweet twice, Fresh, Sour; test ingredients TestA to
// TestE with their combos), the power-ups.
constexpr int kCombos = 18;
constexpr int kPowerUps = 19;
} // namespace KitchenLevels

namespace KitchenPaths
{
inline const std::string kPopupBG = "GameScreenRoot/FX_Layer/NextRecipePopup/BG";
inline const std::string kPopupDishName = "GameScreenRoot/FX_Layer/NextRecipePopup/DishNameText";
inline const std::string kMinutes = "GameScreenRoot/UI_attach/timer/Text_Min";
inline const std::string kSeconds = "GameScreenRoot/UI_attach/timer/Text_Sec";
inline const std::string kLevelNumber = "GameScreenRoot/UI_attach/LevelNumDisplay";
inline const std::string kScore = "GameScreenRoot/UI_attach/scoreDisplay";
inline const std::string kPauseButton = "GameScreenRoot/UI_attach/PauseButton";
inline const std::string kInputMask = "GameScreenRoot/NextDishDisplay_InputMask";
inline const std::string kPlayfield = "GameScreenRoot/Playfield_attach/FennikPlayfield";
// The press area of the station in slot 0..3.
inline std::string StationArea(int slot)
{
    return kPlayfield + "/CookingStation_" + std::to_string(slot + 1) + "/CookingStation/clickRect";
}
} // namespace KitchenPaths

class KitchenTest : public testing::Test
{
protected:
    // The rig on the kitchen test levels, or on what options name.
    KitchenTest() : KitchenTest(TestLevels()) {}
    explicit KitchenTest(const Corvane::Testing::KitchenRig::Options& options) : rig(options) {}

    static Corvane::Testing::KitchenRig::Options TestLevels(unsigned seed = 1)
    {
        return {seed, CORVANE_TEST_DATA "/Kitchen"};
    }
    // The test levels for a new player, who has seen no tip yet.
    static Corvane::Testing::KitchenRig::Options NewPlayer()
    {
        Corvane::Testing::KitchenRig::Options options = TestLevels();
        options.tipsSeen = false;
        return options;
    }

    // The text of the text node at path ("" when there is none).
    std::wstring Text(const std::string& path) const
    {
        const auto* text = dynamic_cast<Corvane::IText*>(rig.FindNode(path));
        return text ? text->GetText() : L"(no text node)";
    }
    std::wstring Clock() const { return Text(KitchenPaths::kMinutes) + Text(KitchenPaths::kSeconds); }

    // Waits out the popup's click guard, closes it with a click on its bubble, and steps until the
    // clock has run one update (the first popup's close asks for a tip, which takes an update).
    void ClosePopup()
    {
        rig.Step(60);
        const float before = game->GetTimeLeft();
        rig.Click(KitchenPaths::kPopupBG);
        ASSERT_FALSE(game->IsPaused()) << "the popup did not close";
        // A new player's tips come up as bubbles first; they are read and closed.
        int updates = 0;
        for (; game->GetTimeLeft() >= before && updates < 50; ++updates)
            ReadBubbles(1);
        ASSERT_LT(updates, 50) << "the clock never started";
    }
    // Sends the current dish's steps to the stations, lets them finish cooking and steps until
    // their ingredients have flown into the dish and no tip waits to be shown; they complete in
    // the next update (the caller steps). The updates of the clock the flights took.
    int FinishCurrentDish()
    {
        StartFinishingCurrentDish();
        const auto* recipe = dynamic_cast<Recipe*>(game->Get(FindRecipeList()->GetCurrentRecipe()));
        if (HasFatalFailure() || !recipe)
            return -1;
        const float before = game->GetTimeLeft();
        // A pending tip takes the level screen's next update (and its bubble pauses the level):
        // the steps then wait too.
        const auto landed = [&] {
            for (Corvane::ObjectID id : recipe->GetSteps())
                if (game->Get(id)->GetTasks().Count() > 1)
                    return false;
            return TutorialManager::Instance()->GetPendingTips().empty() && !rig.TopAs<TutorialMode>();
        };
        int updates = 0;
        for (; !landed() && updates < 1000; ++updates)
            ReadBubbles(1);
        EXPECT_LT(updates, 1000) << "the ingredients never reached the dish";
        return static_cast<int>(std::lround((before - game->GetTimeLeft()) * 50.0f));
    }
    void StartFinishingCurrentDish()
    {
        RecipeList* list = FindRecipeList();
        ASSERT_NE(list, nullptr);
        list->SendSteps();
        const auto* recipe = dynamic_cast<Recipe*>(game->Get(list->GetCurrentRecipe()));
        ASSERT_NE(recipe, nullptr) << "no current recipe";
        for (Corvane::ObjectID id : recipe->GetSteps())
        {
            auto* step = dynamic_cast<RecipeStep*>(game->Get(id));
            ASSERT_NE(step, nullptr);
            ASSERT_EQ(step->GetState(), RecipeStep::kAtStation) << "a step did not reach a station";
            step->StartFinishing();
        }
    }
    RecipeStep* Step(Corvane::ObjectID id) const { return dynamic_cast<RecipeStep*>(game->Get(id)); }
    // Starts a level, closes its popup and sends the first dish's steps to the stations; once the
    // rows have flown in and the stations show their steps, steps holds them in the dish's order.
    void SendFirstDishToStations(int level, std::size_t stepCount)
    {
        game = rig.StartLevel(level);
        ASSERT_NE(game, nullptr);
        ASSERT_NO_FATAL_FAILURE(ClosePopup());
        FindRecipeList()->SendSteps();
        for (int i = 0; i < 200 && !game->GetGroup(RecipeListEntry::Group()).empty(); ++i)
            ReadBubbles(1);
        ReadBubbles(2);
        const auto* recipe = dynamic_cast<Recipe*>(game->Get(FindRecipeList()->GetCurrentRecipe()));
        ASSERT_NE(recipe, nullptr);
        for (Corvane::ObjectID id : recipe->GetSteps())
            steps.push_back(Step(id));
        ASSERT_EQ(steps.size(), stepCount);
    }
    // Runs updates until the level screen's clock has moved count times: pending tips take updates
    // of their own, in which nothing else moves, and their bubbles are closed.
    void GameUpdate(int count = 1)
    {
        for (int i = 0; i < count; ++i)
        {
            const float before = game->GetTimeLeft();
            int updates = 0;
            for (; game->GetTimeLeft() == before && updates < 100; ++updates)
                ReadBubbles(1);
            ASSERT_LT(updates, 100) << "the clock stands";
        }
    }
    // Runs updates, closing each tip bubble as it comes up; the tips shown, in order.
    std::vector<int> ReadBubbles(int updates)
    {
        std::vector<int> tips;
        for (int i = 0; i < updates; ++i)
        {
            rig.Step();
            while (const auto* bubble = rig.TopAs<TutorialMode>())
            {
                tips.push_back(bubble->GetTip());
                rig.PopTop();
            }
        }
        return tips;
    }
    int CountSounds(const std::string& event, const std::string& sound) const
    {
        int count = 0;
        for (const Corvane::Testing::SoundEvent& e : rig.Audio().GetEvents())
            count += e.event == event && e.sound == sound;
        return count;
    }

    Corvane::Testing::KitchenRig rig;
    GameMode* game = nullptr;
    // The steps a test follows (SendFirstDishToStations fills it).
    std::vector<RecipeStep*> steps;
};
