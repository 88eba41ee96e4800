#include "Platform/Compat/Audio/Voice.h"

#include <algorithm>

namespace Compat::Audio
{
namespace
{
constexpr float kFractionScale = 1.0f / 4294967296.0f;
constexpr float kSampleScale = 1.0f / 32768.0f;

// Adds up to count frames of 16-bit samples read at position (advanced by step per output frame)
// to mix; returns the frames added, fewer when the samples end.
template <int Channels>
int MixSampleFrames(const std::int16_t* samples, std::int64_t frames, std::uint64_t& position, std::uint64_t step,
                    float left, float right, float* mix, int count)
{
    const std::uint64_t end = static_cast<std::uint64_t>(frames) << 32;
    int done = 0;
    for (; done < count && position < end; ++done, position += step)
    {
        const std::size_t index = static_cast<std::size_t>(position >> 32) * Channels;
        const float fraction = static_cast<float>(position & 0xFFFFFFFFu) * kFractionScale;
        if constexpr (Channels == 1)
        {
            const float a = samples[index];
            const float value = a + (samples[index + 1] - a) * fraction;
            mix[2 * done] += value * left;
            mix[2 * done + 1] += value * right;
        }
        else
        {
            const float l = samples[index];
            const float r = samples[index + 1];
            mix[2 * done] += (l + (samples[index + 2] - l) * fraction) * left;
            mix[2 * done + 1] += (r + (samples[index + 3] - r) * fraction) * right;
        }
    }
    return done;
}
} // namespace

Voice::Voice(SampledSound sound)
    : mSound(std::move(sound)), mNaturalRate(mSound.sampleRate), mFrequency(mSound.sampleRate)
{
}

Voice::Voice(std::unique_ptr<TrackerModule> module, int rate)
    : mModule(std::move(module)), mBlock(new float[(kBlockFrames + 1) * 2]), mNaturalRate(rate), mFrequency(rate)
{
}

void Voice::Play(bool restart)
{
    if (restart)
        Rewind();
    // Resuming a voice that has played to its end plays nothing more.
    if (!mAtEnd)
        mState = VoiceState::Playing;
}

void Voice::Pause()
{
    if (mState == VoiceState::Playing)
        mState = VoiceState::Paused;
}

void Voice::Stop()
{
    mState = VoiceState::Stopped;
}

void Voice::SetFrequency(int frequency)
{
    mFrequency = frequency == 0 ? mNaturalRate : std::clamp(frequency, kMinFrequency, kMaxFrequency);
}

void Voice::SetVolume(int volume)
{
    mVolume = std::clamp(volume, 0, 100);
}

void Voice::SetPan(int pan)
{
    mPan = std::clamp(pan, -100, 100);
}

void Voice::Rewind()
{
    mPosition = 0;
    mAtEnd = false;
    if (mModule)
    {
        mModule->Rewind();
        mBlockFrames = 0;
        mModuleEnded = false;
    }
}

void Voice::Gains(float& left, float& right) const
{
    // A balance: the side panned away from is turned down, the other keeps the volume.
    const float volume = static_cast<float>(mVolume) / 100.0f;
    const float pan = static_cast<float>(mPan) / 100.0f;
    left = volume * (pan > 0.0f ? 1.0f - pan : 1.0f);
    right = volume * (pan < 0.0f ? 1.0f + pan : 1.0f);
}

void Voice::MixInto(float* mix, int frames, int outputRate)
{
    if (mState != VoiceState::Playing || outputRate <= 0)
        return;
    const std::uint64_t step = (static_cast<std::uint64_t>(mFrequency) << 32) / static_cast<std::uint64_t>(outputRate);
    const int done = mModule ? MixModule(mix, frames, step) : MixSamples(mix, frames, step);
    if (done < frames)
    {
        mState = VoiceState::Stopped;
        mAtEnd = true;
    }
}

int Voice::MixSamples(float* mix, int frames, std::uint64_t step)
{
    float left = 0.0f;
    float right = 0.0f;
    Gains(left, right);
    left *= kSampleScale;
    right *= kSampleScale;
    const std::int16_t* samples = mSound.samples.data();
    return mSound.channels == 1
               ? MixSampleFrames<1>(samples, mSound.frames, mPosition, step, left, right, mix, frames)
               : MixSampleFrames<2>(samples, mSound.frames, mPosition, step, left, right, mix, frames);
}

bool Voice::RenderBlock()
{
    int kept = 0;
    if (mBlockFrames > 0)
    {
        // The last frame stays for interpolating into the new block.
        mBlock[0] = mBlock[2 * (mBlockFrames - 1)];
        mBlock[1] = mBlock[2 * (mBlockFrames - 1) + 1];
        mPosition -= static_cast<std::uint64_t>(mBlockFrames - 1) << 32;
        kept = 1;
    }
    const std::size_t rendered = mModuleEnded ? 0 : mModule->Render(mBlock.get() + 2 * kept, kBlockFrames, mNaturalRate);
    mModuleEnded = rendered == 0;
    mBlockFrames = kept + static_cast<int>(rendered);
    return rendered > 0;
}

int Voice::MixModule(float* mix, int frames, std::uint64_t step)
{
    float left = 0.0f;
    float right = 0.0f;
    Gains(left, right);
    int done = 0;
    while (done < frames)
    {
        const std::uint64_t index = mPosition >> 32;
        if (index + 1 >= static_cast<std::uint64_t>(mBlockFrames))
        {
            if (!RenderBlock())
                break;
            continue;
        }
        const float fraction = static_cast<float>(mPosition & 0xFFFFFFFFu) * kFractionScale;
        const float* frame = mBlock.get() + 2 * index;
        mix[2 * done] += (frame[0] + (frame[2] - frame[0]) * fraction) * left;
        mix[2 * done + 1] += (frame[1] + (frame[3] - frame[1]) * fraction) * right;
        mPosition += step;
        ++done;
    }
    return done;
}
} // namespace Compat::Audio
