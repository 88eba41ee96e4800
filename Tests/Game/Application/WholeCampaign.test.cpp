// The whole game as one player plays it, on the game's own data: a new profile named at the first
// start, the tips of the first levels read as they come, and every challenge of every episode in
// play order, started from the challenge select or the judges' Ok and played by the play bot
// (Support/PlayBot.h) through the cutscenes, the intro, the kitchen, the outro and the judges'
// table. After each level the profile file the game wrote is read back from the disk by the game's
// own account reader; halfway the game is quit from the main menu, shut down and started again on
// the same profile folder, and play goes on from the challenge select.
//
// Every text the screens show on the way is looked at: none may hold a placeholder that nothing
// filled ("Ing_2", "%1%") or a missing text's stand-in ("Text not Found").
//
// The run also writes the table of the bot's scores against each level's WinScore and ExpertScore
// to CampaignScores/CampaignScores.txt in the build's test folder (rewritten after each level).
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Judging/JudgingMode.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Menus/CutsceneMode.h"
#include "Game/Menus/LevelIntroMode.h"
#include "Game/Menus/LevelSelectMode.h"
#include "Game/Menus/TutorialMode.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/RadioButtonNode.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "Support/KitchenRig.h"
#include "Support/PlayBot.h"
#include "TextConversion.h"
#include "TypeName.h"
#include "Widgets/IText.h"

#include <gtest/gtest.h>

#include <array>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <typeinfo>
#include <utility>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Names = std::vector<std::string>;

constexpr int kEpisodes = 15;
constexpr int kChallenges = 3;
// The game is quit and started again once this episode is won.
constexpr int kQuitAfterEpisode = 8;
// Updates the challenge select takes to blink a just eliminated contestant out.
constexpr int kEliminationUpdates = 170;
const std::string kProfileName = "Tess";

const std::filesystem::path kScoresFolder = CAMPAIGN_SCORES_DIR;

std::size_t ThreadCount()
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/task"), std::filesystem::directory_iterator()));
}

// What the profile file on the disk holds of the level progress, read through a fresh account on
// the current profile's file: every read parses the file as the game does when a profile is chosen.
struct SavedProgress
{
    std::wstring name;
    // Per level in play order: the record, or none.
    std::vector<std::optional<LevelRecord>> records;
    std::array<std::uint8_t, kTutorialDataSize> tips{};
    bool gameCompleted = false;

    static SavedProgress Read()
    {
        SavedProgress saved;
        const Account* current = AccountManager::Get()->GetCurrentAccount();
        EXPECT_NE(current, nullptr);
        if (!current)
            return saved;
        const Account file(current->GetLocation(), L"", false);
        saved.name = Account::ReadString(&file, Account::kNameKey, L"");
        for (const Label& level : LevelProgressManager::Instance()->GetLevelOrder())
        {
            std::uint8_t bytes[kLevelRecordSize] = {};
            if (ReadLevelRecordBytes(&file, level.c_str(), bytes) == kLevelRecordSize)
                saved.records.emplace_back(DecodeLevelRecord(bytes));
            else
                saved.records.emplace_back();
        }
        ReadTutorialBytes(&file, kTutorialDataKey, saved.tips.data());
        saved.gameCompleted = Account::ReadBool(&file, "GameCompleted", false);
        return saved;
    }
};

std::string Row(const PlayBot::Outcome& outcome, const KitchenLevelData* data)
{
    const char* verdict = !outcome.cleared ? "LOST" : outcome.total >= outcome.expertScore ? "expert" : "won";
    std::ostringstream row;
    row << std::left << std::setw(11) << outcome.level << std::right << std::setw(7)
        << (data ? data->recipes.size() : 0) << std::setw(9) << (data ? data->numStations : 0) << std::setw(6)
        << (data ? data->time : 0) << std::setw(7) << outcome.winScore << std::setw(8) << outcome.expertScore
        << std::setw(7) << outcome.total << std::setw(7) << outcome.timeLeft << std::setw(6)
        << (outcome.winScore > 0 ? outcome.total * 100 / outcome.winScore : 0) << "%  " << verdict << '\n';
    return row.str();
}

