// The game's records: plain structures filled from XML by the record binding library (their member
// tables are in GameRecordDescriptors.cpp) and served as resources named by their "name". Nine are
// resource types, registered under their own names; EpisodeDescriptor only lives inside a
// LevelProgressionData. Records are built on the resource manager's loader thread and only read
// afterwards.
#pragma once

#include "Game/Data/GameEnumerations.h"
#include "Label.h"

#include <string>
#include <vector>

// One playable level, or the cutscene slot of an episode (its ID then names a CutsceneData).
struct LevelDescriptor
{
    Corvane::Label levelID; // "levelID"
    std::wstring filename;  // "filename": the manifest holding the level's KitchenLevelData
    // Set by the level progress on its own copies; no XML sets them.
    bool firstOfEpisode = false;
    bool lastOfEpisode = false;
};

struct EpisodeDescriptor
{
    int episodeNum = 0;          // "EpisodeNum"
    LevelDescriptor intro;       // element "Intro" (a cutscene)
    LevelDescriptor outro;       // element "Outro" (a cutscene)
    LevelDescriptor dashcourse1; // element "Dashcourse_1"
    LevelDescriptor dashcourse2; // element "Dashcourse_2"
    LevelDescriptor elimination; // element "Elimination"
};

// The game reads one, "AllLevels".
struct LevelProgressionData
{
    std::vector<EpisodeDescriptor> episodes; // list "EpisodeList"
};

// One line of a cutscene.
struct CutscenePrompt
{
    CutsceneCharState leftChar{};  // "LeftChar"
    CutsceneCharState rightChar{}; // "RightChar"
    CutscenePosition speaker{};    // "Speaker"
    Corvane::Label textID;         // "textID"
};

struct CutsceneData
{
    CutsceneBGLoc location{};             // "Location"
    std::vector<CutscenePrompt> prompts;  // list "PromptList"
};

// One cooking step of a recipe.
struct RecipeStepData
{
    IngredientCategory category{};  // "Category"
    Corvane::Label attRequest1;     // "AttRequest_1"
    Corvane::Label attRequest2;     // "AttRequest_2", default none
    int displayIndex = -1;          // "DisplayIndex", default -1
    CookingStepAnimation anim{};    // "Anim"
    Corvane::Label group;           // "Group"
};

struct RecipeData
{
    Corvane::Label name;                    // "name"
    PlatingType plateType{};                // "plateType"
    std::vector<RecipeStepData> steps;      // list "StepDataList"
    std::vector<Corvane::Label> ingredients; // label list "IngredientList"
    std::vector<int> starPoints;            // int list "StarPoints"
};

// The level intro's thought bubble about a flavour.
struct MirelFlavorThought
{
    Corvane::Label flavor; // "Flavor"
    Corvane::Label ing1;   // "Ing_1"
    Corvane::Label ing2;   // "Ing_2"
    Corvane::Label ing3;   // "Ing_3"
    Corvane::Label ing4;   // "Ing_4"
};

// The level intro's thought bubble about combos.
struct MirelComboThought
{
    Corvane::Label combo1; // "Combo_1"
    Corvane::Label combo2; // "Combo_2"
};

struct LevelIntroData
{
    std::vector<Corvane::Label> veylaText; // label list "VeylaText"
    MirelComboThought combo;               // element "Combo"
    MirelFlavorThought flavor;             // element "Flavor"
};
