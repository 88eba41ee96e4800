#include "Game/Menus/TutorialManager.h"

#include "Debug.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/Looper.h"
#include "Game/Data/GameConstants.h"
#include "Game/Data/GameEnumerations.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Menus/TutorialMode.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneNode.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>

using namespace Corvane;

namespace
{
TutorialManager* gInstance = nullptr;

static_assert(kTutorialDataSize == kTutorialTipCount, "one byte per tip");

constexpr Vector2<float> kNowhere{-1.0f, -1.0f};

// The parts of the level screen the tips that are not about one station explain, by paths from the
// screen's root; a tip not listed has no particular place. A tip points at its part's middle, or
// at its lower edge where the middle holds what the player reads (the clock's digits).
struct TipPart
{
    enum Anchor
    {
        kMiddle,
        kLowerEdge,
    };
    int tip;
    NodePath part;
    Anchor anchor = kMiddle;
};

const std::vector<TipPart>& ScreenParts()
{
    // Open paths (no end step): a part's path is one of them followed by PathOf the rest.
    static const NodePath ui{"GameScreenRoot", "UI_attach"};
    static const NodePath pantry{"GameScreenRoot", "Playfield_attach", "FennikPlayfield", "Pantry_Attach"};
    static const std::vector<TipPart> parts = {
        {kTipTimer, ui + PathOf({"timer"}), TipPart::kLowerEdge},
        {kTipRecipe, ui + PathOf({"dishDisplay"})},
        {kTipSteps, ui + PathOf({"List_Attach"})},
        {kTipNextStep, ui + PathOf({"List_Attach", "RecipeList", "NextStepButton"})},
        {kTipAddStep, ui + PathOf({"List_Attach", "RecipeList", "NextStepButton"})},
        {kTipPantry, pantry + PathOf({})},
        {kTipFlavor, pantry + PathOf({"PantryRoot", "ingredientAttachPoints", "Row_1", "IngredAttach_1"})},
        {kTipMeats, pantry + PathOf({})},
        {kTipThreeStars, ui + PathOf({"dishDisplay", "meter"})},
        {kTipProgressUp, ui + PathOf({"PowerUp_Attach", "PowerUpButtons", "PowerUp_Button_Skills"})},
        {kTipHighlightAttribute, ui + PathOf({"PowerUp_Attach", "PowerUpButtons", "PowerUp_Button_Intuition"})},
        {kTipHighlightCombo, ui + PathOf({"PowerUp_Attach", "PowerUpButtons", "PowerUp_Button_Experience"})},
        {kTipShuffleMeat, ui + PathOf({"PowerUp_Attach", "PowerUpButtons", "PowerUp_Button_ShuffleMeat"})},
        {kTipShuffleFlavors, ui + PathOf({"PowerUp_Attach", "PowerUpButtons", "PowerUp_Button_ShuffleFlavor"})},
        {kTipShuffleVegetables, ui + PathOf({"PowerUp_Attach", "PowerUpButtons", "PowerUp_Button_ShuffleVeg"})}};
    return parts;
}

constexpr int kFirstLevelTips[] = {kTipWelcome, kTipTimer, kTipRecipe, kTipSteps, kTipNextStep};
constexpr int kPowerUpTips[] = {kTipMeats,          kTipShuffleVegetables,  kTipShuffleMeat, kTipShuffleFlavors,
                                kTipHighlightCombo, kTipHighlightAttribute, kTipProgressUp};
constexpr int kPantryTips[] = {kTipIngredientRequest, kTipPantry, kTipFlavor, kTipChooseIngredient};

// The station tips point from the station's node at its flames, at the progress meter of the step
// display under it, and at the stove, where the cook works.
struct StationTip
{
    int tip;
    const NodePath* part;
};
const StationTip kStationTips[] = {{kTipFlames, &ObjectPaths::CookingStation::kFlameAttach},
                                   {kTipProgressMeter, &ObjectPaths::CookingStation::kStepMeter},
                                   {kTipWorking, nullptr}};

// The top band's cards end this far above their node's bottom edge (their shadow lies below), and
// a tail pointing at a card's lower edge ends a little inside it.
constexpr float kCardLowerEdgeInset = 12.0f;

// The middle of everything node draws (itself and what is attached below it).
Vector2<float> MiddleOf(SceneNode& node)
{
    const Rect<float> bounds = node.GetBounds();
    return {bounds.x + bounds.width / 2.0f, bounds.y + bounds.height / 2.0f};
}

Vector2<float> LowerEdgeOf(SceneNode& node)
{
    const Rect<float> bounds = node.GetBounds();
    return {bounds.x + bounds.width / 2.0f, bounds.y + bounds.height - kCardLowerEdgeInset};
}

// The progress meters of the steps cooking now.
std::vector<SceneNode*> ShownMeters()
{
    std::vector<SceneNode*> meters;
    for (CookingStation* station : FindCookingStations())
        if (SceneNode* node = station->GetNode())
            if (SceneNode* meter = node->FindByPath(ObjectPaths::CookingStation::kStepMeter);
                meter && meter->IsWorldVisible())
                meters.push_back(meter);
    return meters;
}

// The first bin of the category that the pantry shows, or null.
SceneNode* ShownBin(int category)
{
    const IngredientPantry* pantry = FindPantry();
    if (!pantry)
        return nullptr;
    for (const IngredientBin* bin : pantry->GetBins(category))
        if (SceneNode* node = bin->GetNode(); node && node->IsWorldVisible())
            return node;
    return nullptr;
}

// The tips that belong to one level, by its index in play order.
struct LevelBoundTip
{
    int tip;
    int levelIndex;
};
constexpr LevelBoundTip kLevelBoundTips[] = {
    {kTipMeats, 1},      {kTipHighlightAttribute, 1}, {kTipShuffleFlavors, 6}, {kTipShuffleVegetables, 7},
    {kTipProgressUp, 9}, {kTipHighlightCombo, 12},    {kTipShuffleMeat, 13}};

// The current profile; null, reported, when there is none or the profiles cannot be read.
Account* CurrentProfile(const char* what)
{
    Account* account = nullptr;
    try
    {
        account = AccountManager::Get()->GetCurrentAccount();
    }
    catch (const std::exception& error)
    {
        DebugPrint("TutorialManager: the player profiles cannot be read: %s\n", error.what());
    }
    if (!account)
        DebugPrint("TutorialManager: there is no current profile; the tips shown are not %s\n", what);
    return account;
}
} // namespace

