#include "LevelTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <istream>
#include <ostream>
#include <set>
#include <sstream>

namespace Corvane::LevelBuild
{
namespace
{
// The GameplaySettings values a "set" line gives, in the order the level file writes them after
// each category's passive rate.
const char* const kActiveRates[] = {"ActiveRateMin", "ActiveRateMax"};
const char* const kCategoryPrefixes[] = {"V_", "M_", "F_"};
const char* const kScoring[] = {"StarLossRate", "BaseVal", "KeyBaseVal", "goodIngredientScore", "badIngredientScore"};
// The scoring values that are whole numbers; the rest may have a fraction.
const std::set<std::string> kWholeNumbers = {"BaseVal", "KeyBaseVal", "goodIngredientScore", "badIngredientScore"};
const char* const kCategories[] = {"Vegetable", "Meat", "Flavoring"};
const char* const kPowerUps[] = {"ProgressSpeed", "HilightAtt", "HilightCombo", "Shuffle_M", "Shuffle_F", "Shuffle_V"};
const char* const kChallenges[] = {"the first quick challenge", "the second quick challenge", "the elimination challenge"};

std::vector<std::string> SettableKeys()
{
    std::vector<std::string> keys;
    for (const char* prefix : kCategoryPrefixes)
        for (const char* rate : kActiveRates)
            keys.push_back(std::string(prefix) + rate);
    keys.insert(keys.end(), std::begin(kScoring), std::end(kScoring));
    return keys;
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

bool IsWhole(const std::string& text, long long& value)
{
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && at == end;
}

bool IsNumber(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && at == end;
}

bool IsName(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

class RowReader
{
public:
    RowReader(const std::string& file, int line) : mFile(file), mLine(line) {}

    [[noreturn]] void Fail(const std::string& message) const
    {
        throw TableError(mFile + "(" + std::to_string(mLine) + "): " + message);
    }
    // A whole number from low to high; what names the column in an error.
    std::string Whole(const std::string& text, long long low, long long high, const std::string& what) const
    {
        long long value = 0;
        if (!IsWhole(text, value) || value < low || value > high)
            Fail(what + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                 ", not '" + text + "'");
        return text;
    }
    std::vector<std::string> Wholes(const std::string& text, char separator, std::size_t count,
                                    const std::string& what) const
    {
        std::vector<std::string> parts = Split(text, separator);
        if (parts.size() != count)
            Fail(what + " needs " + std::to_string(count) + " numbers separated by '" + separator + "', not '" + text +
                 "'");
        for (const std::string& part : parts)
            Whole(part, 0, 1000, what);
        return parts;
    }
    std::string Number(const std::string& text, const std::string& what) const
    {
        if (!IsNumber(text) || text.front() == '+')
            Fail(what + " must be a number, not '" + text + "'");
        return text;
    }

private:
    const std::string& mFile;
    int mLine;
};

LevelRow ReadRow(const std::vector<std::string>& fields, const RowReader& reader)
{
    if (fields.size() != 9)
        reader.Fail("a level row has 9 columns (level, time, stations, win, expert, pantry, powerups, rate, "
                    "recipes), not " + std::to_string(fields.size()));
    LevelRow row;
    row.name = fields[0];
    const std::vector<std::string> nameParts = Split(row.name, '_');
    long long episode = 0;
    long long challenge = 0;
    if (nameParts.size() != 3 || nameParts[0] != "Level" || !IsWhole(nameParts[1], episode) || episode < 1 ||
        !IsWhole(nameParts[2], challenge) || challenge < 1 || challenge > 3)
        reader.Fail("a level is named Level_<episode>_<challenge 1 to 3>, not '" + row.name + "'");
    row.episode = static_cast<int>(episode);
    row.challenge = static_cast<int>(challenge);
    row.time = reader.Whole(fields[1], 1, 3600, "the time");
    row.stations = reader.Whole(fields[2], 1, 4, "the stations");
    row.winScore = reader.Whole(fields[3], 0, 1000000, "the win score");
    row.expertScore = reader.Whole(fields[4], std::stoll(row.winScore), 1000000, "the expert score (at least the win score)");
    row.pantry = reader.Wholes(fields[5], '/', 3, "the pantry (Vegetable/Meat/Flavoring bins)");
    row.powerUps = reader.Wholes(fields[6], ',', 6, "the power-ups");
    row.passiveRates = Split(fields[7], '/');
    if (row.passiveRates.size() == 1)
        row.passiveRates.assign(3, row.passiveRates.front());
    if (row.passiveRates.size() != 3)
        reader.Fail("the rate is one number or three (Vegetable/Meat/Flavoring), not '" + fields[7] + "'");
    for (const std::string& rate : row.passiveRates)
        reader.Number(rate, "the rate");
    row.recipes = Split(fields[8], ',');
    for (std::string& recipe : row.recipes)
    {
        if (!IsName(recipe))
            reader.Fail("a recipe is a name of letters, digits and '_', not '" + recipe + "'");
        recipe = "Recipe_" + recipe;
    }
    return row;
}
} // namespace

std::vector<LevelRow> ReadLevelTable(std::istream& in, const std::string& file)
{
    const std::vector<std::string> settable = SettableKeys();
    std::map<std::string, std::string> gameplay;
    std::set<std::string> names;
    std::vector<LevelRow> rows;
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);)
    {
        ++lineNumber;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::vector<std::string> fields;
        std::stringstream words(line);
        for (std::string word; words >> word;)
            fields.push_back(word);
        if (fields.empty())
            continue;
        const RowReader reader(file, lineNumber);
        if (fields.front() == "set")
        {
            if (fields.size() != 3)
                reader.Fail("a set line is 'set <key> <value>'");
            const std::string& key = fields[1];
            if (std::find(settable.begin(), settable.end(), key) == settable.end())
                reader.Fail("'" + key + "' is no level setting that a set line gives");
            gameplay[key] = kWholeNumbers.count(key) ? reader.Whole(fields[2], -100000, 100000, key)
                                                     : reader.Number(fields[2], key);
            continue;
        }
        LevelRow row = ReadRow(fields, reader);
        row.line = lineNumber;
        for (const std::string& key : settable)
            if (!gameplay.count(key))
                reader.Fail("no set line gives " + key + " before this level");
        if (!names.insert(row.name).second)
            reader.Fail(row.name + " is in the table twice");
        row.gameplay = gameplay;
        rows.push_back(std::move(row));
    }
    return rows;
}

void WriteLevelFile(const LevelRow& row, std::ostream& out)
{
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        << "<!-- Episode " << row.episode << ", " << kChallenges[row.challenge - 1]
        << ": its kitchen, clock, recipes, pantry, power-ups and tuning.\n"
        << "     Made by levelbuild from a row of Data/Levels/Levels.txt: change the row, not this file. -->\n"
        << "<resources>\n"
        << "  <KitchenLevelData name=\"" << row.name << "\" time=\"" << row.time << "\" numStations=\"" << row.stations
        << "\" WinScore=\"" << row.winScore << "\" ExpertScore=\"" << row.expertScore << "\">\n";
    for (const std::string& recipe : row.recipes)
        out << "    <LevelRecipe RecipeID=\"" << recipe << "\"/>\n";
    out << "    <PantrySettings>\n";
    for (std::size_t i = 0; i < row.pantry.size(); ++i)
        out << "      <Category id=\"" << kCategories[i] << "\" numToDisplay=\"" << row.pantry[i] << "\"/>\n";
    out << "    </PantrySettings>\n    <PowerUpSettings";
    for (std::size_t i = 0; i < row.powerUps.size(); ++i)
        out << ' ' << kPowerUps[i] << "=\"" << row.powerUps[i] << '"';
    out << "/>\n"
        << "    <!-- cooking progress per second (100 finishes a step): alone, and while the cook works it -->\n"
        << "    <GameplaySettings";
    for (std::size_t i = 0; i < 3; ++i)
    {
        const std::string prefix = kCategoryPrefixes[i];
        out << (i ? "\n                     " : " ") << prefix << "PassiveRate=\"" << row.passiveRates[i] << '"';
        for (const char* rate : kActiveRates)
            out << ' ' << prefix << rate << "=\"" << row.gameplay.at(prefix + rate) << '"';
    }
    out << "\n                     ";
    for (const char* key : kScoring)
        out << (key == kScoring[0] ? "" : " ") << key << "=\"" << row.gameplay.at(key) << '"';
    out << "/>\n  </KitchenLevelData>\n</resources>\n";
}
} // namespace Corvane::LevelBuild
