// levelbuild's level table: rows read with the settings in force at them, written as level files
// that the game's own reader loads to the row's values, and every kind of bad line refused with
// the table's file and line.
#include "Game/Data/GameDataTest.h"
#include "Game/Data/KitchenLevelData.h"
#include "LevelTable.h"

#include "Framework/ResourceManager.h"

#include <sstream>

using namespace Corvane;
using namespace Corvane::LevelBuild;

namespace
{
const std::string kSettings = R"(set V_ActiveRateMin 12
set V_ActiveRateMax 30
set M_ActiveRateMin 10
set M_ActiveRateMax 26
set F_ActiveRateMin 14
set F_ActiveRateMax 34
set StarLossRate 0.05
set BaseVal 10
set KeyBaseVal 25
set goodIngredientScore 50
set badIngredientScore -20
)";

std::vector<LevelRow> ReadTable(const std::string& table)
{
    std::istringstream in(table);
    return ReadLevelTable(in, "Levels.txt");
}

std::string ErrorOf(const std::string& table)
{
    try
    {
        ReadTable(table);
    }
    catch (const TableError& error)
    {
        return error.what();
    }
    return "(no error)";
}

class LevelBuildTest : public GameDataTest
{
protected:
    const KitchenLevelData* Build(const LevelRow& row)
    {
        std::ostringstream file;
        WriteLevelFile(row, file);
        resources.Folder().Write(row.name + ".xml", file.str());
        EXPECT_EQ(Read(row.name), "");
        return ResourceManager::Get<KitchenLevelData>(row.name.c_str()).Get();
    }
};

TEST_F(LevelBuildTest, RowsAreWrittenAsLevelFilesTheGameReadsToTheRowsValues)
{
    const std::vector<LevelRow> rows = ReadTable(kSettings + R"(
# level     time st win  expert pantry powerups     rate     recipes
Level_2_1   160  2  600  900    4/2/3  1,1,0,0,1,12 4.5      GardenSalad,ChickenSkewers   # a note
set BaseVal 40
set StarLossRate 0.25
Level_2_3   210  4  1300 1300   5/0/4  2,1,1,1,1,1  6/3.5/5  Tart
)");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].line, 14);

    const KitchenLevelData* first = Build(rows[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->time, 160);
    EXPECT_EQ(first->numStations, 2);
    EXPECT_EQ(first->winScore, 600);
    EXPECT_EQ(first->expertScore, 900);
    EXPECT_EQ(first->recipes, (std::vector<Label>{Label("Recipe_GardenSalad"), Label("Recipe_ChickenSkewers")}));
    EXPECT_EQ(first->pantryDisplayCounts, (std::map<int, int>{{0, 4}, {1, 2}, {2, 3}}));
    EXPECT_EQ(first->powerUpCounts, (std::vector<int>{1, 1, 0, 0, 1, 12}));
    for (float rate : {first->V_PassiveRate, first->M_PassiveRate, first->F_PassiveRate})
        EXPECT_FLOAT_EQ(rate, 4.5f);
    EXPECT_FLOAT_EQ(first->V_ActiveRateMin, 12.0f);
    EXPECT_FLOAT_EQ(first->F_ActiveRateMax, 34.0f);
    EXPECT_FLOAT_EQ(first->StarLossRate, 0.05f);
    EXPECT_EQ(first->BaseVal, 10);
    EXPECT_EQ(first->badIngredientScore, -20);

    // The set lines between the rows hold from the second row on.
    const KitchenLevelData* second = Build(rows[1]);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->BaseVal, 40);
    EXPECT_FLOAT_EQ(second->StarLossRate, 0.25f);
    EXPECT_EQ(second->KeyBaseVal, 25);
    EXPECT_FLOAT_EQ(second->V_PassiveRate, 6.0f);
    EXPECT_FLOAT_EQ(second->M_PassiveRate, 3.5f);
    EXPECT_FLOAT_EQ(second->F_PassiveRate, 5.0f);
    EXPECT_EQ(second->pantryDisplayCounts.at(1), 0);
    EXPECT_EQ(second->recipes, (std::vector<Label>{Label("Recipe_Tart")}));
}

