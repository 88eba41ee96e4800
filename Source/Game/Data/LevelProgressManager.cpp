#include "Game/Data/LevelProgressManager.h"

#include "Debug.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/ResourceManager.h"
#include "Game/Data/IngredientComboStore.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Platform/Compat/User/MessageBox.h"
#include "TextConversion.h"

#include <algorithm>
#include <exception>

using namespace Corvane;

namespace
{
LevelProgressManager* gInstance = nullptr;

const char kGameCompletedKey[] = "GameCompleted";
const Label kAllLevels("AllLevels");
} // namespace

LevelProgressManager* LevelProgressManager::Instance()
{
    if (!gInstance)
    {
        gInstance = new LevelProgressManager;
        gInstance->Build();
    }
    return gInstance;
}

LevelProgressManager* LevelProgressManager::InstanceIfCreated()
{
    return gInstance;
}

LevelProgressManager::LevelProgressManager()
    : mTeardown(new Internal::OwnedSingletonDestructor<LevelProgressManager>(this))
{
}

LevelProgressManager::~LevelProgressManager()
{
    if (gInstance == this)
        gInstance = nullptr;
    delete mTeardown;
}

void LevelProgressManager::Build()
{
    const LevelProgressionData* allLevels = ResourceManager::Get<LevelProgressionData>(kAllLevels).Get();
    if (!allLevels)
        DebugPrint("LevelProgressManager: the level progression \"AllLevels\" is not loaded; there are no levels\n");
    else
        for (const EpisodeDescriptor& episode : allLevels->episodes)
        {
            mEpisodes[episode.episodeNum] = episode;
            LevelDescriptor levels[] = {episode.dashcourse1, episode.dashcourse2, episode.elimination};
            levels[0].firstOfEpisode = true;
            levels[2].lastOfEpisode = true;
            for (const LevelDescriptor& level : levels)
            {
                mLevelOrder.push_back(level.levelID);
                mLevels[level.levelID] = level;
            }
        }
    LoadFromAccount();
}

Account* LevelProgressManager::CurrentAccount()
{
    Account* account = nullptr;
    try
    {
        account = AccountManager::Get()->GetCurrentAccount();
    }
    catch (const std::exception& error)
    {
        DebugPrint("LevelProgressManager: the player profiles cannot be read: %s\n", error.what());
    }
    if (!account)
        DebugPrint("LevelProgressManager: there is no current profile; progress is neither read nor saved\n");
    return account;
}

void LevelProgressManager::LoadFromAccount()
{
    if (const auto& reload = GetLevelFlowHooks().reloadTutorial)
        reload();
    const Account* account = CurrentAccount();
    mRecords.clear();
    for (const Label levelID : mLevelOrder)
    {
        LevelRecord& record = mRecords[levelID];
        record = {};
        if (!Account::HasValue(account, levelID.c_str()))
            continue;
        std::uint8_t bytes[kLevelRecordSize] = {};
        if (ReadLevelRecordBytes(account, levelID.c_str(), bytes) < kLevelRecordSize)
            DebugPrint("Error loading level save data\n");
        else
            record = DecodeLevelRecord(bytes);
    }
    // The level after the last completed one, at most the last of the order; with none
    // completed, or no levels at all, the first.
    const int last = GetLevelIndex(GetLastCompletedLevel());
    mCurrentLevelIndex = std::max(0, std::min(last + 1, static_cast<int>(mLevelOrder.size()) - 1));
}

int LevelProgressManager::GetLevelIndex(Label levelID) const
{
    const auto found = std::find(mLevelOrder.begin(), mLevelOrder.end(), levelID);
    return found == mLevelOrder.end() ? -1 : static_cast<int>(found - mLevelOrder.begin());
}

void LevelProgressManager::SetCurrentLevelIndex(int index)
{
    if (index >= 0 && index < static_cast<int>(mLevelOrder.size()))
        mCurrentLevelIndex = index;
}

LevelDescriptor LevelProgressManager::GetLevelDescriptor(Label levelID) const
{
    const auto found = mLevels.find(levelID);
    return found == mLevels.end() ? LevelDescriptor() : found->second;
}

LevelRecord LevelProgressManager::GetLevelRecord(Label levelID) const
{
    const auto found = mRecords.find(levelID);
    return found == mRecords.end() ? LevelRecord() : found->second;
}

