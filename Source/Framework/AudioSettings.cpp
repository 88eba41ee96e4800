#include "Framework/AudioSettings.h"

#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/IAudioPlatform.h"
#include "Framework/SettingValues.h"

#include <string>

namespace Corvane
{
namespace
{
struct ControlGroup
{
    const char* key;
    const char* category; // null: the master group
};

// In the order they are loaded and saved.
constexpr ControlGroup kGroups[] = {
    {"Corvane::Audio::MasterControls", nullptr},
    {"Corvane::Audio::SfxControls", "Effect"},
    {"Corvane::Audio::AmbientControls", "Ambient"},
    {"Corvane::Audio::MusicControls", "Music"},
};

RefPtr<IAudioControls> ControlsOf(const ControlGroup& group)
{
    return group.category ? GetAudioControlGroup(Label(group.category)) : GetMasterAudioControls();
}

std::string VolumeKey(const ControlGroup& group)
{
    return std::string(group.key) + "::Volume";
}

std::string MutedKey(const ControlGroup& group)
{
    return std::string(group.key) + "::IsMuted";
}
} // namespace

RefPtr<IAudioControls> GetAudioControlGroup(Label category)
{
    IAudioPlatform* audio = IAudioPlatform::GetInstance();
    return audio ? RefPtr<IAudioControls>::Adopt(audio->GetCategoryControls(category)) : RefPtr<IAudioControls>();
}

RefPtr<IAudioControls> GetMasterAudioControls()
{
    IAudioPlatform* audio = IAudioPlatform::GetInstance();
    return audio ? RefPtr<IAudioControls>::Adopt(audio->GetMasterControls()) : RefPtr<IAudioControls>();
}

void LoadAudioSettings()
{
    if (!IAudioPlatform::GetInstance())
        return;
    const Account* account = AccountManager::Get()->GetCurrentAccount();
    for (const ControlGroup& group : kGroups)
    {
        const RefPtr<IAudioControls> controls = ControlsOf(group);
        if (!controls)
            continue;
        AudioControlSettings settings = controls->GetSettings();
        settings.volume = ReadSettingFloat(account, VolumeKey(group), settings.volume, 0.0f, 1.0f);
        settings.muted = ReadSettingBool(account, MutedKey(group), settings.muted);
        controls->SetSettings(settings);
    }
}

void SaveAudioSettings()
{
    if (!IAudioPlatform::GetInstance())
        return;
    Account* account = AccountManager::Get()->GetCurrentAccount();
    for (const ControlGroup& group : kGroups)
    {
        const RefPtr<IAudioControls> controls = ControlsOf(group);
        if (!controls)
            continue;
        const AudioControlSettings settings = controls->GetSettings();
        Account::WriteFloat(account, VolumeKey(group), settings.volume);
        Account::WriteBool(account, MutedKey(group), settings.muted);
    }
}
} // namespace Corvane
