// The new-profile popup: a name field ("AccountName"), OK and Cancel. It slides in with the focus in
// the field; Enter presses OK where the layout gives OK that hot key. OK with an empty name, or with
// the name of a profile that exists or of the default profile, shows why in place of the
// instructions and stays; otherwise the profile is made, made current, the popup slides out and the
// default profile, if still there, is deleted. From the title, where a profile must be made, there
// is no Cancel.
#pragma once

#include "Game/Menus/MenuMode.h"

class EditAccountMode : public MenuMode
{
public:
    explicit EditAccountMode(bool cancelAllowed) : mCancelAllowed(cancelAllowed) {}

    void OnEnter() override;
    bool IsOpaque() override { return false; }

    // OK: checks the name and makes the profile.
    virtual void Confirm();
    // Cancel: slides out; nothing changes.
    virtual void Close();

    bool IsCancelAllowed() const { return mCancelAllowed; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    bool mCancelAllowed;
};
