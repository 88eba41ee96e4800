#include "Game/Menus/DeleteAccountMode.h"

#include "Format.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"

using namespace Corvane;

DeleteAccountMode::DeleteAccountMode(const Account& account) : mAccountName(account.GetName()) {}

void DeleteAccountMode::OnEnter()
{
    EnterLayout(Label("DeleteProfileModeLayout"));
    SlideIn();
    // The question may name the profile ("%1%").
    const std::wstring question = LocalizedText::GetText(Label("Profiles.DeleteConfirm"));
    SetTextAt(ScreenPaths::Profiles::kDeleteConfirmText, (Format(question) % mAccountName).str());
}

void DeleteAccountMode::OnControl(Label, Label sender)
{
    static const Label okButton("OkButton");
    static const Label cancelButton("CancelButton");
    if (sender == okButton)
        Confirm();
    else if (sender == cancelButton)
        Close();
}

void DeleteAccountMode::Confirm()
{
    AccountManager& accounts = *AccountManager::Get();
    // The last profile stays: the game always has a current one.
    if (accounts.GetAccounts().size() >= 2)
        accounts.DeleteAccount(mAccountName);
    SlideOut();
}

void DeleteAccountMode::Close()
{
    SlideOut();
}
