// Scene layouts: every node element is a node type the game registers, every resource a node
// names exists and is of the kind the node converts it to, hot keys name keys and keywords are
// spelt as the game compares them, and the nodes the screens look up are there with the type they
// expect.
#include "Check.h"

#include "Framework/KeyNames.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <sstream>

namespace Corvane::DataCheck
{
namespace
{
struct ResourceAttribute
{
    const wchar_t* attribute;
    Kinds kinds;
};

// The node types the game's start-up registers, with the attributes that name resources.
const std::map<std::wstring, std::vector<ResourceAttribute>>& NodeTypes()
{
    static const Kinds kImage = {L"image"};
    static const Kinds kImageList = {L"imagelist"};
    static const Kinds kAnyImageList = {L"imagelist", L"filmstrip"};
    static const Kinds kFont = {L"font"};
    static const Kinds kSoundList = {L"soundlist"};
    static const Kinds kText = {L"string"};
    static const std::map<std::wstring, std::vector<ResourceAttribute>> types = {
        {L"sceneref", {{L"scenename", {L"scenelayout"}}}},
        {L"scenenode", {}},
        {L"backgroundnode", {{L"images", kImageList}}},
        {L"buttonnode", {{L"images", kImageList}, {L"font", kFont}, {L"sounds", kSoundList}, {L"textResource", kText}}},
        {L"checkboxnode",
         {{L"images", kImageList}, {L"font", kFont}, {L"sounds", kSoundList}, {L"textResource", kText}}},
        {L"radiobuttonnode",
         {{L"images", kImageList}, {L"font", kFont}, {L"sounds", kSoundList}, {L"textResource", kText}}},
        {L"listnode", {{L"images", kImageList}, {L"font", kFont}}},
        {L"scrollbarnode",
         {{L"downArrowImages", kImageList},
          {L"upArrowImages", kImageList},
          {L"thumbImages", kImageList},
          {L"channelImages", kImageList}}},
        {L"slidernode",
         {{L"sounds", kSoundList},
          {L"thumbImages", kImageList},
          {L"channelImages", kImageList},
          {L"disableImages", kImageList}}},
        {L"staticspritenode", {{L"src", kImage}}},
        {L"texteditnode", {{L"fieldImages", kAnyImageList}, {L"cursorImage", kImage}, {L"font", kFont}}},
        {L"textspritenode", {{L"font", kFont}, {L"textResource", kText}}},
        {L"animatedspritenode", {{L"spriteType", {L"spritetype"}}}},
        {L"meterbarnode", {{L"images", kAnyImageList}}},
        {L"discretemeterbarnode", {{L"images", kAnyImageList}}},
        {L"nodegridnode", {}},
        {L"rectnode", {}},
        {L"ellipsenode", {}},
        {L"styledtextspritenode", {{L"font", kFont}, {L"textResource", kText}}},
        {L"fractiontextmeternode", {{L"font", kFont}}},
        {L"tiledspritenode", {{L"src", kImage}}},
        {L"fixedlistnode", {{L"font", kFont}, {L"selectedImage", kImage}}},
    };
    return types;
}

// Keyword attributes of text nodes. The game compares them exactly: a keyword in other letter case
// silently gives the default look.
const std::map<std::wstring, std::vector<std::wstring>>& KeywordAttributes()
{
    static const std::map<std::wstring, std::vector<std::wstring>> keywords = {
        {L"textJustify", {L"left", L"center", L"right"}},
        {L"textMode", {L"outline", L"dropShadow"}},
    };
    return keywords;
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

// How a screen finds a node: by its name in the screen's object database, or by a path of node
// names from the screen's root (the layout's root is the first step).
struct NodeLookup
{
    const wchar_t* layout;
    std::vector<const wchar_t*> path; // one entry: a lookup by name
    bool byName;
    const wchar_t* type;
};

// The nodes the screens look up.
const std::vector<NodeLookup>& ScreenNodes()
{
    static const std::vector<NodeLookup> nodes = {
        // the loading screen
        {L"LoadingLayout", {L"Splash1"}, true, L"staticspritenode"},
        {L"LoadingLayout", {L"Splash2"}, true, L"staticspritenode"},
        {L"LoadingLayout", {L"splashBG"}, true, L"rectnode"},
        {L"LoadingLayout", {L"loadingMeter"}, true, L"meterbarnode"},
        // the title
        {L"TitleModeLayout", {L"TitleMode", L"StartButtonRoot"}, false, nullptr},
        {L"TitleModeLayout", {L"TitleMode", L"StartButtonRoot", L"StartButton"}, false, L"buttonnode"},
        {L"TitleModeLayout", {L"TitleMode", L"StartButtonRoot", L"overlayFrame"}, false, nullptr},
        {L"TitleModeLayout", {L"TitleMode", L"TitleMainMenu_LogoKnife"}, false, nullptr},
        {L"TitleModeLayout", {L"TitleMode", L"Characters", L"TitleMainMenu_Character_Quilla"}, false, nullptr},
        {L"TitleModeLayout", {L"TitleMode", L"Characters", L"TitleMainMenu_Character_Dorrit"}, false, nullptr},
        {L"TitleModeLayout", {L"TitleMode", L"Characters", L"TitleMainMenu_Character_Orvel"}, false, nullptr},
        {L"TitleModeLayout", {L"TitleMode", L"Characters", L"TitleMainMenu_Character_Veyla"}, false, nullptr},
        {L"TitleModeLayout", {L"StartButton"}, true, L"buttonnode"},
        // the main menu (its buttons by name: the screens they open are enabled one by one)
        {L"MainMenuModeLayout", {L"MainMenuMode", L"ProfileBubble"}, false, nullptr},
        {L"MainMenuModeLayout", {L"MainMenuMode", L"ProfileBubble", L"ProfileText"}, false, L"styledtextspritenode"},
        {L"MainMenuModeLayout", {L"MainMenuMode", L"Buttons"}, false, nullptr},
        {L"MainMenuModeLayout", {L"MainMenuMode", L"Buttons", L"PlayButton"}, false, L"buttonnode"},
        {L"MainMenuModeLayout", {L"MainMenuMode", L"Buttons", L"PlayButtonAnimFrames"}, false, L"animatedspritenode"},
        {L"MainMenuModeLayout", {L"PlayButton"}, true, L"buttonnode"},
        {L"MainMenuModeLayout", {L"CreditsButton"}, true, L"buttonnode"},
        {L"MainMenuModeLayout", {L"OptionsButton"}, true, L"buttonnode"},
        {L"MainMenuModeLayout", {L"ProfileButton"}, true, L"buttonnode"},
        {L"MainMenuModeLayout", {L"HelpButton"}, true, L"buttonnode"},
        {L"MainMenuModeLayout", {L"QuitButton"}, true, L"buttonnode"},
        // the profile screens
        {L"ProfileModeLayout", {L"ProfileMode", L"SelectProfileText"}, false, L"styledtextspritenode"},
        {L"ProfileModeLayout", {L"AccountList"}, true, L"fixedlistnode"},
        {L"ProfileModeLayout", {L"NewButton"}, true, L"buttonnode"},
        {L"ProfileModeLayout", {L"DeleteButton"}, true, L"buttonnode"},
        {L"ProfileModeLayout", {L"OkButton"}, true, L"buttonnode"},
        {L"ProfileModeLayout", {L"CancelButton"}, true, L"buttonnode"},
        {L"NewProfileModeLayout", {L"NewProfileMode", L"TextEnter"}, false, L"styledtextspritenode"},
        {L"NewProfileModeLayout", {L"AccountName"}, true, L"texteditnode"},
        {L"NewProfileModeLayout", {L"OkButton"}, true, L"buttonnode"},
        {L"NewProfileModeLayout", {L"CancelButton"}, true, L"buttonnode"},
        {L"DeleteProfileModeLayout", {L"DeleteProfileMode", L"ConfirmText"}, false, L"styledtextspritenode"},
        {L"DeleteProfileModeLayout", {L"OkButton"}, true, L"buttonnode"},
        {L"DeleteProfileModeLayout", {L"CancelButton"}, true, L"buttonnode"},
        // the pause menu, the options and the quit question
        {L"PauseModeLayout", {L"ResumeButton"}, true, L"buttonnode"},
        {L"PauseModeLayout", {L"HelpButton"}, true, L"buttonnode"},
        {L"PauseModeLayout", {L"OptionsButton"}, true, L"buttonnode"},
        {L"PauseModeLayout", {L"MainMenuButton"}, true, L"buttonnode"},
        {L"PauseModeLayout", {L"ChallengeSelectButton"}, true, L"buttonnode"},
        {L"OptionsModeLayout", {L"FullScreen"}, true, L"checkboxnode"},
        {L"OptionsModeLayout", {L"MuteSound"}, true, L"checkboxnode"},
        {L"OptionsModeLayout", {L"MuteMusic"}, true, L"checkboxnode"},
        {L"OptionsModeLayout", {L"SoundSlider"}, true, L"slidernode"},
        {L"OptionsModeLayout", {L"MusicSlider"}, true, L"slidernode"},
        {L"OptionsModeLayout", {L"OKButton"}, true, L"buttonnode"},
        {L"OptionsModeLayout", {L"CancelButton"}, true, L"buttonnode"},
        {L"QuitConfirmModeLayout", {L"YesButton"}, true, L"buttonnode"},
        {L"QuitConfirmModeLayout", {L"NoButton"}, true, L"buttonnode"},
        // the cutscenes
        {L"CutsceneModeLayout", {L"CutsceneMode", L"BG"}, false, L"staticspritenode"},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"Character_Left"}, false, L"staticspritenode"},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"Character_Right"}, false, L"staticspritenode"},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"TextBubble_Left"}, false, nullptr},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"TextBubble_Right"}, false, nullptr},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"TextBubble_Left", L"bubbleText"}, false, L"styledtextspritenode"},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"TextBubble_Right", L"bubbleText"}, false, L"styledtextspritenode"},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"NextButton"}, false, L"buttonnode"},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"SkipButton"}, false, L"buttonnode"},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"Next_RolloverAnim"}, false, L"animatedspritenode"},
        {L"CutsceneModeLayout", {L"CutsceneMode", L"Skip_RolloverAnim"}, false, L"animatedspritenode"},
        {L"CutsceneModeLayout", {L"NextButton"}, true, L"buttonnode"},
        {L"CutsceneModeLayout", {L"SkipButton"}, true, L"buttonnode"},
        // the level intro, the level outro and the finished-dish popup
        {L"IntroLayout", {L"Intro", L"TitleCard"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"TitleCard", L"DC"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"TitleCard", L"EC"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"TitleCard", L"FIRST"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"TitleCard", L"SECOND"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"Veyla"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"Veyla", L"Text"}, false, L"styledtextspritenode"},
        {L"IntroLayout", {L"Intro", L"Player"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"Player", L"Text"}, false, L"styledtextspritenode"},
        {L"IntroLayout", {L"Intro", L"Player", L"Flavor"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"Player", L"Combo"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"Player", L"Combo", L"Combo_1"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"Player", L"Combo", L"Combo_2"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"NextButton"}, false, L"buttonnode"},
        {L"IntroLayout", {L"Intro", L"Next_RolloverAnim"}, false, L"animatedspritenode"},
        {L"IntroLayout", {L"Intro", L"PopupAttachLayer"}, false, nullptr},
        {L"IntroLayout", {L"Intro", L"Player", L"Flavor", L"Ing_1"}, false, L"staticspritenode"},
        {L"IntroLayout", {L"Intro", L"Player", L"Flavor", L"Ing_2"}, false, L"staticspritenode"},
        {L"IntroLayout", {L"Intro", L"Player", L"Flavor", L"Ing_3"}, false, L"staticspritenode"},
        {L"IntroLayout", {L"Intro", L"Player", L"Flavor", L"Ing_4"}, false, L"staticspritenode"},
        {L"IntroLayout", {L"NextButton"}, true, L"buttonnode"},
        {L"LevelOutroModeLayout", {L"LevelOutro", L"bubbleBG"}, false, nullptr},
        {L"LevelOutroModeLayout", {L"LevelOutro", L"bubbleBG", L"timeBonus"}, false, L"styledtextspritenode"},
        {L"LevelOutroModeLayout", {L"LevelOutro", L"bubbleBG", L"total_score"}, false, L"styledtextspritenode"},
        {L"LevelOutroModeLayout", {L"JudgesTableButton"}, true, L"buttonnode"},
        {L"FinalDishDisplayLayout", {L"FinalDishDisplay", L"DishAttach"}, false, nullptr},
        {L"FinalDishDisplayLayout", {L"FinalDishDisplay", L"meter"}, false, L"staticspritenode"},
        {L"FinalDishDisplayLayout", {L"FinalDishDisplay", L"knife"}, false, L"staticspritenode"},
        {L"FinalDishDisplayLayout", {L"FinalDishDisplay", L"textBG"}, false, L"staticspritenode"},
        {L"FinalDishDisplayLayout", {L"FinalDishDisplay", L"textBG", L"dishName"}, false, L"styledtextspritenode"},
        // the help: its topic screens and the controls that pick them, by name
        {L"HelpModeLayout", {L"HelpMode", L"Screens"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"Basics"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"Tips"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"Pantry"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"Recipes"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"Stations_1"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"Stations_2"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"DishDisplay"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"Scoring1"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"Scoring2"}, false, nullptr},
        {L"HelpModeLayout", {L"HelpMode", L"Screens", L"PowerUps"}, false, nullptr},
        {L"HelpModeLayout", {L"BackButton"}, true, L"buttonnode"},
        {L"HelpModeLayout", {L"nextPage"}, true, L"buttonnode"},
        {L"HelpModeLayout", {L"previousPage"}, true, L"buttonnode"},
        {L"HelpModeLayout", {L"BasicsButton"}, true, L"radiobuttonnode"},
        {L"HelpModeLayout", {L"TipsButton"}, true, L"radiobuttonnode"},
        {L"HelpModeLayout", {L"PantryButton"}, true, L"radiobuttonnode"},
        {L"HelpModeLayout", {L"RecipesButton"}, true, L"radiobuttonnode"},
        {L"HelpModeLayout", {L"StationsButton"}, true, L"radiobuttonnode"},
        {L"HelpModeLayout", {L"DishDisplayButton"}, true, L"radiobuttonnode"},
        {L"HelpModeLayout", {L"Scoring1Button"}, true, L"radiobuttonnode"},
        {L"HelpModeLayout", {L"Scoring2Button"}, true, L"radiobuttonnode"},
        {L"HelpModeLayout", {L"PowerUps"}, true, L"radiobuttonnode"},
        // the credits
        {L"CreditsModeLayout", {L"CreditsMode", L"LeftArrow"}, false, L"buttonnode"},
        {L"CreditsModeLayout", {L"CreditsMode", L"RightArrow"}, false, L"buttonnode"},
        {L"CreditsModeLayout", {L"CreditsMode", L"TextImages"}, false, nullptr},
        {L"CreditsModeLayout", {L"CreditsMode", L"TextImages", L"TRVL_1"}, false, nullptr},
        {L"CreditsModeLayout", {L"CreditsMode", L"TextImages", L"TRVL_2"}, false, nullptr},
        {L"CreditsModeLayout", {L"CreditsMode", L"TextImages", L"Partner_1"}, false, nullptr},
        {L"CreditsModeLayout", {L"CreditsMode", L"TextImages", L"Partner_2"}, false, nullptr},
        {L"CreditsModeLayout", {L"CreditsMode", L"TextImages", L"Partner_3"}, false, nullptr},
        {L"CreditsModeLayout", {L"CreditsMode", L"TextImages", L"Partner_4"}, false, nullptr},
        {L"CreditsModeLayout", {L"MainMenu"}, true, L"buttonnode"},
        {L"CreditsModeLayout", {L"LeftArrow"}, true, L"buttonnode"},
        {L"CreditsModeLayout", {L"RightArrow"}, true, L"buttonnode"},
        // the challenge select: its attach points and figures, and each episode card (looked up from
        // the card's own root, written here as the first step)
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"EpisodeAttach_1"}, false, nullptr},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"EpisodeAttach_2"}, false, nullptr},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"EpisodeAttach_3"}, false, nullptr},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"01"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"02"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"03"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"06"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"10"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"04"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"09"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"05"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"11"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"08"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"12"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"07"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"quilla"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"lorcan"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"LevelSelectMode", L"Characters", L"pembry"}, false, L"staticspritenode"},
        {L"LevelSelectModeLayout", {L"MainMenuButton"}, true, L"buttonnode"},
        {L"LevelSelectModeLayout", {L"PlayButton"}, true, L"buttonnode"},
        {L"LevelSelectModeLayout", {L"LeftButton"}, true, L"buttonnode"},
        {L"LevelSelectModeLayout", {L"RightButton"}, true, L"buttonnode"},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"locked"}, false, nullptr},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"locked", L"EpisodeNum"}, false, L"styledtextspritenode"},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked"}, false, nullptr},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"EpisodeNum"}, false, L"styledtextspritenode"},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"EpisodeTitle"}, false, L"styledtextspritenode"},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"Thumbnail"}, false, L"staticspritenode"},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"Frame"}, false, L"staticspritenode"},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"ChallengeButtons", L"DZ_1"}, false, nullptr},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"ChallengeButtons", L"DZ_2"}, false, nullptr},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"ChallengeButtons", L"Elimination"}, false, nullptr},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"IntroButton"}, false, L"buttonnode"},
        {L"EpisodeFrameLayout", {L"EpisodeFrame", L"unlocked", L"OutroButton"}, false, L"buttonnode"},
        // the tutorial bubble
        {L"TutorialBubbleLayout", {L"TutorialBubble", L"bubbleBG"}, false, L"backgroundnode"},
        {L"TutorialBubbleLayout", {L"TutorialBubble", L"bubbleBG", L"MoreButton"}, false, L"buttonnode"},
        {L"TutorialBubbleLayout", {L"TutorialBubble", L"bubbleBG", L"TutorialText"}, false, L"styledtextspritenode"},
        {L"TutorialBubbleLayout", {L"TutorialBubble", L"bubbleBG", L"tail_up"}, false, nullptr},
        {L"TutorialBubbleLayout", {L"TutorialBubble", L"bubbleBG", L"tail_down"}, false, nullptr},
        {L"TutorialBubbleLayout", {L"TutorialBubble", L"bubbleBG", L"tail_left"}, false, nullptr},
        {L"TutorialBubbleLayout", {L"TutorialBubble", L"bubbleBG", L"tail_right"}, false, nullptr},
        {L"TutorialBubbleLayout", {L"MoreButton"}, true, L"buttonnode"},
        // the level screen
        {L"GameScreenLayout", {L"GameScreenRoot", L"Playfield_attach"}, false, nullptr},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach"}, false, nullptr},
        {L"GameScreenLayout", {L"GameScreenRoot", L"FX_Layer"}, false, nullptr},
        {L"GameScreenLayout", {L"GameScreenRoot", L"NextDishDisplay_InputMask"}, false, nullptr},
        {L"GameScreenLayout", {L"GameScreenRoot", L"NextDishDisplay_TimerMask"}, false, nullptr},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach", L"timer", L"Text_Min"}, false, L"styledtextspritenode"},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach", L"timer", L"Text_Sec"}, false, L"styledtextspritenode"},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach", L"LevelNumDisplay"}, false, L"styledtextspritenode"},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach", L"scoreDisplay"}, false, L"styledtextspritenode"},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach", L"dishDisplay"}, false, nullptr},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach", L"dishDisplay", L"recipeName"}, false,
         L"styledtextspritenode"},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach", L"dishDisplay", L"meter"}, false, L"meterbarnode"},
        {L"GameScreenLayout", {L"GameScreenRoot", L"UI_attach", L"dishDisplay", L"plate"}, false, nullptr},
        {L"DishCompleteDisplay_RootLayout", {L"MaskNodeAttach"}, true, nullptr},
        // the judges' table
        {L"JudgingModeLayout", {L"JudgingMode", L"BG", L"VeylaAnimFrames"}, false, L"animatedspritenode"},
        {L"JudgingModeLayout", {L"JudgingMode", L"BG", L"OrvelAnimFrames"}, false, L"animatedspritenode"},
        {L"JudgingModeLayout", {L"JudgingMode", L"BG", L"VeylaText", L"FeedbackText"}, false, L"styledtextspritenode"},
        {L"JudgingModeLayout", {L"JudgingMode", L"BG", L"OrvelText", L"FeedbackText"}, false, L"styledtextspritenode"},
        {L"JudgingModeLayout", {L"JudgingMode", L"CommentDisplay", L"DishDisplay", L"Dish_attach"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"CommentDisplay", L"DishDisplay", L"DishName"}, false,
         L"styledtextspritenode"},
        {L"JudgingModeLayout", {L"JudgingMode", L"CommentDisplay", L"ScoreDisplay", L"scoreText"}, false,
         L"styledtextspritenode"},
        {L"JudgingModeLayout", {L"JudgingMode", L"CommentDisplay", L"Stars", L"1"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"CommentDisplay", L"Stars", L"2"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"CommentDisplay", L"Stars", L"3"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"CommentDisplay", L"Stars", L"4"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"CommentDisplay", L"Stars", L"5"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"AllDishDisplay", L"AllDishLayout_1"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"AllDishDisplay", L"AllDishLayout_2"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"AllDishDisplay", L"AllDishLayout_3"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"AllDishDisplay", L"AllDishLayout_4"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"AllDishDisplay", L"AllDishLayout_5"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"AllDishDisplay", L"AllDishLayout_6"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"ScoreDisplay", L"Regular"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"ScoreDisplay", L"Expert"}, false, nullptr},
        {L"JudgingModeLayout", {L"JudgingMode", L"ScoreDisplay", L"scoreText"}, false, L"styledtextspritenode"},
        {L"JudgingModeLayout", {L"JudgingMode", L"Judging_LevelLost", L"Bubble", L"playersScore"}, false,
         L"styledtextspritenode"},
        {L"JudgingModeLayout", {L"JudgingMode", L"Judging_LevelLost", L"Bubble", L"goal"}, false,
         L"styledtextspritenode"},
        {L"JudgingModeLayout", {L"NextDishButton"}, true, L"buttonnode"},
        {L"JudgingModeLayout", {L"SkipAllDishesButton"}, true, L"buttonnode"},
        {L"JudgingModeLayout", {L"Judging_OkButton"}, true, L"buttonnode"},
        {L"JudgingModeLayout", {L"TryAgainButton"}, true, L"buttonnode"},
        {L"JudgingModeLayout", {L"ChallengeSelectButton"}, true, L"buttonnode"},
        {L"GameScreenLayout", {L"PauseButton"}, true, L"buttonnode"},
        {L"NextRecipePopupLayout", {L"NextRecipePopup", L"BG"}, false, nullptr},
        {L"NextRecipePopupLayout", {L"NextRecipePopup", L"attachBubble"}, false, L"staticspritenode"},
        {L"NextRecipePopupLayout", {L"NextRecipePopup", L"TitleText"}, false, L"styledtextspritenode"},
        {L"NextRecipePopupLayout", {L"NextRecipePopup", L"DishNameText"}, false, L"styledtextspritenode"},
        {L"NextRecipePopupLayout", {L"NextRecipePopup", L"ClickText"}, false, L"styledtextspritenode"},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"PlayerAttach"}, false, nullptr},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"CookingScreenBG"}, false, L"staticspritenode"},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"AddIngredientPromptRoot", L"Station_1"}, false, L"staticspritenode"},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"AddIngredientPromptRoot", L"Station_2"}, false, L"staticspritenode"},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"AddIngredientPromptRoot", L"Station_3"}, false, L"staticspritenode"},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"AddIngredientPromptRoot", L"Station_4"}, false, L"staticspritenode"},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"CookingStation_1"}, false, nullptr},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"CookingStation_2"}, false, nullptr},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"CookingStation_3"}, false, nullptr},
        {L"FennikPlayfieldLayout", {L"FennikPlayfield", L"CookingStation_4"}, false, nullptr},
        {L"CookingStationLayout", {L"CookingStation", L"clickRect"}, false, nullptr},
        {L"CookingStationLayout", {L"CookingStation", L"flameAttach"}, false, nullptr},
        {L"CookingStationLayout", {L"CookingStation", L"ActionStep_Attach"}, false, nullptr},
        {L"CookingStationLayout", {L"CookingStation", L"BG_KeyStep"}, false, nullptr},
        {L"PlayerAvatarLayout", {L"PlayerAvatar", L"animationNode"}, false, L"animatedspritenode"},
        {L"PlayerAvatarLayout", {L"PlayerAvatar", L"CookingAnimNode"}, false, L"animatedspritenode"},
        {L"PlayerAvatarLayout", {L"PlayerAvatar", L"SpeedHalo"}, false, nullptr},
        {L"PlayerAvatarLayout", {L"PlayerAvatar", L"SparkleBase"}, false, nullptr},
        {L"IngredientDataPopupLayout", {L"IngredientDataPopup", L"bubbleBG", L"IngredientName"}, false, L"styledtextspritenode"},
        {L"IngredientBinLayout", {L"IngredientBin", L"clickRect"}, false, nullptr},
        {L"IngredientBinLayout", {L"IngredientBin", L"IngredientImg"}, false, L"staticspritenode"},
        {L"IngredientBinLayout", {L"IngredientBin", L"IngredientBG"}, false, L"staticspritenode"},
        {L"IngredientBinLayout", {L"IngredientBin", L"IngredText"}, false, L"styledtextspritenode"},
        {L"IngredientBinLayout", {L"IngredientBin", L"highlightAttAnim"}, false, L"animatedspritenode"},
        {L"IngredientBinLayout", {L"IngredientBin", L"highlightComboAnim"}, false, L"animatedspritenode"},
        {L"ShufflePantryItem_FlashLayout", {L"ShuffleFlash", L"anim"}, false, L"animatedspritenode"},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"RowLabel_1"}, false, L"staticspritenode"},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_1", L"IngredAttach_1"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_1", L"IngredAttach_2"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_1", L"IngredAttach_3"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_1", L"IngredAttach_4"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_1", L"IngredAttach_5"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"RowLabel_2"}, false, L"staticspritenode"},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_2", L"IngredAttach_1"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_2", L"IngredAttach_2"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_2", L"IngredAttach_3"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_2", L"IngredAttach_4"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_2", L"IngredAttach_5"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"RowLabel_3"}, false, L"staticspritenode"},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_3", L"IngredAttach_1"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_3", L"IngredAttach_2"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_3", L"IngredAttach_3"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_3", L"IngredAttach_4"}, false, nullptr},
        {L"IngredientPantryLayout", {L"PantryRoot", L"ingredientAttachPoints", L"Row_3", L"IngredAttach_5"}, false, nullptr},
    };
    return nodes;
}

