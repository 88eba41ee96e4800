// A cooking station of the kitchen, in one of the playfield's four slots. It holds at most one
// recipe step at a time (free when it holds none) and lets a finished step go in its next update,
// ending its cooking sounds. Found by the group "CookingStation".
//
// Still to come with the station piece: its node tree and displays, the flame meter, the avatar's
// work and the combo popups.
#pragma once

#include "Framework/Object.h"

class CookingStation : public Corvane::Object
{
public:
    explicit CookingStation(int slot) : mSlot(slot) {}

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();
    void OnUpdate(float dt) override;

    int GetSlot() const { return mSlot; }
    // The step held, or -1.
    Corvane::ObjectID GetStep() const { return mStep; }
    bool IsFree() const { return mStep == Corvane::kNoObject; }
    // Takes the step and tells it that it is here.
    void ReceiveStep(Corvane::ObjectID step);
    // The cooking action (CookingStepAnimation) of the step held; -1 when the station is free.
    int GetStepAnimation() const;

private:
    int mSlot;
    Corvane::ObjectID mStep = Corvane::kNoObject;
};
