// The tutorial tips: gameplay queues tips by number with a screen position ((-1, -1) for none);
// the level screen shows the earliest pending one at the start of its update. A tip is shown once
// at most: a tip already shown is not queued again and a pending copy of it shows nothing.
//
// For now the manager keeps the tips it showed, in order, instead of showing them, and no tip is
// filtered by level. Still to come with the tips piece: the tip bubble screen, the tips' levels,
// the first-level and power-up tips, and keeping the shown tips in the profile.
#pragma once

#include "Graphics/Vector2.h"
#include "Singleton.h"

#include <deque>
#include <set>
#include <vector>

struct TutorialTip
{
    int tip = 0;
    Corvane::Vector2<int> position{-1, -1};

    bool operator==(const TutorialTip&) const = default;
};

class TutorialManager
{
public:
    // The one manager, created at the first call and deleted with the engine's singletons.
    static TutorialManager* Instance();
    ~TutorialManager();
    TutorialManager(const TutorialManager&) = delete;
    TutorialManager& operator=(const TutorialManager&) = delete;

    // Appends the tip to the pending list unless it was shown already.
    void QueueTip(int tip, Corvane::Vector2<int> position);
    // Takes the earliest pending tip and shows it when it was not shown yet; false when nothing
    // was pending.
    bool ShowNextTip();
    void QueueFirstLevelTips() {}
    void QueuePowerUpTips() {}

    const std::deque<TutorialTip>& GetPending() const { return mPending; }
    const std::vector<TutorialTip>& GetShown() const { return mShownInOrder; }

private:
    TutorialManager();

    std::deque<TutorialTip> mPending;
    std::set<int> mShown;
    std::vector<TutorialTip> mShownInOrder;
    Corvane::Internal::OwnedSingletonDestructor<TutorialManager>* mTeardown;
};
