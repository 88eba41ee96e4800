#include "Game/Judging/JudgingMode.h"

#include "Debug.h"
#include "Format.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Framework/TimedTask.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/GameRecords.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/RandomShuffle.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Judging/JudgingDish.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Menus/FinishedDishMode.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/TextNodeCountTask.h"
#include "Widgets/IText.h"

#include <algorithm>

using namespace Corvane;
namespace Paths = ScreenPaths::Judging;

namespace
{
constexpr float kSlideDistance = 400.0f;
constexpr float kSlideTime = 1.0f;
constexpr float kCountTime = 0.5f;
constexpr float kWonCardDelay = 3.0f;
constexpr float kLostCardDelay = 5.0f;
constexpr int kOverviewLayouts = 6;

const RecipeData* FindRecipe(Label name)
{
    return name ? ResourceManager::Get<RecipeData>(name).Get() : nullptr;
}

LevelProgressManager& Progress()
{
    return *LevelProgressManager::Instance();
}

const NodePath& BubbleOf(int speaker)
{
    return speaker == JudgingMode::kVeyla ? Paths::kVeylaText : Paths::kOrvelText;
}

// A whole number shown as the styled texts show numbers.
std::wstring Number(int value)
{
    return (Format(L"%1%") % value).str();
}
} // namespace

JudgingMode::JudgingMode(int levelScore) : mLevelScore(levelScore) {}

void JudgingMode::ShowAfterLevel(int levelScore)
{
    PopToApplicationMode(new JudgingMode(levelScore));
}

const KitchenLevelData* JudgingMode::Level() const
{
    return Progress().GetCurrentLevelData();
}

void JudgingMode::OnGainFocus()
{
    GameAudioManager::GetInstance()->SetMusicState(5, false);
}

void JudgingMode::OnEnter()
{
    EnterLayout(Label("JudgingModeLayout"));
    for (const NodePath* hidden :
         {&Paths::kScoreDisplay, &Paths::kAllDishDisplay, &Paths::kLevelLost, &Paths::kVeylaText, &Paths::kOrvelText})
        ShowNode(*hidden, false);

    // Dishes with results first, then the level's other recipes; a recipe without a record is
    // no dish (the level skipped it too).
    std::vector<Label> keys;
    Progress().CollectDishKeys(keys);
    const KitchenLevelData* level = Level();
    if (level)
        keys.insert(keys.end(), level->recipes.begin(), level->recipes.end());
    for (Label recipe : keys)
        if (FindRecipe(recipe) &&
            std::find(mDishesToJudge.begin(), mDishesToJudge.end(), recipe) == mDishesToJudge.end())
            mDishesToJudge.push_back(recipe);

    // The overview has places for one to six dishes; more are judged without it.
    const int count = static_cast<int>(mDishesToJudge.size());
    if (count >= 1 && count <= kOverviewLayouts)
        if (SceneNode* overview = FindInScreen(Paths::kAllDishDisplay))
            if (SceneNode* places = overview->FindByPath(NodePath{Label::Format("AllDishLayout_%d", count)}))
                for (int i = 0; i < count; ++i)
                    if (SceneNode* place = places->FindByPath(NodePath{i}))
                    {
                        const Label recipe = mDishesToJudge[static_cast<std::size_t>(i)];
                        (new JudgingDish(recipe, FindRecipe(recipe)->plateType, true))->Attach(place);
                    }

    SetTextAt(Paths::kCommentScoreText, Number(0));
    DebugPrint("JudgingMode: judging the level with %d points\n", mLevelScore);
    if (!level || mLevelScore < level->winScore)
        ShowOverallVerdict(false);
    else
        JudgeNextDish();
}

