// A cooking station: one of the kitchen's up to four work places, in one of the playfield's four
// slots. It holds at most one recipe step at a time (free when it holds none), shows that step's
// display under its "ActionStep_Attach" node, keeps a flame meter that rewards quick service,
// tells the cook and the audio manager what is being cooked, and sends the cook to itself when it
// is pressed anywhere, on the stove or on its step's card (OnPressed). It lets a finished step go
// in its next update. Found by the group "CookingStation".
//
// Its node tree is the layout "CookingStationLayout" with the children "clickRect" (press and
// hover area: the stove and the card's place under it), "flameAttach" (the flame meter),
// "ActionStep_Attach" (the step's display) and "BG_KeyStep" (the key-step marker). Outside it, the
// playfield's "AddIngredientPromptRoot" holds one prompt per slot.
//
// Every look-up of the step, the display, the playfield and the cook goes through the current
// object database: a stale identifier means none. A station without a step answers its step
// questions with none (the null label, -1) instead of asking a missing step.
#pragma once

#include "Framework/Object.h"
#include "Game/Kitchen/DragAndDrop.h"
#include "SceneGraph/SceneLayoutController.h"

#include <vector>

class FlameMeter;
class NodePath;
class RecipeStep;

class CookingStation : public DragTarget<RecipeStep*>, public SceneLayoutController
{
public:
    // The station for slot 0..3; its tree and meter are made by Attach (the playfield's).
    explicit CookingStation(int slot);

    using Corvane::Object::GetGroup;
    Corvane::Label GetGroup() const override;
    static Corvane::Label Group();
    // A step in state 3 (finishing) is let go: the station is free, its loops stop, the cook
    // stops working when he is here, the flame timers stop.
    void OnUpdate(float dt) override;

    int GetSlot() const { return mSlot; }
    // The step held, or -1.
    Corvane::ObjectID GetStep() const { return mStep; }
    bool IsFree() const { return mStep == Corvane::kNoObject; }
    FlameMeter* GetFlameMeter() const;

    // A step handed over as a drop: received when the station is free.
    bool Accept(RecipeStep* step) override;
    // From the recipe list: takes the step and tells it that it is here (AssignToStation).
    void ReceiveStep(Corvane::ObjectID step);
    // Shows or hides the step's area; when shown, the key-step marker follows the step and the
    // pantry tips (and tip 18 for a second request) are asked for.
    void ShowStepArea(bool show);

    // Called by the step just before it enters state 1: the ingredient wait starts and the slot's
    // prompt shows the step's category after 0.5 s.
    void OnStepArrived();
    // Called by the step just before it enters state 2: the action display replaces the
    // ingredient display, the interaction wait starts, the passive loop plays.
    void OnCookingStarted();
    // The bonuses the ingredient just added to the step earns (StationCombos.cpp): the flavour
    // sets it makes with the other stations' steps, then the classic combos it completes. Both are
    // in the level's score already; the sum is returned for the dish.
    int ScoreIngredientBonuses();
    // The classic combos listed for the step's ingredient whose every ingredient stands at one of
    // stations: each scored and recorded under the step's recipe, the most valuable shown.
    int ScoreClassicCombos(const std::vector<CookingStation*>& stations);
    // Every cooking display whose step met attribute flashes it; the set tip is shown at once.
    void HighlightAttributeSet(Corvane::Label attribute);

    // The kitchen's floating feedback over the station (ScorePopups.cpp); each popup removes
    // itself when its motion ends. The met requests' pictures:
    void ShowAttributeMatchPopup(Corvane::Label request1, Corvane::Label request2);
    // "+points", shown after delay seconds.
    void ShowScorePopup(int points, float delay);
    // A set of count stations of attribute: its points and picture, shown after delay seconds.
    void ShowAttributeSetPopup(int count, float delay, Corvane::Label attribute);
    // The chain's clock and count; the playfield keeps one at a time.
    void ShowChainPopup(int points);
    // Every request of the step is met: a flame more, and the station tips after the flame's
    // entrance.
    void OnAllRequestsMet();
    // The flames lit times "FlameMeter_PerFlameScore".
    int GetFlameScore() const;
    // 0 flames, ingredient wait, timer ended (the recipe list, on the next recipe).
    void ResetFlames();

    // A press anywhere on the station, its stove or its step's card (a waiting step's card takes
    // presses only while an ingredient is picked up): the cook is sent here, or, standing here at
    // a cooking step, starts or stops working on it, as a press on the cooking step's card does.
    void OnPressed();
    // The cook reached the station: a cooking step (state above 1) hears OnStationClicked.
    void OnAvatarArrived();
    // The cook walked away: the step stops being worked.
    void OnAvatarLeft();
    // From the step: the cook starts or stops working here; the station's loops follow.
    void SetAvatarWorking(bool working);
    // The object "PlayerAvatar" stands at this station.
    bool IsAvatarHere() const;
    // The cooking display's idle figure of the action, which the cook's work replaces (none
    // without a cooking display).
    void SetDisplayIdleSprite(bool visible);

    // The display attached under "ActionStep_Attach" (the ingredient display while the step waits,
    // the action display while it cooks) or null. AttachStepDisplay removes the previous one and
    // attaches display (the station's database registers it).
    SceneLayoutController* GetStepDisplay() const;
    void AttachStepDisplay(SceneLayoutController* display);
    // Removes the display (if it still lives), and ends the tasks of the slot's prompt and hides it.
    void ClearStepDisplay();

    // What the cook and the audio manager ask of the step held; none without a step.
    Corvane::Label GetStepIngredient() const;
    Corvane::Label GetStepActionName() const;
    int GetStepActionType() const;
    int GetStepCategory() const;
    // Without a step: false. Else request 1 or 2 equals attribute and is matched.
    bool StepHasMatched(Corvane::Label attribute) const;

    // Hit testing of "clickRect".
    void SetClickable(bool on);

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override;

private:
    RecipeStep* FindStep() const;
    SceneNode* FindChild(const NodePath& path) const;
    void ConnectClickRect();
    // The tip a bonus's popup leads to, asked for a second later beside the station.
    void QueueBonusTip(int tip);
    void OnPointerEnter();
    void OnPointerLeave();

    int mSlot;
    Corvane::ObjectID mFlameMeter = Corvane::kNoObject;
    Corvane::ObjectID mStep = Corvane::kNoObject;
    Corvane::ObjectID mStepDisplay = Corvane::kNoObject;
};

// The current database's stations, in the order the playfield made them (slot order).
std::vector<CookingStation*> FindCookingStations();
