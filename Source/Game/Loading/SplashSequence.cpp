// The loading screen's splash sequence: the pictures "Splash1", "Splash2"... fade in one after
// another on two alternating nodes, each over the one before, stay a while, and the last one fades
// out to uncover the loading screen; a background rectangle hides the screen until then.
#include "Debug.h"
#include "Framework/CuePointTask.h"
#include "Framework/ResourceManager.h"
#include "Framework/SimpleFunctionTask.h"
#include "Framework/SoundPlayback.h"
#include "Framework/TimedTask.h"
#include "Framework/ValueWrapper.h"
#include "Game/Loading/MyLoadingMode.h"
#include "Game/Loading/MySetImageTask.h"
#include "Graphics/IImage.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/ShapeNodes.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <utility>

using namespace Corvane;

namespace
{
RectNode* FindBackground(ObjectDatabase& screen)
{
    return NodeCast<RectNode>(dynamic_cast<SceneNode*>(screen.FindByName(Label("splashBG"))));
}

// Without a sequence the background would cover the loading screen for good.
void SkipSplash(ObjectDatabase& screen)
{
    if (RectNode* background = FindBackground(screen))
        background->SetVisible(false);
}
} // namespace

TaskResult MySetImageTask::Update(Object* owner, float)
{
    if (auto* node = dynamic_cast<StaticSpriteNode*>(owner))
        node->SetImage(mImage);
    return {kTaskFinished, 0.0f};
}

void MyLoadingMode::StartSplashSequence()
{
    const auto visibleTime = ResourceManager::Get<Internal::ValueWrapper<float>>("SplashScreenVisibleTime");
    const auto fadeTime = ResourceManager::Get<Internal::ValueWrapper<float>>("SplashScreenCrossFadeTime");
    if (!visibleTime || !fadeTime)
    {
        DebugPrint("LoadingMode: no splash times in \"Loading\": the splash screens are skipped\n");
        SkipSplash(*this);
        return;
    }
    const float visible = visibleTime->value;
    const float fade = fadeTime->value;

    auto* incoming = NodeCast<StaticSpriteNode>(dynamic_cast<SceneNode*>(FindByName(Label("Splash1"))));
    if (!incoming)
        return SkipSplash(*this);
    mIncoming = incoming->GetID();
    incoming->SetAlpha(1.0f);
    auto* outgoing = NodeCast<StaticSpriteNode>(dynamic_cast<SceneNode*>(FindByName(Label("Splash2"))));
    if (!outgoing)
        return SkipSplash(*this);
    mOutgoing = outgoing->GetID();
    outgoing->SetAlpha(0.0f);

    for (int i = 1;; ++i)
    {
        IImage* image = ResourceManager::Get<IImage>(Label::Format("Splash%d", i)).Get();
        if (!image)
            break;
        incoming->GetTasks().Add(new MySetImageTask(image));
        incoming->GetTasks().Add(new NodeAlphaTask(1.0f, fade));
        outgoing->GetTasks().Add(new NodeAlphaTask(0.0f, fade));
        if (i == 2)
        {
            // Bound to this screen, which outlives its nodes' tasks.
            incoming->GetTasks().Add(new SimpleFunctionTask<SceneNode>([this](SceneNode*, float) { PlayLogoSound(); }));
        }
        incoming->GetTasks().Add(new TimedTask(visible));
        outgoing->GetTasks().Add(new TimedTask(visible));
        std::swap(incoming, outgoing);
    }

    // incoming now holds no visible picture, outgoing the last one. When incoming has worked
    // through its queue (the last picture's stay is over) the background goes, and the last
    // picture fades out over the loading screen.
    CuePoint* cue = CuePoint::Create();
    incoming->GetTasks().Add(new CuePointTask(cue));
    incoming->GetTasks().Add(new NodeAlphaTask(0.0f, fade));
    outgoing->GetTasks().Add(new NodeAlphaTask(0.0f, fade));

    RectNode* background = FindBackground(*this);
    if (!background)
        return;
    background->SetVisible(true);
    background->GetTasks().Add(new CuePointTask(cue));
    background->GetTasks().Add(new NodeVisibleTask(false));
}

bool MyLoadingMode::IsSplashFinished()
{
    for (const ObjectID id : {mIncoming, mOutgoing})
        if (Object* node = Get(id); node && !node->GetTasks().IsEmpty())
            return false;
    return true;
}

void MyLoadingMode::PlayLogoSound()
{
    PlaySound(Label("SFX_LogoEffect"));
}
