#include "Game/Data/LocalizedText.h"

#include "BoostRandomNumberStream.h"
#include "Game/Data/GameDataTest.h"
#include "Platform/Compat/User/MessageBox.h"

#include <set>
#include <vector>

using namespace Corvane;

namespace
{
std::vector<std::wstring> gBoxes;

int RecordBox(const wchar_t* text, const wchar_t* caption, UINT type)
{
    gBoxes.push_back(std::wstring(caption) + L" | " + text + ((type & MB_ICONERROR) ? L" | error" : L""));
    return IDOK;
}

class LocalizedTextTest : public GameDataTest
{
protected:
    LocalizedTextTest() : mPrevious(SetMessageBoxPresenter(RecordBox)) { gBoxes.clear(); }
    ~LocalizedTextTest() override { SetMessageBoxPresenter(mPrevious); }

    void LoadTexts(const std::string& body)
    {
        resources.WriteManifest("LocalizedText", body);
        LocalizedText::Load();
    }

private:
    MessageBoxPresenter mPrevious;
};
} // namespace

TEST_F(LocalizedTextTest, EachLookupFormsItsKeyAndFallsBackItsOwnWay)
{
    LoadTexts(R"(<string name="Greeting" value="Hello"/>
<string name="EpisodeNumStr" value="Episode %1% of %1%"/>
<string name="EpisodeTitle.3" value="The Third"/>
<string name="InGame.ComponentText.Crust" value="Crispy crust"/>
<string name="Carrot_DisplayText" value="Carrot"/>
<string name="Sweet.AttLabelText" value="Sweetness"/>
<string name="DishDisplayName.Pizza1" value="Pizza of %1%"/>
<stringarray name="DishDisplayName.DefaultStrings"><string value="Canape"/><string value="Meat canape"/></stringarray>
<string name="Line1" value="Welcome to the kitchen!"/>)");
    struct Case
    {
        std::wstring actual;
        std::wstring expected;
    };
    const Case cases[] = {
        {LocalizedText::GetText(Label("greeting")), L"Hello"},
        {LocalizedText::GetText(Label("Nothing")), L"Text not Found"},
        {LocalizedText::GetTextByName(L"Greeting"), L"Hello"},
        {LocalizedText::GetTextByName(L"Nothing"), L""},
        {LocalizedText::GetEpisodeNumberText(2), L"Episode 2 of 2"},
        {LocalizedText::GetEpisodeTitle(3), L"The Third"},
        {LocalizedText::GetEpisodeTitle(4), L"Text not Found"},
        {LocalizedText::GetComponentText(Label("Crust")), L"Crispy crust"},
        {LocalizedText::GetComponentText(Label("Filling")), L"Filling"},
        {LocalizedText::GetComponentText(Label()), L""},
        {LocalizedText::GetDisplayText("Carrot"), L"Carrot"},
        {LocalizedText::GetDisplayText("Pea"), L"Text not Found"},
        {LocalizedText::GetDisplayText(nullptr), L""},
        {LocalizedText::GetAttributeLabelText("Sweet"), L"Sweetness"},
        {LocalizedText::GetAttributeLabelText("Sour"), L"Text not Found"},
        {LocalizedText::GetDishDisplayName(Label("Pizza1"), 0), L"Pizza of %1%"},
        {LocalizedText::GetDishDisplayName(Label("Other"), 1), L"Meat canape"},
        {LocalizedText::GetDishDisplayName(Label("Other"), 30), L""},
        {LocalizedText::GetCutsceneText(Label("Line1")), L"Welcome to the kitchen!"},
        {LocalizedText::GetCutsceneText(Label("Line9")), L"Cutscene Text 'Line9' Not Found"},
        {LocalizedText::GetCutsceneText(Label()), L"Cutscene Text '' Not Found"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST_F(LocalizedTextTest, RandomRemarksCoverEveryEntryAndNothingElse)
{
    LoadTexts(R"(<stringarray name="JudgingFeedbackStrings_Ingredient_Veyla">
  <string value="a"/><string value="b"/><string value="c"/></stringarray>
<stringarray name="JudgingFeedbackStrings_Combo_Orvel"><string value="only"/></stringarray>
<stringarray name="JudgingDishFeedbackStrings.Stars.5"><string value="perfect"/></stringarray>
<stringarray name="JudgingDishFeedbackStrings."><string value="odd stars"/></stringarray>
<stringarray name="JudgingOverallFeedbackStrings_Expert"><string value="expert"/></stringarray>
<stringarray name="JudgingOverallFeedbackStrings_Normal"/>)");
    BoostRandomNumberStream seeded(1234);
    PushRandomStream(&seeded);
    std::multiset<std::wstring> picks;
    for (int i = 0; i < 300; ++i)
        picks.insert(LocalizedText::GetIngredientFeedback(true));
    EXPECT_EQ(picks.size(), 300u);
    for (const wchar_t* entry : {L"a", L"b", L"c"})
        EXPECT_GT(picks.count(entry), 60u) << "each of three entries comes about a third of the time";

    EXPECT_EQ(LocalizedText::GetComboFeedback(false), L"only");
    EXPECT_EQ(LocalizedText::GetDishFeedback(5), L"perfect");
    EXPECT_EQ(LocalizedText::GetDishFeedback(6), L"odd stars") << "other counts leave the bare prefix";
    EXPECT_EQ(LocalizedText::GetOverallFeedback(2), L"expert");
    EXPECT_EQ(LocalizedText::GetOverallFeedback(1), L"") << "an empty list gives empty text";
    EXPECT_EQ(LocalizedText::GetIngredientFeedback(false), L"") << "so does a missing one";
    PopRandomStream();
}

TEST_F(LocalizedTextTest, ALoadErrorIsShownInAnErrorBoxAndTheTextsReadStay)
{
    RegisterRecordFactories();
    LoadTexts(R"(<string name="Kept" value="kept"/>
<CutscenePrompt name="Broken" LeftChar="Nobody" RightChar="None" Speaker="Left" textID="T"/>
<string name="After" value="after"/>)");
    ASSERT_EQ(gBoxes.size(), 1u);
    EXPECT_EQ(gBoxes[0].substr(0, gBoxes[0].find(L" | ")),
              L"There was an error loading LocalizedText.xml. Fix the problem and press F5 to reload");
    EXPECT_NE(gBoxes[0].find(L"couldn't convert the attribute 'LeftChar'"), std::wstring::npos);
    EXPECT_NE(gBoxes[0].find(L" | error"), std::wstring::npos);
    EXPECT_EQ(LocalizedText::GetText(Label("Kept")), L"kept");
    EXPECT_EQ(LocalizedText::GetText(Label("After")), L"after");
}
