// The level's running score and its chain (combo) of recipe steps finished in quick succession.
// Every scoring rule adds to the score; the level screen reads it at the end. A step finished
// within "ComboTime" seconds of the previous one lengthens the chain and earns the next entry of
// "ComboScoreList" (the last entry once the chain is longer than the list). Each update shows the
// score in the level screen's "GameScreenRoot"/"UI_attach"/"scoreDisplay" and runs the chain's
// timer down. One object of the level screen's database, named "SCORE_MANAGER".
#pragma once

#include "Framework/Object.h"

class ScoreManager : public Corvane::Object
{
public:
    Corvane::Label GetName() const override;
    void OnUpdate(float dt) override;

    int GetScore() const { return mScore; }
    // The score is never limited: points may be negative.
    void AddScore(int points) { mScore += points; }

    int GetComboCount() const { return mComboCount; }
    float GetComboTimer() const { return mComboTimer; }
    // Ends the chain (count and timer 0): the level screen does so when a dish is finished.
    void ResetCombo();

    // A step has finished cooking: the chain's timer starts again, the chain grows by one and the
    // score gains the points of the new chain position.
    void OnStepCompleted();
    // The points of the current chain position; 0 when "ComboScoreList" is missing or empty.
    int GetComboPoints() const;

private:
    int mScore = 0;
    float mComboTimer = 0.0f;
    int mComboCount = 0;
};

// The current database's score manager, created and registered there on first use; null when
// there is no current database.
ScoreManager* GetScoreManager();
