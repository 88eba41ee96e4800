// The tutorial tips: which of the game's 33 tips to show, where and when, and which ones the
// current profile has seen already (each is shown at most once per profile).
//
// Gameplay raises tips by number with a point of the 800 by 600 screen that the tip explains
// ((-1, -1): none, the bubble is centred). Queued tips wait in queuing order; the level screen
// calls ShowNextTip at the start of each update and skips the rest of that update when it returns
// true. A tip that must not wait is shown at once with ShowTip. Showing a tip pushes a
// TutorialMode bubble over the level, which pauses it until the player has read every page. While
// the player is busy in the kitchen (a button held, a press in the last second, also the one
// that closed a bubble or another screen over the level, an ingredient picked up, the next dish's
// card up), no bubble comes: a bubble then would take the click meant for the kitchen. Queued tips
// wait for the hands to rest; a tip for at once is let go and comes again with its moment.
//
//   TutorialManager* tips = TutorialManager::Instance();
//   tips->QueueTip(kTipStepComplete, TutorialManager::PointAt(*stationNode, {}));  // when its turn comes
//   tips->ShowTip(kTipFlavorSet, TutorialManager::PointAt(*stationNode, stepDisplay)); // pushed now
//   tips->QueueStationTips(*stationNode);                                        // tips 9, 10, 11
//
//   // the level screen's update:
//   if (TutorialManager::Instance()->ShowNextTip())
//       return;
//
// Each tip points at the thing it names: a part of the level screen (PointFor: the clock's lower
// edge, clear of its digits, the dish card and its stars, the recipe list, Cook next, the pantry,
// its first bin and its first meat bin, each power-up's button) or a part of a station (PointAt:
// its step display for the tips about a step's requests, its chain and its bonuses, the display's
// progress meter, its flames, its stove).
//   level screen      QueueFirstLevelTips and QueuePowerUpTips each running update; kTipNewRecipe
//                     centred when the first popup closes; kTipThreeStars
//   cooking stations  QueuePantryTips(station); QueueStationTips(station); kTipTwoFlavors
//   recipe steps      kTipStepComplete, kTipChainingIntro, kTipWrongCategory, kTipMeatStep,
//                     kTipWrongAttribute
//   station combos    kTipChainingComplete and kTipClassicCombo 1.0 s after the chain or combo;
//                     ShowTip(kTipFlavorSet)
//   flame meter       ShowTip(kTipFlameBlinkIngredient) while the station waits for an ingredient,
//                     ShowTip(kTipFlameBlinkWork) while it waits for work, at the top lit flame
//   playfield         kTipAddStep after 6 s without a step at any station
// Everything not marked ShowTip is queued.
//
// Some tips belong to one level only (IsTipForCurrentLevel, by the level progress's current
// index), and one speaks of what the screen must show (IsTipTrueNow: the meat tip needs meat bins
// in the pantry); a tip that does not apply, is not true now, was shown already or has a number
// outside 0..32 is neither queued nor shown. The shown set is the profile's raw value
// "TutorialData" (33 bytes, byte n = 1 when tip n was shown), rewritten on every change;
// LoadFromAccount reads it again when another profile becomes current (the level progress calls it
// through its reload hook). Pending tips are never saved.
//
// Main thread only.
#pragma once

#include "Graphics/Vector2.h"
#include "SceneGraph/NodePath.h"
#include "Singleton.h"

#include <deque>
#include <set>

class SceneNode;

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
    // also when it showed nothing because the tip was shown meanwhile. False with nothing pending,
    // and while the player is busy in the kitchen on top (GameMode::IsPlayerBusy): the tips wait.
    bool ShowNextTip();
    // When the tip applies to the current level and was not shown yet: marks it shown, saves the
    // record and pushes its bubble. Pending entries of the tip stay and later show nothing. While
    // the player is busy in the kitchen it does nothing: the tip comes again with its moment.
    void ShowTip(int tip, const Corvane::Vector2<float>& position);
    // Tips 16 and 28 on level index 1, 23 on 6, 24 on 7, 26 on 9, 27 on 12, 25 on 13; tip 14
    // once tip 8 was shown; every other tip always; no tip outside 0..32.
    bool IsTipForCurrentLevel(int tip) const;
    // What the tip says holds on the screen now: tip 16 (look for the meat bins) while the pantry
    // shows a meat bin, tip 10 (this meter fills) while a step's progress meter shows, tip 14 (a
    // station without a step cooks nothing) unless every station holds a step; every other tip
    // always.
    // A tip not true now is neither queued nor shown (it comes again with its moment).
    static bool IsTipTrueNow(int tip);

    // On level index 0: tips 0 to 4, in order, each pointing at the part of the level screen it
    // names (the clock, the dish card, the recipe list, Cook next).
    void QueueFirstLevelTips();
    // The power-up tips 16, 24, 25, 23, 27, 28, 26 (those of the current level pass), at the
    // pantry and at each power-up's button.
    void QueuePowerUpTips();
    // The pantry tips 5, 6, 7, 8: the request of the step at station (when given), the pantry,
    // its first bin, no particular place.
    void QueuePantryTips(SceneNode* station = nullptr);
    // The station tips 9, 10, 11: the station's flames, its step's progress meter and its stove.
    void QueueStationTips(SceneNode& station);

    // Where a tip about the level screen points: the middle of the part it explains (the dish
    // card, Cook next, the pantry, a power-up's button...; the clock's lower edge) on the current
    // screen; no particular place for a tip about none or when the screen lacks the part.
    static Corvane::Vector2<float> PointFor(int tip);
    // The middle of a part of a cooking station (from its node; the station itself for an empty
    // path or a part it lacks).
    static Corvane::Vector2<float> PointAt(SceneNode& station, const NodePath& part);

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
    // A bubble now would take a click meant for the kitchen on top.
    static bool IsPlayerBusy();
    // Where a tip queued for the point queued points when it shows: the same point, except for
    // the meter tip, whose step may have finished meanwhile (another step's meter then).
    static Corvane::Vector2<float> PointNow(int tip, const Corvane::Vector2<float>& queued);
    // QueueTip at PointFor (tip), unless the tip waits in the list already.
    void QueueAtItsPart(int tip);
    bool IsPending(int tip) const;

    std::deque<TutorialTip> mPending;
    std::set<int> mShown;
    Corvane::Internal::OwnedSingletonDestructor<TutorialManager>* mTeardown;
};

// Makes the level progress reload the tips shown whenever it reloads the current profile's records
// (its reloadTutorial hook). The application's start-up calls it.
void ConnectTutorialToLevelProgress();