void JudgingMode::JudgeNextDish()
{
    // After the overall verdict a dish's pending slide ends quietly.
    if (mOverallBegun)
        return;
    if (mDishesToJudge.empty())
    {
        ShowOverallVerdict(true);
        return;
    }
    mCurrentDish = mDishesToJudge.front();
    mDishesToJudge.pop_front();
    std::vector<StepResult> results;
    Progress().ForEachStepResult(mCurrentDish, results);
    mStepResults.assign(results.begin(), results.end());
    mDishScore = 0;
    for (const StepResult& result : results)
        mDishScore += result.points;

    const RecipeData* recipe = FindRecipe(mCurrentDish);
    const int plateType = recipe ? static_cast<int>(recipe->plateType) : -1;
    auto* dish = new JudgingDish(mCurrentDish, plateType, false);
    dish->Attach(FindInScreen(Paths::kCommentDishAttach));
    mCurrentDishDisplay = dish->GetID();

    // A finished dish is named after what went into it, as the finished-dish popup names it.
    std::vector<DishIngredient> ingredients;
    for (const StepResult& result : results)
        ingredients.push_back({result.ingredient, result.slot});
    const bool completed = Progress().IsDishCompleted(mCurrentDish);
    SetTextAt(Paths::kCommentDishName, completed ? ComposeDishName(DishNameTemplate(plateType), plateType, ingredients)
                                                 : LocalizedText::GetDishDisplayName(mCurrentDish, plateType));
    ShowNode(Paths::kCommentStars, false);

    SceneNode* node = dish->GetNode();
    const Vector2<float> place = node->GetPosition();
    node->SetPosition(place.x - kSlideDistance, place.y);
    mSliding = true;
    node->GetTasks().Add(new NodeLocationTask(place, kSlideTime));
    node->GetTasks().Add(new CallTask<SceneNode>([this](SceneNode*) {
        mSliding = false;
        Advance();
    }));
}

void JudgingMode::Advance()
{
    if (mOverallBegun)
        return;
    if (mComboShown)
    {
        GiveVerdict();
        return;
    }
    // A uniform shuffle, then the last perfect step of it: one ingredient comment per dish.
    for (int i = static_cast<int>(mStepResults.size()) - 1; i > 0; --i)
        std::swap(mStepResults[static_cast<std::size_t>(i)],
                  mStepResults[static_cast<std::size_t>(std::clamp(RandomShuffleFunctor(i), 0, i))]);
    const auto perfect = std::find_if(mStepResults.rbegin(), mStepResults.rend(),
                                      [](const StepResult& result) { return result.perfect; });
    if (perfect != mStepResults.rend())
    {
        const Label ingredient = perfect->ingredient;
        mStepResults.clear();
        const int speaker = RandomShuffleFunctor(1) == 0 ? kVeyla : kOrvel;
        Speak(speaker, kPleased, kNeutral,
              (Format(LocalizedText::GetIngredientFeedback(speaker == kVeyla)) %
               LocalizedText::GetDisplayText(ingredient.c_str()))
                  .str());
        return;
    }
    mComboShown = true;
    const Label combo = Progress().PickRandomCombo(mCurrentDish);
    const auto* data = combo ? ResourceManager::Get<IngredientComboData>(combo).Get() : nullptr;
    if (data && !data->ingredients.empty() && Progress().IsDishCompleted(mCurrentDish))
    {
        const int speaker = RandomShuffleFunctor(1) == 0 ? kVeyla : kOrvel;
        Speak(speaker, kPleased, kNeutral,
              (Format(LocalizedText::GetComboFeedback(speaker == kVeyla)) %
               LocalizedText::GetDisplayText(data->ingredients.front().c_str()) %
               LocalizedText::GetDisplayText(data->ingredients.back().c_str()))
                  .str());
        return;
    }
    GiveVerdict();
}

