#include "Game/Data/GameRecords.h"

#include "Framework/ResourceManager.h"
#include "Game/Data/GameDataTest.h"

#include <vector>

using namespace Corvane;

namespace
{
template <typename Record> const Record* Named(const char* name)
{
    return ResourceManager::Get<Record>(name).Get();
}

const char* const kLevel = R"(<LevelDescriptor name="Level_%" levelID="L%" filename="Level%"/>)";

std::string Level(const std::string& member, int n)
{
    std::string text = kLevel;
    text.replace(text.find("name=\"Level_%\""), 14, "name=\"" + member + "\"");
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%'))
        text.replace(at, 1, std::to_string(n));
    return text;
}
} // namespace

TEST_F(GameDataTest, EveryRecordTypeLoadsFromItsXMLWithItsEnumerations)
{
    ASSERT_EQ(Load("Records", R"(<LevelDescriptor name="Solo" levelID="Solo" filename="SoloFile"/>
<LevelProgressionData name="AllLevels">
  <EpisodeDescriptorList name="EpisodeList">
    <EpisodeDescriptor EpisodeNum="2">)" + Level("Elimination", 3) +
                              Level("Outro", 5) + Level("Dashcourse_2", 2) + Level("Intro", 4) +
                              Level("dashcourse_1", 1) + R"(
    </EpisodeDescriptor>
  </EpisodeDescriptorList>
</LevelProgressionData>
<CutsceneData name="Intro1" Location="Kitchen_FN_2">
  <CutscenePromptList name="PromptList">
    <CutscenePrompt LeftChar="None" RightChar="LorcanNeg_3" Speaker="Right" textID="Line1"/>
    <CutscenePrompt LeftChar="MirelPos" RightChar="PembryNeg" Speaker="Left" textID="Line2"/>
  </CutscenePromptList>
</CutsceneData>
<CutscenePrompt name="Prompt" LeftChar="QuillaPos" RightChar="None" Speaker="Left" textID="Hello"/>
<RecipeStepData name="Chopping" Category="Meat" AttRequest_1="Spicy" Anim="Chop" Group="G1"/>
<RecipeData name="Pizza1" plateType="Pizza_Veg_Easy">
  <RecipeStepDataList name="StepDataList">
    <RecipeStepData template="Chopping" AttRequest_2="Sweet" DisplayIndex="3" Anim="Mix"/>
    <RecipeStepData Category="Flavoring" AttRequest_1="Salty" Anim="Boil" Group="G2"/>
  </RecipeStepDataList>
  <LabelList name="IngredientList"><Label value="Tomato"/><Label value="Basil"/></LabelList>
  <intList name="StarPoints"><int value="100"/><int value="250"/></intList>
</RecipeData>
<MirelFlavorThought name="Thought" Flavor="Sweet" Ing_1="A" Ing_2="B" Ing_3="C" Ing_4="D"/>
<MirelComboThought name="Combos" Combo_1="X" Combo_2="Y"/>
<LevelIntroData name="Intro_L1">
  <MirelFlavorThought name="Flavor" template="Thought" Ing_4="E"/>
  <MirelComboThought name="Combo" Combo_1="P" Combo_2="Q"/>
  <LabelList name="VeylaText"><Label value="Hi"/></LabelList>
</LevelIntroData>)"),
              "");

    const LevelDescriptor* solo = Named<LevelDescriptor>("Solo");
    ASSERT_NE(solo, nullptr);
    EXPECT_EQ(solo->filename, L"SoloFile");
    EXPECT_FALSE(solo->firstOfEpisode || solo->lastOfEpisode) << "no XML sets the runtime flags";

    const LevelProgressionData* all = Named<LevelProgressionData>("AllLevels");
    ASSERT_TRUE(all && all->episodes.size() == 1);
    const EpisodeDescriptor& episode = all->episodes[0];
    EXPECT_EQ(episode.episodeNum, 2);
    EXPECT_EQ(episode.dashcourse1.levelID, Label("L1")) << "the order of the children does not matter";
    EXPECT_EQ(episode.dashcourse2.filename, L"Level2");
    EXPECT_EQ(episode.elimination.levelID, Label("L3"));
    EXPECT_EQ(episode.intro.levelID, Label("L4"));
    EXPECT_EQ(episode.outro.levelID, Label("L5"));
    EXPECT_FALSE(ResourceManager::Get<EpisodeDescriptor>("AllLevels")) << "episodes are never resources";

    const CutsceneData* cutscene = Named<CutsceneData>("Intro1");
    ASSERT_TRUE(cutscene && cutscene->prompts.size() == 2);
    EXPECT_EQ(cutscene->location, kLocationKitchenFN2);
    EXPECT_EQ(cutscene->location, 5);
    EXPECT_EQ(cutscene->prompts[0].leftChar, kCharNone);
    EXPECT_EQ(cutscene->prompts[0].rightChar, 9);
    EXPECT_EQ(cutscene->prompts[0].speaker, kCutsceneRight);
    EXPECT_EQ(cutscene->prompts[1].rightChar, 16);
    EXPECT_EQ(cutscene->prompts[1].textID, Label("Line2"));
    ASSERT_NE(Named<CutscenePrompt>("Prompt"), nullptr);
    EXPECT_EQ(Named<CutscenePrompt>("Prompt")->leftChar, 10);

    const RecipeStepData* chopping = Named<RecipeStepData>("Chopping");
    ASSERT_NE(chopping, nullptr);
    EXPECT_FALSE(chopping->attRequest2) << "no second request by default";
    EXPECT_EQ(chopping->displayIndex, -1);
    const RecipeData* pizza = Named<RecipeData>("Pizza1");
    ASSERT_TRUE(pizza && pizza->steps.size() == 2);
    EXPECT_EQ(pizza->name, Label("Pizza1"));
    EXPECT_EQ(pizza->plateType, 30);
    EXPECT_EQ(pizza->steps[0].category, kCategoryMeat) << "a step built on a template";
    EXPECT_EQ(pizza->steps[0].attRequest1, Label("Spicy"));
    EXPECT_EQ(pizza->steps[0].attRequest2, Label("Sweet"));
    EXPECT_EQ(pizza->steps[0].displayIndex, 3);
    EXPECT_EQ(pizza->steps[0].anim, kAnimMix);
    EXPECT_EQ(pizza->steps[0].group, Label("G1"));
    EXPECT_EQ(pizza->steps[1].category, kCategoryFlavoring);
    EXPECT_EQ(pizza->steps[1].anim, kAnimBoil);
    EXPECT_EQ(pizza->ingredients, (std::vector<Label>{Label("Tomato"), Label("Basil")}));
    EXPECT_EQ(pizza->starPoints, (std::vector<int>{100, 250}));

    const LevelIntroData* intro = Named<LevelIntroData>("Intro_L1");
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(intro->veylaText, std::vector<Label>{Label("Hi")});
    EXPECT_EQ(intro->combo.combo2, Label("Q"));
    EXPECT_EQ(intro->flavor.flavor, Label("Sweet"));
    EXPECT_EQ(intro->flavor.ing1, Label("A"));
    EXPECT_EQ(intro->flavor.ing4, Label("E"));
    ASSERT_NE(Named<MirelComboThought>("Combos"), nullptr);
    EXPECT_EQ(Named<MirelComboThought>("Combos")->combo1, Label("X"));
}