TutorialManager* TutorialManager::Instance()
{
    if (!gInstance)
    {
        gInstance = new TutorialManager;
        gInstance->LoadFromAccount();
    }
    return gInstance;
}

TutorialManager* TutorialManager::InstanceIfCreated()
{
    return gInstance;
}

TutorialManager::TutorialManager() : mTeardown(new Internal::OwnedSingletonDestructor<TutorialManager>(this)) {}

TutorialManager::~TutorialManager()
{
    if (gInstance == this)
        gInstance = nullptr;
    delete mTeardown;
}

bool TutorialManager::IsValidTip(int tip)
{
    return tip >= 0 && tip < kTutorialTipCount;
}

void TutorialManager::QueueTip(int tip, const Vector2<float>& position)
{
    if (IsTipForCurrentLevel(tip) && IsTipTrueNow(tip) && !IsTipShown(tip))
        mPending.push_back({tip, position});
}

bool TutorialManager::ShowNextTip()
{
    if (mPending.empty() || IsPlayerBusy())
        return false;
    const TutorialTip next = mPending.front();
    mPending.pop_front();
    ShowTip(next.tip, PointNow(next.tip, next.position));
    return true;
}

Vector2<float> TutorialManager::PointNow(int tip, const Vector2<float>& queued)
{
    // A step's meter goes with its step: the tip about it points at one that shows when it comes,
    // the one it was queued for while that still cooks.
    if (tip != kTipProgressMeter)
        return queued;
    const std::vector<SceneNode*> meters = ShownMeters();
    for (SceneNode* meter : meters)
        if (meter->GetBounds().Contains(queued.x, queued.y))
            return queued;
    return meters.empty() ? queued : MiddleOf(*meters.front());
}

void TutorialManager::ShowTip(int tip, const Vector2<float>& position)
{
    if (!IsTipForCurrentLevel(tip) || !IsTipTrueNow(tip) || IsTipShown(tip) || IsPlayerBusy())
        return;
    mShown.insert(tip);
    SaveToAccount();
    PushApplicationMode(new TutorialMode(tip, position));
}

bool TutorialManager::IsPlayerBusy()
{
    const GameMode* level = GameMode::GetCurrent();
    return level && level->IsPlayerBusy();
}

bool TutorialManager::IsTipForCurrentLevel(int tip) const
{
    if (!IsValidTip(tip))
        return false;
    if (tip == kTipAddStep)
        return IsTipShown(kTipChooseIngredient);
    for (const LevelBoundTip& bound : kLevelBoundTips)
        if (bound.tip == tip)
            return LevelProgressManager::Instance()->GetCurrentLevelIndex() == bound.levelIndex;
    return true;
}

