// The level screen: the kitchen on which one level is played. Entering builds the kitchen from the
// current level's record: the screen layout "GameScreenLayout", the playfield with its stations,
// cook, recipe list and dish display, one Recipe (with its steps) per recipe of the level, the
// score and power-up managers and the level's power-ups. Then the clock runs: the time left shows
// as m:ss, the host calls one minute, thirty and ten seconds, and a next-recipe popup opens each
// dish (the clock stands while it shows). A finished dish brings the finished-dish popup and, a
// second after it closes, the next recipe's popup or the end. The level ends when the clock runs
// out or the last dish is done, once: the whole seconds left earn "TimeRemainingScoreMultiplier"
// points each, the total is saved as the level's score, and the level outro comes up. Escape (or
// key 256) and the "PauseButton" open the pause menu.
//
// A level none of whose recipes has a cooking step cannot be played: the screen says so, naming the
// level, runs no clock, and goes back to the challenge select when there is one. (A level file
// asking for more stations or bins than a kitchen holds is refused when it is read, and the level
// does not start.)
//
// The kitchen's objects find the screen as the current application mode (GetCurrent). Main
// thread.
#pragma once

#include "Game/Kitchen/DishIngredient.h"
#include "SceneGraph/SceneApplicationMode.h"

#include <vector>

struct KitchenLevelData;
struct RecipeData;
class FennikPlayfield;

class GameMode : public SceneApplicationMode
{
public:
    static GameMode* Create();
    // The current application mode when it is a level screen, else null.
    static GameMode* GetCurrent();

    void OnMessage(const Corvane::ObjectMessage& message) override;
    bool OnKeyDown(int key) override;
    bool OnMouseDown(int button, int x, int y) override;
    bool OnMouseUp(int button, int x, int y) override;
    void Update(float dt) override;
    void OnEnter() override;
    void OnExit() override;
    void OnGainFocus() override;
    void OnLoseFocus() override;

    // Ends the level (bonus, save, outro); later calls do nothing.
    void EndLevel();
    // The current recipe's last step has just been completed.
    void DishCompleted();
    // A finished step's ingredient has reached the dish.
    void AddDishIngredient(Corvane::Label ingredient, int slot);
    // The dish display after a change of the current recipe or of the dish score.
    void RefreshDishDisplay();
    // The number of the current recipe's star thresholds that screen's dish score reaches; 0 when
    // screen is no level screen.
    static int CountCurrentDishStars(Corvane::ApplicationMode* screen);
    // The level's pantry count for the ingredient category (0 when the level names none).
    int GetPantryDisplayCount(int category) const;

    void ShowNextRecipePopup();
    void DismissNextRecipePopup();
    // Ends the level when every recipe is done, else starts the next dish.
    void StartNextDishOrEndLevel();

    const KitchenLevelData* GetLevelData() const { return mLevel; }
    float GetTimeLeft() const { return mTimeLeft; }
    bool IsPaused() const { return mPaused; }
    bool HasEnded() const { return mEnded; }
    // The level could not be played (see the note above).
    bool IsRefused() const { return mRefused; }
    // The player is in the middle of something: a button held, a press in the last second
    // (in the kitchen or on a screen over it, as the one that closed the last bubble), an
    // ingredient picked up, or the next dish's card up. A tip's bubble would take the next click
    // meant for the kitchen, so the tips wait meanwhile.
    bool IsPlayerBusy() const;
    // The next-recipe popup's root, or -1.
    Corvane::ObjectID GetPopup() const { return mPopup; }
    int GetDishScore() const { return mDishScore; }
    void AddDishScore(int points) { mDishScore += points; }
    const std::vector<DishIngredient>& GetDishIngredients() const { return mDishIngredients; }

private:
    GameMode() = default;

    // Refuses the level when it has no record or no recipe with steps; true when refused.
    bool RefuseUnplayableLevel(bool anySteps);
    void ConnectPopupMasks();
    void CountDown(float dt);
    void ShowTime();
    void OutOfTime();
    void ClearDish();
    // A copy of the recipe list's current recipe record; false when there is none.
    bool CurrentRecipe(RecipeData& out) const;
    void ShowLevelNumber();
    void ChooseMusic();

    const KitchenLevelData* mLevel = nullptr;
    FennikPlayfield* mPlayfield = nullptr;
    Corvane::ObjectID mPopup = Corvane::kNoObject;
    float mTimeLeft = 0.0f;
    bool mPaused = false;
    int mDishScore = 0;
    std::vector<DishIngredient> mDishIngredients;
    bool mEnded = false;
    bool mRefused = false;
    // Whether a button went down on the kitchen and is held now.
    bool mButtonHeld = false;
};
