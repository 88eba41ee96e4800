#include "Framework/Account.h"

#include "Format.h"
#include "Framework/AccountStream.h"
#include "Framework/ProfileNotice.h"
#include "TextConversion.h"

#include <algorithm>

namespace Corvane
{
namespace
{
constexpr bool SameKey(const char* narrow, const wchar_t* wide)
{
    for (; *narrow && *wide; ++narrow, ++wide)
        if (static_cast<wchar_t>(*narrow) != *wide)
            return false;
    return *narrow == 0 && *wide == 0;
}
static_assert(SameKey(Account::kNameKey, Internal::kNameKey), "the file layer names the same record");

std::wstring WideKey(const std::string& key)
{
    std::wstring wide;
    Narrow::ToWide(wide, key.c_str());
    return wide;
}

Internal::RecordEdit Edit(const std::string& key, Internal::RecordEditKind kind, const std::wstring& value)
{
    return {WideKey(key), kind, value};
}
} // namespace

Account::Account(const FileLocation& location, const std::wstring& name, bool isCurrent)
    : mLocation(location), mName(name), mIsCurrent(isCurrent)
{
}

std::unique_ptr<Account> Account::MakeNew(const FileLocation& location, const std::wstring& name)
{
    auto account = std::make_unique<Account>(location, name, false);
    account->mFileWritten = false;
    account->mUnsaved = {Edit(kNameKey, Internal::RecordEditKind::kSet, name),
                         Edit(kIsCurrentKey, Internal::RecordEditKind::kSet, L"false")};
    return account;
}

bool Account::Flush(std::wstring& failure)
{
    // Damage may take the records that make the file a profile: they are put back as known here.
    const std::vector<Internal::RecordEdit> identity = {
        Edit(kNameKey, Internal::RecordEditKind::kSet, mName),
        Edit(kIsCurrentKey, Internal::RecordEditKind::kSet, mIsCurrent ? L"true" : L"false")};
    if (!Internal::RewriteAccountFile(mLocation, mUnsaved, !mFileWritten, failure, identity))
        return false;
    mUnsaved.clear();
    mFileWritten = true;
    return true;
}

bool Account::Store(Internal::RecordEdit edit)
{
    std::erase_if(mUnsaved, [&](const Internal::RecordEdit& kept) { return kept.key == edit.key; });
    mUnsaved.push_back(std::move(edit));
    std::wstring failure;
    if (Flush(failure))
        return true;
    ReportProfileSaveFailure(failure);
    return false;
}

AttributeContainer Account::FindRecord(const Account* account, const std::string& key)
{
    if (!account)
        return {};
    const std::wstring wide = WideKey(key);
    // A change not stored yet is the value as the player left it.
    const auto kept = std::find_if(account->mUnsaved.begin(), account->mUnsaved.end(),
                                   [&](const Internal::RecordEdit& edit) { return edit.key == wide; });
    if (kept != account->mUnsaved.end())
    {
        AttributeContainer record;
        if (kept->kind != Internal::RecordEditKind::kRemove)
        {
            record.SetAttribute(Internal::kNameAttribute, wide);
            record.SetAttribute(Internal::kValueAttribute, kept->value);
        }
        return record;
    }
    return account->mFileWritten ? Internal::FindAccountRecord(account->GetLocation(), wide) : AttributeContainer();
}

bool Account::HasValue(const Account* account, const std::string& key)
{
    return FindRecord(account, key).HasAttribute(L"name");
}

std::wstring Account::ReadString(const Account* account, const std::string& key, const std::wstring& fallback)
{
    // The whole value: a hand edit may have put a NUL into it, which is no end of the text.
    const AttributeContainer record = FindRecord(account, key);
    std::wstring value;
    return record.HasAttribute(Internal::kValueAttribute) ? record.GetAttribute(value, Internal::kValueAttribute)
                                                          : fallback;
}

int Account::ReadInt(const Account* account, const std::string& key, const int& fallback)
{
    return FindRecord(account, key).GetIntAttribute(Internal::kValueAttribute, fallback);
}

float Account::ReadFloat(const Account* account, const std::string& key, const float& fallback)
{
    return FindRecord(account, key).GetFloatAttribute(Internal::kValueAttribute, fallback);
}

bool Account::ReadBool(const Account* account, const std::string& key, const bool& fallback)
{
    return FindRecord(account, key).GetBoolAttribute(Internal::kValueAttribute, fallback);
}

unsigned Account::ReadBinary(const Account* account, const std::string& key, void* buffer, unsigned size)
{
    AccountStream stream(account, key);
    return stream.Read(buffer, size);
}

bool Account::WriteString(Account* account, const std::string& key, const std::wstring& value)
{
    return WriteValue(account, key, value);
}

bool Account::WriteInt(Account* account, const std::string& key, int value)
{
    return WriteValue(account, key, (Format(L"%1:d%") % value).str());
}

bool Account::WriteFloat(Account* account, const std::string& key, float value)
{
    return WriteValue(account, key, (Format(L"%1%") % value).str());
}

bool Account::WriteBool(Account* account, const std::string& key, bool value)
{
    return WriteValue(account, key, value ? L"true" : L"false");
}

bool Account::WriteValue(Account* account, const std::string& key, const std::wstring& text)
{
    return account && account->Store(Edit(key, Internal::RecordEditKind::kSet, text));
}

bool Account::RemoveValue(Account* account, const std::string& key)
{
    return account && account->Store(Edit(key, Internal::RecordEditKind::kRemove, L""));
}

unsigned Account::WriteBinary(Account* account, const std::string& key, const void* buffer, unsigned size)
{
    AccountStream stream(account, key, AccountStream::kReplace);
    if (stream.Write(buffer, size) != size)
        return 0;
    return stream.Close() ? size : 0;
}
} // namespace Corvane
