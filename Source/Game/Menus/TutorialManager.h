// The tutorial tips: which of the game's 33 tips to show, where and when, and which ones the
// current profile has seen already (each is shown at most once per profile).
//
// Gameplay raises tips by number with a point of the 800 by 600 screen that the tip explains
// ((-1, -1): none, the bubble is centred). Queued tips wait in queuing order; the level screen
// calls ShowNextTip at the start of each update and skips the rest of that update when it returns
// true. A tip that must not wait is shown at once with ShowTip. Showing a tip pushes a
// TutorialMode bubble over the level, which pauses it until the player has read every page.
//
//   TutorialManager* tips = TutorialManager::Instance();
//   tips->QueueTip(kTipStepComplete, {stationX + 80.0f, stationY + 30.0f});  // shown when its turn comes
//   tips->ShowTip(kTipFlavorSet, {stationX + 80.0f, stationY + 30.0f});      // pushed now
//   tips->QueueStationTips(stationWorldPosition);                          // tips 9, 10, 11
//
//   // the level screen's update:
//   if (TutorialManager::Instance()->ShowNextTip())
//       return;
//
// Who raises which tip, and where ("station" = the cooking station node's world position):
//   level screen      QueueFirstLevelTips and QueuePowerUpTips each running update; kTipNewRecipe
//                     at (-1, -1) when the first popup closes; kTipThreeStars at (120, 100)
//   cooking stations  QueuePantryTips; QueueStationTips(station); kTipTwoFlavors at station + (100, 100)
//   recipe steps      kTipStepComplete at station + (80, 30); kTipChainingIntro at station + (70, -100);
//                     kTipWrongCategory and kTipMeatStep at station + (50, 140); kTipWrongAttribute
//                     at station + (100, 100)
//   station combos    kTipChainingComplete and kTipClassicCombo 1.0 s after the chain or combo at
//                     station + (70, -100); ShowTip(kTipFlavorSet) at station + (80, 30)
//   flame meter       ShowTip(kTipFlameBlinkIngredient) while the station waits for an ingredient,
//                     ShowTip(kTipFlameBlinkWork) while it waits for work, at the top lit flame's
//                     world position + (20, 20)
//   playfield         kTipAddStep at (165, 265)
// Everything not marked ShowTip is queued.
//
// Some tips belong to one level only (IsTipForCurrentLevel, by the level progress's current
// index); a tip that does not apply, was shown already or has a number outside 0..32 is neither
// queued nor shown. The shown set is the profile's raw value "TutorialData" (33 bytes, byte n = 1
// when tip n was shown), rewritten on every change; LoadFromAccount reads it again when another
// profile becomes current (the level progress calls it through its reload hook). Pending tips
// are never saved.
//
// Main thread only.
#pragma once

#include "Graphics/Vector2.h"
#include "Singleton.h"

#include <deque>
#include <set>

// The tips by number; each one's texts are the keys "Tutorial.<Name>.<page>" (kTutorialMessageFormats).
enum TutorialTipNumber : int
{
    kTipWelcome = 0,
    kTipTimer = 1,
    kTipRecipe = 2,
    kTipSteps = 3,
    kTipNextStep = 4,
    kTipIngredientRequest = 5,
    kTipPantry = 6,
    kTipFlavor = 7,
    kTipChooseIngredient = 8,
    kTipFlames = 9,
    kTipProgressMeter = 10,
    kTipWorking = 11,
    kTipStepComplete = 12,
    kTipChainingIntro = 13,
    kTipAddStep = 14,
    kTipNewRecipe = 15,
    kTipMeats = 16,
    kTipChainingComplete = 17,
    kTipTwoFlavors = 18,
    kTipFlameBlinkIngredient = 19,
    kTipFlameBlinkWork = 20,
    kTipClassicCombo = 21,
    kTipFlavorSet = 22,
    kTipShuffleFlavors = 23,
    kTipShuffleVegetables = 24,
    kTipShuffleMeat = 25,
    kTipProgressUp = 26,
    kTipHighlightCombo = 27,
    kTipHighlightAttribute = 28,
    kTipWrongCategory = 29,
    kTipWrongAttribute = 30,
    kTipMeatStep = 31,
    kTipThreeStars = 32,
};

// A queued tip: its number and the point it explains.
struct TutorialTip
{
    int tip = 0;
    Corvane::Vector2<float> position{-1.0f, -1.0f};

    bool operator==(const TutorialTip&) const = default;
};

class TutorialManager
{
public:
    // The manager; the first call builds it (nothing pending) and loads the current profile's
    // record. It is deleted with the engine's singletons.
    static TutorialManager* Instance();
    // The manager when it was built, else null; never builds it.
    static TutorialManager* InstanceIfCreated();

    ~TutorialManager();
    TutorialManager(const TutorialManager&) = delete;
    TutorialManager& operator=(const TutorialManager&) = delete;

    // The tip number names one of the 33 tips.
    static bool IsValidTip(int tip);

    // Appends {tip, position} to the pending list when the tip applies to the current level and
    // was not shown yet. An entry of the same tip already pending is not looked for.
    void QueueTip(int tip, const Corvane::Vector2<float>& position);
    // Takes the earliest pending entry and shows it (ShowTip); true whenever an entry was taken,
    // also when it showed nothing because the tip was shown meanwhile. False with nothing pending.
    bool ShowNextTip();
    // When the tip applies to the current level and was not shown yet: marks it shown, saves the
    // record and pushes its bubble. Pending entries of the tip stay and later show nothing.
    void ShowTip(int tip, const Corvane::Vector2<float>& position);
    // Tips 16 and 28 on level index 1, 23 on 6, 24 on 7, 26 on 9, 27 on 12, 25 on 13; tip 14
    // once tip 8 was shown; every other tip always; no tip outside 0..32.
    bool IsTipForCurrentLevel(int tip) const;

    // On level index 0: tips 0 to 4, in order, at their places on the screen.
    void QueueFirstLevelTips();
    // The power-up tips 16, 24, 25, 23, 27, 28, 26 (those of the current level pass).
    void QueuePowerUpTips();
    // The pantry tips 5, 6, 7, 8.
    void QueuePantryTips();
    // The station tips 9, 10, 11 around a cooking station's world position.
    void QueueStationTips(const Corvane::Vector2<float>& point);

    // Replaces the shown set by the current profile's record: none shown without a profile or a
    // value of exactly 33 bytes. The pending list stays.
    void LoadFromAccount();
    // Writes the shown set as the current profile's "TutorialData"; nothing without a profile.
    // False when nothing was stored.
    bool SaveToAccount() const;

    bool IsTipShown(int tip) const { return mShown.contains(tip); }
    const std::set<int>& GetShownTips() const { return mShown; }
    const std::deque<TutorialTip>& GetPendingTips() const { return mPending; }

private:
    TutorialManager();

    std::deque<TutorialTip> mPending;
    std::set<int> mShown;
    Corvane::Internal::OwnedSingletonDestructor<TutorialManager>* mTeardown;
};

// Makes the level progress reload the tips shown whenever it reloads the current profile's records
// (its reloadTutorial hook). The application's start-up calls it.
void ConnectTutorialToLevelProgress();