class LayoutCheck final : public Check
{
public:
    std::string Name() const override { return "scene layouts"; }

    void Run(Context& context) override
    {
        for (const Declaration* layout : context.Index().OfKind(L"scenelayout"))
        {
            const std::vector<const DataElement*> roots = Elements(*layout->element);
            if (roots.size() != 1)
                context.Problem(*layout, "layout '" + std::string(layout->name.c_str()) + "' has " +
                                             std::to_string(roots.size()) + " root nodes; a layout has exactly one");
            for (const DataElement* root : roots)
                CheckNode(context, *layout, *root);
        }
        for (const NodeLookup& lookup : ScreenNodes())
            CheckLookup(context, lookup);
        CheckCooksPlace(context);
        // An animated sprite draws separate pictures: a film strip shows nothing.
        for (const Declaration* type : context.Index().OfKind(L"spritetype"))
            context.Expect(*type->manifest, *type->element,
                           "sprite type '" + std::string(type->name.c_str()) + "' images",
                           type->element->Text(L"images"), {L"imagelist"}, true);
    }

private:
    static std::vector<const DataElement*> Elements(const DataElement& element)
    {
        std::vector<const DataElement*> children;
        for (const DataElement& child : element.children)
            children.push_back(&child);
        return children;
    }

    void CheckNode(Context& context, const Declaration& layout, const DataElement& node)
    {
        const std::string where = "layout '" + std::string(layout.name.c_str()) + "': " + Narrow(node.Tag()) +
                                  (node.Has(L"name") ? " '" + Narrow(node.Text(L"name")) + "'" : std::string());
        const auto type = NodeTypes().find(node.Tag());
        if (type == NodeTypes().end())
            context.Problem(*layout.manifest, node, where + " is no node type the game registers");
        else
            for (const ResourceAttribute& reference : type->second)
                context.Expect(*layout.manifest, node, where + " " + Narrow(reference.attribute),
                               node.Text(reference.attribute), reference.kinds,
                               // a referenced layout must be read before the one that refers to it
                               std::wstring(reference.attribute) == L"scenename");
        CheckWords(context, layout, node, where);
        for (const DataElement& child : node.children)
            CheckNode(context, layout, child);
    }

