// The profile list: every profile in the list "AccountList", the current one selected, and the
// buttons New (a new-profile popup), Delete (a confirmation popup for the selected profile), OK
// (makes the selected profile current) and Cancel. One popup shows at a time: the list's panel
// steps aside while a popup of its own is over it and comes back with what the popup did, the
// list filled again; Delete is disabled with fewer than two profiles, New once the list's rows
// are full. Leaving, by OK or Cancel, reloads the level
// progress and the tutorial record when the current profile changed while the screen was up, also
// when the new current profile has the old one's name.
#pragma once

#include "Framework/IAccountChangeHandler.h"
#include "Game/Menus/MenuMode.h"

#include <string>

namespace Corvane
{
class Account;
}

class MyAccountMode : public MenuMode, public Corvane::IAccountChangeHandler
{
public:
    MyAccountMode() = default;
    // Stops listening for profile changes.
    ~MyAccountMode() override;

    void OnEnter() override;
    // Shows the panel again, fills the list again and sets the buttons.
    void OnGainFocus() override;
    // Hides the panel while a popup is over it.
    void OnLoseFocus() override;
    bool IsOpaque() override { return false; }

    void OnAccountChanging() override {}
    void OnAccountChanged() override { mProfileChanged = true; }

    // The name of the profile that was current on entering.
    const std::wstring& GetEnteredProfile() const { return mEnteredProfile; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    // The profile of the selected row, when it still exists.
    Corvane::Account* SelectedAccount() const;
    // Reloads the progress when the current profile changed; then pops the screen.
    void Leave();

    std::wstring mEnteredProfile;
    bool mProfileChanged = false;
    bool mListening = false;
};