void JudgingMode::GiveVerdict()
{
    if (mOverallBegun)
        return;
    if (mVerdictShown)
    {
        SceneNode* node = CurrentDishNode();
        if (!node)
            return;
        mSending = true;
        const Vector2<float> place = node->GetPosition();
        node->GetTasks().Add(new NodeLocationTask({place.x + kSlideDistance, place.y}, kSlideTime));
        node->GetTasks().Add(new CallTask<SceneNode>([this](SceneNode*) {
            Remove(mCurrentDishDisplay);
            mCurrentDishDisplay = kNoObject;
            mComboShown = false;
            mVerdictShown = false;
            mSending = false;
            JudgeNextDish();
        }));
        return;
    }
    mVerdictShown = true;
    auto* audio = GameAudioManager::GetInstance();
    if (!Progress().IsDishCompleted(mCurrentDish))
    {
        mLastStars = -1;
        Speak(kOrvel, kDispleased, kNeutral,
              LocalizedText::GetText(Label("JudgingFeedbackStrings.DishIncompleteComment")));
        audio->PlaySound(Label("SFX_Judging_Negative"));
        return;
    }
    const RecipeData* recipe = FindRecipe(mCurrentDish);
    int stars = 0;
    if (recipe)
        for (int points : recipe->starPoints)
            stars += points <= mDishScore;
    mLastStars = stars;
    if (SceneNode* row = FindInScreen(Paths::kCommentStars))
    {
        row->SetVisible(true);
        for (int k = 1; k <= 5; ++k)
            if (SceneNode* star = row->FindByPath(NodePath{Label::Format("%d", k)}))
                star->SetVisible(k <= stars);
    }
    Speak(kOrvel, stars >= 3 ? kPleased : kNeutral, kNeutral, LocalizedText::GetDishFeedback(stars));
    if (SceneNode* total = FindInScreen(Paths::kCommentScoreText))
        total->GetTasks().Add(new TextNodeCountTask(mJudgedTotal, mJudgedTotal + mDishScore, kCountTime));
    mJudgedTotal += mDishScore;
    audio->PlaySound(Label("SFX_Judging_Positive"));
}

void JudgingMode::ShowOverallVerdict(bool dishesJudged)
{
    // Begun once: a second card would follow, and the last dish would count twice.
    if (mOverallBegun)
        return;
    mOverallBegun = true;
    const KitchenLevelData* level = Level();
    const int win = level ? level->winScore : 0;
    const int expert = level ? level->expertScore : 0;
    mVerdict = mLevelScore < win ? 0 : 1;
    if (mLevelScore >= expert)
        mVerdict = 2;
    Speak(kOrvel, mVerdict == 0 ? kDispleased : kPleased, kNeutral, LocalizedText::GetOverallFeedback(mVerdict));
    ShowNode(Paths::kCommentDisplay, false);
    ShowNode(Paths::kAllDishDisplay, true);
    SceneNode* root = GetRootNode();
    root->GetTasks().Add(new TimedTask(dishesJudged ? kWonCardDelay : kLostCardDelay));
    root->GetTasks().Add(new CallTask<SceneNode>([this, dishesJudged](SceneNode*) { ShowCard(dishesJudged); }));
}

void JudgingMode::ShowCard(bool won)
{
    auto* audio = GameAudioManager::GetInstance();
    const KitchenLevelData* level = Level();
    if (won)
    {
        ShowNode(Paths::kVeylaText, false);
        ShowNode(Paths::kOrvelText, false);
        const bool expert = level && mLevelScore >= level->expertScore;
        audio->PlaySound(Label(expert ? "SFX_Judging_Expert" : "SFX_Judging_Positive"));
        ShowNode(Paths::kScoreRegular, !expert);
        ShowNode(Paths::kScoreExpert, expert);
        if (expert)
            audio->PlayVoice(Label("VO_Veyla_Win"));
        SetTextAt(Paths::kScoreText, Number(mLevelScore));
        ShowNode(Paths::kAllDishDisplay, false);
        ShowNode(Paths::kScoreDisplay, true);
        return;
    }
    // An elimination lost ends the episode's run; a dash course only asks for another go.
    const Label levelID = Progress().GetCurrentLevelID();
    const bool dashcourse = levelID && !Progress().GetLevelDescriptor(levelID).lastOfEpisode;
    Speak(kVeyla, kNeutral, kDispleased,
          LocalizedText::GetText(Label(dashcourse ? "Judging.DashcourseLose" : "Judging.EliminationLose")));
    SetTextAt(Paths::kLostPlayersScore, Number(mLevelScore));
    SetTextAt(Paths::kLostGoal, Number(level ? level->winScore : 0));
    ShowNode(Paths::kLevelLost, true);
    audio->PlayVoice(Label("VO_Veyla_Lost"));
}