    static void CheckWords(Context& context, const Declaration& layout, const DataElement& node,
                           const std::string& where)
    {
        const std::wstring key = node.Text(L"keyCode");
        if (!key.empty() && GetKeyCodeByName(key.c_str()) == 0 && !EqualIgnoringCase(key, L"Null"))
            context.Problem(*layout.manifest, node, where + " keyCode '" + Narrow(key) + "' is no key name");
        for (const auto& [attribute, words] : KeywordAttributes())
        {
            const std::wstring text = node.Text(attribute.c_str());
            for (const std::wstring& word : words)
                if (text != word && EqualIgnoringCase(text, word))
                    context.Problem(*layout.manifest, node,
                                    where + " " + Narrow(attribute) + " '" + Narrow(text) + "' must be written '" +
                                        Narrow(word) + "'");
        }
    }

    // A node element and the manifest it is written in (a scene reference brings in nodes of
    // another layout, perhaps of another manifest).
    struct NodeRef
    {
        const DataElement* element;
        const Manifest* manifest;
    };

    // The children a node gets when instantiated: a scene reference brings the referenced
    // layout's root's children before its own.
    std::vector<NodeRef> NodeChildren(const Context& context, const NodeRef& node, int depth) const
    {
        std::vector<NodeRef> children;
        if (node.element->Tag() == L"sceneref" && depth < 16)
            if (const Declaration* target = context.Resolve(node.element->Text(L"scenename"), {L"scenelayout"}))
                for (const DataElement* root : Elements(*target->element))
                    for (const NodeRef& child : NodeChildren(context, {root, target->manifest}, depth + 1))
                        children.push_back(child);
        for (const DataElement& child : node.element->children)
            children.push_back({&child, node.manifest});
        return children;
    }

