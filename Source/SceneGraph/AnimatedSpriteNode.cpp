#include "SceneGraph/AnimatedSpriteNode.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Graphics/IImage.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/AnimationController.h"
#include "SceneGraph/SpriteType.h"

using namespace Corvane;

AnimatedSpriteNode::AnimatedSpriteNode(Label spriteType)
{
    SetSpriteType(spriteType);
}

void AnimatedSpriteNode::SetSpriteType(Label name)
{
    SetSpriteType(FindNodeResource<SpriteType>(name));
}

void AnimatedSpriteNode::SetSpriteType(const SpriteType* type)
{
    if (type == mSpriteType)
        return;
    mSpriteType = type;
    RemoveController();
    mImages = nullptr;
    if (mSpriteType)
    {
        // The controller lives in the screen current now: nodes get their sprite type while their
        // own screen is entered.
        if (ObjectDatabase* database = ObjectDatabase::Current())
        {
            auto* controller = new AnimationController;
            controller->SetOwner(this);
            mController = database->Add(controller);
        }
        mImages = FindNodeResource<ImageList>(mSpriteType->GetImages());
    }
    UpdateSize();
}

void AnimatedSpriteNode::RemoveController()
{
    if (FindController())
        ObjectDatabase::Current()->Remove(mController);
    mController = kNoObject;
}

AnimationController* AnimatedSpriteNode::FindController() const
{
    ObjectDatabase* database = mController != kNoObject ? ObjectDatabase::Current() : nullptr;
    auto* controller = database ? dynamic_cast<AnimationController*>(database->Get(mController)) : nullptr;
    return controller && controller->GetOwner() == this ? controller : nullptr;
}

AnimationController* AnimatedSpriteNode::GetController() const
{
    return mSpriteType ? FindController() : nullptr;
}

void AnimatedSpriteNode::PlayAnimation(Label name, bool restart)
{
    if (!mSpriteType)
        return;
    if (AnimationController* controller = GetController())
    {
        const SpriteAnimation* animation = mSpriteType->FindAnimation(name);
        // After an animation has ended the controller holds none, so playing it again restarts it.
        if (animation != controller->GetAnimation() || restart)
            controller->Play(animation);
    }
    UpdateSize();
}

void AnimatedSpriteNode::ShowFrame(int imageIndex)
{
    if (!mSpriteType)
        return;
    if (AnimationController* controller = GetController())
        controller->ShowImage(imageIndex);
    UpdateSize();
}

bool AnimatedSpriteNode::IsPlaying(Label name) const
{
    if (!mSpriteType || !name)
        return false;
    const AnimationController* controller = GetController();
    return controller && controller->GetAnimation() && controller->GetAnimation()->name == name;
}

int AnimatedSpriteNode::GetImageCount() const
{
    return mImages ? mImages->GetCount() : 0;
}

void AnimatedSpriteNode::OnUpdate(float dt)
{
    SceneNode::OnUpdate(dt);
    UpdateSize();
}

void AnimatedSpriteNode::UpdateSize()
{
    mSizedImage = -1;
    const AnimationController* controller = mImages && mSpriteType ? GetController() : nullptr;
    if (controller && controller->GetImageIndex() >= 0 && controller->GetImageIndex() < mImages->GetCount())
        mSizedImage = controller->GetImageIndex();
    if (mSizedImage >= 0)
        SetSize(static_cast<float>(mImages->GetWidth(mSizedImage)), static_cast<float>(mImages->GetHeight(mSizedImage)));
    else
        SetSize(0.0f, 0.0f);
    MarkDirty(kDirtyPosition);
}

void AnimatedSpriteNode::Draw(const Vector2<float>& offset)
{
    if (!mImages || !mSpriteType || mSizedImage < 0 || mSizedImage >= mImages->GetCount() || !GetController() ||
        !IsWorldVisible())
        return;
    DrawNodeImage(*this, mImages->GetImage(mSizedImage), offset, mNoBlur);
}

bool AnimatedSpriteNode::HitTest(const Vector2<float>& worldPoint)
{
    if (!mImages || !mSpriteType)
        return false;
    const NodeState& world = GetWorldState();
    if (!(worldPoint.x >= world.x && worldPoint.x < world.x + GetWidth() && worldPoint.y >= world.y &&
          worldPoint.y < world.y + GetHeight()))
        return false;
    if (mAlphaSensitivity == 0)
        return true;
    // The image drawn, which the node's size is of.
    const int image = GetController() ? mSizedImage : -1;
    if (image < 0 || image >= mImages->GetCount())
        return false;
    const int px = static_cast<int>(worldPoint.x) - static_cast<int>(world.x);
    const int py = static_cast<int>(worldPoint.y) - static_cast<int>(world.y);
    return static_cast<int>(mImages->GetAlpha(image, px, py)) > mAlphaSensitivity;
}

void AnimatedSpriteNode::OnRemoved()
{
    RemoveController();
    mSizedImage = -1;
}

SceneNodeDescriptor* AnimatedSpriteNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto* descriptor = new AnimatedSpriteNodeDescriptor;
    descriptor->mSpriteType = ReadLabelAttribute(attributes, L"spriteType");
    descriptor->mInitialAnimation = ReadLabelAttribute(attributes, L"initialAnimation");
    descriptor->mAlphaSensitivity = attributes.GetIntAttribute(L"alphaSensitivity", 0);
    descriptor->mNoBlur = attributes.GetBoolAttribute(L"noBlur", false);
    return descriptor;
}

SceneNode* AnimatedSpriteNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<AnimatedSpriteNodeDescriptor>(descriptor);
    auto* node = new AnimatedSpriteNode(own.mSpriteType);
    if (own.mInitialAnimation)
        node->PlayAnimation(own.mInitialAnimation, false);
    node->SetAlphaSensitivity(own.mAlphaSensitivity);
    node->SetNoBlur(own.mNoBlur);
    return node;
}
