#include "Platform/Win32/BASSAudioPlatform.h"

#include "Debug.h"
#include "Framework/BaseAudioControls.h"
#include "Framework/ResourceManager.h"
#include "Framework/SoundListResourceFactory.h"
#include "Platform/Compat/Audio/Bass.h"
#include "Platform/Win32/BASSLibrary.h"
#include "Platform/Win32/BASSSound.h"
#include "Platform/Win32/BASSSoundChannel.h"

#include <cstdint>

namespace Corvane
{
namespace
{
constexpr DWORD kOutputRate = 44100;
constexpr float kCategoryVolume = 0.5f;
} // namespace

IAudioPlatform* BASSAudioPlatform::Create()
{
    return new BASSAudioPlatform();
}

BASSAudioPlatform::BASSAudioPlatform(IClock& clock)
    : mClock(clock), mTeardown(new Internal::OwnedSingletonDestructor<BASSAudioPlatform>(this))
{
}

BASSAudioPlatform::~BASSAudioPlatform()
{
    ReleaseAll();
    delete mTeardown;
}

Label BASSAudioPlatform::GetName()
{
    static const Label name = Label::Intern("BASS 2.3 Audio");
    return name;
}

void BASSAudioPlatform::OpenLibrary()
{
    if (BASS_Init(-1, kOutputRate, 0, nullptr, nullptr))
    {
        SetBASSInitialized(true);
        return;
    }
    DebugPrint("BASS Initialization failed on default device\n");
    int devices = 0;
    while (BASS_GetDeviceDescription(static_cast<DWORD>(devices + 1)))
        ++devices;
    for (int device = 1; device <= devices; ++device)
    {
        if (BASS_Init(device, kOutputRate, 0, nullptr, nullptr))
        {
            SetBASSInitialized(true);
            return;
        }
        DebugPrint("BASS Initialization failed on device %d\n", device);
    }
    // The game runs silent: no sound loads and no library call is made from here on.
    DebugPrint("BASS Initialization failed on all devices\n");
}

void BASSAudioPlatform::Init()
{
    ResourceManager* resources = ResourceManager::Instance();
    resources->RegisterFactory(L"sound", new BASSSoundResourceFactory);
    resources->RegisterFactory(L"randomsound", new BASSRandomSoundResourceFactory);
    resources->RegisterFactory(L"soundlist", new SoundListResourceFactory);
    OpenLibrary();
    mRoot = RefPtr<IAudioControls>::Adopt(new Internal::BaseAudioControls(nullptr));
    mMaster = RefPtr<IAudioControls>::Adopt(CreateControls(mRoot.Get()));
    for (const char* category : {"Effect", "Music", "Ambient"})
        RefPtr<IAudioControls>::Adopt(GetCategoryControls(Label::Intern(category)));
    // Sound begins when the window first comes to the foreground.
    mActive = true;
    SetActive(false);
}

void BASSAudioPlatform::ReleaseAll()
{
    mChannels.clear();
    mControls.clear();
    mCategories.clear();
    mMaster.Reset();
    mRoot.Reset();
}

void BASSAudioPlatform::Shutdown()
{
    ReleaseAll();
    if (IsBASSInitialized())
    {
        BASS_Free();
        CheckBASSError("BASS_Free()");
        SetBASSInitialized(false);
    }
}

void BASSAudioPlatform::SetActive(bool active)
{
    if (IsBASSInitialized() && active != mActive)
    {
        if (active)
        {
            BASS_Start();
            CheckBASSError("BASS_Start()");
        }
        else
        {
            BASS_Pause();
            CheckBASSError("BASS_Pause()");
        }
    }
    mActive = active;
}

// A file has one library channel, which each play of it restarts: a play that nobody holds and
// that does not loop is over once a later play of its file has started, even though the channel
// sounds on. Kept, such plays would pile up while a sound is played faster than it lasts, each
// seeing the shared channel still playing. Plays started in one tick are ordered by the list.
bool BASSAudioPlatform::IsOvertaken(std::size_t index) const
{
    const BASSSoundChannel& channel = *mChannels[index];
    const std::uint32_t library = channel.GetLibraryChannel();
    if (library == 0 || channel.GetReferenceCount() != 1 || channel.WantsToLoop())
        return false;
    for (std::size_t other = 0; other < mChannels.size(); ++other)
    {
        if (other == index || mChannels[other]->GetLibraryChannel() != library)
            continue;
        // Ticks wrap: the order is taken from their difference.
        const auto since = static_cast<std::int32_t>(mChannels[other]->GetStartTick() - channel.GetStartTick());
        if (since > 0 || (since == 0 && other > index))
            return true;
    }
    return false;
}

void BASSAudioPlatform::Update(float dt)
{
    for (std::size_t i = 0; i < mChannels.size();)
    {
        BASSSoundChannel& channel = *mChannels[i];
        if (IsOvertaken(i))
            channel.Abandon();
        else
            channel.Update(dt);
        if (!channel.IsPlaying() && channel.GetReferenceCount() == 1)
        {
            channel.Stop();
            mChannels.erase(mChannels.begin() + static_cast<std::ptrdiff_t>(i));
        }
        else
        {
            ++i;
        }
    }
    for (std::size_t i = 0; i < mControls.size();)
    {
        Internal::BaseAudioControls& controls = *mControls[i];
        controls.Update(dt);
        if (controls.GetReferenceCount() == 1)
            mControls.erase(mControls.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

ISoundChannel* BASSAudioPlatform::CreateChannel()
{
    mChannels.push_back(RefPtr<BASSSoundChannel>::Adopt(new BASSSoundChannel(mClock)));
    return RefPtr<ISoundChannel>(mChannels.back().Get()).Detach();
}

IAudioControls* BASSAudioPlatform::GetMasterControls()
{
    return RefPtr<IAudioControls>(mMaster).Detach();
}

IAudioControls* BASSAudioPlatform::GetCategoryControls(Label category)
{
    RefPtr<IAudioControls>& controls = mCategories[category];
    if (!controls)
    {
        controls = RefPtr<IAudioControls>::Adopt(CreateControls(mMaster.Get()));
        controls->SetVolume(kCategoryVolume);
    }
    return RefPtr<IAudioControls>(controls).Detach();
}

IAudioControls* BASSAudioPlatform::CreateControls(IAudioControls* parent)
{
    mControls.push_back(
        RefPtr<Internal::BaseAudioControls>::Adopt(new Internal::BaseAudioControls(parent ? parent : mRoot.Get())));
    return RefPtr<IAudioControls>(mControls.back().Get()).Detach();
}

bool BASSAudioPlatform::WasStartedRecently(ISound* sound, int milliseconds)
{
    const std::uint32_t now = mClock.GetTickCount();
    for (const RefPtr<BASSSoundChannel>& channel : mChannels)
    {
        // Ticks wrap: the age is taken in unsigned arithmetic.
        if (channel->GetSound() == sound && channel->IsPlaying() &&
            now - channel->GetStartTick() <= static_cast<std::uint32_t>(milliseconds))
            return true;
    }
    return false;
}
} // namespace Corvane
