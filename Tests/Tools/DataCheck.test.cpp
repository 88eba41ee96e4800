// The data checker on the game's own data, on that data with a picture and a text removed, and on
// small folders that each break one rule.
#include "DataChecker.h"
#include "ImageOps.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace Corvane;
using namespace Corvane::DataCheck;
using Corvane::Testing::TempFolder;

namespace
{
std::string Printed(const Report& report)
{
    std::ostringstream text;
    for (const Problem& problem : report.Sorted())
        text << problem.file << "(" << problem.line << "): " << problem.message << "\n";
    return text.str();
}

Report CheckFolder(const std::filesystem::path& folder, std::vector<std::unique_ptr<Check>> checks = {})
{
    Report report;
    DataChecker(folder, false).Run(report, std::move(checks));
    return report;
}

// The line (from 1) of the first line of file holding text; 0 when none does.
int LineOf(const std::filesystem::path& file, const std::string& text)
{
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
        if (line.find(text) != std::string::npos)
            return number;
    return 0;
}

// Writes "png:WxH" as a picture of that size, "copy:<file>" as that file of the game's data folder,
// anything else as text.
void WriteFile(const TempFolder& folder, const std::string& relative, const std::string& content)
{
    if (content.starts_with("copy:"))
    {
        std::filesystem::create_directories((folder.Path() / relative).parent_path());
        std::filesystem::copy_file(std::filesystem::path(CORVANE_DATA_OUTPUT) / content.substr(5),
                                   folder.Path() / relative);
        return;
    }
    int width = 0;
    int height = 0;
    if (std::sscanf(content.c_str(), "png:%dx%d", &width, &height) == 2)
    {
        ImageBuild::Picture picture;
        picture.width = width;
        picture.height = height;
        picture.rgba.assign(std::size_t(width) * height * 4, 255);
        std::filesystem::create_directories((folder.Path() / relative).parent_path());
        ImageBuild::WritePng(picture, (folder.Path() / relative).string());
    }
    else
        folder.Write(relative, content);
}

std::string ManifestText(const std::string& body)
{
    return "<?xml version=\"1.0\"?>\n<resources>\n" + body + "\n</resources>\n";
}

// A check that counts its runs.
class CountingCheck final : public Check
{
public:
    CountingCheck(std::vector<std::wstring> needs, int& runs) : mNeeds(std::move(needs)), mRuns(runs) {}
    std::string Name() const override { return "counting"; }
    std::vector<std::wstring> Needs() const override { return mNeeds; }
    void Run(Context&) override { ++mRuns; }

private:
    std::vector<std::wstring> mNeeds;
    int& mRuns;
};
} // namespace

TEST(DataCheck, TheGamesOwnDataPasses)
{
    const Report report = CheckFolder(CORVANE_DATA_OUTPUT);
    EXPECT_EQ(Printed(report), "");
    for (const std::string& note : report.Notes())
        std::printf("note: %s\n", note.c_str());
}