    // The node's type once instantiated: a reference becomes its layout's root.
    std::wstring NodeType(const Context& context, const DataElement& node, int depth = 0) const
    {
        if (node.Tag() == L"sceneref" && depth < 16)
            if (const Declaration* target = context.Resolve(node.Text(L"scenename"), {L"scenelayout"}))
                for (const DataElement* root : Elements(*target->element))
                    return NodeType(context, *root, depth + 1);
        return node.Tag();
    }

    // Finds the node named name at or below node into found.
    bool FindByName(const Context& context, const NodeRef& node, const std::wstring& name, int depth,
                    NodeRef& found) const
    {
        if (Label(node.element->Text(L"name")) == Label(name))
        {
            found = node;
            return true;
        }
        for (const NodeRef& child : NodeChildren(context, node, depth))
            if (FindByName(context, child, name, depth + 1, found))
                return true;
        return false;
    }

    // The x of a node element (0 when it has none).
    static float X(const DataElement& node)
    {
        const std::string text = Narrow(node.Text(L"x"));
        return text.empty() ? 0.0f : std::strtof(text.c_str(), nullptr);
    }

    // The root of a layout and its child of that node name, each as element and world x so far.
    static const DataElement* Child(const DataElement& node, const wchar_t* nodeName)
    {
        for (const DataElement& child : node.children)
            if (Label(child.Text(L"nodeName")) == Label(nodeName))
                return &child;
        return nullptr;
    }

