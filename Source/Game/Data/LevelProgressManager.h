// The game's level progress: the order of the challenge levels and their episodes (from the
// LevelProgressionData "AllLevels"), the current level, and the player's record of every level,
// kept in the current profile. It starts levels (kitchen, level intro and, when due, the
// episode's intro cutscene) and moves on after judging. Main thread.
//
// A level counts as completed once a score of at least its "WinScore" is recorded, and as won with
// expert honours when its best score reaches "ExpertScore": what the judges announce is what is
// saved.
#pragma once

#include "Framework/Looper.h"
#include "Game/Data/GameRecords.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Data/LevelResults.h"
#include "Label.h"
#include "Singleton.h"

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace Corvane
{
class Account;
}
struct KitchenLevelData;

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
    // A copy of the level's descriptor (an empty one for an unknown ID).
    LevelDescriptor GetLevelDescriptor(Corvane::Label levelID);
    // The level's record ({0, 0} when none was saved).
    LevelRecord GetLevelRecord(Corvane::Label levelID);
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
    // the load is shown in an error box and play goes on.
    void LoadLevelFile(Corvane::Label levelID, const std::wstring& fileName, bool force);
    // The level's kitchen settings, loading its file when needed; null, reported, when the file
    // holds none.
    const KitchenLevelData* GetLevelData(Corvane::Label levelID);
    const KitchenLevelData* GetCurrentLevelData();
    // 0 not completed, 1 completed, 2 completed with a best score of at least "ExpertScore".
    int GetLevelStatus(Corvane::Label levelID);

    // Records a finished run of the current level and saves its record in the current profile.
    void RecordLevelScore(int score);
    // Starts the current level: the kitchen replaces every screen, the level intro goes over it,
    // and the episode's intro cutscene over that for an episode's first level not yet won.
    void StartLevel();
    // After judging: the next level, the level select screen (with the episode's outro cutscene
    // after its last level), or the level select screen alone when the next level is won already.
    void AdvanceAfterLevel();

    // The combos the ingredient belongs to, in loading order.
    std::vector<Corvane::Label> GetCombosOfIngredient(Corvane::Label ingredient) const;

    // The results of the level being played, for the judges (see LevelResults).
    LevelResults& GetLevelResults() { return mResults; }
    void ClearLevelResults() { mResults.Clear(); }

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
    LevelResults mResults;
    Corvane::Internal::OwnedSingletonDestructor<LevelProgressManager>* mTeardown;
};
