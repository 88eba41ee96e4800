#include "Framework/AccountManager.h"

#include "Debug.h"
#include "FileSystem.h"
#include "Framework/Account.h"
#include "Framework/AccountDamage.h"
#include "Framework/AccountFile.h"
#include "Framework/AccountLastGood.h"
#include "Framework/IAccountChangeHandler.h"
#include "Framework/ProfileNotice.h"
#include "RuntimeError.h"
#include "TextConversion.h"
#include "Utf8.h"

#include <algorithm>
#include <string_view>

namespace Corvane
{
namespace
{
AccountManager* gInstance = nullptr;

// Profiles live in folder "." of the per-user partition.
constexpr int kProfilePartition = 2;
const wchar_t kProfileFolder[] = L".";
const wchar_t kProfileExtension[] = L".act";

std::vector<FileLocation> ListProfileFolder(FileSystem& fileSystem, const wchar_t* extension)
{
    std::vector<FileLocation> files;
    fileSystem.List(FileLocation(kProfilePartition, kProfileFolder, L"*", extension), files);
    return files;
}

// Only a write in progress has a temporary file; one left is a killed write's, never to be used.
void RemoveTemporaryFiles(FileSystem& fileSystem)
{
    for (const FileLocation& file : ListProfileFolder(fileSystem, Internal::kTemporaryExtension))
        fileSystem.Delete(file);
}

// Deleting both files forgets a player; a last good copy left alone (a delete cut short, a profile
// file removed by hand) would otherwise stay for ever, and come back to a new profile of its name.
void RemoveOrphanedLastGood(FileSystem& fileSystem)
{
    const std::vector<FileLocation> profiles = ListProfileFolder(fileSystem, kProfileExtension);
    for (const FileLocation& copy : ListProfileFolder(fileSystem, Internal::kLastGoodExtension))
        if (std::none_of(profiles.begin(), profiles.end(), [&](const FileLocation& profile) {
                return std::wstring_view(profile.GetName()) == copy.GetName();
            }))
        {
            DebugPrint("A last good copy without its profile is removed:\n%s\n",
                       Utf8::FromWide(Internal::PathForMessages(copy)).c_str());
            fileSystem.Delete(copy);
        }
}
} // namespace

AccountManager* AccountManager::Get()
{
    if (!gInstance)
    {
        auto manager = std::unique_ptr<AccountManager>(new AccountManager);
        manager->Load();
        gInstance = manager.release();
    }
    return gInstance;
}

AccountManager* AccountManager::GetIfCreated()
{
    return gInstance;
}

AccountManager::AccountManager() : mTeardown(new Internal::OwnedSingletonDestructor<AccountManager>(this)) {}

AccountManager::~AccountManager()
{
    if (gInstance == this)
        gInstance = nullptr;
    delete mTeardown;
}

void AccountManager::Load()
{
    FileSystem* fileSystem = FileSystem::GetInstance();
    if (!fileSystem)
        throw RuntimeError("The player profiles cannot be read without the file system.", __FILE__, __LINE__,
                           "Corvane::AccountManager::Load");
    // The first start's writes tell the player once when the folder takes none.
    ProfileSaveBatch batch;
    RemoveTemporaryFiles(*fileSystem);
    RemoveOrphanedLastGood(*fileSystem);
    for (const FileLocation& file : ListProfileFolder(*fileSystem, kProfileExtension))
    {
        if (!Internal::SecureAccountFile(file))
            continue;
        const Account reader(file, L"", false);
        const std::wstring stored = Account::ReadString(&reader, Account::kNameKey, L"");
        // The control characters a hand edit may have put into a name are no part of it, in the
        // game or in its file.
        const std::wstring name = WithoutControlCharacters(stored);
        mAccounts.push_back(
            std::make_unique<Account>(file, name, Account::ReadBool(&reader, Account::kIsCurrentKey, false)));
        if (name != stored)
            Account::WriteString(mAccounts.back().get(), Account::kNameKey, name);
    }
    if (mAccounts.empty())
    {
        // A profile that cannot be written still lets the game be played: it stays in memory and
        // every later write tries again.
        std::wstring failure;
        if (!AddAccount(kDefaultProfileName, failure))
            ReportProfileSaveFailure(failure);
    }
    // Also settles files left with two current flags (a crash during a switch).
    Account* current = GetCurrentAccount();
    MakeCurrent(current ? current : mAccounts.front().get());
}

Account* AccountManager::AddAccount(const std::wstring& name, std::wstring& failure)
{
    FileLocation location(kProfilePartition, kProfileFolder, L"", kProfileExtension);
    FileLocation::MakeUnique(location);
    // Written whole in one step, so that no file without its name is ever seen.
    mAccounts.push_back(Account::MakeNew(location, name));
    return mAccounts.back()->Flush(failure) ? mAccounts.back().get() : nullptr;
}

std::vector<Account*> AccountManager::GetAccounts() const
{
    std::vector<Account*> accounts;
    for (const auto& account : mAccounts)
        accounts.push_back(account.get());
    return accounts;
}

Account* AccountManager::GetCurrentAccount() const
{
    for (const auto& account : mAccounts)
        if (account->IsCurrent())
            return account.get();
    return nullptr;
}

bool AccountManager::HasAccount(const std::wstring& name) const
{
    return FindAccount(name) != nullptr;
}

Account* AccountManager::FindAccount(const std::wstring& name) const
{
    for (const auto& account : mAccounts)
        if (account->GetName() == name)
            return account.get();
    return nullptr;
}

Account* AccountManager::CreateAccount(const std::wstring& name)
{
    if (HasAccount(name))
        return nullptr;
    std::wstring failure;
    if (Account* account = AddAccount(name, failure))
        return account;
    mAccounts.pop_back();
    throw RuntimeError(L"The profile could not be saved:\n" + failure, __FILE__, __LINE__,
                       "Corvane::AccountManager::CreateAccount");
}

bool AccountManager::DeleteAccount(const std::wstring& name)
{
    const auto found = std::find_if(mAccounts.begin(), mAccounts.end(),
                                    [&](const auto& account) { return account->GetName() == name; });
    if (found == mAccounts.end())
        return false;
    const auto position = found - mAccounts.begin();
    std::unique_ptr<Account> removed = std::move(*found);
    mAccounts.erase(found);
    if (removed->IsCurrent())
    {
        if (mAccounts.empty())
        {
            // As on a first start: the program always has a current profile.
            try
            {
                CreateAccount(kDefaultProfileName);
            }
            catch (...)
            {
                mAccounts.insert(mAccounts.begin() + position, std::move(removed));
                throw;
            }
        }
        MakeCurrent(mAccounts.front().get());
    }
    if (FileSystem* fileSystem = FileSystem::GetInstance())
    {
        fileSystem->Delete(removed->GetLocation());
        fileSystem->Delete(Internal::LastGoodOf(removed->GetLocation()));
    }
    return true;
}

bool AccountManager::SetCurrentAccount(const std::wstring& name)
{
    Account* target = FindAccount(name);
    if (!target)
        return false;
    MakeCurrent(target);
    return true;
}

void AccountManager::MakeCurrent(Account* target)
{
    // The settings saved by the handlers and the two flags: one step for the player.
    ProfileSaveBatch batch;
    // A handler may register or remove handlers while it is told.
    const std::vector<IAccountChangeHandler*> handlers = mHandlers;
    if (GetCurrentAccount())
        for (IAccountChangeHandler* handler : handlers)
            handler->OnAccountChanging();
    // The new flag is written before the old one is cleared: a kill between the two leaves two
    // current profiles, which the next start settles, never none. A flag moves even when its write
    // fails: the program needs a current account, and the write is kept for the next one.
    if (!target->mIsCurrent)
    {
        target->mIsCurrent = true;
        Account::WriteBool(target, Account::kIsCurrentKey, true);
    }
    for (const auto& account : mAccounts)
        if (account.get() != target && account->mIsCurrent)
        {
            account->mIsCurrent = false;
            Account::WriteBool(account.get(), Account::kIsCurrentKey, false);
        }
    if (GetCurrentAccount())
        for (IAccountChangeHandler* handler : handlers)
            handler->OnAccountChanged();
}

void AccountManager::AddAccountChangeHandler(IAccountChangeHandler* handler)
{
    mHandlers.push_back(handler);
}

void AccountManager::RemoveAccountChangeHandler(IAccountChangeHandler* handler)
{
    std::erase(mHandlers, handler);
}
} // namespace Corvane