void WriteScores(const std::vector<std::string>& rows)
{
    std::filesystem::create_directories(kScoresFolder);
    std::ofstream table(kScoresFolder / "CampaignScores.txt", std::ios::trunc);
    table << "The play bot on every level of the campaign, played in order by one player: its score with\n"
             "the time bonus (bot) against the level's WinScore and ExpertScore, the seconds it had left,\n"
             "and bot/win.\n\n"
          << "level       dishes stations  time    win  expert    bot   left  /win\n";
    for (const std::string& row : rows)
        table << row;
}

// Whether text holds what no player should read: a placeholder left unfilled ("Ing_2", "%1%",
// "%file%") or the stand-in of a missing text ("Text not Found", "... Not Found").
bool HasUnfilledPart(const std::wstring& text)
{
    for (std::size_t at = text.find(L"Ing_"); at != std::wstring::npos; at = text.find(L"Ing_", at + 1))
        if (at + 4 < text.size() && std::iswdigit(static_cast<wint_t>(text[at + 4])))
            return true;
    for (std::size_t at = text.find(L'%'); at != std::wstring::npos; at = text.find(L'%', at + 1))
    {
        std::size_t end = at + 1;
        while (end < text.size() &&
               (std::iswalnum(static_cast<wint_t>(text[end])) || text[end] == L'_' || text[end] == L':'))
            ++end;
        if (end > at + 1 && end < text.size() && text[end] == L'%')
            return true;
    }
    return text.find(L"ot Found") != std::wstring::npos;
}

// Looks at the texts of every shown node of every screen on the stack, now and then while the
// game runs and whenever another screen comes on top, and keeps each faulty text once with where it
// stood.
class ShownTexts
{
public:
    void Look()
    {
        const std::vector<ApplicationMode*>& stack = Looper::GetInstance().GetModeStack();
        ApplicationMode* top = stack.empty() ? nullptr : stack.back();
        if (++mUpdates % kEvery != 0 && top == mTop)
            return;
        mTop = top;
        for (ApplicationMode* mode : stack)
            if (auto* screen = dynamic_cast<SceneApplicationMode*>(mode); screen && screen->GetRootNode())
                Look(*screen->GetRootNode(), GetTypeName(typeid(*mode)));
    }
    // The faults found since the last call.
    std::set<std::string> TakeFaults() { return std::exchange(mFaults, {}); }

private:
    static constexpr int kEvery = 5;

    void Look(SceneNode& node, const std::string& where)
    {
        if (!node.IsVisible())
            return;
        if (const auto* text = dynamic_cast<const Corvane::IText*>(&node); text && HasUnfilledPart(text->GetText()))
        {
            std::string narrow;
            Narrow::FromWide(narrow, text->GetText());
            mFaults.insert(where + " '" + node.GetName().c_str() + "': \"" + narrow + "\"");
        }
        for (SceneNode* child : node.GetChildren())
            Look(*child, where);
    }

    int mUpdates = 0;
    ApplicationMode* mTop = nullptr;
    std::set<std::string> mFaults;
};

// Keeps each bin of the level screen's pantry that stands in a row whose label is hidden or names
// another category.
void LookAtPantryRows(std::set<std::string>& faults)
{
    constexpr int kPlaces = 15;
    constexpr int kRowPlaces = 5;
    const ImageList* labels = ResourceManager::Get<ImageList>(Label("PantryLabels")).Get();
    const std::vector<ApplicationMode*>& stack = Looper::GetInstance().GetModeStack();
    auto* game = stack.empty() || !labels ? nullptr : dynamic_cast<GameMode*>(stack.front());
    auto* pantry = game ? dynamic_cast<IngredientPantry*>(game->FindByName(IngredientPantry::Name())) : nullptr;
    for (int place = 0; pantry && place < kPlaces; ++place)
    {
        const auto* label =
            pantry->GetNode()->FindByPathAs<StaticSpriteNode>(ObjectPaths::Pantry::kRowLabels[place / kRowPlaces]);
        if (const IngredientBin* bin = pantry->GetBin(place);
            bin && (!label || !label->IsVisible() ||
                    labels->GetImage(bin->GetIngredient()->GetCategory()) != label->GetImage()))
            faults.insert("row " + std::to_string(place / kRowPlaces + 1) + ": " +
                          bin->GetIngredient()->GetIngredientName().c_str());
    }
}

