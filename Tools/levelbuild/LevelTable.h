// The campaign's level table: a compact text of one row per level, read and written out as the
// level files the game reads (KitchenLevelData). The table's format is described at the top of
// Data/Levels/Levels.txt; in short:
//
//   set V_ActiveRateMin 12                 a GameplaySettings value for the rows after it
//   # level    time st win  expert pantry powerups     rate  recipes
//   Level_1_1  150  2  500  800    4/2/3  1,1,0,0,1,1  4     TomatoSoup,GardenSalad
//
// A row's rate is the passive cooking rate of all three categories, or V/M/F; a recipe is named
// without its "Recipe_". Numbers are written out as the table spells them, once checked.
#pragma once

#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace Corvane::LevelBuild
{
// A row that cannot be read: message is "file(line): what is wrong".
class TableError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct LevelRow
{
    std::string name;
    int episode = 0;
    int challenge = 0;
    int line = 0;
    std::string time;
    std::string stations;
    std::string winScore;
    std::string expertScore;
    // Bins per category, in the order Vegetable, Meat, Flavoring.
    std::vector<std::string> pantry;
    // ProgressSpeed, HilightAtt, HilightCombo, Shuffle_M, Shuffle_F, Shuffle_V.
    std::vector<std::string> powerUps;
    // Passive rates, Vegetable, Meat, Flavoring.
    std::vector<std::string> passiveRates;
    std::vector<std::string> recipes;
    // The GameplaySettings values in force at the row (besides the passive rates).
    std::map<std::string, std::string> gameplay;
};

// Reads the table; file names it in errors. Throws TableError on the first bad line.
std::vector<LevelRow> ReadLevelTable(std::istream& in, const std::string& file);
// The level file of one row, as the game reads it.
void WriteLevelFile(const LevelRow& row, std::ostream& out);
} // namespace Corvane::LevelBuild
