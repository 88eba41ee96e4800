// One stream or music of the audio stand-in: its source (a sampled file decoded as it plays or a
// tracker module), its play state and position, and the frequency, volume and pan it is mixed
// with. The source renders blocks at its natural rate; mixing resamples them linearly from the
// voice's frequency to the output rate. The library's lock guards every call.
#pragma once

#include "Platform/Compat/Audio/SampledStream.h"
#include "Platform/Compat/Audio/TrackerModule.h"

#include <memory>

namespace Compat::Audio
{
enum class VoiceState
{
    Stopped,
    Playing,
    Paused
};

class Voice
{
public:
    explicit Voice(std::unique_ptr<SampledStream> stream);
    // A module rendered at rate.
    Voice(std::unique_ptr<TrackerModule> module, int rate);

    // The rate the source plays at by itself (Hz).
    int GetNaturalRate() const { return mNaturalRate; }
    bool IsModule() const { return mModule != nullptr; }
    VoiceState GetState() const { return mState; }
    // From the beginning when restart is set, else from where it stopped (a voice at its end
    // stays stopped).
    void Play(bool restart);
    void Pause();
    void Stop();

    int GetFrequency() const { return mFrequency; }
    int GetVolume() const { return mVolume; }
    int GetPan() const { return mPan; }
    // Hz, 0 for the natural rate; limited to the supported range.
    void SetFrequency(int frequency);
    // 0..100, limited.
    void SetVolume(int volume);
    // -100..100, limited.
    void SetPan(int pan);

    // Adds frames of this voice, when playing, to mix (stereo, 2 floats a frame) at outputRate; a
    // voice that reaches its end stops.
    void MixInto(float* mix, int frames, int outputRate);

    static constexpr int kMinFrequency = 100;
    static constexpr int kMaxFrequency = 1000000;

private:
    // Frames the source renders at a time.
    static constexpr int kBlockFrames = 512;

    void Rewind();
    void Gains(float& left, float& right) const;
    int MixBlocks(float* mix, int frames, std::uint64_t step);
    // Renders the source's next block behind the last frame kept; false at its end.
    bool RenderBlock();

    std::unique_ptr<SampledStream> mStream;
    std::unique_ptr<TrackerModule> mModule;
    // The source's rendered frames: the last one of the block before, then the new block.
    std::unique_ptr<float[]> mBlock;
    int mBlockFrames = 0;
    bool mSourceEnded = false;

    int mNaturalRate;
    int mFrequency;
    int mVolume = 100;
    int mPan = 0;
    VoiceState mState = VoiceState::Stopped;
    bool mAtEnd = false;
    // Position in source frames from the start of mBlock, 32.32 fixed point.
    std::uint64_t mPosition = 0;
};
} // namespace Compat::Audio