class WholeCampaign : public testing::Test
{
protected:
    // Clicks the node and steps until the stack is modes; false when it never was.
    bool ClickTo(const std::string& path, const Names& modes, int limit = 200)
    {
        if (!rig->FindNode(path))
            return false;
        rig->Click(path);
        return rig->StepUntil([&] { return rig->Modes() == modes; }, limit) >= 0;
    }
    // From the title to the challenge select; a first start names the profile on the way.
    void OpenTheChallengeSelect(bool firstStart)
    {
        ASSERT_EQ(rig->Modes(), Names{"TitleMode"});
        rig->Step(60);
        if (firstStart)
        {
            ASSERT_TRUE(ClickTo("TitleMode/StartButtonRoot/StartButton", {"TitleMode", "EditAccountMode"}));
            rig->Step(40);
            for (int i = 0; i < 20; ++i)
                rig->KeyCode(8); // Backspace
            rig->Type(kProfileName);
            ASSERT_TRUE(ClickTo("NewProfileMode/OkButton", {"MainMenuMode"}));
        }
        else
        {
            ASSERT_TRUE(ClickTo("TitleMode/StartButtonRoot/StartButton", {"MainMenuMode"}))
                << "a named profile goes straight to the main menu";
        }
        rig->Step(60);
        ASSERT_TRUE(ClickTo("MainMenuMode/Buttons/PlayButton", {"LevelSelectMode"}));
        rig->Step(kEliminationUpdates);
    }
    // The contestant figures the challenge select hides.
    int HiddenContestants() const
    {
        const SceneNode* figures = rig->FindNode("LevelSelectMode/Characters");
        EXPECT_NE(figures, nullptr);
        int hidden = 0;
        if (figures)
            for (const SceneNode* figure : figures->GetChildren())
                hidden += !figure->IsVisible();
        return hidden;
    }
    // The checked challenge button of the challenge select, by level ID; empty when none is.
    std::string CheckedChallenge() const
    {
        std::string checked;
        for (int frame = 1; frame <= 3; ++frame)
            for (const char* slot : {"DZ_1", "DZ_2", "Elimination"})
            {
                const SceneNode* place = rig->FindNode("LevelSelectMode/EpisodeAttach_" + std::to_string(frame) +
                                                       "/EpisodeFrame/unlocked/ChallengeButtons/" + slot);
                auto* button = place && !place->GetChildren().empty()
                                         ? dynamic_cast<RadioButtonNode*>(place->GetChildren().front())
                                         : nullptr;
                if (button && button->IsChecked() && button->IsWorldVisible())
                    checked = button->GetName().c_str();
            }
        return checked;
    }
    // The profile on the disk after the level at index was won with outcomes[0..index]: each won
    // level's best score and flag as the judges had them, nothing for the levels after it.
    void ExpectSaved(int index, const std::vector<PlayBot::Outcome>& outcomes)
    {
        const SavedProgress saved = SavedProgress::Read();
        EXPECT_EQ(saved.name, std::wstring(kProfileName.begin(), kProfileName.end()));
        ASSERT_EQ(saved.records.size(), static_cast<std::size_t>(kEpisodes * kChallenges));
        for (int level = 0; level < kEpisodes * kChallenges; ++level)
        {
            SCOPED_TRACE("after " + outcomes[index].level + ", level " + std::to_string(level));
            if (level > index)
            {
                EXPECT_FALSE(saved.records[level].has_value()) << "a level not yet played has a record";
                continue;
            }
            ASSERT_TRUE(saved.records[level].has_value()) << "a won level's record is not on the disk";
            const PlayBot::Outcome& outcome = outcomes[level];
            EXPECT_EQ(saved.records[level]->completed, 1);
            EXPECT_EQ(saved.records[level]->bestScore, outcome.total) << "the score the judges had";
            // The rating the challenge select shows is read from the saved best score.
            EXPECT_EQ(saved.records[level]->bestScore >= outcome.expertScore ? 2 : 1, outcome.verdict);
        }
        EXPECT_FALSE(saved.gameCompleted) << "the game is done only once its last judges have been left";
        mSaved = saved;
    }

