// The game's own data set (the data folder the build makes from Data/), read through the game's real factories in the start-up's order:
// every record loads, the records reach each other, and the level progress plays over them.
#include "Framework/ResourceManager.h"
#include "Game/Data/GameDataTest.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LocalizedText.h"

using namespace Corvane;

namespace
{
template <typename Record> const Record* Named(Label name)
{
    return ResourceManager::Get<Record>(name).Get();
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
