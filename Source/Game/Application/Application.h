// The game's one application object (a global of the program, ApplicationInstance.cpp): its names
// and display, its audio platform, and its start-up: Start registers every type the data needs and
// the screens of the level flow, queues the loading screen with the start-up's resource groups as
// the first screen, and applies the current profile's window and audio settings. As an
// account-change handler it saves those settings into the old profile and applies the new one's
// around every change of profile; Stop saves them once more and lets go of the game's sound channels.
//
// The screens after the loading screen are created by the screens themselves (the loading screen
// creates the title screen); a new resource group goes into StartupGroups.cpp, a new node or
// record type into GameRegistration's functions.
#pragma once

#include "Framework/BaseApplication.h"
#include "Framework/IAccountChangeHandler.h"

class Application : public Corvane::BaseApplication, public Corvane::IAccountChangeHandler
{
public:
    Application();
    // Leaves the account manager's handler list if Stop has not run.
    ~Application() override;

    // Runs while the window is inactive only as long as the loading screen loads: the game stops
    // behind other windows, its loading does not.
    const Corvane::RunSettings& GetRunSettings() override;
    // Windowed or full screen as the current profile says ("Corvane::Window::Mode"), 800 x 600.
    // The first call opens the profiles, creating the default profile when there is none.
    const Corvane::DisplaySettings& GetDisplaySettings() override;
    // Creates the audio platform, which the engine then initialises and owns.
    void OnPlatformCreated() override;
    void Start() override;
    void Stop() override;

    // Saves the window and audio settings into the current profile.
    void OnAccountChanging() override;
    // Applies the current profile's window and audio settings.
    void OnAccountChanged() override;

private:
    Corvane::DisplaySettings mDisplaySettings;
    Corvane::RunSettings mRunSettings;
    bool mHandlerAdded = false;
};