TEST_F(GameDataTest, RecordErrorsNameTheFileTheLineAndTheAcceptedValues)
{
    struct Case
    {
        std::string body; // on line 3 of its manifest
        std::string message;
    };
    const Case cases[] = {
        {R"(<CutsceneData name="C" Location="kitchen_FN_2"><CutscenePromptList name="PromptList"/></CutsceneData>)",
         "couldn't convert the attribute 'Location' to the required type (acceptable values are: 'Living_H', "
         "'Kitchen_H', 'Dining_R', 'Kitchen_R', 'Kitchen_FN_1', 'Kitchen_FN_2', 'Kitchen_FN_3')"},
        {R"(<RecipeStepData name="S" Category="Meat" AttRequest_1="A" Anim="Chop"/>)", "missing attribute 'Group'"},
        {R"(<CutscenePrompt name="P" LeftChar="none" RightChar="None" Speaker="Left" textID="T"/>)",
         "couldn't convert the attribute 'LeftChar' to the required type (acceptable values are: 'MirelPos', "
         "'MirelPos_2', 'MirelNeutral', 'MirelNeg', 'MirelNeg_2', 'LorcanPos', 'LorcanNeutral', 'LorcanNeg', "
         "'LorcanNeg_2', 'LorcanNeg_3', 'QuillaPos', 'QuillaNeutral', 'QuillaNeg', 'QuillaNeg_2', 'PembryPos', "
         "'PembryNeutral', 'PembryNeg', 'None', 'Contestant01', 'Contestant02', 'Contestant03', 'Contestant04', "
         "'Contestant05', 'Contestant06', 'Contestant07', 'Contestant08', 'Contestant09', 'Contestant10', "
         "'Contestant11', 'Contestant12')"},
        {R"(<LevelProgressionData name="A"><EpisodeDescriptorList name="EpisodeList"><EpisodeDescriptor EpisodeNum="1">)" +
             Level("Intro", 1) + Level("Dashcourse_1", 2) + Level("Dashcourse_2", 3) + Level("Elimination", 4) +
             "</EpisodeDescriptor></EpisodeDescriptorList></LevelProgressionData>",
         "missing element 'Outro'"},
        {R"(<LevelProgressionData name="A"><EpisodeDescriptorList name="EpisodeList">)"
         R"(<EpisodeDescriptor template="AllLevels"/></EpisodeDescriptorList></LevelProgressionData>)",
         "template 'AllLevels' not found"},
    };
    int n = 0;
    for (const Case& c : cases)
    {
        const std::string manifest = "Broken" + std::to_string(++n);
        EXPECT_EQ(Load(manifest, c.body), PathOf(manifest) + "(3): " + c.message);
    }
}
