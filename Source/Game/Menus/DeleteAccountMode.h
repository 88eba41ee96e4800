// The popup that asks before a profile is deleted. It keeps the profile's name, not the profile:
// OK deletes the profile of that name, if it is still there and is not the last one, and slides
// out; Cancel only slides out.
#pragma once

#include "Game/Menus/MenuMode.h"

#include <string>

namespace Corvane
{
class Account;
}

class DeleteAccountMode : public MenuMode
{
public:
    explicit DeleteAccountMode(const Corvane::Account& account);

    void OnEnter() override;
    bool IsOpaque() override { return false; }

    virtual void Confirm();
    virtual void Close();

    const std::wstring& GetAccountName() const { return mAccountName; }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    std::wstring mAccountName;
};
