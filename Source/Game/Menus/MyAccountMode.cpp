#include "Game/Menus/MyAccountMode.h"

#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/DeleteAccountMode.h"
#include "Game/Menus/EditAccountMode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/FixedListNode.h"

#include <algorithm>
#include <cstdint>

using namespace Corvane;

namespace
{
Label AccountList()
{
    static const Label label("AccountList");
    return label;
}

Label NewButton()
{
    static const Label label("NewButton");
    return label;
}

Label DeleteButton()
{
    static const Label label("DeleteButton");
    return label;
}
} // namespace

MyAccountMode::~MyAccountMode()
{
    if (mListening)
        if (AccountManager* accounts = AccountManager::GetIfCreated())
            accounts->RemoveAccountChangeHandler(this);
}

void MyAccountMode::OnEnter()
{
    EnterLayout(Label("ProfileModeLayout"));
    SetTextAt(ScreenPaths::Profiles::kSelectProfileText,
              LocalizedText::GetText(Label("Profiles.SelectProfileInstructions")));
    AccountManager& accounts = *AccountManager::Get();
    if (const Account* current = accounts.GetCurrentAccount())
        mEnteredProfile = current->GetName();
    accounts.AddAccountChangeHandler(this);
    mListening = true;
}

void MyAccountMode::OnLoseFocus()
{
    MenuMode::OnLoseFocus();
    // Leaving pops the screen at once: only a popup takes the focus while the screen stays.
    if (SceneNode* panel = GetLayoutRoot(); panel && !IsClosing())
        panel->SetVisible(false);
}

void MyAccountMode::OnGainFocus()
{
    if (SceneNode* panel = GetLayoutRoot())
        panel->SetVisible(true);
    auto* list = FindObject<FixedListNode>(AccountList());
    if (!list)
        return;
    const AccountManager& accounts = *AccountManager::Get();
    list->Clear();
    int selected = -1;
    for (Account* account : accounts.GetAccounts())
    {
        const int row = list->AddItem(account->GetName(), reinterpret_cast<std::intptr_t>(account));
        if (account == accounts.GetCurrentAccount())
            selected = row;
    }
    list->SetSelection(selected);
    auto* newButton = FindObject<ButtonNode>(NewButton());
    auto* deleteButton = FindObject<ButtonNode>(DeleteButton());
    if (newButton)
        newButton->SetEnabled(list->GetItemCount() < list->GetRowCount());
    if (deleteButton)
        deleteButton->SetEnabled(list->GetItemCount() >= 2);
}

Account* MyAccountMode::SelectedAccount() const
{
    const auto* list = FindObject<FixedListNode>(AccountList());
    const FixedListNode::Entry* entry = list ? list->GetSelectedEntry() : nullptr;
    if (!entry)
        return nullptr;
    // The row holds the profile it was filled with; a profile deleted since is no longer listed.
    const std::vector<Account*> accounts = AccountManager::Get()->GetAccounts();
    const auto found = std::find(accounts.begin(), accounts.end(), reinterpret_cast<Account*>(entry->value));
    return found != accounts.end() ? *found : nullptr;
}

void MyAccountMode::OnControl(Label, Label sender)
{
    static const Label okButton("OkButton");
    static const Label cancelButton("CancelButton");
    if (sender == NewButton())
        PushApplicationMode(new EditAccountMode(true));
    else if (sender == DeleteButton())
    {
        Account* account = SelectedAccount();
        if (account && AccountManager::Get()->GetAccounts().size() >= 2)
            PushApplicationMode(new DeleteAccountMode(*account));
    }
    else if (sender == okButton)
    {
        // Every change of the current profile is heard (OnAccountChanged): choosing the one that
        // is current already is none.
        if (Account* account = SelectedAccount(); account && !account->IsCurrent())
            AccountManager::Get()->SetCurrentAccount(account->GetName());
        Leave();
    }
    else if (sender == cancelButton)
        Leave();
}

void MyAccountMode::Leave()
{
    const Account* current = AccountManager::Get()->GetCurrentAccount();
    const bool nameDiffers = !current || current->GetName() != mEnteredProfile;
    // A progress not read yet is read from the current profile when first used.
    if (mProfileChanged || nameDiffers)
        if (LevelProgressManager* progress = LevelProgressManager::InstanceIfCreated())
            progress->LoadFromAccount();
    CloseAtOnce();
}
