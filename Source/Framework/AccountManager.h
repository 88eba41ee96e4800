// The registry of player profiles: one Account per ".act" file in folder "." of the per-user
// partition (2). Built at first use: it loads every account file, creates the profile
// "TRVL_DEFAULT_PROFILE" when there is none (kept in memory when the folder takes no file, so the
// game can still be played), and makes sure exactly one account is current, which it keeps so
// from then on: later code relies on having a current account. Files are named by a
// random number; the display name lives only inside the file. Main thread.
#pragma once

#include "Singleton.h"

#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
class Account;
class IAccountChangeHandler;

class AccountManager
{
public:
    static constexpr wchar_t kDefaultProfileName[] = L"TRVL_DEFAULT_PROFILE";

    // The manager, built at the first call and registered for singleton teardown. Raises the
    // errors met while building it (no file system, an account file that cannot be created); the
    // next call tries again.
    static AccountManager* Get();
    // The manager when it was built, else null; never builds it.
    static AccountManager* GetIfCreated();

    ~AccountManager();
    AccountManager(const AccountManager&) = delete;
    AccountManager& operator=(const AccountManager&) = delete;

    // In file listing order, new accounts last; the manager owns them.
    std::vector<Account*> GetAccounts() const;
    // The first account flagged current; null only while the manager is being built.
    Account* GetCurrentAccount() const;
    // Names are compared exactly; the first match in list order.
    bool HasAccount(const std::wstring& name) const;
    Account* FindAccount(const std::wstring& name) const;

    // Writes a new account file holding the name and "not current" and appends the account; it
    // is not made current. Null, with no file written, when the name exists. Raises RuntimeError
    // (naming the file's full path and the reason) when the file cannot be written.
    Account* CreateAccount(const std::wstring& name);
    // Removes the account and deletes its file; when it was current, the first remaining account
    // becomes current, and when it was the only one a new default profile is made current. False
    // when no account has that name.
    bool DeleteAccount(const std::wstring& name);
    // Tells the handlers OnAccountChanging (when an account is current), moves the flag, writing
    // only the accounts whose flag changes, then tells them OnAccountChanged. False, with nothing
    // told or changed, when no account has that name.
    bool SetCurrentAccount(const std::wstring& name);

    // Not owned; appended in order.
    void AddAccountChangeHandler(IAccountChangeHandler* handler);
    // Removes every registration of handler.
    void RemoveAccountChangeHandler(IAccountChangeHandler* handler);

private:
    AccountManager();
    // Removes the temporary files of killed writes; loads the account files (a damaged one kept
    // as a copy first); creates the default profile, kept in memory when its file cannot be
    // written; settles the current flag.
    void Load();
    // Appends a new account and writes its file; null, with failure set and the account still
    // appended, when the file cannot be written.
    Account* AddAccount(const std::wstring& name, std::wstring& failure);
    // Makes target the only current account, telling the handlers around the change.
    void MakeCurrent(Account* target);

    std::vector<std::unique_ptr<Account>> mAccounts;
    std::vector<IAccountChangeHandler*> mHandlers;
    Internal::OwnedSingletonDestructor<AccountManager>* mTeardown;
};
} // namespace Corvane
