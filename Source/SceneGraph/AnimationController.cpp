#include "SceneGraph/AnimationController.h"

#include "SceneGraph/SpriteType.h"

#include <algorithm>

void AnimationController::Play(const SpriteAnimation* animation)
{
    Reset();
    mAnimation = animation;
    if (mAnimation)
        Start();
    else
        mImageIndex = 0;
}

void AnimationController::ShowImage(int index)
{
    mAnimation = nullptr;
    mImageIndex = index;
}

void AnimationController::OnUpdate(float dt)
{
    if (!mAnimation)
        return;
    mElapsed += dt;
    // Strictly greater: a frame whose share of time equals its duration still shows.
    while (mAnimation && mElapsed - mFrameStart > mFrameDuration)
    {
        mFrameStart += mFrameDuration;
        AdvanceFrame();
    }
}

void AnimationController::Reset()
{
    mPosition = 0;
    mFrameCount = 0;
    mPlaysLeft = 0;
    mReverse = false;
    mFrameStart = 0.0f;
    mElapsed = 0.0f;
}

void AnimationController::Start()
{
    mFrameCount = static_cast<int>(mAnimation->frames.size());
    mPosition = 0;
    mPlaysLeft = mAnimation->numPlays;
    mReverse = false;
    mFrameStart = 0.0f;
    mElapsed = 0.0f;
    ShowFrameAtPosition();
}

void AnimationController::ShowFrameAtPosition()
{
    if (mPosition < 0 || mPosition >= mFrameCount)
        return; // an animation without frames (never loaded so) keeps the image it has
    const SpriteFrame& frame = mAnimation->frames[static_cast<std::size_t>(mPosition)];
    mImageIndex = frame.index;
    mFrameDuration = frame.duration;
}

void AnimationController::AdvanceFrame()
{
    mPosition += mReverse ? -1 : 1;
    if (mPosition >= 0 && mPosition < mFrameCount)
    {
        ShowFrameAtPosition();
        return;
    }

    if (mPlaysLeft >= 0)
        --mPlaysLeft;
    if (mPlaysLeft == 0)
    {
        if (mAnimation->linked)
            SwitchToLinked();
        else
            mAnimation = nullptr; // stops on the last image shown
        return;
    }

    // Each pass starts the clock again: what counts is the time since the frame showing began, and
    // small numbers keep a forever-looping animation's sums exact however long it runs.
    mElapsed -= mFrameStart;
    mFrameStart = 0.0f;
    if (mAnimation->pingPong)
    {
        // The turning frame is not shown twice.
        mReverse = !mReverse;
        mPosition = mReverse ? mFrameCount - 2 : 1;
        mPosition = std::clamp(mPosition, 0, std::max(mFrameCount - 1, 0));
    }
    else
        mPosition = 0;
    ShowFrameAtPosition();
}

void AnimationController::SwitchToLinked()
{
    // The time already counted past the end carries into the new animation's first frame.
    const float frameStart = mFrameStart;
    const float elapsed = mElapsed;
    mAnimation = mAnimation->linked;
    Reset();
    Start();
    mFrameStart = frameStart;
    mElapsed = elapsed;
}
