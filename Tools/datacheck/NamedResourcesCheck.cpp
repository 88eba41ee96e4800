// The resources the game's code asks for by name: each must be declared, as the kind the code
// converts it to. Screens add their names here as they come.
#include "Check.h"
#include "Game/Data/GameConstants.h"

#include <cwchar>
#include <iterator>

namespace Corvane::DataCheck
{
namespace
{
struct NamedResource
{
    const wchar_t* name;
    Kinds kinds;
    const char* user;
};

const std::vector<NamedResource>& CodeNames()
{
    static const Kinds kSound = {L"sound", L"randomsound"};
    static const std::vector<NamedResource> names = {
        {L"LoadingLayout", {L"scenelayout"}, "the loading screen"},
        {L"SplashScreenVisibleTime", {L"float"}, "the loading screen"},
        {L"SplashScreenCrossFadeTime", {L"float"}, "the loading screen"},
        {L"Splash1", {L"image"}, "the loading screen"},
        {L"SFX_LogoEffect", kSound, "the loading screen"},
        {L"CursorArrow", {L"image"}, "the loading screen"},
        {L"DefaultButtonSoundLabel", {L"string"}, "every button"},
        {L"TitleModeLayout", {L"scenelayout"}, "the title screen"},
        {L"TitleScreen_KnifeFinalLocation", {L"vector2f"}, "the title screen"},
        {L"StartButtonInitialLocation", {L"vector2f"}, "the title screen"},
        {L"StartButtonBounceLocation", {L"vector2f"}, "the title screen"},
        {L"TitleScreenMoveLocation_Quilla", {L"vector2f"}, "the title screen"},
        {L"TitleScreenMoveLocation_Dorrit", {L"vector2f"}, "the title screen"},
        {L"TitleScreenMoveLocation_Orvel", {L"vector2f"}, "the title screen"},
        {L"TitleScreenMoveLocation_Veyla", {L"vector2f"}, "the title screen"},
        {L"MUSIC_MainMenu", kSound, "the game's music"},
        {L"PopupMode_OvershootLoc", {L"vector2f"}, "every popup"},
        {L"PopupMode_EndLoc", {L"vector2f"}, "every popup"},
        {L"PopupMode_OffscreenLoc", {L"vector2f"}, "every popup"},
        {L"PopupMode_MoveTime", {L"float"}, "every popup"},
        {L"PopupMode_ReboundTime", {L"float"}, "every popup"},
        {L"MainMenuModeLayout", {L"scenelayout"}, "the main menu"},
        {L"MainMenu_MoveLocation_Buttons", {L"vector2f"}, "the main menu"},
        {L"MainMenu_MoveLocation_Profile", {L"vector2f"}, "the main menu"},
        {L"ProfileModeLayout", {L"scenelayout"}, "the profile list"},
        {L"NewProfileModeLayout", {L"scenelayout"}, "the new-profile popup"},
        {L"DeleteProfileModeLayout", {L"scenelayout"}, "the delete-profile popup"},
        {L"PauseModeLayout", {L"scenelayout"}, "the pause menu"},
        {L"OptionsModeLayout", {L"scenelayout"}, "the options"},
        {L"QuitConfirmModeLayout", {L"scenelayout"}, "the quit question"},
        {L"Profiles.SelectProfileInstructions", {L"string"}, "the profile list"},
        {L"Profiles.EnterNameInstructions", {L"string"}, "the new-profile popup"},
        {L"Profiles.CharMinimum", {L"string"}, "the new-profile popup"},
        {L"Profiles.ProfileExists", {L"string"}, "the new-profile popup"},
        {L"Profiles.CreateFailed", {L"string"}, "the new-profile popup"},
        {L"Profiles.DeleteConfirm", {L"string"}, "the delete-profile popup"},
        {L"CutsceneModeLayout", {L"scenelayout"}, "the cutscenes"},
        {L"CutsceneMode_BG", {L"imagelist"}, "the cutscenes"},
        {L"CutsceneCharState_Left", {L"imagelist"}, "the cutscenes"},
        {L"CutsceneCharState", {L"imagelist"}, "the cutscenes"},
        {L"CutsceneChar_L_OnScreen", {L"vector2f"}, "the cutscenes"},
        {L"CutsceneChar_L_OffScreen", {L"vector2f"}, "the cutscenes"},
        {L"CutsceneChar_R_OnScreen", {L"vector2f"}, "the cutscenes"},
        {L"CutsceneChar_R_OffScreen", {L"vector2f"}, "the cutscenes"},
        {L"CutsceneEnterExitTime", {L"float"}, "the cutscenes"},
        {L"MUSIC_Cutscene_1", kSound, "the cutscenes' music"},
        {L"MUSIC_Cutscene_2", kSound, "the cutscenes' music"},
        {L"MUSIC_Cutscene_3", kSound, "the cutscenes' music"},
        {L"IntroLayout", {L"scenelayout"}, "the level intro"},
        {L"IntroCardSkipTimer", {L"float"}, "the level intro"},
        {L"PopupDelayTime", {L"float"}, "the level intro and the pantry"},
        {L"PantryItemPopupOffset", {L"vector2f"}, "the level intro and the pantry"},
        {L"LevelIntro.FlavorText", {L"string"}, "the level intro"},
        {L"LevelIntro.ComboText", {L"string"}, "the level intro"},
        {L"LevelIntro.ReadyText", {L"string"}, "the level intro"},
        {L"MUSIC_LevelIntro", kSound, "the level intro's music"},
        {L"LevelOutroModeLayout", {L"scenelayout"}, "the level outro"},
        {L"LevelOutro_Veyla_OnScreen", {L"vector2f"}, "the level outro"},
        {L"LevelOutro_Veyla_EnterExitTime", {L"float"}, "the level outro"},
        {L"SFX_LevelOutro", kSound, "the level outro"},
        {L"FinalDishDisplayLayout", {L"scenelayout"}, "the finished-dish popup"},
        {L"FinalDishDisplay_MeterImages", {L"imagelist"}, "the finished-dish popup"},
        {L"MeterStartLocation", {L"vector2f"}, "the finished-dish popup"},
        {L"MeterFinalLocation", {L"vector2f"}, "the finished-dish popup"},
        {L"MeterFinalScale", {L"vector2f"}, "the finished-dish popup"},
        {L"KnifeStartLocation", {L"vector2f"}, "the finished-dish popup"},
        {L"KnifeFinalLocation", {L"vector2f"}, "the finished-dish popup"},
        {L"AfterDishDelayTime", {L"float"}, "the finished-dish popup"},
        {L"DishDisplayReplacementStrings", {L"stringarray"}, "the finished-dish popup"},
        {L"HelpModeLayout", {L"scenelayout"}, "the help"},
        {L"CreditsModeLayout", {L"scenelayout"}, "the credits"},
        {L"LevelSelectModeLayout", {L"scenelayout"}, "the challenge select"},
        {L"EpisodeFrameLayout", {L"scenelayout"}, "the challenge select"},
        {L"EpisodeThumbnailImages", {L"imagelist", L"filmstrip"}, "the challenge select"},
        {L"LevelSelect_EpisodeFrame_select", {L"image"}, "the challenge select"},
        {L"LevelSelect_EpisodeFrame_unselect", {L"image"}, "the challenge select"},
        {L"Button_ChallengeCurrent", {L"imagelist", L"filmstrip"}, "the challenge select"},
        {L"Button_ChallengeCleared", {L"imagelist", L"filmstrip"}, "the challenge select"},
        {L"Button_ChallengeExpert", {L"imagelist", L"filmstrip"}, "the challenge select"},
        {L"Fennik_ButtonUISounds", {L"soundlist"}, "the challenge select"},
        {L"EpisodeNumStr", {L"string"}, "the challenge select"},
        {L"AllLevels", {L"LevelProgressionData"}, "the level progress"},
        {L"AttributeStrings", {L"stringarray"}, "the ingredients"},
        {L"VO_Veyla_Begin", kSound, "the level screen"},
        {L"VO_Veyla_1Minute", kSound, "the level screen"},
        {L"VO_Veyla_30Seconds", kSound, "the level screen"},
        {L"VO_Veyla_10Seconds", kSound, "the level screen"},
        {L"GameScreenLayout", {L"scenelayout"}, "the level screen"},
        {L"NextRecipePopupLayout", {L"scenelayout"}, "the level screen"},
        {L"FennikPlayfieldLayout", {L"scenelayout"}, "the kitchen's playfield"},
        {L"PowerUpButtonsLayout", {L"scenelayout"}, "the kitchen's playfield"},
        {L"PowerUpButtonsFlashLayout", {L"scenelayout"}, "the kitchen's playfield"},
        {L"IngredientDataPopupLayout", {L"scenelayout"}, "the kitchen's playfield"},
        {L"ClassicComboPopupLayout", {L"scenelayout"}, "the kitchen's playfield"},
        {L"FlavorComboMultiplier", {L"int"}, "the kitchen's playfield"},
        {L"ClassicComboFadeTime", {L"float"}, "the kitchen's playfield"},
        {L"ClassicComboPopupFadeOffset", {L"vector2f"}, "the kitchen's playfield"},
        {L"SFX_ClassicCombo", kSound, "the kitchen's playfield"},
        {L"AttributeComboMultiplier", {L"int"}, "the station combos"},
        {L"ClassicComboPopupOffset", {L"vector2f"}, "the station combos"},
        {L"CookingStationScorePopupOffset", {L"vector2f"}, "the station popups"},
        {L"CookingStationScorePopupFinalPos", {L"vector2f"}, "the station popups"},
        {L"CookingStationScorePopupMoveTime", {L"float"}, "the station popups"},
        {L"ChainBonusPopupOffset", {L"vector2f"}, "the station popups"},
        {L"ChainBonusPointDisplayTime", {L"float"}, "the station popups"},
        {L"AttributeSet_PopupImages", {L"imagelist"}, "the station popups"},
        {L"ScorePopupItemLayout", {L"scenelayout"}, "the station popups"},
        {L"AttributeMatchPopupLayout", {L"scenelayout"}, "the station popups"},
        {L"ChainBonusPopupLayout", {L"scenelayout"}, "the station popups"},
        {L"SFX_FlavorSet", kSound, "the station popups"},
        {L"SFX_ChainTimer", kSound, "the station popups"},
        {L"VO_Orvel_Set", kSound, "the station combos"},
        {L"VO_Orvel_Combo", kSound, "the station combos"},
        {L"VO_Orvel_Chain", kSound, "the station popups"},
        {L"PowerUpActiveTime_Progress", {L"float"}, "the power-ups"},
        {L"PowerUpActiveTime_HilightAtt", {L"float"}, "the power-ups"},
        {L"PowerUpActiveTime_HilightCombo", {L"float"}, "the power-ups"},
        {L"PowerUp_ProgressMultiplier", {L"float"}, "the power-ups"},
        {L"HighlightAtt_Box_FlashLayout", {L"scenelayout"}, "the step displays"},
        {L"GamePlayfield_Dashcourse_1_BG", {L"image"}, "the kitchen's playfield"},
        {L"GamePlayfield_Dashcourse_2_BG", {L"image"}, "the kitchen's playfield"},
        {L"GamePlayfield_EliminationBG", {L"image"}, "the kitchen's playfield"},
        {L"CookingStationLayout", {L"scenelayout"}, "the cooking stations"},
        {L"AddIngredientPopup", {L"imagelist"}, "the cooking stations"},
        {L"FlameMeter_PerFlameScore", {L"int"}, "the cooking stations"},
        {L"Station_FlameMeterLayout", {L"scenelayout"}, "the flame meters"},
        {L"FlameLossTime_Ingredient", {L"float"}, "the flame meters"},
        {L"FlameLossTime_Interaction", {L"float"}, "the flame meters"},
        {L"FlameLossTime_SlowFlash", {L"float"}, "the flame meters"},
        {L"FlameLossTime_FastFlash", {L"float"}, "the flame meters"},
        {L"FlameRootLocation_Base", {L"vector2f"}, "the flame meters"},
        {L"FlameRootLocation_Offset", {L"vector2f"}, "the flame meters"},
        {L"FlameRootLocation_EnterTime", {L"float"}, "the flame meters"},
        {L"FlameRootLocation_ScaleFactor", {L"vector2f"}, "the flame meters"},
        {L"FlameRootLocation_AlphaFactor", {L"float"}, "the flame meters"},
        {L"PlayerAvatarLayout", {L"scenelayout"}, "the cook"},
        {L"AvatarMovementSpeed", {L"int"}, "the cook"},
        {L"PlayerAnim_IdleDelayTime_Min", {L"float"}, "the cook"},
        {L"PlayerAnim_IdleDelayTime_Range", {L"float"}, "the cook"},
        {L"ProgressSpeedParticle", {L"image"}, "the cook"},
        {L"Cooking_VegetableSpriteType", {L"spritetype"}, "the cook"},
        {L"Cooking_MeatSpriteType", {L"spritetype"}, "the cook"},
        {L"Cooking_FlavorSpriteType", {L"spritetype"}, "the cook"},
        {L"TimeRemainingScoreMultiplier", {L"int"}, "the level screen"},
        {L"ComboTime", {L"float"}, "the score manager"},
        {L"ComboScoreList", {L"intarray"}, "the score manager"},
        {L"SFX_OutOfTime", kSound, "the level screen"},
        {L"SFX_UpdateDishDisplay", kSound, "the level screen"},
        {L"SFX_StepComplete", kSound, "the recipe steps"},
        {L"RecipeListLayout", {L"scenelayout"}, "the recipe list"},
        {L"ListEntryLayout", {L"scenelayout"}, "the recipe list"},
        {L"ListEntry_HeaderLayout", {L"scenelayout"}, "the recipe list"},
        {L"RecipeListVSpacing_Normal", {L"int"}, "the recipe list"},
        {L"RecipeListVSpacing_Header", {L"int"}, "the recipe list"},
        {L"RecipeListItemListMoveSpeed", {L"float"}, "the recipe list"},
        {L"RecipeItemToStationTime", {L"float"}, "the recipe list"},
        {L"RecipeList_NormalColor", {L"colorf"}, "the recipe list"},
        {L"RecipeList_InactiveColor", {L"colorf"}, "the recipe list"},
        {L"DishComponent_Color", {L"colorfarray"}, "the recipe list"},
        {L"StepIcons_Active", {L"imagelist"}, "the recipe list"},
        {L"StepIcons_Inactive", {L"imagelist"}, "the recipe list"},
        {L"BaseIngredientAddScore", {L"int"}, "the recipe steps"},
        {L"RequestAttScaleFactor", {L"int"}, "the recipe steps"},
        {L"ActiveProgressAccel_V", {L"float"}, "the recipe steps"},
        {L"ActiveProgressAccel_M", {L"float"}, "the recipe steps"},
        {L"ActiveProgressAccel_F", {L"float"}, "the recipe steps"},
        {L"AddIngredientParticle_StartPositions", {L"vector2farray"}, "the recipe steps"},
        {L"AddIngredientParticle_Dest", {L"vector2f"}, "the recipe steps"},
        {L"AddIngredientParticle_Time", {L"float"}, "the recipe steps"},
        {L"AddIngredientParticle_StartPauseTime", {L"float"}, "the recipe steps"},
        {L"AddIngredientParticle_PauseTime", {L"float"}, "the recipe steps"},
        {L"ProgressSpeedParticle", {L"image"}, "the recipe steps"},
        {L"ParticleFeedbackNodeLayout", {L"scenelayout"}, "the recipe steps"},
        {L"CookingStation_StepLayout", {L"scenelayout"}, "the cooking step display"},
        {L"ProgressMeter_V", {L"imagelist"}, "the cooking step display"},
        {L"ProgressMeter_M", {L"imagelist"}, "the cooking step display"},
        {L"ProgressMeter_F", {L"imagelist"}, "the cooking step display"},
        {L"IngredientBG_Station", {L"imagelist"}, "the cooking step display"},
        {L"RequestIcon_Station", {L"imagelist"}, "the ingredient step display"},
        {L"SFX_WrongIngredient", kSound, "the ingredient step display"},
        {L"VO_Orvel_Miss", kSound, "the ingredient step display"},
        {L"IngredientPantryLayout", {L"scenelayout"}, "the pantry"},
        {L"IngredientBinLayout", {L"scenelayout"}, "the pantry"},
        {L"ShufflePantryItem_FlashLayout", {L"scenelayout"}, "the pantry"},
        {L"PantryLabels", {L"imagelist"}, "the pantry"},
        {L"IngredientBG_Vegetable", {L"image"}, "the pantry"},
        {L"IngredientBG_Meat", {L"image"}, "the pantry"},
        {L"IngredientBG_Flavor", {L"image"}, "the pantry"},
        {L"PantryItemPopupOffset", {L"vector2f"}, "the pantry"},
        {L"PopupDelayTime", {L"float"}, "the pantry and the level intro"},
        {L"SFX_RecipeStepToStation", kSound, "the recipe list"},
        {L"CookingStation_Passive_Saute", kSound, "the cooking stations"},
        {L"CookingStation_Passive_Boil", kSound, "the cooking stations"},
        {L"CookingStation_Active_Chop", kSound, "the cooking stations"},
        {L"CookingStation_Active_Saute", kSound, "the cooking stations"},
        {L"CookingStation_Active_Boil", kSound, "the cooking stations"},
        {L"CookingStation_Active_Mix", kSound, "the cooking stations"},
        {L"MUSIC_Track_1", kSound, "the game's music"},
        {L"MUSIC_Track_2", kSound, "the game's music"},
        {L"MUSIC_Track_3", kSound, "the game's music"},
        {L"MUSIC_Track_4", kSound, "the game's music"},
        {L"MUSIC_Track_5", kSound, "the game's music"},
        {L"DishIntroBubble.DescText", {L"string"}, "the level screen"},
        {L"DishIntroBubble.ClickText", {L"string"}, "the level screen"},
        {L"VO_Veyla_TimeUp", kSound, "the level outro"},
        {L"VO_Veyla_Win", kSound, "the judging screen"},
        {L"VO_Veyla_Lost", kSound, "the judging screen"},
        {L"VO_Orvel_Set", kSound, "the kitchen's popups"},
        {L"VO_Orvel_Miss", kSound, "the ingredient requests"},
        {L"VO_Orvel_Combo", kSound, "the kitchen's popups"},
        {L"VO_Orvel_Chain", kSound, "the kitchen's popups"},
        {L"TutorialBubbleLayout", {L"scenelayout"}, "the tutorial bubble"},
    };
    return names;
}

class NamedResourcesCheck final : public Check
{
public:
    std::string Name() const override { return "resources the code names"; }