    // The cook moves his local x to a station's world x: his attach point must sit at world x 0,
    // counting the level screen's "GameScreenRoot"/"Playfield_attach" that holds the playfield.
    void CheckCooksPlace(Context& context) const
    {
        const Declaration* playfield = context.Resolve(L"FennikPlayfieldLayout", {L"scenelayout"});
        if (!playfield || Elements(*playfield->element).empty())
            return;
        const DataElement& root = *Elements(*playfield->element)[0];
        const DataElement* attach = Child(root, L"PlayerAttach");
        if (!attach)
            return; // the node lookups report it
        float x = X(root) + X(*attach);
        if (const Declaration* screen = context.Resolve(L"GameScreenLayout", {L"scenelayout"}))
            for (const DataElement* screenRoot : Elements(*screen->element))
            {
                x += X(*screenRoot);
                if (const DataElement* holder = Child(*screenRoot, L"Playfield_attach"))
                    x += X(*holder);
            }
        if (x != 0.0f)
        {
            std::ostringstream where;
            where << x;
            context.Problem(*playfield->manifest, *attach,
                            "layout 'FennikPlayfieldLayout': the node 'PlayerAttach' sits at world x " + where.str() +
                                "; the cook moves to the stations' world x, so it must sit at world x 0");
        }
    }

