#include "Game/Data/KitchenLevelData.h"

#include "Framework/ResourceManager.h"
#include "Game/Data/GameDataTest.h"
#include "Game/Data/RefusedLevelValues.h"

#include <map>
#include <vector>

using namespace Corvane;

namespace
{
const KitchenLevelData* Level(const char* name)
{
    return ResourceManager::Get<KitchenLevelData>(name).Get();
}
} // namespace

TEST_F(GameDataTest, LevelFilesReadTheirSettingsWithDefaults)
{
    ASSERT_EQ(
        Load("Level1", R"(<KitchenLevelData name="L1" time="180" numStations="3" WinScore="900" ExpertScore="1500">
  <LevelRecipe RecipeID="Soup_1"/>
  text between
  <PantrySettings><Category id="Meat" numToDisplay="2"/><Category id="Flavoring"/><Shelf id="Meat"/>
    <Category id="Fruit" numToDisplay="5"/><Category id="Meat" numToDisplay="6"/></PantrySettings>
  <LevelRecipe RecipeID="Pizza_2"/><LevelRecipe RecipeID="Soup_1"/><LevelRecipe/>
  <PowerUpSettings ProgressSpeed="1" HilightAtt="2" HilightCombo="3" Shuffle_M="4" Shuffle_F="5" Shuffle_V="6"/>
  <PowerUpSettings Shuffle_V="9"/>
  <GameplaySettings F_PassiveRate="9" BaseVal="9"/>
  <GameplaySettings F_PassiveRate="0.5" F_ActiveRateMin="1" F_ActiveRateMax="2" M_PassiveRate="3"
      M_ActiveRateMin="4" M_ActiveRateMax="5" V_PassiveRate="6" V_ActiveRateMin="7" V_ActiveRateMax="8"
      StarLossRate="0.25" BaseVal="10" KeyBaseVal="20" goodIngredientScore="30" badIngredientScore="-5"/>
</KitchenLevelData>
<KitchenLevelData name="Bare" time="1"/>)"),
        "");
    const KitchenLevelData* level = Level("L1");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->time, 180);
    EXPECT_EQ(level->numStations, 3);
    EXPECT_EQ(level->winScore, 900);
    EXPECT_EQ(level->expertScore, 1500);
    EXPECT_EQ(level->recipes, (std::vector<Label>{Label("Soup_1"), Label("Pizza_2"), Label("Soup_1"), Label("")}));
    EXPECT_EQ(level->pantryDisplayCounts, (std::map<int, int>{{1, 6}, {2, 1}, {-1, 5}}));
    EXPECT_EQ(level->powerUpCounts, (std::vector<int>{1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 9}));
    EXPECT_FLOAT_EQ(level->F_PassiveRate, 0.5f) << "the last settings win";
    EXPECT_FLOAT_EQ(level->V_ActiveRateMax, 8.0f);
    EXPECT_FLOAT_EQ(level->StarLossRate, 0.25f);
    EXPECT_EQ(level->BaseVal, 10);
    EXPECT_EQ(level->KeyBaseVal, 20);
    EXPECT_EQ(level->badIngredientScore, -5);

    const KitchenLevelData* bare = Level("Bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->numStations, 4);
    EXPECT_EQ(bare->time, 1);
    EXPECT_EQ(bare->expertScore, 0);
    EXPECT_EQ(bare->winScore, 0);
    EXPECT_TRUE(bare->recipes.empty() && bare->powerUpCounts.empty() && bare->pantryDisplayCounts.empty());
}

TEST_F(GameDataTest, AnUnknownChildOfALevelFileIsFatalToThatLevel)
{
    EXPECT_EQ(Load("Level2", R"(<KitchenLevelData name="L2" time="60"><LevelRecipe RecipeID="A"/><Recipe RecipeID="B"/>
</KitchenLevelData>
<KitchenLevelData name="L3" time="60"/>)"),
              "incorrect XML element name Recipe in level file");
    EXPECT_EQ(ResourceManager::Instance()->Find(Label("L2")), nullptr);
    EXPECT_NE(Level("L3"), nullptr);
}

TEST_F(GameDataTest, ALevelValueNoKitchenCouldPlayIsRefusedWithItsFileLineAndText)
{
    int n = 0;
    for (const RefusedLevelValue& c : RefusedLevelValues())
    {
        const std::string manifest = "Refused" + std::to_string(++n);
        const std::string error = Load(manifest, "<KitchenLevelData name=\"" + manifest + "\" " + c.attributes + ">\n" +
                                                     c.children + "\n</KitchenLevelData>");
        EXPECT_EQ(error.rfind(PathOf(manifest) + "(", 0), 0u) << error;
        EXPECT_NE(error.find("): the level \"" + manifest + "\" " + c.problem), std::string::npos) << error;
        EXPECT_EQ(Level(manifest.c_str()), nullptr);
    }
    // The edges themselves are kitchens.
    EXPECT_EQ(Load("Edges",
                   R"(<KitchenLevelData name="Edges" time=" 599 " numStations="+1" WinScore="99999" ExpertScore="99999">
  <PantrySettings><Category id="Vegetable" numToDisplay="14"/><Category id="Meat" numToDisplay="0"/><Category id="Flavoring"/></PantrySettings>
  <PowerUpSettings ProgressSpeed="99"/>
  <GameplaySettings V_PassiveRate="100" V_ActiveRateMin="0.5" V_ActiveRateMax="0.5" StarLossRate="1" BaseVal="-99999"/>
</KitchenLevelData>)"),
              "");
    ASSERT_NE(Level("Edges"), nullptr);
    EXPECT_EQ(Level("Edges")->time, 599);
    EXPECT_EQ(Level("Edges")->numStations, 1);
    EXPECT_FLOAT_EQ(Level("Edges")->V_ActiveRateMax, 0.5f);
}
