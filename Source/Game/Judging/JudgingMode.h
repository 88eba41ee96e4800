// The judges' table after a level. The outro makes it the only screen with the level's total
// (score and time bonus): JudgingMode::ShowAfterLevel (total). When the total reached the level's
// WinScore, the host Veyla and the judge Orvel go through every dish of the level, one after
// another: the dish slides in, a judge praises a well-chosen ingredient, then a combo, then Orvel
// gives the stars (or calls the dish incomplete) and the judged total counts up; "NextDishButton"
// moves on a comment at a time. After the last dish (or "SkipAllDishesButton") the overall verdict
// comes, and three seconds later the score card ("Regular" or "Expert"). Below WinScore the dishes
// are skipped and the lost card follows the verdict after five seconds. The buttons lead to the
// next level ("Judging_OkButton"), a new try ("TryAgainButton") or the challenge select
// ("ChallengeSelectButton"); each clears the level's results. The screen saves nothing: the level
// screen saved the score when the level ended.
#pragma once

#include "Framework/ObjectID.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Menus/MenuMode.h"

#include <cstdint>
#include <deque>
#include <map>

struct KitchenLevelData;

class JudgingMode : public MenuMode
{
public:
    enum Speaker
    {
        kVeyla = 0,
        kOrvel = 1,
    };
    // The judges' faces: the frame of their animated sprites.
    enum Face
    {
        kDispleased = 0,
        kNeutral = 1,
        kPleased = 2,
    };

    explicit JudgingMode(int levelScore);

    // Makes a judging screen for levelScore the only screen (the outro's way on).
    static void ShowAfterLevel(int levelScore);

    void OnEnter() override;
    void OnGainFocus() override;

    // The steps of the judging, run by the buttons and by the screen's own timing.
    void JudgeNextDish();
    void Advance();
    void GiveVerdict();
    void ShowOverallVerdict(bool dishesJudged);

    int GetLevelScore() const { return mLevelScore; }
    int GetJudgedTotal() const { return mJudgedTotal; }
    int GetDishScore() const { return mDishScore; }
    int GetSpeaker() const { return mSpeaker; }
    Corvane::Label GetCurrentDish() const { return mCurrentDish; }
    Corvane::ObjectID GetCurrentDishDisplay() const { return mCurrentDishDisplay; }
    const std::deque<Corvane::Label>& GetDishesToJudge() const { return mDishesToJudge; }
    // -1 until the overall verdict; then 0 lost, 1 won, 2 won with honours.
    int GetVerdict() const { return mVerdict; }
    // A dish stands still on the table: Next is taken (not while a dish slides, nor after the
    // overall verdict has begun).
    bool IsWaitingForNext() const;
    // The number of stars the last judged dish got (-1 for an incomplete dish).
    int GetLastStars() const { return mLastStars; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    const KitchenLevelData* Level() const;
    // Faces: the speaker's face and the other judge's; the speaker's bubble shows text.
    void Speak(int speaker, int face, int otherFace, const std::wstring& text);
    void SetFace(int speaker, int face) const;
    // Shows or hides the node at path; a hidden card's buttons give up their hot keys until it
    // shows again, so that a key reaches the card on show.
    void ShowNode(const NodePath& path, bool show);
    SceneNode* CurrentDishNode() const;
    void ShowCard(bool won);
    // The way out: clears the level results once; false when the screen is already on its way.
    bool Leave();

    int mSpeaker = kVeyla;
    Corvane::Label mCurrentDish;
    int mDishScore = 0;
    Corvane::ObjectID mCurrentDishDisplay = Corvane::kNoObject;
    std::deque<Corvane::Label> mDishesToJudge;
    std::deque<StepResult> mStepResults;
    bool mComboShown = false;
    bool mVerdictShown = false;
    int mLevelScore;
    int mJudgedTotal = 0;

    bool mSliding = false;
    bool mSending = false;
    bool mOverallBegun = false;
    bool mLeaving = false;
    std::map<Corvane::ObjectID, std::uint16_t> mHeldHotKeys;
    int mVerdict = -1;
    int mLastStars = 0;
};
