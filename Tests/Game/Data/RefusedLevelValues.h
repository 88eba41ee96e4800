// Level values no kitchen could play, each with what the level file's reader says of it: the
// table that the reader's test and the level start's test both go through.
#pragma once

#include <string>
#include <vector>

struct RefusedLevelValue
{
    std::string attributes; // of the KitchenLevelData element
    std::string children;
    std::string problem; // after 'the level "<id>" '
};

inline const std::vector<RefusedLevelValue>& RefusedLevelValues()
{
    const auto pantry = [](const std::string& categories) {
        return "<PantrySettings>" + categories + "</PantrySettings>";
    };
    const auto gameplay = [](const std::string& values) { return "<GameplaySettings " + values + "/>"; };
    const std::string clock = R"(time="60")";
    const std::string rates = "(a step cooks at 0 to 100 points a second)";
    static const std::vector<RefusedLevelValue> cases = {
        {R"(time="99999999999")", "", R"(has time="99999999999" (a level's clock runs 1 to 599 seconds))"},
        {R"(time="-5")", "", R"(has time="-5" (a level's clock runs 1 to 599 seconds))"},
        {R"(time="nan")", "", R"(has time="nan" (a level's clock runs 1 to 599 seconds))"},
        {R"(time="90s")", "", R"(has time="90s" (a level's clock runs 1 to 599 seconds))"},
        {R"(time="600")", "", R"(has time="600" (a level's clock runs 1 to 599 seconds))"},
        {"", "", "has no time (a level's clock runs 1 to 599 seconds)"},
        {clock + R"( numStations="0")", "", R"(has numStations="0" (a kitchen has 1 to 4 cooking stations))"},
        {clock + R"( numStations="five")", "", R"(has numStations="five" (a kitchen has 1 to 4 cooking stations))"},
        {clock + R"( WinScore="100000" ExpertScore="100000")", "",
         R"(has WinScore="100000" (a level's goals are 0 to 99999 points))"},
        {clock + R"( WinScore="-1")", "", R"(has WinScore="-1" (a level's goals are 0 to 99999 points))"},
        {clock + R"( WinScore="900" ExpertScore="500")", "",
         R"(has ExpertScore="500" below WinScore="900" (an expert's goal is never below the winning one))"},
        {clock + R"( WinScore="900")", "",
         R"(has no ExpertScore below WinScore="900" (an expert's goal is never below the winning one))"},
        {clock, pantry(R"(<Category id="Vegetable" numToDisplay="-3"/>)"),
         R"(has numToDisplay="-3" (a kitchen has 0 to 15 Vegetable bins))"},
        {clock, pantry(R"(<Category id="Meat" numToDisplay="100000"/>)"),
         R"(has numToDisplay="100000" (a kitchen has 0 to 15 Meat bins))"},
        {clock, pantry(R"(<Category id="Vegetable" numToDisplay="6"/><Category id="Meat" numToDisplay="5"/>
                   <Category id="Flavoring" numToDisplay="5"/>)"),
         "asks for 16 pantry bins in all (a kitchen has 1 to 15 pantry bins)"},
        {clock, pantry(R"(<Category id="Fruit" numToDisplay="3"/>)"),
         "asks for 0 pantry bins in all (a kitchen has 1 to 15 pantry bins)"},
        {clock, R"(<PowerUpSettings Shuffle_M="1000000000"/>)",
         R"(has Shuffle_M="1000000000" (a kitchen has 0 to 99 Shuffle_M charges))"},
        {clock, gameplay(R"(V_PassiveRate="nan")"), R"(has V_PassiveRate="nan" )" + rates},
        {clock, gameplay(R"(M_ActiveRateMin="1" M_ActiveRateMax="inf")"), R"(has M_ActiveRateMax="inf" )" + rates},
        {clock, gameplay(R"(F_PassiveRate="-1")"), R"(has F_PassiveRate="-1" )" + rates},
        {clock, gameplay(R"(F_ActiveRateMin="40" F_ActiveRateMax="30")"),
         R"(has F_ActiveRateMax="30" below F_ActiveRateMin="40" (a worked step's rate climbs from its minimum to its )"
         "maximum)"},
        {clock, gameplay(R"(StarLossRate="2")"),
         R"(has StarLossRate="2" (a level's StarLossRate is 0 to 1 of a star))"},
        {clock, gameplay(R"(badIngredientScore="-1e9")"),
         R"(has badIngredientScore="-1e9" (a level's scoring values are -99999 to 99999 points))"},
    };
    return cases;
}
