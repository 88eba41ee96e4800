#include "Game/Menus/LevelIntroMode.h"

#include "Debug.h"
#include "Format.h"
#include "Framework/ResourceManager.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/GameRecords.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/DelayedShowTask.h"
#include "Game/Kitchen/IngredientNamePopup.h"
#include "Graphics/IImage.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <iterator>

using namespace Corvane;
namespace Paths = ScreenPaths::LevelIntro;

namespace
{
constexpr int kIntroMusic = 4;

Label AutoSkipTimer()
{
    static const Label label("AutoSkipTimer");
    return label;
}

Label PopupShowDelay()
{
    static const Label label("Popup_ShowDelayTask");
    return label;
}

void Show(SceneNode* node, bool visible)
{
    if (node)
        node->SetVisible(visible);
}

// The flavour is a thought only when it names one.
bool HasFlavor(const LevelIntroData* record)
{
    static const Label none("None");
    return record && record->flavor.flavor && record->flavor.flavor != none;
}
} // namespace

void LevelIntroMode::OnEnter()
{
    EnterLayout(Label("IntroLayout"));
    WireRollover(Paths::kNextButton, Paths::kNextRollover);

    const Label levelID = LevelProgressManager::Instance()->GetCurrentLevelID();
    if (levelID)
        mRecord = ResourceManager::Get<LevelIntroData>(Label::Format("%s_LevelIntro", levelID.c_str())).Get();
    if (mRecord)
        mPendingLines.assign(mRecord->veylaText.begin(), mRecord->veylaText.end());
    else
        DebugPrint("LevelIntroMode: the level \"%s\" has no intro record; it has no lines, flavour or combos\n",
                   levelID ? levelID.c_str() : "");

    // End-to-end checks watch for this line and the closing one.
    DebugPrint("LevelIntroMode: the level intro is up\n");
    if (SceneNode* layer = FindInScreen(Paths::kPopupAttachLayer))
        if (SceneNode* popup = InstantiateLayout(Label("IngredientDataPopupLayout"), layer))
            popup->SetVisible(false);
    AdvanceCard();
}

void LevelIntroMode::OnGainFocus()
{
    GameAudioManager::GetInstance()->SetMusicState(kIntroMusic, false);
}

void LevelIntroMode::OnControl(Label, Label sender)
{
    static const Label next("NextButton");
    if (sender == next)
        AdvanceCard();
}

void LevelIntroMode::AdvanceCard()
{
    if (IsClosing())
        return;
    if (SceneNode* root = GetRootNode())
        root->EndTasks(AutoSkipTimer());
    switch (mCardIndex)
    {
    case kTitleCard: ShowTitleCard(); break;
    case kHostLineCard: ShowHostLine(); break;
    case kFlavorCard: ShowFlavorCard(); break;
    case kComboCard: ShowComboCard(); break;
    case kReadyCard: ShowReadyCard(); break;
    default:
        DebugPrint("LevelIntroMode: the level intro closes\n");
        CloseAtOnce();
        break;
    }
}

void LevelIntroMode::ShowTitleCard()
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const Label levelID = progress->GetCurrentLevelID();
    const int number = progress->GetEpisodeNumOfLevel(levelID);
    // A level of no episode has nothing to compare with: it is announced as an elimination.
    const EpisodeDescriptor* episode = number > 0 ? progress->FindEpisode(number) : nullptr;
    const bool first = episode && levelID && episode->dashcourse1.levelID == levelID;
    const bool second = episode && levelID && episode->dashcourse2.levelID == levelID;
    Show(FindInScreen(Paths::kTitleCardFirst), first);
    Show(FindInScreen(Paths::kTitleCardSecond), second);
    SceneNode* title = FindInScreen(first || second ? Paths::kTitleCardDC : Paths::kTitleCardEC);
    Show(FindInScreen(first || second ? Paths::kTitleCardEC : Paths::kTitleCardDC), false);
    if (title)
    {
        title->SetVisible(true);
        title->SetHitTest(true);
        title->Signals().ButtonDown.connect([this](SceneNode*, MouseButton, int, int) { AdvanceCard(); });
    }
    const float seconds = ResourceManager::GetValue<float>(Label("IntroCardSkipTimer"), 0.0f);
    GetRootNode()->AddTask(
        AutoSkipTimer(),
        new SerialTask(new TimedTask(seconds), new CallTask<SceneNode>([this](SceneNode*) { AdvanceCard(); })));
    mCardIndex = kHostLineCard;
}

void LevelIntroMode::ShowHostLine()
{
    Show(FindInScreen(Paths::kTitleCard), false);
    if (mPendingLines.empty())
    {
        // No line to say (no record, or an empty list): straight on to the flavour.
        mCardIndex = kFlavorCard;
        ShowFlavorCard();
        return;
    }
    Show(FindInScreen(Paths::kVeyla), true);
    SetTextAt(Paths::kVeylaText, LocalizedText::GetText(mPendingLines.front()));
    mPendingLines.pop_front();
    if (mPendingLines.empty())
        mCardIndex = kFlavorCard;
}

