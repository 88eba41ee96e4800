// The floating feedback of a cooking station: the met-flavour, score, flavour-set and chain popups.
// Each is a layout made under the level screen's effects layer that runs its own motion and then
// removes itself from the database.
#include "Game/Kitchen/CookingStation.h"

#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ParallelTask.h"
#include "Framework/ResourceManager.h"
#include "Framework/SelfDestructTask.h"
#include "Framework/SerialTask.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/KitchenText.h"
#include "Game/Kitchen/RecipeStep.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/TutorialManager.h"
#include "Graphics/IImage.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <algorithm>
#include <string>

using namespace Corvane;
namespace Paths = ObjectPaths::CookingStation;

namespace
{
constexpr float kFadeDelay = 1.0f;
constexpr float kFadeAlpha = 0.2f;
constexpr int kLongestChainShown = 5;

SceneNode* MakePopup(const char* layoutName)
{
    const SceneLayout* layout = SceneLayout::Find(Label(layoutName));
    ObjectDatabase* database = ObjectDatabase::Current();
    SceneNode* fx = FindNodeInCurrentScene(ScreenPaths::Kitchen::kFXLayer);
    return layout && database && fx ? layout->Instantiate(fx, database) : nullptr;
}

Vector2<float> Resource(const char* name)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), {0.0f, 0.0f});
}

// "+50", or "-20" for points taken away.
std::wstring Points(int points)
{
    return (points < 0 ? L"" : L"+") + std::to_wstring(points);
}

// Puts popup, hidden, at the station's world position plus the popups' start offset; its local
// start is returned for the motion.
Vector2<float> PlaceHidden(SceneNode* popup, SceneNode* station)
{
    const Vector2<float> at = station ? station->GetWorldPosition() : Vector2<float>{0.0f, 0.0f};
    const Vector2<float> offset = Resource("CookingStationScorePopupOffset");
    popup->SetWorldPosition({at.x + offset.x, at.y + offset.y});
    popup->SetVisible(false);
    return popup->GetPosition();
}

// The motion the score, set and match popups share, queued on the popup: shown, then drifting by
// "CookingStationScorePopupFinalPos" over "CookingStationScorePopupMoveTime" while fading out
// after the first second; then gone. A move time under a second fades at once.
void QueueMotion(SceneNode* popup, const Vector2<float>& start)
{
    const float moveTime = ResourceManager::GetValue<float>(Label("CookingStationScorePopupMoveTime"), 0.0f);
    const Vector2<float> travel = Resource("CookingStationScorePopupFinalPos");
    popup->GetTasks().Add(new NodeVisibleTask(true));
    popup->GetTasks().Add(new ParallelTask(
        0,
        new SerialTask(new TimedTask(kFadeDelay), new NodeAlphaTask(kFadeAlpha, std::max(0.0f, moveTime - kFadeDelay))),
        new NodeLocationTask({start.x + travel.x, start.y + travel.y}, moveTime)));
    popup->GetTasks().Add(new SelfDestructTask);
}

void ShowRequestImage(SceneNode* popup, const NodePath& path, Label request)
{
    auto* sprite = popup->FindByPathAs<StaticSpriteNode>(path);
    if (!sprite)
        return;
    IImage* image = ResourceManager::Get<IImage>(Label::Format("AttributeMatchPopup_%s", request.c_str())).Get();
    sprite->SetImage(image);
}
} // namespace

void CookingStation::ShowAttributeMatchPopup(Label request1, Label request2)
{
    SceneNode* popup = MakePopup("AttributeMatchPopupLayout");
    if (!popup)
        return;
    const RecipeStep* step = FindStep();
    if (request1 && step && step->IsRequestMatched(0))
        ShowRequestImage(popup, Paths::kAttribute1Text, request1);
    if (request2 && step && step->IsRequestMatched(1))
        ShowRequestImage(popup, Paths::kAttribute2Text, request2);
    QueueMotion(popup, PlaceHidden(popup, GetNode()));
}

void CookingStation::ShowScorePopup(int points, float delay)
{
    // Nothing was won or lost: a "+0" would only cover the station.
    if (points == 0)
        return;
    SceneNode* popup = MakePopup("ScorePopupItemLayout");
    if (!popup)
        return;
    SetNodeText(popup, Paths::kScoreText, Points(points));
    const Vector2<float> start = PlaceHidden(popup, GetNode());
    popup->GetTasks().Add(new TimedTask(delay));
    QueueMotion(popup, start);
}

