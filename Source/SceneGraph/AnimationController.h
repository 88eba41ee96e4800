// Plays one SpriteAnimation by time: which frame shows, since when, in which direction, how many
// passes are left and what follows. An animated sprite node owns one, kept as an object in its
// screen's database, which advances it every update; the node reads the image index to size and
// draw itself. The controller knows nothing of images or nodes. Main thread only.
//
// A frame shows while the time since it began is at most its duration, so a frame of 0.5 s
// updated in steps of 0.25 s still shows after the second step and gives way in the third; one
// update may pass several frames. Every pass, forward or back, is one play; after the last the
// controller switches to the linked animation, carrying the time left over, or stops on the last
// image shown.
#pragma once

#include "Framework/Object.h"

struct SpriteAnimation;

class AnimationController : public Corvane::Object
{
public:
    // Stopped on image 0.
    AnimationController() = default;

    // Always unnamed.
    Corvane::Label GetName() const override { return Corvane::Label(); }
    // Advances the animation by dt seconds; nothing while stopped.
    void OnUpdate(float dt) override;

    // Starts animation (not owned; it must outlive its playing) from its first frame, or stops on
    // image 0 when it is null.
    void Play(const SpriteAnimation* animation);
    // Stops on image index.
    void ShowImage(int index);

    // The animation playing; null when stopped.
    const SpriteAnimation* GetAnimation() const { return mAnimation; }
    bool IsPlaying() const { return mAnimation != nullptr; }
    // The image of the frame showing; kept once the animation stops.
    int GetImageIndex() const { return mImageIndex; }
    // The index into the animation's frames of the frame showing.
    int GetPosition() const { return mPosition; }
    // Passes still to play, the current one included; negative: forever.
    int GetPlaysLeft() const { return mPlaysLeft; }

    // An opaque tag of whoever made the controller, never dereferenced: handles of two screens'
    // databases can coincide, and the tag tells the maker's controller from another's.
    const void* GetOwner() const { return mOwner; }
    void SetOwner(const void* owner) { mOwner = owner; }

private:
    // Starts mAnimation from its first frame.
    void Start();
    void Reset();
    void AdvanceFrame();
    void ShowFrameAtPosition();
    void SwitchToLinked();

    const SpriteAnimation* mAnimation = nullptr;
    int mPosition = 0;
    int mFrameCount = 0;
    int mImageIndex = 0;
    float mFrameDuration = 1.0f;
    int mPlaysLeft = 0;
    bool mReverse = false;
    float mFrameStart = 0.0f; // seconds since the pass began at which the frame showing began
    float mElapsed = 0.0f;    // seconds since the pass began
    const void* mOwner = nullptr;
};