    void Run(Context& context) override
    {
        const DataIndex& index = context.Index();
        for (const NamedResource& named : CodeNames())
        {
            const Declaration* found = index.Find(Label(named.name));
            const std::string what =
                std::string(named.user) + " needs '" + Narrow(named.name) + "' (" + KindsWords(named.kinds) + ")";
            if (!found)
                context.Out().Add("(data folder)", 0, what + ", which no manifest declares");
            else if (!context.Resolve(named.name, named.kinds))
                context.Problem(*found, what + ", but it is " + KindWords(found->Kind()));
        }
        // The pantry, the stations and the level intro show each ingredient by "<name>_Image".
        for (const Declaration* ingredient : index.OfKind(L"CookingIngredient"))
        {
            const std::wstring picture = std::wstring(Wide(ingredient->name.c_str())) + L"_Image";
            if (!context.Resolve(picture, {L"image"}))
                context.Problem(*ingredient, "CookingIngredient '" + std::string(ingredient->name.c_str()) +
                                                 "' needs the picture '" + Narrow(picture) + "' (an image)");
        }
        // The step displays picture every flavour a step may ask for by "FlavorIcon_<flavour>".
        for (const std::wstring& flavor : context.TextList(L"AttributeStrings"))
            if (!context.Resolve(L"FlavorIcon_" + flavor, {L"image"}))
                context.Out().Add("(data folder)", 0,
                                  "the step displays need the picture 'FlavorIcon_" + Narrow(flavor) + "' (an image)");
        // The default button sounds are named by a text, not by the code.
        if (const Declaration* label = context.Resolve(L"DefaultButtonSoundLabel", {L"string"}))
            context.Expect(*label->manifest, *label->element, "DefaultButtonSoundLabel", label->element->Text(L"value"),
                           {L"soundlist"});
        // Every tutorial tip has at least its first page.
        for (const wchar_t* format : kTutorialMessageFormats)
        {
            wchar_t key[128];
            std::swprintf(key, std::size(key), format, 1);
            if (!context.Resolve(key, {L"string"}))
                context.Out().Add("(data folder)", 0, "the tutorial bubble needs the text '" + Narrow(key) + "'");
        }
        if (!index.FindManifest(L"LocalizedText"))
            context.Out().Add("(data folder)", 0, "the texts' manifest LocalizedText.xml does not exist");
    }
};
} // namespace

std::unique_ptr<Check> MakeNamedResourcesCheck()
{
    return std::make_unique<NamedResourcesCheck>();
}
} // namespace Corvane::DataCheck
