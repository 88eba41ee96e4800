// The game's own data set (the data folder the build makes from Data/), read through the game's real factories in the start-up's order:
// every record loads, the records reach each other, and the level progress plays over them.
#include "Framework/ResourceManager.h"
#include "Game/Data/GameDataTest.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/CutsceneMode.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

using namespace Corvane;

namespace
{
template <typename Record> const Record* Named(Label name)
{
    return ResourceManager::Get<Record>(name).Get();
}

// The cook who leaves the show at the end of an episode: the figure the challenge select's row
// loses then ("01".."12" the contestants; Quilla, Lorcan and Pembry the last three).
CutsceneCharState LeavingCook(int episode)
{
    std::string figure;
    for (const NodePathElement& step : ScreenPaths::LevelSelect::kCharacters[episode - 1].GetElements())
        if (!step.GetLabel().IsNull())
            figure = step.GetLabel().c_str();
    if (figure == "quilla")
        return kCharQuillaPos;
    if (figure == "lorcan")
        return kCharLorcanPos;
    if (figure == "pembry")
        return kCharPembryPos;
    return static_cast<CutsceneCharState>(kCharContestant01 + std::stoi(figure) - 1);
}

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class GameDataSetTest : public GameDataTest
{
protected:
    GameDataSetTest()
    {
        // The data folder joins the test's own: manifests are found in any folder below it.
        FileSystem::GetInstance()->AddPartition(1, new Win32FileSystemPartition(L"", FENNIK_DATA_DIR));
    }
};
} // namespace

TEST_F(GameDataSetTest, TheFirstEpisodeLoadsWholeAndItsRecordsReachEachOther)
{
    for (const char* manifest : {"GameConstants", "Cutscenes", "LevelProgression", "RecipeData", "IngredientData",
                                 "IngredientCombos", "LevelIntroMode", "LocalizedText"})
        ASSERT_EQ(Read(manifest), "") << manifest;

    LevelProgressManager& progress = *LevelProgressManager::Instance();
    ASSERT_FALSE(progress.GetLevelOrder().empty());
    for (const Label levelID : progress.GetLevelOrder())
    {
        const KitchenLevelData* level = progress.GetLevelData(levelID);
        ASSERT_NE(level, nullptr) << levelID.c_str();
        EXPECT_LT(level->winScore, level->expertScore) << levelID.c_str();
        EXPECT_NE(Named<LevelIntroData>(Label::Format("%s_LevelIntro", levelID.c_str())), nullptr) << levelID.c_str();
        for (const Label recipeID : level->recipes)
        {
            const RecipeData* recipe = Named<RecipeData>(recipeID);
            ASSERT_NE(recipe, nullptr) << recipeID.c_str();
            EXPECT_EQ(recipe->starPoints.size(), 5u) << recipeID.c_str();
            for (const Label ingredient : recipe->ingredients)
                EXPECT_NE(Named<CookingIngredientData>(ingredient), nullptr) << ingredient.c_str();
            EXPECT_NE(LocalizedText::GetDishDisplayName(recipeID, recipe->plateType), L"");
        }
        const EpisodeDescriptor* episode = nullptr;
        const int number = progress.GetEpisodeNumOfLevel(levelID);
        for (const EpisodeDescriptor& e : Named<LevelProgressionData>(Label("AllLevels"))->episodes)
            if (e.episodeNum == number)
                episode = &e;
        ASSERT_NE(episode, nullptr) << levelID.c_str();
        for (const Label cutsceneID : {episode->intro.levelID, episode->outro.levelID})
        {
            const CutsceneData* cutscene = Named<CutsceneData>(cutsceneID);
            ASSERT_NE(cutscene, nullptr) << cutsceneID.c_str();
            for (const CutscenePrompt& prompt : cutscene->prompts)
                EXPECT_EQ(LocalizedText::GetCutsceneText(prompt.textID).find(L"Not Found"), std::wstring::npos)
                    << prompt.textID.c_str();
        }
    }
    EXPECT_FALSE(IngredientComboStore::Instance().GetCombos(Label("Tomato")).empty());

    progress.RecordLevelScore(progress.GetCurrentLevelData()->winScore);
    EXPECT_EQ(progress.GetLevelStatus(progress.GetLevelOrder()[0]), 1) << "a winning score is a saved win";
    progress.LoadFromAccount();
    EXPECT_EQ(progress.GetCurrentLevelIndex(), 1);
}