bool TutorialManager::IsTipTrueNow(int tip)
{
    if (tip == kTipMeats)
        return ShownBin(kCategoryMeat) != nullptr;
    if (tip == kTipProgressMeter)
        return !ShownMeters().empty();
    if (tip == kTipAddStep)
    {
        // Untrue once every station of the kitchen holds a step.
        const std::vector<CookingStation*> stations = FindCookingStations();
        return stations.empty() || std::any_of(stations.begin(), stations.end(),
                                               [](const CookingStation* station) { return station->IsFree(); });
    }
    return true;
}

Vector2<float> TutorialManager::PointAt(SceneNode& station, const NodePath& part)
{
    // A part is what is attached there (a step's display); the station itself is its stove.
    SceneNode* node = part.GetElements().empty() ? nullptr : station.FindByPath(part);
    return node ? MiddleOf(*node) : station.GetWorldCenter();
}

Vector2<float> TutorialManager::PointFor(int tip)
{
    if (tip == kTipMeats)
        if (SceneNode* bin = ShownBin(kCategoryMeat))
            return MiddleOf(*bin);
    for (const TipPart& part : ScreenParts())
        if (part.tip == tip)
            if (SceneNode* node = FindNodeInCurrentScene(part.part))
                return part.anchor == TipPart::kLowerEdge ? LowerEdgeOf(*node) : MiddleOf(*node);
    return kNowhere;
}

void TutorialManager::QueueFirstLevelTips()
{
    if (LevelProgressManager::Instance()->GetCurrentLevelIndex() != 0)
        return;
    for (const int tip : kFirstLevelTips)
        QueueAtItsPart(tip);
}

void TutorialManager::QueuePowerUpTips()
{
    for (const int tip : kPowerUpTips)
        QueueAtItsPart(tip);
}

void TutorialManager::QueueAtItsPart(int tip)
{
    // Asked every running update, also while the tips wait for the player: the screen is searched
    // only for a tip that will be queued, and a tip waiting already is not queued again.
    if (IsTipForCurrentLevel(tip) && IsTipTrueNow(tip) && !IsTipShown(tip) && !IsPending(tip))
        QueueTip(tip, PointFor(tip));
}

bool TutorialManager::IsPending(int tip) const
{
    return std::any_of(mPending.begin(), mPending.end(), [tip](const TutorialTip& entry) { return entry.tip == tip; });
}

void TutorialManager::QueuePantryTips(SceneNode* station)
{
    for (const int tip : kPantryTips)
        QueueTip(tip, tip == kTipIngredientRequest && station
                          ? PointAt(*station, ObjectPaths::CookingStation::kActionStepAttach)
                          : PointFor(tip));
}

void TutorialManager::QueueStationTips(SceneNode& station)
{
    for (const StationTip& placed : kStationTips)
        QueueTip(placed.tip, PointAt(station, placed.part ? *placed.part : NodePath{}));
}

void TutorialManager::LoadFromAccount()
{
    mShown.clear();
    const Account* account = CurrentProfile("read");
    if (!account || !Account::HasValue(account, kTutorialDataKey))
        return;
    // One byte more than the record: a longer value is as malformed as a shorter one.
    std::array<std::uint8_t, kTutorialDataSize + 1> bytes{};
    if (Account::ReadBinary(account, kTutorialDataKey, bytes.data(), kTutorialDataSize + 1) != kTutorialDataSize)
    {
        DebugPrint("TutorialManager: the profile's tutorial record is malformed; no tip counts as shown\n");
        return;
    }
    for (int tip = 0; tip < kTutorialTipCount; ++tip)
        if (bytes[tip] != 0)
            mShown.insert(tip);
}

bool TutorialManager::SaveToAccount() const
{
    Account* account = CurrentProfile("saved");
    if (!account)
        return false;
    std::array<std::uint8_t, kTutorialDataSize> bytes{};
    for (int tip = 0; tip < kTutorialTipCount; ++tip)
        bytes[tip] = IsTipShown(tip) ? 1 : 0;
    return WriteTutorialBytes(account, kTutorialDataKey, bytes.data()) == kTutorialDataSize;
}

void ConnectTutorialToLevelProgress()
{
    GetLevelFlowHooks().reloadTutorial = [] { TutorialManager::Instance()->LoadFromAccount(); };
}
