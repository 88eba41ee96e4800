// One player profile: its account file (AccountFile.h), its display name and whether it is the
// current profile. The account manager owns the accounts.
//
// Values are read and written by key (8-bit text, compared with case) through the static
// operations, which take the account as their first argument; a null account reads as empty and
// takes no writes. Every read parses the whole file, every write rewrites it, so values are
// written at rare moments (profile changes, level ends, settings, shut-down). Texts of values:
// integers in decimal, floats as the message formatter writes them, bools "true" or "false", raw
// bytes as Base64.
//
// A write that cannot be stored is never silent and never lost while the program runs: the player
// is told (ProfileNotice.h), the change is kept with the account, reads see it, and every later
// write stores it along. Main thread.
#pragma once

#include "AttributeContainer.h"
#include "FileLocation.h"
#include "Framework/AccountFile.h"

#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
class Account
{
public:
    // The account manager's keys.
    static constexpr char kNameKey[] = "Corvane::AccountManager::Name";
    static constexpr char kIsCurrentKey[] = "Corvane::AccountManager::IsCurrent";

    // An account whose file exists.
    Account(const FileLocation& location, const std::wstring& name, bool isCurrent);
    // A new account, not current, whose file is yet to be written (Flush).
    static std::unique_ptr<Account> MakeNew(const FileLocation& location, const std::wstring& name);
    Account(const Account&) = delete;
    Account& operator=(const Account&) = delete;

    const FileLocation& GetLocation() const { return mLocation; }
    const std::wstring& GetName() const { return mName; }
    bool IsCurrent() const { return mIsCurrent; }

    // A record with that key exists.
    static bool HasValue(const Account* account, const std::string& key);
    // The key's value, or fallback when there is no record or it has no value. The conversions
    // are those of the attribute containers ("C" locale numbers).
    static std::wstring ReadString(const Account* account, const std::string& key, const std::wstring& fallback);
    static int ReadInt(const Account* account, const std::string& key, const int& fallback);
    static float ReadFloat(const Account* account, const std::string& key, const float& fallback);
    static bool ReadBool(const Account* account, const std::string& key, const bool& fallback);
    // Copies up to size bytes of the key's raw value into buffer; returns how many (0 for a
    // missing key). Never writes to the file.
    static unsigned ReadBinary(const Account* account, const std::string& key, void* buffer, unsigned size);
    // The attributes of the key's last record; empty when there is none.
    static AttributeContainer FindRecord(const Account* account, const std::string& key);

    // Each formats the value and calls WriteValue; true when the file now holds it (see above for
    // a write that is not stored).
    static bool WriteString(Account* account, const std::string& key, const std::wstring& value);
    static bool WriteInt(Account* account, const std::string& key, int value);
    static bool WriteFloat(Account* account, const std::string& key, float value);
    static bool WriteBool(Account* account, const std::string& key, bool value);
    // Sets the value of every record of the key where it stands, or appends a record at the end.
    // False, with the file unchanged, when the file cannot be read whole or the new content cannot
    // be stored.
    static bool WriteValue(Account* account, const std::string& key, const std::wstring& text);
    // Drops every record of the key; false as WriteValue.
    static bool RemoveValue(Account* account, const std::string& key);
    // Stores size bytes as the key's value, its record moved to the end of the file, in one
    // rewrite. Returns size, or 0 when nothing was stored.
    static unsigned WriteBinary(Account* account, const std::string& key, const void* buffer, unsigned size);

    // Stores the changes kept from writes that failed (and makes the file of a new account);
    // true when the file holds everything. failure: the file's path and the reason.
    bool Flush(std::wstring& failure);

private:
    friend class AccountManager;
    friend class AccountStream;

    // Keeps the edit with those not stored yet and stores them all; tells the player when that
    // fails.
    bool Store(Internal::RecordEdit edit);

    FileLocation mLocation;
    std::wstring mName;
    bool mIsCurrent;
    // False until the file of a new account is written.
    bool mFileWritten = true;
    // Changes the file does not hold yet, at most one per key, in the order they were made.
    std::vector<Internal::RecordEdit> mUnsaved;
};
} // namespace Corvane
