// The player's cook. He stands at one cooking station at a time, walks sideways to another when
// sent there ("AvatarMovementSpeed" units per second), idles ("Idle_A" after
// "PlayerAnim_IdleDelayTime_Min" + u x "PlayerAnim_IdleDelayTime_Range" seconds, u from the current
// random stream), shows the cooking figure of the step he works on, thinks while the next-recipe
// popup is up, and wears a halo with sparkles while the progress boost runs. The stations learn
// from him that he leaves and arrives. One object of the level screen's database, named
// "PlayerAvatar".
//
// His tree is the layout "PlayerAvatarLayout" with "animationNode" (the figure: "Walk", "Stand",
// "Think", "Idle_A"), "CookingAnimNode" (the figure at work), "SpeedHalo" and "SparkleBase". He
// moves his local x only, to the station root's world x: his attach point sits at world x 0.
#pragma once

#include "SceneGraph/SceneLayoutController.h"

class AnimatedSpriteNode;
class CookingStation;
class NodePath;

class PlayerAvatar : public SceneLayoutController
{
public:
    Corvane::Label GetName() const override;
    static Corvane::Label Name();

    // Sends him to station (instant: at once, arriving in the next update). Nothing when he stands
    // there or already walks there; a walk in progress stops where he is.
    void WalkTo(Corvane::ObjectID station, bool instant);
    // Shows the working figure of the station's step in place of the station's idle figure of the
    // action (once the step has its ingredient), or stops it.
    void SetWorking(bool working);
    // true: "Think" once the walk in progress has ended; false: "Stand" and idling again.
    void SetThinking(bool thinking);
    // The halo and its sparkles, one emitter at most.
    void SetSpeedUpEffect(bool on);
    // His world x is above 400 (the right half of the screen).
    bool IsOnRightSide();

    // The station he stands at (-1 while walking) and the one he walks to (-1 when standing).
    Corvane::ObjectID GetStation() const { return mAtStation; }
    Corvane::ObjectID GetWalkingTo() const { return mWalkingTo; }
    // The sparkle emitter, or -1.
    Corvane::ObjectID GetSparkles() const { return mSparkles; }
    static Corvane::Label IdleTimerName();

protected:
    SceneNode* CreateNode() override;

private:
    void ArriveAt(Corvane::ObjectID station);
    void StartIdleTimer();
    void EndIdleTimer();
    void Stand();
    AnimatedSpriteNode* Figure() const;
    SceneNode* Child(const NodePath& path) const;

    Corvane::ObjectID mSparkles = Corvane::kNoObject;
    Corvane::ObjectID mWalkingTo = Corvane::kNoObject;
    Corvane::ObjectID mAtStation = Corvane::kNoObject;
};

// The current database's cook, or null.
PlayerAvatar* FindPlayerAvatar();
