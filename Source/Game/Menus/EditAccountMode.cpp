#include "Game/Menus/EditAccountMode.h"

#include "Debug.h"
#include "Framework/AccountManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/TextEditNode.h"

#include <exception>

using namespace Corvane;

namespace
{
Label AccountName()
{
    static const Label label("AccountName");
    return label;
}

Label CancelButton()
{
    static const Label label("CancelButton");
    return label;
}
} // namespace

void EditAccountMode::OnEnter()
{
    EnterLayout(Label("NewProfileModeLayout"));
    SetTextAt(ScreenPaths::Profiles::kNewProfileTextEnter,
              LocalizedText::GetText(Label("Profiles.EnterNameInstructions")));
    SlideIn();
    if (!mCancelAllowed)
        if (auto* cancel = FindObject<ButtonNode>(CancelButton()))
            cancel->SetEnabled(false);
    if (auto* name = FindObject<TextEditNode>(AccountName()))
        name->SetKeyboardFocus();
    // End-to-end checks watch for this line.
    DebugPrint("EditAccountMode: the new-profile popup is up\n");
}

void EditAccountMode::OnControl(Label, Label sender)
{
    static const Label okButton("OkButton");
    if (sender == okButton)
        Confirm();
    // A disabled button still clicks by its hot key (Escape): without Cancel, nothing closes.
    else if (sender == CancelButton() && mCancelAllowed)
        Close();
}

void EditAccountMode::Confirm()
{
    const auto* field = FindObject<TextEditNode>(AccountName());
    const std::wstring name = field ? field->GetText() : std::wstring();
    AccountManager& accounts = *AccountManager::Get();
    const auto refuse = [this](const char* key) {
        SetTextAt(ScreenPaths::Profiles::kNewProfileTextEnter, LocalizedText::GetText(Label(key)));
    };
    if (name.empty())
        return refuse("Profiles.CharMinimum");
    // The default profile's name is taken even when it is gone: a profile called so would be
    // deleted as the default one right after it was made.
    if (accounts.HasAccount(name) || name == AccountManager::kDefaultProfileName)
        return refuse("Profiles.ProfileExists");
    try
    {
        accounts.CreateAccount(name);
        accounts.SetCurrentAccount(name);
    }
    catch (const std::exception& error)
    {
        DebugPrint("EditAccountMode: the profile could not be made: %s\n", error.what());
        return refuse("Profiles.CreateFailed");
    }
    SlideOut();
    if (accounts.HasAccount(AccountManager::kDefaultProfileName))
        accounts.DeleteAccount(AccountManager::kDefaultProfileName);
}

void EditAccountMode::Close()
{
    SlideOut();
}