TEST(LevelTable, ABadLineIsRefusedWithTheFileAndLineThatHoldIt)
{
    const std::string row = "Level_1_1 150 2 500 800 4/2/3 1,1,0,0,1,1 4 TomatoSoup";
    const struct
    {
        std::string table;
        std::string error;
    } cases[] = {
        {row, "Levels.txt(1): no set line gives V_ActiveRateMin before this level"},
        {kSettings + "set Sugar 3\n", "Levels.txt(12): 'Sugar' is no level setting"},
        {kSettings + "set BaseVal 2.5\n", "Levels.txt(12): BaseVal must be a whole number"},
        {kSettings + "set StarLossRate fast\n", "Levels.txt(12): StarLossRate must be a number"},
        {kSettings + "set BaseVal\n", "Levels.txt(12): a set line is 'set <key> <value>'"},
        {kSettings + "Level_1_1 150 2 500 800 4/2/3 1,1,0,0,1,1 4\n", "a level row has 9 columns"},
        {kSettings + "Level_1 150 2 500 800 4/2/3 1,1,0,0,1,1 4 A\n", "Level_<episode>_<challenge 1 to 3>, not 'Level_1'"},
        {kSettings + "Level_1_4 150 2 500 800 4/2/3 1,1,0,0,1,1 4 A\n", "not 'Level_1_4'"},
        {kSettings + "Level_0_1 150 2 500 800 4/2/3 1,1,0,0,1,1 4 A\n", "not 'Level_0_1'"},
        {kSettings + "Level_1_1 0 2 500 800 4/2/3 1,1,0,0,1,1 4 A\n", "the time must be a whole number from 1"},
        {kSettings + "Level_1_1 150 5 500 800 4/2/3 1,1,0,0,1,1 4 A\n", "the stations must be a whole number from 1 to 4, not '5'"},
        {kSettings + "Level_1_1 150 2 500 400 4/2/3 1,1,0,0,1,1 4 A\n", "the expert score (at least the win score)"},
        {kSettings + "Level_1_1 150 2 5x0 800 4/2/3 1,1,0,0,1,1 4 A\n", "the win score must be a whole number"},
        {kSettings + "Level_1_1 150 2 500 800 4/2 1,1,0,0,1,1 4 A\n", "needs 3 numbers separated by '/'"},
        {kSettings + "Level_1_1 150 2 500 800 4/2/-3 1,1,0,0,1,1 4 A\n", "the pantry (Vegetable/Meat/Flavoring bins) must be"},
        {kSettings + "Level_1_1 150 2 500 800 4/2/3 1,1,0,0,1 4 A\n", "the power-ups needs 6 numbers separated by ','"},
        {kSettings + "Level_1_1 150 2 500 800 4/2/3 1,1,0,0,1,1 4/5 A\n", "the rate is one number or three"},
        {kSettings + "Level_1_1 150 2 500 800 4/2/3 1,1,0,0,1,1 quick A\n", "the rate must be a number, not 'quick'"},
        {kSettings + "Level_1_1 150 2 500 800 4/2/3 1,1,0,0,1,1 4 A,,B\n", "a recipe is a name of letters"},
        {kSettings + "Level_1_1 150 2 500 800 4/2/3 1,1,0,0,1,1 4 Recipe-A\n", "not 'Recipe-A'"},
        {kSettings + row + "\n\n" + row + "\n", "Levels.txt(14): Level_1_1 is in the table twice"},
    };
    for (const auto& c : cases)
        EXPECT_NE(ErrorOf(c.table).find(c.error), std::string::npos) << ErrorOf(c.table) << "\nexpected: " << c.error;
}
} // namespace
