#include "Framework/AccountLastGood.h"

#include "Debug.h"
#include "Framework/AccountDamage.h"
#include "Framework/AccountFile.h"
#include "MemoryStream.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "StreamUtil.h"
#include "Utf8.h"

#include <algorithm>

namespace Corvane::Internal
{
namespace
{
// The record a last good generation holds beyond its profile's: the name of the file it was kept
// for, which a copy of another profile's file never holds.
const wchar_t kKeptForKey[] = L"Corvane::AccountManager::LastGoodOf";

std::wstring FileNameOf(const FileLocation& file)
{
    return std::wstring(file.GetName()) + file.GetExtension();
}

// content as the file's last good generation.
MemoryStream MarkedFor(const FileLocation& file, const MemoryStream& content)
{
    MemoryStream marked = content;
    ApplyEdits(marked, {{kKeptForKey, RecordEditKind::kSet, FileNameOf(file)}});
    return marked;
}

void Store(const FileLocation& file, MemoryStream& marked)
{
    std::wstring failure;
    if (!StoreAccountFile(LastGoodOf(file), marked, failure))
        DebugPrint("The last good copy of a profile could not be kept:\n%s\n", Utf8::FromWide(failure).c_str());
}

// Reads the generation as the regular file itself. False, with failure set and the code as the
// last error, when it cannot be.
bool ReadItself(const FileLocation& file, MemoryStream& out, std::wstring& failure)
{
    return ReadAccountFile(LastGoodOf(file), out, failure, kFileRead | kFileNoLink);
}

bool IsMissing(DWORD code)
{
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

bool HoldSameBytes(MemoryStream& one, MemoryStream& other)
{
    std::vector<std::uint8_t> oneStorage, otherStorage;
    one.Seek(IStream::kFromStart, 0);
    other.Seek(IStream::kFromStart, 0);
    const StreamBytes a = ReadAllBytes(one, oneStorage);
    const StreamBytes b = ReadAllBytes(other, otherStorage);
    return a.size == b.size && std::equal(a.data, a.data + a.size, b.data);
}

// The value of the last record of the key, if any has one.
std::optional<std::wstring> LastValue(const std::vector<AttributeMap>& records, const std::wstring& key)
{
    std::optional<std::wstring> found;
    for (const AttributeMap& record : records)
        if (IsNamed(record, key))
        {
            const auto value = record.find(kValueAttribute);
            found = value == record.end() ? std::wstring() : value->second;
        }
    return found;
}

// Why the records are not those of the file's own copy; empty when they are.
std::wstring WhyNotOwn(const FileLocation& file, const std::vector<AttributeMap>& records,
                       const std::optional<std::wstring>& name)
{
    const std::optional<std::wstring> keptFor = LastValue(records, kKeptForKey);
    const std::optional<std::wstring> itsName = LastValue(records, kNameKey);
    if (keptFor && *keptFor != FileNameOf(file))
        return L"It was kept for another profile file, " + *keptFor + L".";
    if (name && itsName && *itsName != *name)
        return L"It holds another player's profile, \"" + *itsName + L"\".";
    if (!keptFor && !(name && itsName))
        return L"It does not say whose profile it holds.";
    return {};
}
} // namespace

FileLocation LastGoodOf(const FileLocation& file)
{
    FileLocation lastGood = file;
    lastGood.SetExtension(kLastGoodExtension);
    return lastGood;
}

void KeepLastGood(const FileLocation& file, MemoryStream& content)
{
    MemoryStream marked = MarkedFor(file, content);
    Store(file, marked);
}

void RefreshLastGood(const FileLocation& file, MemoryStream& content)
{
    MemoryStream marked = MarkedFor(file, content);
    MemoryStream kept(file.ToString());
    std::wstring failure;
    const bool read = ReadItself(file, kept, failure);
    if (!read && !IsMissing(GetLastError()))
        DebugPrint("The last good copy of a profile could not be read and is made again:\n%s\n",
                   Utf8::FromWide(failure).c_str());
    if (!read || !HoldSameBytes(kept, marked))
        Store(file, marked);
    content.Seek(IStream::kFromStart, 0);
}

LastGoodRecords ReadLastGood(const FileLocation& file, const std::optional<std::wstring>& name)
{
    LastGoodRecords result;
    MemoryStream content(file.ToString());
    std::wstring failure;
    if (!ReadItself(file, content, failure))
    {
        const DWORD code = GetLastError();
        if (code == ERROR_CANT_RESOLVE_FILENAME)
            result.refusal = PathForMessages(LastGoodOf(file)) + L"\nIt is a link, not a copy of its own.";
        else if (code == ERROR_CANT_ACCESS_FILE)
            result.refusal = PathForMessages(LastGoodOf(file)) + L"\nIt is no regular file.";
        else if (!IsMissing(code))
            result.refusal = failure;
        return result;
    }
    std::wstring damage;
    std::vector<AttributeMap> records = RecordsOf(content, damage);
    const std::wstring why = WhyNotOwn(file, records, name);
    if (!why.empty())
    {
        result.refusal = PathForMessages(LastGoodOf(file)) + L"\n" + why;
        return result;
    }
    std::erase_if(records, [](const AttributeMap& record) { return IsNamed(record, kKeptForKey); });
    result.records = std::move(records);
    return result;
}
} // namespace Corvane::Internal
