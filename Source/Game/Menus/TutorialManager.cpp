#include "Game/Menus/TutorialManager.h"

#include "Debug.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/Looper.h"
#include "Game/Data/GameConstants.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Menus/TutorialMode.h"

#include <array>
#include <cstdint>
#include <exception>

using namespace Corvane;

namespace
{
TutorialManager* gInstance = nullptr;

struct PlacedTip
{
    int tip;
    Vector2<float> position;
};

static_assert(kTutorialDataSize == kTutorialTipCount, "one byte per tip");

constexpr Vector2<float> kNowhere{-1.0f, -1.0f};

constexpr PlacedTip kFirstLevelTips[] = {{kTipWelcome, kNowhere},
                                         {kTipTimer, {700, 35}},
                                         {kTipRecipe, {210, 50}},
                                         {kTipSteps, {160, 320}},
                                         {kTipNextStep, {205, 265}}};
constexpr PlacedTip kPowerUpTips[] = {{kTipMeats, {330, 130}},          {kTipShuffleVegetables, {670, 100}},
                                      {kTipShuffleMeat, {715, 100}},    {kTipShuffleFlavors, {760, 100}},
                                      {kTipHighlightCombo, {670, 150}}, {kTipHighlightAttribute, {715, 150}},
                                      {kTipProgressUp, {760, 150}}};
constexpr PlacedTip kPantryTips[] = {{kTipIngredientRequest, kNowhere},
                                     {kTipPantry, {435, 130}},
                                     {kTipFlavor, {400, 510}},
                                     {kTipChooseIngredient, kNowhere}};
// Offsets from a cooking station's world position.
constexpr PlacedTip kStationTips[] = {{kTipFlames, {80, 150}}, {kTipProgressMeter, {20, 0}}, {kTipWorking, {100, 0}}};

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
    if (IsTipForCurrentLevel(tip) && !IsTipShown(tip))
        mPending.push_back({tip, position});
}

bool TutorialManager::ShowNextTip()
{
    if (mPending.empty())
        return false;
    const TutorialTip next = mPending.front();
    mPending.pop_front();
    ShowTip(next.tip, next.position);
    return true;
}

void TutorialManager::ShowTip(int tip, const Vector2<float>& position)
{
    if (!IsTipForCurrentLevel(tip) || IsTipShown(tip))
        return;
    mShown.insert(tip);
    SaveToAccount();
    PushApplicationMode(new TutorialMode(tip, position));
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

void TutorialManager::QueueFirstLevelTips()
{
    if (LevelProgressManager::Instance()->GetCurrentLevelIndex() != 0)
        return;
    for (const PlacedTip& placed : kFirstLevelTips)
        QueueTip(placed.tip, placed.position);
}

void TutorialManager::QueuePowerUpTips()
{
    for (const PlacedTip& placed : kPowerUpTips)
        QueueTip(placed.tip, placed.position);
}

void TutorialManager::QueuePantryTips()
{
    for (const PlacedTip& placed : kPantryTips)
        QueueTip(placed.tip, placed.position);
}

void TutorialManager::QueueStationTips(const Vector2<float>& point)
{
    for (const PlacedTip& placed : kStationTips)
        QueueTip(placed.tip, {point.x + placed.position.x, point.y + placed.position.y});
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
