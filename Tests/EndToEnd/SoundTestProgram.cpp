// The program's sound from start to end, before the game's own application exists: an application
// that, as the game's does, creates the audio platform once the platform exists, applies the
// profile's window and audio settings when it starts and saves them when it stops. It plays the
// sound "Tone" of the manifest "Sounds" beside the program a few updates after the start and quits
// once it has ended. With SOUND_TEST_MASTER_VOLUME set, it gives the master group that volume
// before the settings are saved.
#include "Framework/AccountManager.h"
#include "Framework/ApplicationMode.h"
#include "Framework/AudioSettings.h"
#include "Framework/BaseApplication.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Framework/SoundPlayback.h"
#include "Framework/WindowSettings.h"
#include "NoFrameRenderer.h"
#include "Platform/Win32/BASSAudioPlatform.h"
#include "Platform/Win32/WinMain.h"

#include <cstdlib>

namespace
{
using namespace Corvane;

constexpr int kToneUpdate = 5;
constexpr int kQuitUpdate = 60;

class ToneMode : public ApplicationMode
{
public:
    void Update(float dt) override
    {
        ApplicationMode::Update(dt);
        if (++mUpdates == kToneUpdate)
            PlaySound(Label("Tone"));
        if (mUpdates == kQuitUpdate)
            RequestQuit();
    }

private:
    int mUpdates = 0;
};

class SoundTestApplication : public BaseApplication
{
public:
    SoundTestApplication()
    {
        mInfo.companyName = L"Corvane Tests";
        mInfo.productName = L"Fennik Sound Test";
    }
    const DisplaySettings& GetDisplaySettings() override { return mSettings; }
    void OnPlatformCreated() override { BASSAudioPlatform::Create(); }
    void Start() override
    {
        ResourceManager::Instance()->LoadAndWait(L"Sounds", false, nullptr);
        AccountManager::Get();
        LoadWindowSettings();
        LoadAudioSettings();
        ReplaceApplicationMode(new ToneMode);
    }
    void Stop() override
    {
        if (const char* volume = std::getenv("SOUND_TEST_MASTER_VOLUME"))
            GetMasterAudioControls()->SetVolume(std::strtof(volume, nullptr));
        SaveWindowSettings();
        SaveAudioSettings();
    }

private:
    DisplaySettings mSettings{0, 1, 800, 600};
};

SoundTestApplication gApplication;
} // namespace

int main(int argc, char** argv)
{
    Testing::NoFrameRenderer::Install();
    return RunWithArguments(argc, argv);
}
