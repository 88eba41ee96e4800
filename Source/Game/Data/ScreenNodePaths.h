// The node paths the game's screens resolve under their root nodes (the first step is the root
// node of the screen's layout), or under the node named in a group's comment. Names match node
// names without regard to case; a path whose node is missing finds nothing.
#pragma once

#include "Game/Data/NodePathTable.h"
#include "Label.h"

namespace ScreenPaths
{
namespace Kitchen // the kitchen screen's root
{
inline const NodePath kPlayfieldAttach = PathOf({"GameScreenRoot", "Playfield_attach"});
inline const NodePath kNextDishInputMask = PathOf({"GameScreenRoot", "NextDishDisplay_InputMask"});
inline const NodePath kNextDishTimerMask = PathOf({"GameScreenRoot", "NextDishDisplay_TimerMask"});
inline const NodePath kFXLayer = PathOf({"GameScreenRoot", "FX_Layer"});
inline const NodePath kUIAttach = PathOf({"GameScreenRoot", "UI_attach"});
// Under nodes of its layout.
inline const NodePath kTimerMinutes = PathOf({"timer", "Text_Min"});
inline const NodePath kTimerSeconds = PathOf({"timer", "Text_Sec"});
inline const NodePath kLevelNumDisplay = PathOf({"LevelNumDisplay"});
inline const NodePath kDishRecipeName = PathOf({"dishDisplay", "recipeName"});
inline const NodePath kDishMeter = PathOf({"dishDisplay", "meter"});
// Under the next-dish popup.
inline const NodePath kNextDishBG = PathOf({"BG"});
inline const NodePath kNextDishTitle = PathOf({"TitleText"});
inline const NodePath kNextDishName = PathOf({"DishNameText"});
inline const NodePath kNextDishClick = PathOf({"ClickText"});
inline const NodePath kNextDishBubble = PathOf({"attachBubble"});
} // namespace Kitchen

namespace FinishedDish
{
inline const NodePath kTextBG = PathOf({"FinalDishDisplay", "textBG"});
inline const NodePath kDishName = PathOf({"FinalDishDisplay", "textBG", "dishName"});
inline const NodePath kKnife = PathOf({"FinalDishDisplay", "knife"});
inline const NodePath kMeter = PathOf({"FinalDishDisplay", "meter"});
inline const NodePath kDishAttach = PathOf({"FinalDishDisplay", "DishAttach"});
} // namespace FinishedDish

namespace Credits
{
inline const NodePath kLeftArrow = PathOf({"CreditsMode", "LeftArrow"});
inline const NodePath kRightArrow = PathOf({"CreditsMode", "RightArrow"});
inline const NodePath kTextImages = PathOf({"CreditsMode", "TextImages"});
// The credited companies' text images: the maker's two, then four partners'.
inline const NodePath kCompanies[6] = {
    PathOf({"CreditsMode", "TextImages", "TRVL_1"}),    PathOf({"CreditsMode", "TextImages", "TRVL_2"}),
    PathOf({"CreditsMode", "TextImages", "Partner_1"}), PathOf({"CreditsMode", "TextImages", "Partner_2"}),
    PathOf({"CreditsMode", "TextImages", "Partner_3"}), PathOf({"CreditsMode", "TextImages", "Partner_4"})};
} // namespace Credits

namespace Cutscene
{
inline const NodePath kBG = PathOf({"CutsceneMode", "BG"});
inline const NodePath kNextRollover = PathOf({"CutsceneMode", "Next_RolloverAnim"});
inline const NodePath kNextButton = PathOf({"CutsceneMode", "NextButton"});
inline const NodePath kSkipRollover = PathOf({"CutsceneMode", "Skip_RolloverAnim"});
inline const NodePath kSkipButton = PathOf({"CutsceneMode", "SkipButton"});
inline const NodePath kBubbleRight = PathOf({"CutsceneMode", "TextBubble_Right"});
inline const NodePath kBubbleLeft = PathOf({"CutsceneMode", "TextBubble_Left"});
inline const NodePath kBubbleTextRight = PathOf({"CutsceneMode", "TextBubble_Right", "bubbleText"});
inline const NodePath kBubbleTextLeft = PathOf({"CutsceneMode", "TextBubble_Left", "bubbleText"});
inline const NodePath kCharacterRight = PathOf({"CutsceneMode", "Character_Right"});
inline const NodePath kCharacterLeft = PathOf({"CutsceneMode", "Character_Left"});
} // namespace Cutscene

namespace Help
{
inline const NodePath kScreens = PathOf({"HelpMode", "Screens"});
inline const NodePath kPages[10] = {
    PathOf({"HelpMode", "Screens", "Basics"}),      PathOf({"HelpMode", "Screens", "Tips"}),
    PathOf({"HelpMode", "Screens", "Pantry"}),      PathOf({"HelpMode", "Screens", "Recipes"}),
    PathOf({"HelpMode", "Screens", "Stations_1"}),  PathOf({"HelpMode", "Screens", "Stations_2"}),
    PathOf({"HelpMode", "Screens", "DishDisplay"}), PathOf({"HelpMode", "Screens", "Scoring1"}),
    PathOf({"HelpMode", "Screens", "Scoring2"}),    PathOf({"HelpMode", "Screens", "PowerUps"})};
} // namespace Help

namespace MainMenu
{
inline const NodePath kProfileText = PathOf({"MainMenuMode", "ProfileBubble", "ProfileText"});
inline const NodePath kPlayButton = PathOf({"MainMenuMode", "Buttons", "PlayButton"});
inline const NodePath kPlayButtonFrames = PathOf({"MainMenuMode", "Buttons", "PlayButtonAnimFrames"});
inline const NodePath kProfileBubble = PathOf({"MainMenuMode", "ProfileBubble"});
inline const NodePath kButtons = PathOf({"MainMenuMode", "Buttons"});
} // namespace MainMenu

namespace Profiles // label paths, interned before the entry function
{
inline const NodePath kDeleteConfirmText = PathOf({Corvane::Label("DeleteProfileMode"), Corvane::Label("ConfirmText")});
inline const NodePath kNewProfileTextEnter = PathOf({Corvane::Label("NewProfileMode"), Corvane::Label("TextEnter")});
inline const NodePath kSelectProfileText = PathOf({Corvane::Label("ProfileMode"), Corvane::Label("SelectProfileText")});
} // namespace Profiles

namespace Title
{
inline const NodePath kStartButtonRoot = PathOf({"TitleMode", "StartButtonRoot"});
inline const NodePath kLogoKnife = PathOf({"TitleMode", "TitleMainMenu_LogoKnife"});
inline const NodePath kOverlayFrame = PathOf({"TitleMode", "StartButtonRoot", "overlayFrame"});
inline const NodePath kStartButton = PathOf({"TitleMode", "StartButtonRoot", "StartButton"});
inline const NodePath kQuilla = PathOf({"TitleMode", "Characters", "TitleMainMenu_Character_Quilla"});
inline const NodePath kDorrit = PathOf({"TitleMode", "Characters", "TitleMainMenu_Character_Dorrit"});
inline const NodePath kOrvel = PathOf({"TitleMode", "Characters", "TitleMainMenu_Character_Orvel"});
inline const NodePath kVeyla = PathOf({"TitleMode", "Characters", "TitleMainMenu_Character_Veyla"});
} // namespace Title

namespace LevelIntro
{
inline const NodePath kTitleCard = PathOf({"Intro", "TitleCard"});
inline const NodePath kTitleCardDC = PathOf({"Intro", "TitleCard", "DC"});
inline const NodePath kTitleCardEC = PathOf({"Intro", "TitleCard", "EC"});
inline const NodePath kTitleCardFirst = PathOf({"Intro", "TitleCard", "FIRST"});
inline const NodePath kTitleCardSecond = PathOf({"Intro", "TitleCard", "SECOND"});
inline const NodePath kVeyla = PathOf({"Intro", "Veyla"});
inline const NodePath kVeylaText = PathOf({"Intro", "Veyla", "Text"});
inline const NodePath kPlayer = PathOf({"Intro", "Player"});
inline const NodePath kPlayerText = PathOf({"Intro", "Player", "Text"});
inline const NodePath kPlayerCombo = PathOf({"Intro", "Player", "Combo"});
inline const NodePath kPlayerFlavor = PathOf({"Intro", "Player", "Flavor"});
inline const NodePath kFlavorIngredients[4] = {
    PathOf({"Intro", "Player", "Flavor", "Ing_1"}), PathOf({"Intro", "Player", "Flavor", "Ing_2"}),
    PathOf({"Intro", "Player", "Flavor", "Ing_3"}), PathOf({"Intro", "Player", "Flavor", "Ing_4"})};
inline const NodePath kCombo1 = PathOf({"Intro", "Player", "Combo", "Combo_1"});
inline const NodePath kCombo2 = PathOf({"Intro", "Player", "Combo", "Combo_2"});
inline const NodePath kNextButton = PathOf({"Intro", "NextButton"});
inline const NodePath kNextRollover = PathOf({"Intro", "Next_RolloverAnim"});
inline const NodePath kPopupAttachLayer = PathOf({"Intro", "PopupAttachLayer"});
} // namespace LevelIntro

namespace LevelOutro // under a node of its layout
{
inline const NodePath kBubble = PathOf({"bubbleBG"});
inline const NodePath kTotalScore = PathOf({"bubbleBG", "total_score"});
inline const NodePath kTimeBonus = PathOf({"bubbleBG", "timeBonus"});
} // namespace LevelOutro

namespace LevelSelect
{
// Under an episode frame.
inline const NodePath kLocked = PathOf({"locked"});
inline const NodePath kLockedEpisodeNum = PathOf({"locked", "EpisodeNum"});
inline const NodePath kUnlocked = PathOf({"unlocked"});
inline const NodePath kFrame = PathOf({"unlocked", "Frame"});
inline const NodePath kEpisodeTitle = PathOf({"unlocked", "EpisodeTitle"});
inline const NodePath kEpisodeNum = PathOf({"unlocked", "EpisodeNum"});
inline const NodePath kThumbnail = PathOf({"unlocked", "Thumbnail"});
inline const NodePath kChallenge1 = PathOf({"unlocked", "ChallengeButtons", "DZ_1"});
inline const NodePath kChallenge2 = PathOf({"unlocked", "ChallengeButtons", "DZ_2"});
inline const NodePath kElimination = PathOf({"unlocked", "ChallengeButtons", "Elimination"});
inline const NodePath kIntroButton = PathOf({"unlocked", "IntroButton"});
inline const NodePath kOutroButton = PathOf({"unlocked", "OutroButton"});
// Under the root.
inline const NodePath kEpisodeAttach[3] = {PathOf({"LevelSelectMode", "EpisodeAttach_1"}),
                                           PathOf({"LevelSelectMode", "EpisodeAttach_2"}),
                                           PathOf({"LevelSelectMode", "EpisodeAttach_3"})};
// Not in numeric order.
inline const NodePath kCharacters[15] = {
    PathOf({"LevelSelectMode", "Characters", "01"}),     PathOf({"LevelSelectMode", "Characters", "02"}),
    PathOf({"LevelSelectMode", "Characters", "03"}),     PathOf({"LevelSelectMode", "Characters", "06"}),
    PathOf({"LevelSelectMode", "Characters", "10"}),     PathOf({"LevelSelectMode", "Characters", "04"}),
    PathOf({"LevelSelectMode", "Characters", "09"}),     PathOf({"LevelSelectMode", "Characters", "05"}),
    PathOf({"LevelSelectMode", "Characters", "11"}),     PathOf({"LevelSelectMode", "Characters", "08"}),
    PathOf({"LevelSelectMode", "Characters", "12"}),     PathOf({"LevelSelectMode", "Characters", "07"}),
    PathOf({"LevelSelectMode", "Characters", "quilla"}), PathOf({"LevelSelectMode", "Characters", "lorcan"}),
    PathOf({"LevelSelectMode", "Characters", "pembry"})};
} // namespace LevelSelect

namespace Judging
{
inline const NodePath kOrvelFrames = PathOf({"JudgingMode", "BG", "OrvelAnimFrames"});
inline const NodePath kVeylaFrames = PathOf({"JudgingMode", "BG", "VeylaAnimFrames"});
inline const NodePath kVeylaText = PathOf({"JudgingMode", "BG", "VeylaText"});
inline const NodePath kOrvelText = PathOf({"JudgingMode", "BG", "OrvelText"});
inline const NodePath kAllDishDisplay = PathOf({"JudgingMode", "AllDishDisplay"});
inline const NodePath kCommentDisplay = PathOf({"JudgingMode", "CommentDisplay"});
inline const NodePath kScoreDisplay = PathOf({"JudgingMode", "ScoreDisplay"});
inline const NodePath kLostPlayersScore = PathOf({"JudgingMode", "Judging_LevelLost", "Bubble", "playersScore"});
inline const NodePath kLostGoal = PathOf({"JudgingMode", "Judging_LevelLost", "Bubble", "goal"});
inline const NodePath kLevelLost = PathOf({"JudgingMode", "Judging_LevelLost"});
inline const NodePath kScoreRegular = PathOf({"JudgingMode", "ScoreDisplay", "Regular"});
inline const NodePath kScoreExpert = PathOf({"JudgingMode", "ScoreDisplay", "Expert"});
inline const NodePath kScoreText = PathOf({"JudgingMode", "ScoreDisplay", "scoreText"});
inline const NodePath kCommentDishAttach = PathOf({"JudgingMode", "CommentDisplay", "DishDisplay", "Dish_attach"});
inline const NodePath kCommentScoreText = PathOf({"JudgingMode", "CommentDisplay", "ScoreDisplay", "scoreText"});
inline const NodePath kCommentDishName = PathOf({"JudgingMode", "CommentDisplay", "DishDisplay", "DishName"});
inline const NodePath kCommentStars = PathOf({"JudgingMode", "CommentDisplay", "Stars"});
// Under a dish comment's node.
inline const NodePath kFeedbackText = PathOf({"FeedbackText"});
} // namespace Judging

namespace Tutorial
{
inline const NodePath kMoreButton = PathOf({"TutorialBubble", "bubbleBG", "MoreButton"});
inline const NodePath kText = PathOf({"TutorialBubble", "bubbleBG", "TutorialText"});
inline const NodePath kBubble = PathOf({"TutorialBubble", "bubbleBG"});
// Up, down, left, right.
inline const NodePath kTails[4] = {
    PathOf({"TutorialBubble", "bubbleBG", "tail_up"}), PathOf({"TutorialBubble", "bubbleBG", "tail_down"}),
    PathOf({"TutorialBubble", "bubbleBG", "tail_left"}), PathOf({"TutorialBubble", "bubbleBG", "tail_right"})};
} // namespace Tutorial
} // namespace ScreenPaths
