// The game's level progress: the order of the challenge levels and their episodes (from the
// LevelProgressionData "AllLevels"), the current level, and the player's record of every level,
// kept in the current profile. It starts levels (kitchen, level intro and, when due, the
// episode's intro cutscene) and moves on after judging. Main thread.
//
// A level counts as completed once a score of at least its "WinScore" is recorded, and as won with
// expert honours when its best score reaches "ExpertScore": what the judges announce is what is
// saved.
//
// It also keeps, in memory only, the results of the level being played for the judges: a result
// per finished step and the combos achieved, both by recipe name in the order recorded, and the
// set of completed dishes. They are emptied only by ClearLevelResults (leaving a level from the
// pause menu, leaving the judging screen), never by entering a level.
#pragma once

#include "Framework/Looper.h"
#include "Game/Data/GameRecords.h"
#include "Game/Data/LevelRecord.h"
#include "Label.h"
#include "Singleton.h"

#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace Corvane
{
class Account;
}
struct KitchenLevelData;

// One finished step of the level being played.
struct StepResult
{
    // The ingredient met every request and the step fills a dish slot.
    bool perfect = false;
    Corvane::Label ingredient;
    // The dish slot the step fills.
    int slot = 0;
    // Every point the step earned.
    int points = 0;
};

class LevelProgressManager
{
public:
    // The manager, built at the first call from "AllLevels" and the current profile, and
    // registered for singleton teardown.
    static LevelProgressManager* Instance();
    // The manager when it was built, else null.
    static LevelProgressManager* InstanceIfCreated();

    ~LevelProgressManager();
    LevelProgressManager(const LevelProgressManager&) = delete;
    LevelProgressManager& operator=(const LevelProgressManager&) = delete;

    // Reloads the tutorial tips and the level records from the current profile and makes the
    // level after the last completed one current (at most the last level).
    void LoadFromAccount();

    // The position of the level in play order, or -1.
    int GetLevelIndex(Corvane::Label levelID) const;
    int GetCurrentLevelIndex() const { return mCurrentLevelIndex; }
    // Sets the level that StartLevel starts; an index outside the order is ignored.
    void SetCurrentLevelIndex(int index);
    const std::vector<Corvane::Label>& GetLevelOrder() const { return mLevelOrder; }
    // A copy of the level's descriptor; an empty one for an ID that is not a level, which is not
    // entered anywhere.
    LevelDescriptor GetLevelDescriptor(Corvane::Label levelID) const;
    // The level's record ({0, 0} when none was saved or the ID is not a level).
    LevelRecord GetLevelRecord(Corvane::Label levelID) const;
    // The number of the first episode, in ascending number, that has the level as a challenge;
    // 0 when none has.
    int GetEpisodeNumOfLevel(Corvane::Label levelID) const;
    // The last completed level in play order, and the first one not completed; null labels when
    // there is none.
    Corvane::Label GetLastCompletedLevel() const;
    Corvane::Label GetFirstUncompletedLevel() const;
    int GetEpisodeOfLastCompletedLevel() const;
    // The episode numbered episodeNum, or null.
    const EpisodeDescriptor* FindEpisode(int episodeNum) const;
    // How many episodes the level order has.
    int GetEpisodeCount() const { return static_cast<int>(mEpisodes.size()); }
    // The current level's ID; the null label when there are no levels.
    Corvane::Label GetCurrentLevelID() const;

    // Loads the level's file unless its KitchenLevelData is there (always with force). An error of
    // the load is shown in an error box, at every forced load (the player asked for the level) but
    // otherwise once per file, and play goes on. False when the load raised an error.
    bool LoadLevelFile(Corvane::Label levelID, const std::wstring& fileName, bool force);
    // The level's kitchen settings, loading its file when needed; null, reported, when the file
    // holds none.
    const KitchenLevelData* GetLevelData(Corvane::Label levelID);
    const KitchenLevelData* GetCurrentLevelData();
    // 0 not completed, 1 completed, 2 completed with a best score of at least "ExpertScore".
    int GetLevelStatus(Corvane::Label levelID);

    // Records a finished run of the current level and saves its record in the current profile.
    void RecordLevelScore(int score);
    // Starts the current level: the kitchen replaces every screen, the level intro goes over it,
    // and the episode's intro cutscene over that for an episode's first level not yet won. False,
    // with nothing requested, when the level's file failed to load (its error box was shown).
    bool StartLevel();
    // After judging: the next level, the level select screen (with the episode's outro cutscene
    // after its last level), or the level select screen alone when the next level is won already.
    void AdvanceAfterLevel();

    // The level-run results (see the note above). Recipes are keyed by the label's handle, so key
    // order is not alphabetical.
    void RecordStepResult(Corvane::Label recipe, const StepResult& result);
    void RecordCombo(Corvane::Label recipe, Corvane::Label combo);
    void RecordCompletedDish(Corvane::Label recipe);
    bool IsDishCompleted(Corvane::Label recipe) const;
    // Appends, once each and in key order, the recipes with at least one step result.
    void CollectDishKeys(std::vector<Corvane::Label>& out) const;
    // Appends the recipe's step results in the order recorded.
    void ForEachStepResult(Corvane::Label recipe, std::vector<StepResult>& out) const;
    // Appends the recipe's combos in the order recorded.
    void ForEachCombo(Corvane::Label recipe, std::vector<Corvane::Label>& out) const;
    // One of the recipe's recorded combos, drawn from the current random stream; null when none.
    Corvane::Label PickRandomCombo(Corvane::Label recipe) const;
    void ClearLevelResults();
    // No step result, combo or completed dish is recorded.
    bool HasNoLevelResults() const;

    // The combos the ingredient belongs to, in loading order.
    std::vector<Corvane::Label> GetCombosOfIngredient(Corvane::Label ingredient) const;

private:
    LevelProgressManager();
    void Build();
    // The current profile, or null (reported).
    static Corvane::Account* CurrentAccount();
    // Queues a mode request for a screen its hook makes; a missing screen is reported and skipped.
    static void Request(Corvane::ModeRequestOp op, Corvane::ApplicationMode* mode, const char* screen);
    void RequestLevelSelectWithOutro(Corvane::Label levelID);

    int mCurrentLevelIndex = 0;
    std::vector<Corvane::Label> mLevelOrder;
    std::map<int, EpisodeDescriptor> mEpisodes;
    std::unordered_map<Corvane::Label, LevelDescriptor> mLevels;
    std::unordered_map<Corvane::Label, LevelRecord> mRecords;
    std::multimap<Corvane::Label, StepResult> mStepResults;
    std::multimap<Corvane::Label, Corvane::Label> mCombos;
    std::set<Corvane::Label> mCompletedDishes;
    // Level files whose load error has been shown.
    std::set<std::wstring> mReportedFiles;
    Corvane::Internal::OwnedSingletonDestructor<LevelProgressManager>* mTeardown;
};