    void CheckLookup(Context& context, const NodeLookup& lookup)
    {
        const Declaration* layout = context.Resolve(lookup.layout, {L"scenelayout"});
        if (!layout)
            return; // the named-resources check reports a missing layout
        const std::vector<const DataElement*> roots = Elements(*layout->element);
        if (roots.empty())
            return;
        std::string path;
        for (const wchar_t* step : lookup.path)
            path += (path.empty() ? "" : "/") + Narrow(step);

        const NodeRef root{roots[0], layout->manifest};
        NodeRef node{nullptr, nullptr};
        bool found = false;
        if (lookup.byName)
            found = FindByName(context, root, lookup.path[0], 0, node);
        else
        {
            // Node names in paths are labels: letter case does not matter.
            std::vector<NodeRef> candidates = {root};
            for (const wchar_t* step : lookup.path)
            {
                found = false;
                for (const NodeRef& candidate : candidates)
                    if (Label(candidate.element->Text(L"nodeName")) == Label(step))
                        node = candidate, found = true;
                if (!found)
                    break;
                candidates = NodeChildren(context, node, 0);
            }
        }
        const std::string what = "layout '" + std::string(layout->name.c_str()) + "'";
        if (!found)
            context.Problem(*layout, what + " has no node " + (lookup.byName ? "named '" : "at the path '") + path +
                                         "', which its screen looks up");
        else if (lookup.type && NodeType(context, *node.element) != lookup.type)
            context.Problem(*node.manifest, *node.element,
                            what + ": the node '" + path + "' is a " + Narrow(NodeType(context, *node.element)) +
                                "; its screen needs a " + Narrow(lookup.type));
    }
};
} // namespace

std::unique_ptr<Check> MakeLayoutCheck()
{
    return std::make_unique<LayoutCheck>();
}
} // namespace Corvane::DataCheck
