#include "Support/RecordingAudioPlatform.h"

#include "AttributeContainer.h"
#include "Framework/BaseAudioControls.h"
#include "Framework/IResourceFactory.h"
#include "Framework/ISound.h"
#include "Framework/ISoundChannel.h"
#include "Framework/ResourceManager.h"
#include "Framework/ResourceWrapper.h"
#include "Framework/SoundListResourceFactory.h"

#include <algorithm>

namespace Corvane::Testing
{
namespace
{
// How long a play that nobody holds is kept: longer than WasStartedRecently is ever asked about.
constexpr std::uint32_t kUnheldPlayMilliseconds = 1000;

// A sound as the manifest declares it: its name, category and loop count; no data.
class RecordedSound : public ISound
{
public:
    Label GetCategory() override { return category; }
    float GetVolume() override { return 1.0f; }
    float GetRate() override { return 1.0f; }
    float GetPan() override { return 0.0f; }
    int GetLoopCount() override { return loopCount; }
    IReferenced* GetData() override { return nullptr; }

    std::string name;
    Label category;
    int loopCount = 1;
};

class RecordedSoundFactory : public IResourceFactory
{
public:
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader*) override
    {
        auto* sound = new ResourceWrapper<RecordedSound>(manifest, name, element);
        sound->name = name.c_str();
        const std::wstring type = element->GetStringAttribute(L"type", L"");
        sound->category = Label(type == L"music" ? "Music" : type == L"ambient" ? "Ambient" : "Effect");
        const std::wstring loop = element->GetStringAttribute(L"loop", L"");
        sound->loopCount = loop == L"forever" ? 0 : std::max(element->GetIntAttribute(L"loop", 1), 0);
        return sound;
    }
};

std::string NameOf(ISound* sound)
{
    const auto* recorded = dynamic_cast<RecordedSound*>(sound);
    return recorded ? recorded->name : std::string("(unnamed)");
}
} // namespace

// A play's node of the controls tree: a stop, pause or resume asked of it is written down at once
// for the sound its channel plays.
class RecordingControls : public Internal::BaseAudioControls
{
public:
    RecordingControls(IAudioControls* parent, RecordingAudioPlatform& platform)
        : BaseAudioControls(parent), mPlatform(platform)
    {
    }
    void Bind(ISound* sound) { mSound = sound; }
    void Unbind() { mSound = nullptr; }

    void Stop() override
    {
        if (mSound && !IsStopRequested())
            mPlatform.Note("stop", NameOf(mSound));
        BaseAudioControls::Stop();
    }
    void Pause() override
    {
        if (mSound && !IsPaused())
            mPlatform.Note("pause", NameOf(mSound));
        BaseAudioControls::Pause();
    }
    void Resume() override
    {
        if (mSound && IsPaused())
            mPlatform.Note("resume", NameOf(mSound));
        BaseAudioControls::Resume();
    }

private:
    RecordingAudioPlatform& mPlatform;
    ISound* mSound = nullptr;
};

class RecordingChannel : public Referenced<ISoundChannel>
{
public:
    RecordingChannel(RecordingAudioPlatform& platform, IClock& clock) : mPlatform(platform), mClock(clock) {}
    ~RecordingChannel() override { Unbind(); }

    void Play(ISound* sound, int) override
    {
        Stop();
        if (!mControls || !sound)
            return;
        mSound = sound;
        mStartTick = mClock.GetTickCount();
        mPlatform.Note("start", NameOf(sound));
        if (auto* controls = dynamic_cast<RecordingControls*>(mControls.Get()))
            controls->Bind(sound);
    }
    void Stop() override
    {
        if (mSound)
            mPlatform.Note("stop", NameOf(mSound));
        End();
    }
    // Ends the play without a note (the note was made where the end was decided).
    void End()
    {
        Unbind();
        mSound = nullptr;
    }
    bool IsPlaying() override { return mSound != nullptr; }
    ISound* GetSound() override { return mSound; }
    IAudioControls* GetControls() override { return mControls.Get(); }
    void SetControls(IAudioControls* controls) override
    {
        Unbind();
        mControls = controls;
    }
    // A stop asked of the controls (or of an ancestor) ends the play.
    void Update(float) override
    {
        if (mSound && mControls && mControls->IsStopRequested())
            End();
    }
    std::uint32_t GetStartTick() const { return mStartTick; }
    // Somebody besides the platform holds the channel, or its play's controls (which the
    // platform's list and the channel hold).
    bool IsHeld() const
    {
        return GetReferenceCount() > 1 ||
               (mControls && static_cast<Internal::BaseAudioControls*>(mControls.Get())->GetReferenceCount() > 2);
    }

private:
    void Unbind()
    {
        if (auto* controls = dynamic_cast<RecordingControls*>(mControls.Get()))
            controls->Unbind();
    }

    RecordingAudioPlatform& mPlatform;
    IClock& mClock;
    ISound* mSound = nullptr;
    RefPtr<IAudioControls> mControls;
    std::uint32_t mStartTick = 0;
};