int LevelProgressManager::GetEpisodeNumOfLevel(Label levelID) const
{
    for (const auto& [number, episode] : mEpisodes)
        if (episode.dashcourse1.levelID == levelID || episode.dashcourse2.levelID == levelID ||
            episode.elimination.levelID == levelID)
            return number;
    return 0;
}

Label LevelProgressManager::GetLastCompletedLevel() const
{
    for (auto levelID = mLevelOrder.rbegin(); levelID != mLevelOrder.rend(); ++levelID)
    {
        const auto record = mRecords.find(*levelID);
        if (record != mRecords.end() && record->second.completed)
            return *levelID;
    }
    return Label();
}

Label LevelProgressManager::GetFirstUncompletedLevel() const
{
    for (const Label levelID : mLevelOrder)
    {
        const auto record = mRecords.find(levelID);
        if (record == mRecords.end() || !record->second.completed)
            return levelID;
    }
    return Label();
}

int LevelProgressManager::GetEpisodeOfLastCompletedLevel() const
{
    return GetEpisodeNumOfLevel(GetLastCompletedLevel());
}

bool LevelProgressManager::LoadLevelFile(Label levelID, const std::wstring& fileName, bool force)
{
    if (!force && ResourceManager::Get<KitchenLevelData>(levelID))
        return true;
    if (fileName.empty())
    {
        DebugPrint("LevelProgressManager: level \"%s\" names no level file\n", levelID ? levelID.c_str() : "");
        return true;
    }
    try
    {
        ResourceManager::Instance()->LoadAndWait(fileName, true, nullptr);
        return true;
    }
    catch (const std::exception& error)
    {
        // A failed file stays failed for the run: asking for it again must not box the player in.
        if (!mReportedFiles.insert(fileName).second && !force)
        {
            DebugPrint("LevelProgressManager: %ls.xml failed to load: %s\n", fileName.c_str(), error.what());
            return false;
        }
        const std::wstring caption =
            L"There was an error loading " + fileName + L".xml. Fix the problem and press F5 to reload";
        std::wstring message;
        Narrow::ToWide(message, error.what());
        MessageBoxW(nullptr, message.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
}

const KitchenLevelData* LevelProgressManager::GetLevelData(Label levelID)
{
    LoadLevelFile(levelID, GetLevelDescriptor(levelID).filename, false);
    const KitchenLevelData* data = ResourceManager::Get<KitchenLevelData>(levelID).Get();
    if (!data)
        DebugPrint("LevelProgressManager: level \"%s\" has no KitchenLevelData\n", levelID ? levelID.c_str() : "");
    return data;
}

const KitchenLevelData* LevelProgressManager::GetCurrentLevelData()
{
    if (mLevelOrder.empty())
    {
        DebugPrint("LevelProgressManager: there are no levels\n");
        return nullptr;
    }
    return GetLevelData(mLevelOrder[mCurrentLevelIndex]);
}

int LevelProgressManager::GetLevelStatus(Label levelID)
{
    // A level not completed needs no level file read to say so.
    const LevelRecord record = GetLevelRecord(levelID);
    if (!record.completed)
        return 0;
    const KitchenLevelData* data = GetLevelData(levelID);
    return data && record.bestScore >= data->expertScore ? 2 : 1;
}

void LevelProgressManager::RecordLevelScore(int score)
{
    if (mLevelOrder.empty())
    {
        DebugPrint("LevelProgressManager: there are no levels to record a score for\n");
        return;
    }
    const Label levelID = mLevelOrder[mCurrentLevelIndex];
    LevelRecord& record = mRecords[levelID];
    const KitchenLevelData* data = GetLevelData(levelID);
    record.bestScore = std::max(record.bestScore, score);
    // A win announced at the judges' table is a win saved.
    if (data && score >= data->winScore)
        record.completed = 1;
    const auto bytes = EncodeLevelRecord(record);
    // A record not stored stays in memory and with the profile, which stores it with its next
    // write; the player has been told.
    if (WriteLevelRecordBytes(CurrentAccount(), levelID.c_str(), bytes.data()) != kLevelRecordSize)
        DebugPrint("LevelProgressManager: the record of the level %s is not saved yet\n", levelID.c_str());
}

void LevelProgressManager::Request(ModeRequestOp op, ApplicationMode* mode, const char* screen)
{
    if (!mode)
    {
        DebugPrint("LevelProgressManager: the screen %s is not part of the game; its request is dropped\n", screen);
        return;
    }
    if (op == kModePopTo)
        PopToApplicationMode(mode);
    else
        PushApplicationMode(mode);
}

const EpisodeDescriptor* LevelProgressManager::FindEpisode(int episodeNum) const
{
    const auto found = mEpisodes.find(episodeNum);
    return found == mEpisodes.end() ? nullptr : &found->second;
}

Label LevelProgressManager::GetCurrentLevelID() const
{
    return mLevelOrder.empty() ? Label() : mLevelOrder[static_cast<std::size_t>(mCurrentLevelIndex)];
}

bool LevelProgressManager::StartLevel()
{
    if (mLevelOrder.empty())
    {
        DebugPrint("LevelProgressManager: there are no levels to start\n");
        return false;
    }
    const Label levelID = mLevelOrder[mCurrentLevelIndex];
    const LevelDescriptor level = GetLevelDescriptor(levelID);
    // End-to-end checks watch for this line.
    DebugPrint("LevelProgressManager: starting the level %s\n", levelID.c_str());
    // A refused file has been shown to the player; its level is not played in whatever state the
    // reading left it.
    if (!LoadLevelFile(levelID, level.filename, true))
        return false;

    const LevelFlowHooks& hooks = GetLevelFlowHooks();
    Request(kModePopTo, hooks.makeGameMode ? hooks.makeGameMode() : nullptr, "GameMode");
    Request(kModePush, hooks.makeLevelIntroMode ? hooks.makeLevelIntroMode() : nullptr, "LevelIntroMode");
    if (level.firstOfEpisode && !GetLevelRecord(levelID).completed)
        if (const EpisodeDescriptor* episode = FindEpisode(GetEpisodeNumOfLevel(levelID)))
            Request(kModePush, hooks.makeCutsceneMode ? hooks.makeCutsceneMode(episode->intro.levelID) : nullptr,
                    "CutsceneMode");
    return true;
}

void LevelProgressManager::RequestLevelSelectWithOutro(Label levelID)
{
    const LevelFlowHooks& hooks = GetLevelFlowHooks();
    const int episodeNum = GetEpisodeNumOfLevel(levelID);
    Request(kModePopTo, hooks.makeLevelSelectMode ? hooks.makeLevelSelectMode(episodeNum) : nullptr, "LevelSelectMode");
    if (const EpisodeDescriptor* episode = FindEpisode(episodeNum))
        Request(kModePush, hooks.makeCutsceneMode ? hooks.makeCutsceneMode(episode->outro.levelID) : nullptr,
                "CutsceneMode");
}

void LevelProgressManager::AdvanceAfterLevel()
{
    if (mLevelOrder.empty())
    {
        DebugPrint("LevelProgressManager: there are no levels to advance through\n");
        return;
    }
    const LevelFlowHooks& hooks = GetLevelFlowHooks();
    const auto levelSelect = [&hooks](int episode) {
        Request(kModePopTo, hooks.makeLevelSelectMode ? hooks.makeLevelSelectMode(episode) : nullptr,
                "LevelSelectMode");
    };
    const Label current = mLevelOrder[mCurrentLevelIndex];
    const int next = mCurrentLevelIndex + 1;
    if (next < static_cast<int>(mLevelOrder.size()))
    {
        if (GetLevelStatus(mLevelOrder[next]) != 0)
            levelSelect(-1); // a replay: the next level is won already
        else if (!GetLevelDescriptor(current).lastOfEpisode)
        {
            mCurrentLevelIndex = next;
            if (!StartLevel())
                levelSelect(-1);
        }
        else
        {
            RequestLevelSelectWithOutro(current);
            mCurrentLevelIndex = next;
        }
        return;
    }
    // The final level: its outro shows once.
    Account* account = CurrentAccount();
    if (!Account::ReadBool(account, kGameCompletedKey, false))
    {
        RequestLevelSelectWithOutro(current);
        Account::WriteBool(account, kGameCompletedKey, true);
    }
    else
        levelSelect(-1);
}

std::vector<Label> LevelProgressManager::GetCombosOfIngredient(Label ingredient) const
{
    return IngredientComboStore::Instance().GetCombos(ingredient);
}