    std::unique_ptr<KitchenRig> rig;
    SavedProgress mSaved;
};

TEST_F(WholeCampaign, ANewCookWinsEveryEpisodeInOrderWithEveryLevelSavedAndAQuitHalfwayLosesNothing)
{
    const std::size_t threadsBefore = ThreadCount();
    KitchenRig::Options options{7, ""};
    options.tipsSeen = false;
    // Every screen of the game gets drawn under the sanitizers somewhere along the way: one frame
    // in ten, every two seconds of play.
    options.drawEvery = 10;
    rig = std::make_unique<KitchenRig>(options);
    ShownTexts shown;
    // The pantry is restocked once per dish: a look every tenth of a second sees every stock.
    std::set<std::string> pantryRows;
    int updates = 0;
    rig->WatchEachUpdate([&] {
        shown.Look();
        if (++updates % 5 == 0)
            LookAtPantryRows(pantryRows);
    });
    auto bot = std::make_unique<PlayBot>(*rig);
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const std::vector<Label> order = progress->GetLevelOrder();
    ASSERT_EQ(order.size(), static_cast<std::size_t>(kEpisodes * kChallenges));

    ASSERT_NO_FATAL_FAILURE(OpenTheChallengeSelect(true));
    EXPECT_EQ(HiddenContestants(), 0);
    const SavedProgress fresh = SavedProgress::Read();
    EXPECT_EQ(fresh.records, std::vector<std::optional<LevelRecord>>(order.size())) << "a new profile has no records";
    EXPECT_EQ(fresh.tips, decltype(fresh.tips){}) << "a new cook has seen no tip";

    std::vector<PlayBot::Outcome> outcomes;
    std::vector<std::string> rows;
    for (int index = 0; index < static_cast<int>(order.size()); ++index)
    {
        const int episode = index / kChallenges + 1;
        const bool first = index % kChallenges == 0;
        const bool elimination = index % kChallenges == kChallenges - 1;
        SCOPED_TRACE(order[index].c_str());

        // A first challenge is started from the challenge select, where it is the one checked;
        // the others follow their episode's previous challenge from the judges' Ok.
        if (first)
        {
            ASSERT_NE(rig->TopAs<LevelSelectMode>(), nullptr);
            EXPECT_EQ(CheckedChallenge(), order[index].c_str());
            rig->Click("LevelSelectMode/PlayButton");
            rig->Step(2);
            ASSERT_NE(rig->TopAs<CutsceneMode>(), nullptr) << "an episode opens with its intro";
            EXPECT_EQ(rig->TopAs<CutsceneMode>()->GetCutsceneName(),
                      Label(("Episode" + std::to_string(episode) + "_Intro").c_str()));
        }
        else
        {
            EXPECT_EQ(rig->TopAs<CutsceneMode>(), nullptr) << "no cutscene before a later challenge";
            EXPECT_NE(rig->TopAs<LevelIntroMode>(), nullptr);
        }
        EXPECT_EQ(progress->GetCurrentLevelIndex(), index);
        ASSERT_NE(bot->EnterTheKitchen(), nullptr);

        const PlayBot::Outcome played = bot->PlayStartedLevel(true);
        outcomes.push_back(played);
        rows.push_back(Row(played, progress->GetLevelData(order[index])));
        WriteScores(rows);
        ASSERT_TRUE(played.ended);
        ASSERT_TRUE(played.cleared) << played.total << " of " << played.winScore;
        EXPECT_GE(played.total, played.winScore);
        EXPECT_GE(played.verdict, 1) << "the judges call it won";
        EXPECT_GT(played.timeLeft, 0) << "the last dish ended the level, not the clock";
        for (const std::string& fault : shown.TakeFaults())
            ADD_FAILURE() << "a screen showed an unfilled text: " << fault;
        for (const std::string& fault : std::exchange(pantryRows, {}))
            ADD_FAILURE() << "a pantry row's label names another category than its bin: " << fault;
        ASSERT_NO_FATAL_FAILURE(ExpectSaved(index, outcomes));
        if (index == 0)
        {
            EXPECT_NE(mSaved.tips, decltype(mSaved.tips){}) << "the first level's tips are remembered as seen";
        }

        // The judges' Ok: the next challenge, or after an elimination the challenge select with
        // the episode's outro over it and its contestant leaving.
        ASSERT_NE(rig->TopAs<JudgingMode>(), nullptr);
        const std::string ok = "JudgingMode/ScoreDisplay/Judging_OkButton";
        ASSERT_GE(rig->StepUntil([&] { return rig->FindNode(ok) && rig->FindNode(ok)->IsWorldVisible(); }, 500), 0);
        rig->Step(10);
        rig->Click(ok);
        if (!elimination)
        {
            ASSERT_GE(rig->StepUntil(
                          [&] {
                              const Names modes = rig->Modes();
                              return progress->GetCurrentLevelIndex() == index + 1 && !modes.empty() &&
                                     modes.front() == "GameMode";
                          },
                          50),
                      0)
                << "the judges' Ok starts the next challenge";
            continue;
        }
        ASSERT_GE(rig->StepUntil([&] { return rig->TopAs<CutsceneMode>() != nullptr; }, 50), 0);
        EXPECT_EQ(rig->Modes(), (Names{"LevelSelectMode", "CutsceneMode"}));
        EXPECT_EQ(rig->TopAs<CutsceneMode>()->GetCutsceneName(),
                  Label(("Episode" + std::to_string(episode) + "_Outro").c_str()));
        EXPECT_EQ(dynamic_cast<LevelSelectMode*>(Looper::GetInstance().GetModeStack().front())->GetEliminatedEpisode(),
                  episode);
        for (int line = 0; line < 50 && rig->TopAs<CutsceneMode>(); ++line)
        {
            rig->Step(40);
            rig->Click("CutsceneMode/NextButton");
            rig->Step();
        }
        ASSERT_EQ(rig->Modes(), Names{"LevelSelectMode"}) << "the outro leaves the challenge select";
        rig->Step(kEliminationUpdates);
        EXPECT_EQ(HiddenContestants(), episode) << "one contestant gone per episode won";

        if (episode == kQuitAfterEpisode)
        {
            // Quit as a player does, from the main menu; the engine shuts down and leaves no thread.
            ASSERT_TRUE(ClickTo("LevelSelectMode/MainMenuButton", {"MainMenuMode"}));
            rig->Step(60);
            ASSERT_TRUE(ClickTo("MainMenuMode/Buttons/QuitButton", {"MainMenuMode", "QuitConfirmMode"}));
            rig->Step(60);
            rig->Click("QuitConfirmMode/YesButton");
            ASSERT_TRUE(Looper::GetInstance().IsQuitting());
            bot.reset();
            rig->Stop();
            EXPECT_EQ(ThreadCount(), threadsBefore) << "a thread outlived the shut-down";

            // The second start on the same profile folder: the same cook, every record, every
            // tip seen, and the challenge select opening on the next episode.
            const SavedProgress beforeQuit = mSaved;
            rig->Restart();
            bot = std::make_unique<PlayBot>(*rig);
            progress = LevelProgressManager::Instance();
            ASSERT_NO_FATAL_FAILURE(OpenTheChallengeSelect(false));
            const SavedProgress reopened = SavedProgress::Read();
            EXPECT_EQ(reopened.name, beforeQuit.name);
            EXPECT_EQ(reopened.records, beforeQuit.records);
            EXPECT_EQ(reopened.tips, beforeQuit.tips);
            for (int level = 0; level <= index; ++level)
            {
                const LevelRecord loaded = progress->GetLevelRecord(order[level]);
                EXPECT_EQ(loaded.bestScore, outcomes[level].total) << order[level].c_str();
                EXPECT_EQ(loaded.completed, 1) << order[level].c_str();
            }
            EXPECT_EQ(progress->GetCurrentLevelIndex(), index + 1) << "the game goes on where it was left";
            EXPECT_EQ(HiddenContestants(), episode) << "the contestants gone stay gone";
        }
    }
    EXPECT_EQ(outcomes.size(), order.size());
    EXPECT_TRUE(SavedProgress::Read().gameCompleted) << "the last judges left, the game is done";
    EXPECT_EQ(HiddenContestants(), kEpisodes);
}
} // namespace
