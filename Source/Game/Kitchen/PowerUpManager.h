// The level's power-ups: how many charges of each of the six kinds the player holds, and what a
// charge does when its button is used. Three run for a while ("Skills" speeds the cook's work up
// by "PowerUp_ProgressMultiplier" for "PowerUpActiveTime_Progress" s, with his halo; "HilightAtt"
// and "HilightCombo" let the hovered step light the pantry bins that suit its requests or complete
// a combo with its ingredient), each restarting its full time when used again; three act at once
// (the pantry's meat, flavouring and vegetable bins are shuffled). The timers are named tasks of
// the manager. One object of the level screen's database, named "POWERUP_MANAGER"; charges do not
// outlive it.
#pragma once

#include "Framework/Object.h"
#include "Game/Data/GameEnumerations.h"

#include <array>
#include <functional>

class SceneNode;

class PowerUpManager : public Corvane::Object
{
public:
    Corvane::Label GetName() const override;

    // One more charge of the type; "None" or a value past it (a level file's surplus counts) adds
    // nothing.
    void AddCharge(PowerUpType type);
    // The charges of the type; 0 for "None" and past it.
    int GetCount(PowerUpType type) const;
    // Spends a charge of the type and carries it out. Without a charge left (a second click before
    // the button is disabled) nothing happens; nor for "None" and past it.
    void Use(PowerUpType type);

    // The cooking speed factor: "PowerUp_ProgressMultiplier" while the boost runs, else 1.
    float GetProgressMultiplier() const;
    bool IsBoostActive() const { return mBoost; }
    bool IsAttributeHighlightActive() const { return mAttributeHighlight; }
    bool IsComboHighlightActive() const { return mComboHighlight; }

    // Off: every bin's attribute highlight goes. On, and only while "HilightAtt" runs: the bins of
    // category whose ingredient meets both requests light up (a request that is none is met by
    // every ingredient, another one by a value other than 0); the others stay as they are.
    void HighlightBinsForRequests(bool on, Corvane::Label request1, Corvane::Label request2, int category);
    // Off: every bin's combo highlight goes. On, and only while "HilightCombo" runs: the bins of
    // other ingredients that belong to a combo of ingredient light up.
    void HighlightBinsForCombos(bool on, Corvane::Label ingredient);
    // The step whose display the pointer is over (-1: none).
    void SetHoveredDisplay(Corvane::ObjectID step) { mHovered = step; }
    Corvane::ObjectID GetHoveredDisplay() const { return mHovered; }
    // A display goes: when it was the hovered one, both bin highlights go with it.
    void ClearHoveredDisplay(Corvane::ObjectID step);

private:
    void StartProgressBoost();
    void EndProgressBoost();
    void StartAttributeHighlight();
    void EndAttributeHighlight();
    void StartComboHighlight();
    void EndComboHighlight();
    // Ends the timer of that name and starts it again: seconds of the resource, then end.
    void RestartTimer(Corvane::Label timer, const char* seconds, void (PowerUpManager::*end)());

    std::array<int, kPowerUpTypeCount> mCounts{};
    bool mBoost = false;
    bool mAttributeHighlight = false;
    bool mComboHighlight = false;
    Corvane::ObjectID mHovered = Corvane::kNoObject;
};

// The current database's power-up manager, created and registered there on first use; null when
// there is no current database.
PowerUpManager* GetPowerUpManager();
// The current database's power-up manager if it has one (never creates it).
PowerUpManager* FindPowerUpManager();
// Makes node a hover area of step's display for the highlight power-ups: the pointer coming on
// calls highlight(true) and makes the step the hovered one, leaving calls highlight(false) and
// clears it, and the node's removal clears the highlights when the step was the hovered one.
void ConnectPowerUpHover(SceneNode* node, Corvane::ObjectID step,
                         std::function<void(PowerUpManager&, bool on)> highlight);