bool JudgingMode::IsWaitingForNext() const
{
    return !mSliding && !mSending && !mOverallBegun && mCurrentDishDisplay != kNoObject;
}

void JudgingMode::OnControl(Label, Label sender)
{
    static const Label next("NextDishButton");
    static const Label skip("SkipAllDishesButton");
    static const Label ok("Judging_OkButton");
    static const Label retry("TryAgainButton");
    static const Label challenges("ChallengeSelectButton");
    const LevelFlowHooks& hooks = GetLevelFlowHooks();
    if (sender == next)
    {
        if (IsWaitingForNext())
            Advance();
    }
    else if (sender == skip)
        ShowOverallVerdict(true);
    else if (sender == ok && Leave())
        Progress().AdvanceAfterLevel();
    else if (sender == retry && Leave())
    {
        if (ApplicationMode* game = hooks.makeGameMode ? hooks.makeGameMode() : nullptr)
            PopToApplicationMode(game);
        if (ApplicationMode* intro = hooks.makeLevelIntroMode ? hooks.makeLevelIntroMode() : nullptr)
            PushApplicationMode(intro);
    }
    else if (sender == challenges && Leave())
    {
        if (ApplicationMode* select = hooks.makeLevelSelectMode ? hooks.makeLevelSelectMode(-1) : nullptr)
            PopToApplicationMode(select);
    }
}

bool JudgingMode::Leave()
{
    if (mLeaving)
        return false;
    mLeaving = true;
    Progress().ClearLevelResults();
    return true;
}

void JudgingMode::Speak(int speaker, int face, int otherFace, const std::wstring& text)
{
    mSpeaker = speaker;
    const int other = speaker == kVeyla ? kOrvel : kVeyla;
    SetFace(speaker, face);
    SetFace(other, otherFace);
    ShowNode(BubbleOf(speaker), true);
    ShowNode(BubbleOf(other), false);
    if (SceneNode* bubble = FindInScreen(BubbleOf(speaker)))
        if (auto* feedback = dynamic_cast<IText*>(bubble->FindByPath(Paths::kFeedbackText)))
            feedback->SetText(text);
}

void JudgingMode::SetFace(int speaker, int face) const
{
    if (auto* frames = FindInScreen<AnimatedSpriteNode>(speaker == kVeyla ? Paths::kVeylaFrames : Paths::kOrvelFrames))
        frames->ShowFrame(face);
}

void JudgingMode::ShowNode(const NodePath& path, bool show)
{
    SceneNode* node = FindInScreen(path);
    if (!node)
        return;
    node->SetVisible(show);
    // Both cards answer Enter; a hidden one would take the key from the one shown.
    for (SceneNode* child : node->GetChildren())
    {
        auto* button = dynamic_cast<ButtonNode*>(child);
        if (!button)
            continue;
        if (!show && button->GetKeyCode() != 0)
        {
            mHeldHotKeys[button->GetID()] = button->GetKeyCode();
            button->SetKeyCode(0);
        }
        else if (show)
            if (const auto held = mHeldHotKeys.find(button->GetID()); held != mHeldHotKeys.end())
            {
                button->SetKeyCode(held->second);
                mHeldHotKeys.erase(held);
            }
    }
}

SceneNode* JudgingMode::CurrentDishNode() const
{
    const auto* dish = dynamic_cast<const JudgingDish*>(Get(mCurrentDishDisplay));
    return dish ? dish->GetNode() : nullptr;
}
