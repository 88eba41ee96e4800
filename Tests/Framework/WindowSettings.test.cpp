#include "Framework/WindowSettings.h"

#include "Framework/AccountManager.h"
#include "Framework/AudioSettings.h"
#include "Framework/CustomCursor.h"
#include "Framework/DisplayChange.h"
#include "Framework/IAccountChangeHandler.h"
#include "Support/DebugCapture.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/FakePlatform.h"
#include "Support/FakeRenderers.h"
#include "Support/ProfileFolder.h"
#include "Support/RecordingApplication.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// What the game's application does around a change of profile.
class SettingsKeeper : public IAccountChangeHandler
{
public:
    void OnAccountChanging() override
    {
        SaveWindowSettings();
        SaveAudioSettings();
    }
    void OnAccountChanged() override
    {
        LoadWindowSettings();
        LoadAudioSettings();
    }
};

struct Settings
{
    int windowMode;
    bool customCursor;
    float masterVolume;
    bool musicMuted;

    bool operator==(const Settings&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Settings& s)
{
    return out << "{mode " << s.windowMode << ", cursor " << s.customCursor << ", master " << s.masterVolume
               << ", music muted " << s.musicMuted << "}";
}

class WindowSettingsTest : public testing::Test
{
protected:
    WindowSettingsTest()
    {
        DisplaySettings settings{1, 1, 800, 600};
        ApplyDisplaySettings(settings, true);
        AccountManager::Get()->CreateAccount(L"Ann");
        AccountManager::Get()->AddAccountChangeHandler(&keeper);
    }
    ~WindowSettingsTest() override { SetCustomCursorEnabled(false); }

    Settings Present()
    {
        return {GetDisplaySettings().windowMode, IsCustomCursorEnabled(), audio.Master().own.volume,
                audio.categories["Music"]->own.muted};
    }
    void Change(const Settings& s)
    {
        SetWindowMode(s.windowMode);
        SetCustomCursorEnabled(s.customCursor);
        GetMasterAudioControls()->SetVolume(s.masterVolume);
        GetAudioControlGroup(Label("Music"))->SetMuted(s.musicMuted);
    }

    DebugCapture debug;
    std::vector<std::string> log;
    FakePlatform platform;
    RecordingApplication application{log};
    FakeRenderers renderers{log};
    FakeAudioPlatform audio{log};
    ProfileFolder profiles;
    SettingsKeeper keeper;
};
} // namespace

TEST_F(WindowSettingsTest, EachProfileKeepsItsOwnWindowAndAudioSettings)
{
    // A new profile holds no settings: loading it keeps the present ones.
    const Settings start = {1, false, 1.0f, false};
    LoadWindowSettings();
    LoadAudioSettings();
    EXPECT_EQ(Present(), start);

    const Settings mine = {0, true, 0.25f, true};
    Change(mine);
    AccountManager::Get()->SetCurrentAccount(L"Ann");
    EXPECT_EQ(Present(), mine);
    const Settings ann = {1, false, 0.75f, false};
    Change(ann);

    AccountManager::Get()->SetCurrentAccount(L"TRVL_DEFAULT_PROFILE");
    EXPECT_EQ(Present(), mine);
    EXPECT_FALSE(platform.cursorVisible);
    AccountManager::Get()->SetCurrentAccount(L"Ann");
    EXPECT_EQ(Present(), ann);
    EXPECT_TRUE(platform.cursorVisible);

    const Account* first = AccountManager::Get()->FindAccount(L"TRVL_DEFAULT_PROFILE");
    EXPECT_EQ(Account::ReadInt(first, "Corvane::Window::Mode", -1), 0);
    EXPECT_FLOAT_EQ(Account::ReadFloat(first, "Corvane::Audio::MasterControls::Volume", -1), 0.25f);
    EXPECT_FLOAT_EQ(Account::ReadFloat(first, "Corvane::Audio::SfxControls::Volume", -1), 0.5f);
    EXPECT_TRUE(Account::HasValue(first, "Corvane::Audio::AmbientControls::IsMuted"));
}

TEST_F(WindowSettingsTest, WithoutAnAudioPlatformNoAudioSettingIsReadOrWritten)
{
    IAudioPlatform::ReleaseInstance(&audio);
    EXPECT_FALSE(GetMasterAudioControls());
    AccountManager::Get()->SetCurrentAccount(L"Ann");
    const Account* first = AccountManager::Get()->FindAccount(L"TRVL_DEFAULT_PROFILE");
    EXPECT_TRUE(Account::HasValue(first, "Corvane::Window::IsCustomCursorEnabled"));
    EXPECT_FALSE(Account::HasValue(first, "Corvane::Audio::MasterControls::Volume"));
}

// A value that no setting can take starts the game with the present setting, and says so.
TEST_F(WindowSettingsTest, AValueOutOfRangeKeepsThePresentSettingAndIsLogged)
{
    LoadAudioSettings();
    const Settings start = Present();
    const std::pair<const char*, const wchar_t*> bad[] = {
        {"Corvane::Window::Mode", L"2"},
        {"Corvane::Window::Mode", L"3"},
        {"Corvane::Window::Mode", L"-1"},
        {"Corvane::Window::Mode", L"99999"},
        {"Corvane::Window::IsCustomCursorEnabled", L"2"},
        {"Corvane::Audio::MasterControls::Volume", L"nan"},
        {"Corvane::Audio::MasterControls::Volume", L"inf"},
        {"Corvane::Audio::MasterControls::Volume", L"-7"},
        {"Corvane::Audio::MasterControls::Volume", L"1e39"},
        {"Corvane::Audio::MusicControls::IsMuted", L"maybe"},
    };
    Account* account = AccountManager::Get()->GetCurrentAccount();
    for (const auto& [key, text] : bad)
    {
        SCOPED_TRACE(key);
        Account::WriteString(account, key, text);
        debug.Clear();
        LoadWindowSettings();
        LoadAudioSettings();
        EXPECT_EQ(Present(), start);
        EXPECT_NE(debug.Text().find(key), std::string::npos) << debug.Text();
        Account::RemoveValue(account, key);
    }
}
