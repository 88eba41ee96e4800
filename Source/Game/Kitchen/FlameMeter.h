// A cooking station's flame meter: up to six flames that measure how well the player serves the
// station. A flame is gained when an ingredient meets every request of the station's step; while
// the station waits (for an ingredient, or for the cook's work) a flame is lost every
// W + "FlameLossTime_SlowFlash" + "FlameLossTime_FastFlash" seconds, the top flame warning twice
// before each loss (tip 19 or 20 at a warning, once). W is "FlameLossTime_Ingredient" or
// "FlameLossTime_Interaction".
//
// Its tree is the layout "Station_FlameMeterLayout", whose children "1" to "6" are the flames
// (animated sprites playing "Idle", "Alert_Slow", "Alert_Fast"); the root sits at
// "FlameRootLocation_Base" + (flames - 1) x "FlameRootLocation_Offset". The loss timer is the one
// task "FlameRemoveTimer" of the meter object.
#pragma once

#include "SceneGraph/SceneLayoutController.h"

class AnimatedSpriteNode;

class FlameMeter : public SceneLayoutController
{
public:
    static constexpr int kMaxFlames = 6;

    // 0 flames, ingredient wait, no timer, flames redrawn.
    void Reset();
    void StartIngredientWait();
    void StartInteractionWait();
    // Ends the loss timer; flames redrawn.
    void StopTimers();
    // One flame more (at most six); the top flame plays its entrance. The timer runs on.
    void GainFlame();

    int GetFlames() const { return mFlames; }
    // True while the station waits for the cook's work.
    bool IsWaitingForWork() const { return mWaitForWork; }
    bool IsTimerRunning() const;
    static Corvane::Label TimerName();

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override { Reset(); }

private:
    void StartWait(bool forWork);
    void Refresh();
    void Alert(bool fast);
    void LoseFlame();
    // Flame k (1 to 6), or null.
    AnimatedSpriteNode* Flame(int k) const;

    int mFlames = 0;
    bool mWaitForWork = false;
};