TEST_F(GameDataSetTest, EveryEpisodeTellsItsOwnStoryAndItsOutroShowsTheCookWhoLeaves)
{
    for (const char* manifest : {"Cutscenes", "LevelProgression", "LocalizedText"})
        ASSERT_EQ(Read(manifest), "") << manifest;
    const auto& episodes = Named<LevelProgressionData>(Label("AllLevels"))->episodes;
    ASSERT_EQ(episodes.size(), 15u);

    std::set<std::wstring> lines;
    std::size_t count = 0;
    for (const EpisodeDescriptor& episode : episodes)
    {
        const CutsceneData* intro = Named<CutsceneData>(episode.intro.levelID);
        const CutsceneData* outro = Named<CutsceneData>(episode.outro.levelID);
        ASSERT_NE(intro, nullptr) << episode.episodeNum;
        ASSERT_NE(outro, nullptr) << episode.episodeNum;
        EXPECT_NE(intro->location, outro->location) << "episode " << episode.episodeNum << " stays in one place";
        for (const CutsceneData* cutscene : {intro, outro})
        {
            EXPECT_GE(cutscene->prompts.size(), 4u) << "episode " << episode.episodeNum;
            for (const CutscenePrompt& prompt : cutscene->prompts)
            {
                lines.insert(LocalizedText::GetCutsceneText(prompt.textID));
                ++count;
            }
        }
        const CutsceneCharState leaving = LeavingCook(episode.episodeNum);
        const bool shown = std::any_of(outro->prompts.begin(), outro->prompts.end(), [&](const CutscenePrompt& p) {
            return IsSameCharacter(p.leftChar, leaving) || IsSameCharacter(p.rightChar, leaving);
        });
        EXPECT_TRUE(shown) << "episode " << episode.episodeNum << "'s outro never shows "
                           << kCutsceneCharStateNames[leaving];
    }
    EXPECT_EQ(lines.size(), count) << "a line is said twice in the campaign";
}

TEST_F(GameDataSetTest, EachEpisodeCardShowsAPictureOfItsOwn)
{
    // The card pictures' list, read from the built manifest in entry order.
    const std::filesystem::path data(FENNIK_DATA_DIR);
    const std::string manifest = FileText(data / "Manifests" / "LevelSelectMode.xml");
    const std::size_t begin = manifest.find("<imagelist name=\"EpisodeThumbnailImages\">");
    ASSERT_NE(begin, std::string::npos);
    const std::string list = manifest.substr(begin, manifest.find("</imagelist>", begin) - begin);
    const std::regex source(R"re(src="Art/([^"]+)")re");
    std::vector<std::string> pictures;
    for (auto it = std::sregex_iterator(list.begin(), list.end(), source); it != std::sregex_iterator(); ++it)
        pictures.push_back((*it)[1]);
    ASSERT_EQ(pictures.size(), 15u) << "one picture per episode";

    // Each is built, and no two are the same picture: a shared entry, or two sheets showing the
    // same scene or none, would make two alike.
    std::set<std::string> contents;
    for (const std::string& picture : pictures)
    {
        const std::string bytes = FileText(data / "Art" / (picture + ".png"));
        ASSERT_FALSE(bytes.empty()) << picture;
        EXPECT_TRUE(contents.insert(bytes).second) << picture << " looks like another episode's card";
    }
}
