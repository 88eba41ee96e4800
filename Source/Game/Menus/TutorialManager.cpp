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
    if (mShown.insert(next.tip).second)
        mShownInOrder.push_back(next);
    return true;
}