TEST(DataCheck, ARemovedPictureOrTextKeyFailsWithTheFileAndLineThatNameIt)
{
    TempFolder folder;
    const std::filesystem::path data = folder.Path() / "Data";
    std::filesystem::copy(CORVANE_DATA_OUTPUT, data, std::filesystem::copy_options::recursive);
    std::filesystem::remove(data / "Art/Title/Logo.jpg");
    {
        const std::filesystem::path texts = data / "Manifests/LocalizedText.xml";
        std::ifstream in(texts);
        std::string kept;
        for (std::string line; std::getline(in, line);)
            if (line.find("name=\"Cutscene.Episode1_Intro.3\"") == std::string::npos)
                kept += line + "\n";
        in.close();
        std::ofstream(texts) << kept;
    }
    const std::string picture =
        "Manifests/TitleMainMenuMode.xml(" +
        std::to_string(LineOf(data / "Manifests/TitleMainMenuMode.xml", "name=\"TitleMainMenu_Logo\"")) +
        "): image 'TitleMainMenu_Logo': picture 'Art/Title/Logo' not found (looked for .gif, .jpg, .png)\n";
    const std::string text = "Manifests/Cutscenes.xml(" +
                             std::to_string(LineOf(data / "Manifests/Cutscenes.xml", "Cutscene.Episode1_Intro.3")) +
                             "): CutsceneData 'Episode1_Intro' line names 'Cutscene.Episode1_Intro.3', which no "
                             "manifest declares (a text is needed)\n";

    EXPECT_EQ(Printed(CheckFolder(data)), text + picture);

    // The tool says the same and fails.
    const std::string output = (folder.Path() / "output.txt").string();
    const int status =
        std::system(("'" + std::string(DATACHECK_PROGRAM) + "' '" + data.string() + "' > '" + output + "'").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string printed = folder.Read("output.txt");
    EXPECT_NE(printed.find(text + picture), std::string::npos) << printed;
    EXPECT_NE(printed.find("datacheck: " + data.string() + ": 2 problems"), std::string::npos) << printed;
}

TEST(DataCheck, EachBrokenRuleIsReportedWhereItIsBroken)
{
    // The finished dishes' names, plate type 26 (Soup_Veg_Easy) last.
    std::string dishNames = "<stringarray name=\"DishDisplayReplacementStrings\">";
    for (int plate = 0; plate < 26; ++plate)
        dishNames += "<string value=\"Dish\"/>";
    dishNames += "<string value=\"%1% Soup with %3%\"/></stringarray>";
    struct Case
    {
        const char* rule;
        std::vector<std::pair<std::string, std::string>> files;
        std::string expected;
    };
    const Case cases[] = {
        {"a layout names a resource of the wrong kind",
         {{"pic.png", "png:4x4"}, {"Loading.xml", ManifestText(R"(<image name="Pic" src="pic"/>
<scenelayout name="L"><scenenode><buttonnode name="B" images="Pic"/></scenenode></scenelayout>)")}},
         "Loading.xml(4): layout 'L': buttonnode 'B' images names 'Pic', which is an image, not an image list "
         "(Loading.xml(3))"},
        {"a hot key names no key",
         {{"Loading.xml", ManifestText(R"(<scenelayout name="L"><scenenode>
<buttonnode name="B" keyCode="Entr"/><buttonnode keyCode="VK_RETURN"/><buttonnode keyCode="q"/></scenenode></scenelayout>)")}},
         "Loading.xml(4): layout 'L': buttonnode 'B' keyCode 'Entr' is no key name"},
        {"a text keyword in the wrong letter case",
         {{"Loading.xml", ManifestText(R"(<scenelayout name="L"><scenenode>
<textspritenode textJustify="center" textMode="Outline"/></scenenode></scenelayout>)")}},
         "Loading.xml(4): layout 'L': textspritenode textMode 'Outline' must be written 'outline'"},
        {"a layout uses a node type the game does not have",
         {{"Loading.xml", ManifestText(R"(<scenelayout name="L"><scenenode>
<wobblenode/></scenenode></scenelayout>)")}},
         "Loading.xml(4): layout 'L': wobblenode is no node type the game registers"},
        {"a screen's node is missing from its layout",
         {{"Loading.xml", ManifestText(R"(<scenelayout name="LoadingLayout"><scenenode>
<staticspritenode name="Splash1"/><staticspritenode name="Splash2"/><rectnode name="splashBG"/>
</scenenode></scenelayout>)")}},
         "Loading.xml(3): layout 'LoadingLayout' has no node named 'loadingMeter', which its screen looks up"},
        {"a screen's node has the wrong type",
         {{"Loading.xml", ManifestText(R"(<scenelayout name="LoadingLayout"><scenenode>
<staticspritenode name="Splash1"/><staticspritenode name="Splash2"/>
<rectnode name="splashBG"/><rectnode name="loadingMeter"/></scenenode></scenelayout>)")}},
         "Loading.xml(5): layout 'LoadingLayout': the node 'loadingMeter' is a rectnode; its screen needs a "
         "meterbarnode"},
        {"a sound list comes before its sound, whose file is missing",
         {{"AudioResources.xml", ManifestText(R"(<soundlist name="S">
  <sound event="Hot" src="Tick"/>
</soundlist>
<sound name="Tick" src="Sounds/tick"/>)")}},
         "AudioResources.xml(4): sound list 'S' event 'Hot' names 'Tick', which the game reads only later "
         "(AudioResources.xml(6)): it must be loaded first\n"
         "AudioResources.xml(6): sound 'Tick': sound file 'Sounds/tick' not found (looked for .ogg, .mp3, .wav, "
         ".aif, .mod, .s3m, .xm, .it, .mo3, .mtm, .umx)"},
        {"a combo names an ingredient the game reads only after it",
         {{"IngredientCombos.xml", ManifestText(R"(<IngredientCombo name="C">
  <Ingredient id="Salt"/>
</IngredientCombo>)")},
          {"AudioResources.xml", ManifestText(R"(<CookingIngredient name="Salt" category="Flavoring"/>)")}},
         "IngredientCombos.xml(4): IngredientCombo 'C' ingredient names 'Salt', which the game reads only later "
         "(AudioResources.xml(3)): it must be loaded first"},
        {"an episode's level file does not exist",
         {{"LevelProgression.xml", ManifestText(R"(<LevelProgressionData name="AllLevels">
 <EpisodeDescriptorList name="EpisodeList"><EpisodeDescriptor EpisodeNum="1">
  <LevelDescriptor name="Dashcourse_1" levelID="L1" filename="Nowhere"/>
 </EpisodeDescriptor></EpisodeDescriptorList></LevelProgressionData>)")}},
         "LevelProgression.xml(5): LevelProgressionData 'AllLevels' episode 1 Dashcourse_1: its level file "
         "'Nowhere.xml' does not exist"},
        {"a recipe asks for an unknown flavour, an ingredient's category is misspelt",
         {{"GameConstants.xml",
           ManifestText(R"(<stringarray name="AttributeStrings"><string value="Sweet"/></stringarray>)")},
          {"RecipeData.xml", ManifestText(R"(<RecipeData name="R" plateType="Soup_Veg_Easy">
 <RecipeStepDataList name="StepDataList">
  <RecipeStepData Category="Vegetable" AttRequest_1="Umami" Anim="Chop" Group="Base"/>
 </RecipeStepDataList>
</RecipeData>)")},
          {"IngredientData.xml", ManifestText(R"(<CookingIngredient name="Kale" category="vegetable"/>)")}},
         "IngredientData.xml(3): CookingIngredient 'Kale' category 'vegetable' is none of Vegetable, Meat, "
         "Flavoring\nRecipeData.xml(5): RecipeData 'R' step asks for 'Umami' is no flavour of AttributeStrings"},
        {"a recipe's dish cannot be drawn, named or judged as its data says",
         {{"RecipeData.xml", ManifestText(R"(<RecipeData name="Stew" plateType="Soup_Meat_Easy">
 <RecipeStepDataList name="StepDataList">
  <RecipeStepData Category="Meat" DisplayIndex="5"/>
  <RecipeStepData Category="Vegetable" DisplayIndex="2"/>
  <RecipeStepData Category="Vegetable" DisplayIndex="2"/>
  <RecipeStepData Category="Flavoring" DisplayIndex="7"/>
 </RecipeStepDataList>
 <intList name="StarPoints"><int value="10"/><int value="20"/><int value="20"/><int value="40"/><int value="50"/></intList>
</RecipeData>
<RecipeData name="Toast" plateType="Toast_Plain"/>
<RecipeData name="Wrap" plateType="Sandwich_Veg">
 <intList name="StarPoints"><int value="10"/></intList>
</RecipeData>
<RecipeData name="Bites" plateType="Canape_Veg">
 <RecipeStepDataList name="StepDataList"><RecipeStepData Category="Vegetable" DisplayIndex="1"/></RecipeStepDataList>
 <intList name="StarPoints"><int value="1"/><int value="2"/><int value="3"/><int value="4"/><int value="5"/></intList>
</RecipeData>)")},
          {"LocalizedText.xml", ManifestText(R"(<string name="DishDisplayName.Bites" value="Bites"/>)")},
          {"DishDisplayLayouts-Soup.xml", ManifestText(R"(<scenelayout name="Soup_Meat_EasyLayout">
 <scenenode name="Dish"><scenenode name="Meat_A"/><scenenode name="Broth"/></scenenode>
</scenelayout>)")},
          {"DishDisplayLayouts-Canape.xml", ManifestText(R"(<scenelayout name="Canape_VegLayout">
 <scenenode name="Dish"><scenenode name="Veg_A"/></scenenode>
</scenelayout>)")}},
         "RecipeData.xml(3): RecipeData 'Stew' needs the text 'DishDisplayName.Stew', which no manifest declares\n"
         "RecipeData.xml(6): RecipeData 'Stew' step DisplayIndex 2: the layout 'Soup_Meat_EasyLayout' has no node "
         "'Veg_B' to draw its ingredient in\n"
         "RecipeData.xml(7): RecipeData 'Stew' step DisplayIndex 2 ('Veg_B') is another step's place: one ingredient "
         "hides the other\n"
         "RecipeData.xml(8): RecipeData 'Stew' step DisplayIndex 7 is no place on the plate 'Soup_Meat_Easy'\n"
         "RecipeData.xml(10): RecipeData 'Stew' StarPoints must rise from above 0, but 20 follows 20\n"
         "RecipeData.xml(12): RecipeData 'Toast' plateType 'Toast_Plain' is no plate type the game knows\n"
         "RecipeData.xml(12): RecipeData 'Toast' has 0 StarPoints; the judges give one to 5 stars by them\n"
         "RecipeData.xml(13): RecipeData 'Wrap' has 1 StarPoints; the judges give one to 5 stars by them\n"
         "RecipeData.xml(13): RecipeData 'Wrap' is served on 'Sandwich_Veg', whose layout 'Sandwich_VegLayout' no "
         "manifest declares"},
        {"two manifests share a name",
         {{"a/Loading.xml", ManifestText("")}, {"b/Loading.xml", ManifestText("")}},
         "b/Loading.xml(0): a second manifest named 'Loading' (the first is a/Loading.xml): the game would read only "
         "one of them"},
        {"a resource name is declared in two manifests",
         {{"Loading.xml", ManifestText(R"(<float name="Speed" value="1"/>)")},
          {"resources.xml", ManifestText(R"(<float name="speed" value="2"/>)")}},
         "resources.xml(3): 'Speed' is also declared in Loading.xml(3): resource names are shared by every manifest"},
        {"broken XML",
         {{"Loading.xml", "<resources>\n<image name=\"A\" src=oops/>\n</resources>\n"}},
         "Loading.xml(0): Loading.xml(2): "},
        {"a start-up group without a manifest, and one whose manifest loads nothing",
         {{"ParticleTest.xml", ManifestText("<!-- nothing yet -->")}},
         "PowerUpUIButtons.xml(0): the start-up loads the group 'PowerUpUIButtons', but no manifest has its name\n"
         "ParticleTest.xml(0): the start-up group 'ParticleTest' loads no resource: its share of the loading meter "
         "measures nothing"},
        {"a manifest the game never reads",
         {{"Leftovers.xml", ManifestText("")}},
         "Leftovers.xml(0): the game never reads this manifest"},
        {"a forgotten '/' swallows the rest of the manifest",
         {{"Loading.xml", ManifestText(R"(<float name="Wait" value="1">
<image name="Later" src="later"/>)")}},
         "Loading.xml(3): float 'Wait' has elements inside it (the first at line 4), which are read as part of it and "
         "lost: is its end tag or '/>' missing?"},
        {"a film strip that does not cut into whole cells",
         {{"strip.png", "png:10x4"}, {"Loading.xml", ManifestText(R"(<filmstrip name="S" src="strip" cols="3"/>)")}},
         "Loading.xml(3): film strip 'S': its 10x4 picture does not cut into 3 columns and 1 rows of whole cells"},
        {"a level names a recipe nobody declares, and an unknown pantry category",
         {{"Level_9.xml", ManifestText(R"(<KitchenLevelData name="L9" time="60">
 <LevelRecipe RecipeID="Nothing"/>
 <PantrySettings><Category id="Dairy" numToDisplay="2"/></PantrySettings>
</KitchenLevelData>)")},
          {"LevelProgression.xml", ManifestText(R"(<LevelProgressionData name="AllLevels">
 <EpisodeDescriptorList name="EpisodeList"><EpisodeDescriptor EpisodeNum="1">
  <LevelDescriptor name="Intro" levelID="NoCutscene" filename="Cutscenes"/>
  <LevelDescriptor name="Elimination" levelID="L8" filename="Level_9"/>
 </EpisodeDescriptor></EpisodeDescriptorList></LevelProgressionData>)")}},
         "Level_9.xml(4): KitchenLevelData 'L9' recipe names 'Nothing', which no manifest declares (a RecipeData is "
         "needed)\n"
         "Level_9.xml(5): KitchenLevelData 'L9' pantry category 'Dairy' is none of Vegetable, Meat, Flavoring\n"
         "LevelProgression.xml(5): LevelProgressionData 'AllLevels' episode 1 Intro names 'NoCutscene', which no "
         "manifest declares (a CutsceneData is needed)\n"
         "LevelProgression.xml(6): LevelProgressionData 'AllLevels' episode 1 Elimination: Level_9.xml holds no "
         "KitchenLevelData named 'L8'\n"
         "LevelProgression.xml(6): LevelProgressionData 'AllLevels' episode 1 Elimination intro names "
         "'L8_LevelIntro', which no manifest declares (a LevelIntroData is needed)\n"
         "LevelProgression.xml(3): LevelProgressionData 'AllLevels' needs the text 'EpisodeTitle.1', which no "
         "manifest declares"},
        {"a level whose pantry cannot serve a step of its recipe, and one asking for sixteen places",
         {{"Level_8.xml", ManifestText(R"(<CookingIngredient name="Leek" category="Vegetable"/>
<RecipeData name="R8"><RecipeStepDataList name="StepDataList"><RecipeStepData Category="Meat"/></RecipeStepDataList>
<LabelList name="IngredientList"><Label value="Leek"/></LabelList></RecipeData>
<KitchenLevelData name="L8" time="60">
 <LevelRecipe RecipeID="R8"/>
 <PantrySettings><Category id="Vegetable" numToDisplay="16"/><Category id="Meat" numToDisplay="2"/></PantrySettings>
</KitchenLevelData>)")}},
         "Level_8.xml(7): KitchenLevelData 'L8' recipe 'R8' asks for 16 pantry places; the pantry has 15\n"
         "Level_8.xml(7): KitchenLevelData 'L8' recipe 'R8': its Meat steps can never be served, the pantry shows "
         "no Meat for it"},
        {"pantry rows labelled by their first place that hold another category too",
         {{"Level_7.xml", ManifestText(R"(<CookingIngredient name="Leek" category="Vegetable"/>
<CookingIngredient name="Ham" category="Meat"/><CookingIngredient name="Salt" category="Flavoring"/>
<RecipeData name="All"><LabelList name="IngredientList"><Label value="Salt"/><Label value="Ham"/>
<Label value="Leek"/></LabelList></RecipeData>
<RecipeData name="NoMeat"><LabelList name="IngredientList"><Label value="Leek"/><Label value="Salt"/></LabelList>
</RecipeData>
<KitchenLevelData name="L7">
 <LevelRecipe RecipeID="All"/>
 <LevelRecipe RecipeID="NoMeat"/>
 <PantrySettings><Category id="Vegetable" numToDisplay="4"/><Category id="Meat" numToDisplay="3"/>
 <Category id="Flavoring" numToDisplay="7"/></PantrySettings>
</KitchenLevelData>)")}},
         // All: VVVVM MMFFF FFFF; NoMeat: VVVVF FFFFF F.
         "Level_7.xml(10): KitchenLevelData 'L7' recipe 'All': pantry row 1 is labelled Vegetable but holds Meat "
         "too; give each category whole rows of five\n"
         "Level_7.xml(10): KitchenLevelData 'L7' recipe 'All': pantry row 2 is labelled Meat but holds Flavoring "
         "too; give each category whole rows of five\n"
         "Level_7.xml(11): KitchenLevelData 'L7' recipe 'NoMeat': pantry row 1 is labelled Vegetable but holds "
         "Flavoring too; give each category whole rows of five"},
        {"a level intro names a text, a combo, a flavour and an ingredient that do not exist",
         {{"LevelIntroMode.xml", ManifestText(R"(<LevelIntroData name="L_LevelIntro">
 <LabelList name="VeylaText"><Label value="Hello"/></LabelList>
 <MirelComboThought name="Combo" Combo_1="NoCombo" Combo_2="NoCombo"/>
 <MirelFlavorThought name="Flavor" Flavor="Bitter" Ing_1="Egg" Ing_2="Egg" Ing_3="Egg" Ing_4="Egg"/>
</LevelIntroData>)")}},
         "LevelIntroMode.xml(4): LevelIntroData 'L_LevelIntro' host line names 'Hello', which no manifest declares "
         "(a text is needed)\n"
         "LevelIntroMode.xml(5): LevelIntroData 'L_LevelIntro' Combo_1 names 'NoCombo', which no manifest declares\n"
         "LevelIntroMode.xml(6): LevelIntroData 'L_LevelIntro' Flavor 'Bitter' is no flavour of AttributeStrings\n"
         "LevelIntroMode.xml(6): LevelIntroData 'L_LevelIntro' Ing_4 names 'Egg', which no manifest declares"},
        {"the texts the screens make from names are missing, and a remark list is short",
         {{"IngredientData.xml", ManifestText(R"(<CookingIngredient name="Egg" category="Meat"/>)")},
          {"LocalizedText.xml",
           ManifestText(R"(<stringarray name="DishDisplayName.DefaultStrings"><string value="Soup"/></stringarray>
<stringarray name="JudgingOverallFeedbackStrings_Lose"/>)")}},
         "IngredientData.xml(3): CookingIngredient 'Egg' needs the text 'Egg_DisplayText', which no manifest declares\n"
         "IngredientData.xml(3): CookingIngredient 'Egg' needs the picture 'Egg_Image' (an image)\n"
         "LocalizedText.xml(0): the text list 'DishDisplayName.DefaultStrings' has 1 dish names; every one of the 31 "
         "plate types needs one\n"
         "LocalizedText.xml(0): the text list 'JudgingOverallFeedbackStrings_Lose' is missing or empty"},
        {"a scene reference names a layout read only after it; the screen's path runs through the reference",
         {{"TitleMainMenuMode.xml", ManifestText(R"(<scenelayout name="TitleModeLayout">
<scenenode nodeName="TitleMode"><sceneref nodeName="StartButtonRoot" scenename="Start"/></scenenode>
</scenelayout>)")},
          {"AudioResources.xml", ManifestText(R"(<scenelayout name="Start"><scenenode>
<textspritenode name="StartButton" nodeName="StartButton"/></scenenode></scenelayout>)")}},
         "TitleMainMenuMode.xml(4): layout 'TitleModeLayout': sceneref scenename names 'Start', which the game reads "
         "only later (AudioResources.xml(3)): it must be loaded first\n"
         "AudioResources.xml(4): layout 'TitleModeLayout': the node 'TitleMode/StartButtonRoot/StartButton' is a "
         "textspritenode; its screen needs a buttonnode"},
        {"image lists without pictures, or with a child that is no image; a font without metrics",
         {{"f.png", "png:4x4"}, {"Loading.xml", ManifestText(R"(<imagelist name="None" pattern="gone_%1%"/>
<imagelist name="Mixed"><image src="f"/><sound src="f"/></imagelist>
<font name="F" src="f"/>)")}},
         "Loading.xml(3): image list 'None': no picture matches the pattern 'gone_%1%'\n"
         "Loading.xml(4): image list 'Mixed': a 'sound' is no image: the list fails whole\n"
         "Loading.xml(5): font 'F': metrics 'f.txt' not found"},
        {"an alias stands for what it names; the code's names must have the kind the code converts them to",
         {{"t_0.png", "png:4x4"},
          {"t_1.png", "png:4x4"},
          {"t_2.png", "png:4x4"},
          {"t_3.png", "png:4x4"},
          {"Loading.xml", ManifestText(R"(<imagelist name="Real" pattern="t_%1%" first="0" last="3"/>
<alias name="Other" src="Real"/>
<float name="CursorArrow" value="1"/>
<string name="DefaultButtonSoundLabel" value="Real"/>
<scenelayout name="L"><buttonnode name="B" images="Other"/></scenelayout>)")}},
         "Loading.xml(5): the loading screen needs 'CursorArrow' (an image), but it is a float\n"
         "Loading.xml(6): DefaultButtonSoundLabel names 'Real', which is an image list, not a sound list"},
        {"the cook's place off world x 0",
         {{"Loading.xml", ManifestText(R"(<scenelayout name="FennikPlayfieldLayout"><scenenode nodeName="FennikPlayfield" x="10">
<scenenode nodeName="PlayerAttach" x="5"/></scenenode></scenelayout>)")}},
         "Loading.xml(4): layout 'FennikPlayfieldLayout': the node 'PlayerAttach' sits at world x 15; the cook moves to "
         "the stations' world x, so it must sit at world x 0"},
        {"a sprite type over a film strip",
         {{"s.png", "png:8x4"},
          {"Loading.xml", ManifestText(R"(<filmstrip name="Strip" src="s" cols="2" rows="1"/>
<spriteanimationlist name="A"><animation name="Idle" frameList="0"/></spriteanimationlist>
<spritetype name="T" images="Strip" animationList="A"/>)")}},
         "Loading.xml(5): sprite type 'T' images names 'Strip', which is a film strip, not an image list"},
        {"a button without a picture for each state",
         {{"b_0.png", "png:8x8"},
          {"b_1.png", "png:8x8"},
          {"b_2.png", "png:8x8"},
          {"Loading.xml", ManifestText(R"(<imagelist name="B" pattern="b_%1%" first="0" last="2"/>
<scenelayout name="L"><buttonnode name="Go" images="B"/></scenelayout>)")}},
         "Loading.xml(4): buttonnode 'Go': its image list 'B' has 3 pictures; a control shows normal, hover, pressed "
         "and disabled"},
        {"a finished dish's name asks for an ingredient its recipe's steps never put in the dish, or leaves out "
         "one that the dish's own name names",
         {{"RecipeData.xml", ManifestText(R"(<RecipeData name="Soup" plateType="Soup_Veg_Easy">
 <RecipeStepDataList name="StepDataList"><RecipeStepData Category="Vegetable" DisplayIndex="4"/></RecipeStepDataList>
</RecipeData>
<RecipeData name="Leeks" plateType="Soup_Veg_Easy">
 <RecipeStepDataList name="StepDataList"><RecipeStepData Category="Vegetable" DisplayIndex="4"/>
 <RecipeStepData Category="Vegetable" DisplayIndex="2"/><RecipeStepData Category="Flavoring" DisplayIndex="1"/>
 </RecipeStepDataList>
 <LabelList name="IngredientList"><Label value="Leek"/><Label value="Carrot"/><Label value="Salt"/></LabelList>
</RecipeData>
<string name="DishDisplayName.Leeks" value="Leeks in Broth"/>
<CookingIngredient name="Leek" category="Vegetable"/><string name="Leek_DisplayText" value="Leek"/>
<CookingIngredient name="Carrot" category="Vegetable"/><string name="Carrot_DisplayText" value="Carrot"/>
<CookingIngredient name="Salt" category="Flavoring"/><string name="Salt_DisplayText" value="Sea Salt"/>)")},
          {"FinalDishDisplay.xml", ManifestText(dishNames)}},
         "RecipeData.xml(3): RecipeData 'Soup' is named '%1% Soup with %3%' when finished, but none of its steps' "
         "dish slots fills %3%: the name would show 'Ing_3'\n"
         "RecipeData.xml(6): RecipeData 'Leeks' is called 'Leeks in Broth', but served with Carrot, Leek and Sea "
         "Salt it is judged as 'Carrot Soup with Sea Salt', which leaves out Leek"},
        {"the host's lines name another number than the level's goal, or none",
         {{"LevelIntroMode.xml", ManifestText(R"(<string name="Hi" value="Win 300 points, or 400!"/>
<LevelIntroData name="L1_LevelIntro"><LabelList name="VeylaText"><Label value="Hi"/></LabelList></LevelIntroData>
<string name="Bye" value="Good luck."/>
<LevelIntroData name="L2_LevelIntro"><LabelList name="VeylaText"><Label value="Bye"/></LabelList></LevelIntroData>)")},
          {"Level_1.xml", ManifestText(R"(<KitchenLevelData name="L1" time="60" WinScore="300" ExpertScore="600"/>
<KitchenLevelData name="L2" time="60" WinScore="500" ExpertScore="900"/>)")}},
         "LevelIntroMode.xml(3): LevelIntroData 'L1_LevelIntro' host line 'Hi' says 400, but the level's WinScore is "
         "300\n"
         "LevelIntroMode.xml(6): LevelIntroData 'L2_LevelIntro' host lines never say the level's goal: its WinScore 500 "
         "(Level_1.xml)"},
        {"a text too long for its card, one off its picture, one the check knows no words for",
         {{"Fonts/F.png", "copy:Fonts/DejaVuSans-16.png"},
          {"Fonts/F.txt", "copy:Fonts/DejaVuSans-16.txt"},
          {"card.png", "png:100x60"},
          {"Loading.xml", ManifestText(R"(<font name="F" src="Fonts/F"/>
<image name="Card" src="card"/>
<scenelayout name="L"><scenenode name="Screen" width="400" height="300">
<scenenode name="Box" width="100" height="40"><styledtextspritenode name="Words" font="F" width="90" text="Far too many words for this box"/></scenenode>
<scenenode name="Plain" x="200" width="200" height="200"><staticspritenode name="Backing" src="Card"/><styledtextspritenode name="Wide" font="F" y="20" text="Wider than the card"/></scenenode>
<styledtextspritenode name="Blank" font="F" y="250"/>
</scenenode></scenelayout>)")}},
         "Loading.xml(6): layout 'L': the text 'Screen/Box/Words' runs 36 px out of its box 'Screen/Box'\n"
         "Loading.xml(7): layout 'L': the text 'Screen/Plain/Wide' runs off the solid part of its picture "
         "'Screen/Plain/Backing'\n"
         "Loading.xml(8): layout 'L': the text 'Screen/Blank' has no text of its own and the check knows none the game "
         "writes into it"},
        {"a centred text at the left of its box, so that its shorter lines look indented",
         {{"Fonts/F.png", "copy:Fonts/DejaVuSans-16.png"},
          {"Fonts/F.txt", "copy:Fonts/DejaVuSans-16.txt"},
          {"Loading.xml", ManifestText(R"(<font name="F" src="Fonts/F"/>
<scenelayout name="L"><scenenode name="Screen" width="400" height="300">
<scenenode name="Bubble" width="300" height="100"><styledtextspritenode name="Remark" font="F" textJustify="center" x="10" width="280" text="Top of the board."/></scenenode>
</scenenode></scenelayout>)")}},
         "Loading.xml(5): layout 'L': the text 'Screen/Bubble/Remark' is centred, but not in its box 'Screen/Bubble'"},
        {"a check box's pictures are one full set unchecked and one checked",
         {{"c_0.png", "png:8x8"},
          {"c_1.png", "png:8x8"},
          {"c_2.png", "png:8x8"},
          {"c_3.png", "png:8x8"},
          {"c_4.png", "png:8x8"},
          {"Loading.xml", ManifestText(R"(<imagelist name="C" pattern="c_%1%" first="0" last="4"/>
<imagelist name="Four" pattern="c_%1%" first="0" last="3"/>
<scenelayout name="L"><scenenode><checkboxnode name="Box" images="C"/><buttonnode name="Go" images="Four"/></scenenode></scenelayout>)")}},
         "Loading.xml(5): checkboxnode 'Box': its image list 'C' has 5 pictures; a control shows normal, hover, "
         "pressed and disabled: 4 or 5 pictures (12 or 15 in three pieces), unchecked and then checked"},
    };
    for (const Case& test : cases)
    {
        TempFolder folder;
        for (const auto& [path, content] : test.files)
            WriteFile(folder, path, content);
        const std::string printed = Printed(CheckFolder(folder.Path()));
        EXPECT_EQ(printed.find("'Other'"), std::string::npos) << "an alias was not followed:\n" << printed;
        std::istringstream expected(test.expected);
        for (std::string line; std::getline(expected, line);)
            EXPECT_NE(printed.find(line), std::string::npos) << test.rule << ":\n" << printed;
    }
}

TEST(DataCheck, StartTagLinesFollowTheTextPastCommentsAndQuotedBrackets)
{
    const std::string text = "<?xml version=\"1.0\"?>\n"
                             "<!-- <not a=\"tag\">\n -->\n"
                             "<a x=\"1 > 0\"\n   y=\"2\">\n"
                             "<![CDATA[ <no/> ]]><b/></a>\n"
                             "\n<c/>";
    EXPECT_EQ(StartTagLines(text), (std::vector<int>{4, 6, 8}));
}

TEST(DataCheck, AChecksWhoseFactoriesAreNotRegisteredIsSkippedWithANote)
{
    TempFolder folder;
    folder.Write("Loading.xml", ManifestText(""));
    int skipped = 0;
    int ran = 0;
    std::vector<std::unique_ptr<Check>> checks;
    checks.push_back(std::make_unique<CountingCheck>(std::vector<std::wstring>{L"image", L"laterkind"}, skipped));
    checks.push_back(std::make_unique<CountingCheck>(std::vector<std::wstring>{L"image", L"float"}, ran));
    const Report report = CheckFolder(folder.Path(), std::move(checks));
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(ran, 1);
    bool noted = false;
    for (const std::string& note : report.Notes())
        noted = noted || note == "skipped the check of counting: no factory yet for laterkind";
    EXPECT_TRUE(noted);
}