void LevelIntroMode::ShowFlavorCard()
{
    Show(FindInScreen(Paths::kVeyla), false);
    Show(FindInScreen(Paths::kPlayer), true);
    Show(FindInScreen(Paths::kPlayerCombo), false);
    Show(FindInScreen(Paths::kPlayerFlavor), true);
    if (!HasFlavor(mRecord))
    {
        ShowComboCard();
        return;
    }
    const MirelFlavorThought& flavor = mRecord->flavor;
    SetTextAt(Paths::kPlayerText, (Format(LocalizedText::GetText(Label("LevelIntro.FlavorText"))) %
                                   LocalizedText::GetAttributeLabelText(flavor.flavor.c_str()))
                                      .str());
    const Label ingredients[] = {flavor.ing1, flavor.ing2, flavor.ing3, flavor.ing4};
    for (std::size_t i = 0; i < std::size(ingredients); ++i)
        if (auto* picture = FindInScreen<StaticSpriteNode>(Paths::kFlavorIngredients[i]))
            ShowIngredient(*picture, ingredients[i]);
    mCardIndex = kComboCard;
}

void LevelIntroMode::ShowComboCard()
{
    Show(FindInScreen(Paths::kVeyla), false);
    Show(FindInScreen(Paths::kPlayer), true);
    Show(FindInScreen(Paths::kPlayerCombo), true);
    Show(FindInScreen(Paths::kPlayerFlavor), false);
    SetTextAt(Paths::kPlayerText, LocalizedText::GetText(Label("LevelIntro.ComboText")));
    if (mRecord)
    {
        FillComboRow(mRecord->combo.combo1, Paths::kCombo1);
        FillComboRow(mRecord->combo.combo2, Paths::kCombo2);
    }
    mCardIndex = kReadyCard;
}

void LevelIntroMode::FillComboRow(Label combo, const NodePath& rowPath)
{
    SceneNode* row = FindInScreen(rowPath);
    const IngredientComboData* data = combo ? ResourceManager::Get<IngredientComboData>(combo).Get() : nullptr;
    if (!row || !data)
    {
        if (combo && !data)
            DebugPrint("LevelIntroMode: there is no combo \"%s\"; its row stays empty\n", combo.c_str());
        return;
    }
    // The k-th ingredient goes to the k-th picture of the row, whether or not the ones before had
    // a picture to show.
    auto child = row->GetChildren().begin();
    for (Label ingredient : data->ingredients)
    {
        if (child == row->GetChildren().end())
            break;
        if (auto* picture = NodeCast<StaticSpriteNode>(*child))
            ShowIngredient(*picture, ingredient);
        ++child;
    }
}

void LevelIntroMode::ShowReadyCard()
{
    Show(FindInScreen(Paths::kPlayerCombo), false);
    Show(FindInScreen(Paths::kPlayerFlavor), false);
    SetTextAt(Paths::kPlayerText, LocalizedText::GetText(Label("LevelIntro.ReadyText")));
    mCardIndex = kClose;
}

bool LevelIntroMode::ShowIngredient(StaticSpriteNode& picture, Label ingredient)
{
    IImage* image =
        ingredient ? ResourceManager::Get<IImage>(Label::Format("%s_Image", ingredient.c_str())).Get() : nullptr;
    if (!image)
        return false;
    picture.SetImage(image);
    picture.SetHitTest(true);
    picture.Signals().MouseEnter.connect([this, ingredient](SceneNode* node) { OnIngredientEnter(*node, ingredient); });
    picture.Signals().MouseLeave.connect([this](SceneNode*) { OnIngredientLeave(); });
    return true;
}

SceneNode* LevelIntroMode::PopupRoot() const
{
    const SceneNode* layer = FindInScreen(Paths::kPopupAttachLayer);
    return layer && !layer->GetChildren().empty() ? layer->GetChildren().front() : nullptr;
}

void LevelIntroMode::OnIngredientEnter(SceneNode& picture, Label ingredient)
{
    SceneNode* popup = PopupRoot();
    if (!popup)
        return;
    const Vector2<float> at = picture.GetWorldPosition();
    PlaceIngredientPopup(ingredient, at.x, at.y);
    popup->EndTasks(PopupShowDelay());
    popup->AddTask(PopupShowDelay(), MakeDelayedShowTask(popup));
}

void LevelIntroMode::OnIngredientLeave()
{
    if (SceneNode* popup = PopupRoot())
    {
        popup->SetVisible(false);
        popup->EndTasks(PopupShowDelay());
    }
}

void LevelIntroMode::PlaceIngredientPopup(Label ingredient, float x, float y)
{
    if (SceneNode* popup = PopupRoot())
        PlaceIngredientNamePopup(*popup, ingredient, {x, y});
}
