#include "Framework/Account.h"

#include "Format.h"
#include "Framework/AccountFile.h"
#include "Framework/AccountStream.h"
#include "TextConversion.h"

namespace Corvane
{
namespace
{
const wchar_t kValueAttribute[] = L"value";

std::wstring WideKey(const std::string& key)
{
    std::wstring wide;
    Narrow::ToWide(wide, key.c_str());
    return wide;
}

bool Rewrite(const Account* account, const std::string& key, const std::wstring& text, Internal::RecordEdit edit)
{
    return account &&
           Internal::RewriteAccountFile(account->GetLocation(), account->GetName(), WideKey(key), text, edit);
}
} // namespace

Account::Account(const FileLocation& location, const std::wstring& name, bool isCurrent)
    : mLocation(location), mName(name), mIsCurrent(isCurrent)
{
}

AttributeContainer Account::FindRecord(const Account* account, const std::string& key)
{
    return account ? Internal::FindAccountRecord(account->GetLocation(), WideKey(key)) : AttributeContainer();
}

bool Account::HasValue(const Account* account, const std::string& key)
{
    return FindRecord(account, key).HasAttribute(L"name");
}

std::wstring Account::ReadString(const Account* account, const std::string& key, const std::wstring& fallback)
{
    return FindRecord(account, key).GetStringAttribute(kValueAttribute, fallback.c_str());
}

int Account::ReadInt(const Account* account, const std::string& key, const int& fallback)
{
    return FindRecord(account, key).GetIntAttribute(kValueAttribute, fallback);
}

float Account::ReadFloat(const Account* account, const std::string& key, const float& fallback)
{
    return FindRecord(account, key).GetFloatAttribute(kValueAttribute, fallback);
}

bool Account::ReadBool(const Account* account, const std::string& key, const bool& fallback)
{
    return FindRecord(account, key).GetBoolAttribute(kValueAttribute, fallback);
}

unsigned Account::ReadBinary(const Account* account, const std::string& key, void* buffer, unsigned size)
{
    AccountStream stream(account, key, AccountStream::kRead);
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
    return Rewrite(account, key, text, Internal::RecordEdit::kSet);
}

bool Account::RemoveValue(Account* account, const std::string& key)
{
    return Rewrite(account, key, L"", Internal::RecordEdit::kRemove);
}

unsigned Account::WriteBinary(Account* account, const std::string& key, const void* buffer, unsigned size)
{
    AccountStream stream(account, key, AccountStream::kReplace);
    if (stream.Write(buffer, size) != size)
        return 0;
    return stream.Close() ? size : 0;
}
} // namespace Corvane
