// The audio platform's node of the controls tree (IAudioControls.h): its own pause, stop and mute
// requests, delayed ones, and volume, rate and pan that fades move linearly as the platform
// updates the node. Reference counted; holds a reference to its parent. Main thread.
#pragma once

#include "Framework/IAudioControls.h"
#include "RefPtr.h"

namespace Corvane::Internal
{
class BaseAudioControls : public Referenced<IAudioControls>
{
public:
    // A node under parent (null: a root).
    explicit BaseAudioControls(IAudioControls* parent);

    bool IsPaused() override;
    void Pause() override;
    void PauseAfter(float seconds) override;
    void Resume() override;
    void ResumeAfter(float seconds) override;
    bool IsStopRequested() override;
    void Stop() override;
    void StopAfter(float seconds) override;
    bool IsMuted() override;
    void SetMuted(bool muted) override;
    float GetVolume() override;
    void SetVolume(float volume) override;
    void FadeVolume(float target, float seconds) override;
    float GetRate() override;
    void SetRate(float rate) override;
    void FadeRate(float target, float seconds) override;
    float GetPan() override;
    void SetPan(float pan) override;
    void FadePan(float target, float seconds) override;
    bool HasChanged() override;
    // Clears the change and stop flags, runs the delayed actions that are due and, when none was,
    // advances every running fade.
    void Update(float dt) override;
    AudioControlSettings GetSettings() override;
    void SetSettings(const AudioControlSettings& settings) override;

private:
    // One value that a fade moves from start to target over duration seconds.
    struct FadedValue
    {
        float current;
        float start = 0.0f;
        float target = 0.0f;
        float elapsed = 0.0f;
        float duration = -1.0f; // a fade runs while this is 0 or more

        bool IsFading() const { return duration >= 0.0f; }
        void Set(float value);
        void Fade(float to, float seconds);
        // Moves a running fade on by dt; false when none runs.
        bool Advance(float dt);
        float GetSetting() const { return IsFading() ? target : current; }
    };

    // Counts down a delay (negative: none); true when it falls due, which clears it.
    static bool IsDue(float& delay, float dt);

    RefPtr<IAudioControls> mParent;
    bool mPaused = false;
    float mPauseDelay = -1.0f;
    float mResumeDelay = -1.0f;
    float mStopDelay = -1.0f;
    bool mStopRequested = false;
    bool mMuted = false;
    FadedValue mVolume{1.0f};
    FadedValue mRate{1.0f};
    FadedValue mPan{0.0f};
    bool mChanged = true;
};
} // namespace Corvane::Internal
