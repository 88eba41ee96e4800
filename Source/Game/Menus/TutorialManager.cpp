#include "Game/Menus/TutorialManager.h"

namespace
{
TutorialManager* gInstance = nullptr;
} // namespace

TutorialManager* TutorialManager::Instance()
{
    if (!gInstance)
        gInstance = new TutorialManager;
    return gInstance;
}

TutorialManager::TutorialManager() : mTeardown(new Corvane::Internal::OwnedSingletonDestructor<TutorialManager>(this))
{
}

TutorialManager::~TutorialManager()
{
    if (gInstance == this)
        gInstance = nullptr;
    delete mTeardown;
}

void TutorialManager::QueueTip(int tip, Corvane::Vector2<int> position)
{
    if (!mShown.contains(tip))
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

void TutorialManager::ShowTip(int tip, Corvane::Vector2<int> position)
{
    if (mShown.insert(tip).second)
        mShownInOrder.push_back({tip, position});
}

void TutorialManager::QueuePantryTips()
{
    QueueTip(5, {-1, -1});
    QueueTip(6, {435, 130});
    QueueTip(7, {400, 510});
    QueueTip(8, {-1, -1});
}

void TutorialManager::QueueStationTips(Corvane::Vector2<int> point)
{
    QueueTip(9, {point.x + 80, point.y + 150});
    QueueTip(10, {point.x + 20, point.y});
    QueueTip(11, {point.x + 100, point.y});
}
