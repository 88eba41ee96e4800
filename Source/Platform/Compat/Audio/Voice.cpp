#include "Platform/Compat/Audio/Voice.h"

#include <algorithm>

namespace Compat::Audio
{
namespace
{
constexpr float kFractionScale = 1.0f / 4294967296.0f;
} // namespace

Voice::Voice(std::unique_ptr<SampledStream> stream)
    : mStream(std::move(stream)), mBlock(new float[(kBlockFrames + 1) * 2]), mNaturalRate(mStream->GetSampleRate()),
      mFrequency(mNaturalRate)
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
        mModule->Rewind();
    else
        mStream->Rewind();
    mBlockFrames = 0;
    mSourceEnded = false;
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
    const int done = MixBlocks(mix, frames, step);
    if (done < frames)
    {
        mState = VoiceState::Stopped;
        mAtEnd = true;
    }
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
    float* block = mBlock.get() + 2 * kept;
    std::size_t rendered = 0;
    if (!mSourceEnded)
        rendered = mModule ? mModule->Render(block, kBlockFrames, mNaturalRate) : mStream->Render(block, kBlockFrames);
    mSourceEnded = rendered == 0;
    mBlockFrames = kept + static_cast<int>(rendered);
    return rendered > 0;
}

int Voice::MixBlocks(float* mix, int frames, std::uint64_t step)
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