void CookingStation::ShowAttributeSetPopup(int count, float delay, Label attribute)
{
    SceneNode* popup = MakePopup("ScorePopupItemLayout");
    const int points = ResourceManager::GetValue<int>(Label("AttributeComboMultiplier"), 0) * count;
    GameAudioManager::GetInstance()->PlaySound(Label("SFX_FlavorSet"));
    if (!popup)
        return;
    SetNodeText(popup, Paths::kScoreText, Points(points));
    if (auto* image = popup->FindByPathAs<StaticSpriteNode>(Paths::kImage))
        image->SetImageFromList(ResourceManager::Get<ImageList>(Label("AttributeSet_PopupImages")).Get(), count - 2);
    const Vector2<float> start = PlaceHidden(popup, GetNode());
    popup->GetTasks().Add(new TimedTask(delay));
    popup->GetTasks().Add(new NodeVisibleTask(true));
    // The popup's tasks run on its node; the station is found again when the set shows.
    const ObjectID self = GetID();
    popup->GetTasks().Add(new CallTask<SceneNode>([self, attribute](SceneNode*) {
        ObjectDatabase* database = ObjectDatabase::Current();
        if (auto* station = database ? dynamic_cast<CookingStation*>(database->Get(self)) : nullptr)
            station->HighlightAttributeSet(attribute);
    }));
    QueueMotion(popup, start);
}

void CookingStation::ShowChainPopup(int points)
{
    SceneNode* popup = MakePopup("ChainBonusPopupLayout");
    if (FennikPlayfield* playfield = FindPlayfield())
        playfield->SetChainPopup(popup ? popup->GetID() : kNoObject);
    GameAudioManager::GetInstance()->PlaySound(Label("SFX_ChainTimer"));
    if (!popup)
        return;
    if (points > 0)
        if (SceneNode* text = popup->FindByPath(Paths::kScoreText))
        {
            SetNodeText(popup, Paths::kScoreText, Points(points));
            text->SetVisible(true);
            text->GetTasks().Add(
                new TimedTask(ResourceManager::GetValue<float>(Label("ChainBonusPointDisplayTime"), 0.0f)));
            text->GetTasks().Add(new NodeVisibleTask(false));
        }
    const Vector2<float> at = GetNode() ? GetNode()->GetWorldPosition() : Vector2<float>{0.0f, 0.0f};
    const Vector2<float> offset = Resource("ChainBonusPopupOffset");
    popup->SetWorldPosition({at.x + offset.x, at.y + offset.y});

    SceneNode* watch = popup->FindByPath(Paths::kWatchAnim);
    if (points > 0)
    {
        const ScoreManager* score = GetScoreManager();
        const int count = score ? score->GetComboCount() : 0;
        if (count == kLongestChainShown)
            GameAudioManager::GetInstance()->PlayVoice(Label("VO_Orvel_Chain"));
        // The clock starts once the chain's count has come in.
        CuePoint* counted = watch ? CuePoint::Create() : nullptr;
        if (SceneNode* text = popup->FindByPath(Paths::kTextAnim))
        {
            text->SetVisible(true);
            text->GetTasks().Add(new NodeAnimationTask(Label("ChainEnterBlur"), 1));
            text->GetTasks().Add(
                new NodeAnimationTask(Label::Format("Chain_%d", std::min(count, kLongestChainShown)), 0));
            if (counted)
                text->GetTasks().Add(new CuePointTask(counted));
        }
        if (counted)
            watch->GetTasks().Add(new CuePointTask(counted));
        QueueBonusTip(kTipChainingComplete);
    }
    if (!watch)
    {
        popup->GetTasks().Add(new SelfDestructTask);
        return;
    }
    CuePoint* played = CuePoint::Create();
    watch->GetTasks().Add(new NodeAnimationTask(Label("Play"), 1));
    watch->GetTasks().Add(new CuePointTask(played));
    popup->GetTasks().Add(new CuePointTask(played));
    popup->GetTasks().Add(new SelfDestructTask);
}
