#include "Framework/AccountManager.h"

#include "FileSystem.h"
#include "Framework/Account.h"
#include "Framework/AccountFile.h"
#include "Framework/IAccountChangeHandler.h"
#include "RuntimeError.h"

#include <algorithm>

namespace Corvane
{
namespace
{
AccountManager* gInstance = nullptr;

// Profiles live in folder "." of the per-user partition.
constexpr int kProfilePartition = 2;
const wchar_t kProfileFolder[] = L".";
const wchar_t kProfileExtension[] = L".act";

std::wstring WideKey(const char* key)
{
    return std::wstring(key, key + std::char_traits<char>::length(key));
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
    std::vector<FileLocation> files;
    fileSystem->List(FileLocation(kProfilePartition, kProfileFolder, L"*", kProfileExtension), files);
    for (const FileLocation& file : files)
    {
        const Account reader(file, L"", false);
        mAccounts.push_back(std::make_unique<Account>(file, Account::ReadString(&reader, Account::kNameKey, L""),
                                                      Account::ReadBool(&reader, Account::kIsCurrentKey, false)));
    }
    if (mAccounts.empty())
        CreateAccount(kDefaultProfileName);
    // Also settles files left with two current flags (a crash between the two flag writes).
    Account* current = GetCurrentAccount();
    MakeCurrent(current ? current : mAccounts.front().get());
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
    FileLocation location(kProfilePartition, kProfileFolder, L"", kProfileExtension);
    FileLocation::MakeUnique(location);
    // Written whole in one step, so that no file without its name is ever seen.
    Internal::CreateAccountFile(location,
                                {{WideKey(Account::kNameKey), name}, {WideKey(Account::kIsCurrentKey), L"false"}});
    mAccounts.push_back(std::make_unique<Account>(location, name, false));
    return mAccounts.back().get();
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
        fileSystem->Delete(removed->GetLocation());
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
    // A handler may register or remove handlers while it is told.
    const std::vector<IAccountChangeHandler*> handlers = mHandlers;
    if (GetCurrentAccount())
        for (IAccountChangeHandler* handler : handlers)
            handler->OnAccountChanging();
    for (const auto& account : mAccounts)
    {
        const bool current = account.get() == target;
        if (account->mIsCurrent == current)
            continue;
        // The flag moves even when its write fails (reported by the write): the program needs a
        // current account, and the next start settles the files.
        account->mIsCurrent = current;
        Account::WriteBool(account.get(), Account::kIsCurrentKey, current);
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