RecordingAudioPlatform::RecordingAudioPlatform(IClock& clock) : mClock(clock) {}

RecordingAudioPlatform::~RecordingAudioPlatform() = default;

Label RecordingAudioPlatform::GetName()
{
    return Label("Recording Audio");
}

void RecordingAudioPlatform::Init()
{
    ResourceManager* resources = ResourceManager::Instance();
    resources->RegisterFactory(L"sound", new RecordedSoundFactory);
    resources->RegisterFactory(L"soundlist", new SoundListResourceFactory);
    mRoot = RefPtr<IAudioControls>::Adopt(new Internal::BaseAudioControls(nullptr));
    mMaster = RefPtr<IAudioControls>::Adopt(CreateControls(mRoot.Get()));
    for (const char* category : {"Effect", "Music", "Ambient"})
        RefPtr<IAudioControls>::Adopt(GetCategoryControls(Label(category)));
}

void RecordingAudioPlatform::Shutdown()
{
    mShutDown = true;
    mHeldAtShutdown = static_cast<int>(std::count_if(
        mChannels.begin(), mChannels.end(), [](const auto& channel) { return channel->GetReferenceCount() > 1; }));
    mChannels.clear();
    mControls.clear();
    mCategories.clear();
    mMaster.Reset();
    mRoot.Reset();
}

void RecordingAudioPlatform::Update(float dt)
{
    ++mUpdates;
    for (const RefPtr<IAudioControls>& controls : mControls)
        controls->Update(dt);
    for (const RefPtr<RecordingChannel>& channel : mChannels)
        channel->Update(dt);
    // A channel that has ended and that nobody else holds goes; so does a play that nobody holds,
    // neither its channel nor its controls, once WasStartedRecently no longer needs it: nothing
    // can reach it any more, and without it a long run does not go through every sound it ever
    // started on every update.
    const std::uint32_t now = mClock.GetTickCount();
    std::erase_if(mChannels, [now](const RefPtr<RecordingChannel>& channel) {
        if (channel->IsHeld())
            return false;
        return !channel->IsPlaying() || now - channel->GetStartTick() > kUnheldPlayMilliseconds;
    });
    std::erase_if(mControls, [](const RefPtr<IAudioControls>& controls) {
        return static_cast<Internal::BaseAudioControls*>(controls.Get())->GetReferenceCount() == 1;
    });
}

ISoundChannel* RecordingAudioPlatform::CreateChannel()
{
    mChannels.push_back(RefPtr<RecordingChannel>::Adopt(new RecordingChannel(*this, mClock)));
    return RefPtr<ISoundChannel>(mChannels.back().Get()).Detach();
}

IAudioControls* RecordingAudioPlatform::GetMasterControls()
{
    return RefPtr<IAudioControls>(mMaster.Get()).Detach();
}

IAudioControls* RecordingAudioPlatform::GetCategoryControls(Label category)
{
    RefPtr<IAudioControls>& controls = mCategories[category];
    if (!controls)
    {
        controls = RefPtr<IAudioControls>::Adopt(CreateControls(mMaster.Get()));
        controls->SetVolume(0.5f);
    }
    return RefPtr<IAudioControls>(controls).Detach();
}

IAudioControls* RecordingAudioPlatform::CreateControls(IAudioControls* parent)
{
    mControls.push_back(RefPtr<IAudioControls>::Adopt(new RecordingControls(parent ? parent : mRoot.Get(), *this)));
    return RefPtr<IAudioControls>(mControls.back().Get()).Detach();
}

bool RecordingAudioPlatform::WasStartedRecently(ISound* sound, int milliseconds)
{
    const std::uint32_t now = mClock.GetTickCount();
    return std::any_of(mChannels.begin(), mChannels.end(), [&](const RefPtr<RecordingChannel>& channel) {
        return channel->GetSound() == sound &&
               now - channel->GetStartTick() <= static_cast<std::uint32_t>(milliseconds);
    });
}

std::vector<std::string> RecordingAudioPlatform::Log(const std::string& sound) const
{
    std::vector<std::string> lines;
    for (const SoundEvent& event : mEvents)
        if (sound.empty() || event.sound == sound)
            lines.push_back(event.ToString());
    return lines;
}

std::vector<std::string> RecordingAudioPlatform::Playing() const
{
    std::vector<std::string> names;
    for (const RefPtr<RecordingChannel>& channel : mChannels)
        if (channel->IsPlaying())
            names.push_back(NameOf(channel->GetSound()));
    return names;
}

void RecordingAudioPlatform::FinishPlaying(const std::string& sound)
{
    for (const RefPtr<RecordingChannel>& channel : mChannels)
        if (channel->IsPlaying() && NameOf(channel->GetSound()) == sound)
        {
            Note("end", sound);
            channel->End();
        }
}
} // namespace Corvane::Testing
