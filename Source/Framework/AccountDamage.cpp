#include "Framework/AccountDamage.h"

#include "Debug.h"
#include "FileSystem.h"
#include "Framework/AccountFile.h"
#include "Framework/AccountLastGood.h"
#include "Framework/ProfileNotice.h"
#include "MemoryStream.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "StreamUtil.h"
#include "Utf8.h"
#include "XMLEntities.h"
#include "XMLReader.h"
#include "XMLWriter.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <string_view>

namespace Corvane::Internal
{
namespace
{
const wchar_t kDamagedExtension[] = L".damaged";
// Lost records a message names at most, so that the box fits an 800 x 600 screen; the kept copy
// holds them all.
constexpr std::size_t kLostNamesTold = 5;

bool IsBlank(const std::wstring& text)
{
    // A byte-order mark is what an editor may put first.
    return text.find_first_not_of(L" \t\r\n\uFEFF") == std::wstring::npos;
}

bool IsNameCharacter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' || c == L':' ||
           c == L'.' || c == L'-' || c > 0x7F;
}

// The lenient reader turns a value that lost its closing quote into odd attribute names ("C\"")
// and takes the records after it into that value.
bool HasDamagedAttributes(const XMLElement& node)
{
    for (const auto& [name, value] : node.GetAttributes())
        if (name.empty() || !std::all_of(name.begin(), name.end(), IsNameCharacter))
            return true;
    return false;
}

// The length of the record start tag that begins piece when it is whole (every value quoted and
// closed before the tag ends), else 0. piece ends before the next '<', and values hold no raw '<',
// so a tag cut short or a value that lost its quote never runs on into the next tag.
std::size_t WholeRecordTag(std::string_view piece)
{
    const std::string_view open = "<record";
    if (!piece.starts_with(open))
        return 0;
    std::size_t at = open.size();
    const auto skipSpace = [&] {
        const std::size_t from = at;
        while (at < piece.size() && std::isspace(static_cast<unsigned char>(piece[at])))
            ++at;
        return at > from;
    };
    for (;;)
    {
        const bool spaced = skipSpace();
        if (at >= piece.size())
            return 0;
        if (piece[at] == '>')
            return at + 1;
        if (piece.substr(at, 2) == "/>")
            return at + 2;
        const std::size_t name = at;
        while (at < piece.size() && IsNameCharacter(static_cast<unsigned char>(piece[at])))
            ++at;
        if (!spaced || at == name)
            return 0;
        skipSpace();
        if (at >= piece.size() || piece[at] != '=')
            return 0;
        ++at;
        skipSpace();
        if (at >= piece.size() || (piece[at] != '"' && piece[at] != '\''))
            return 0;
        const std::size_t close = piece.find(piece[at], at + 1);
        if (close == piece.npos)
            return 0;
        at = close + 1;
    }
}

bool HasKey(const std::vector<AttributeMap>& records, const std::wstring& key)
{
    return std::any_of(records.begin(), records.end(),
                       [&](const AttributeMap& record) { return IsNamed(record, key); });
}

// The names of the records in the document's bytes that records lacks: each quoted value of a
// "name" attribute, however damaged the record around it, unless it runs into another tag.
std::vector<std::wstring> LostRecordNames(MemoryStream& document, const std::vector<AttributeMap>& records)
{
    document.Seek(IStream::kFromStart, 0);
    std::vector<std::uint8_t> storage;
    const StreamBytes bytes = ReadAllBytes(document, storage);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data), bytes.size);
    std::vector<std::wstring> lost;
    for (std::size_t at = text.find("name="); at != text.npos; at = text.find("name=", at + 1))
    {
        const std::size_t open = at + 5;
        if (at == 0 || !std::isspace(static_cast<unsigned char>(text[at - 1])) || open >= text.size() ||
            (text[open] != '"' && text[open] != '\''))
            continue;
        const std::size_t close = text.find(text[open], open + 1);
        if (close == text.npos)
            continue;
        const std::string_view quoted = text.substr(open + 1, close - open - 1);
        if (quoted.find_first_of("<>\r\n") != quoted.npos)
            continue;
        std::wstring name = Utf8::ToWide(std::string(quoted));
        DecodeReferences(name);
        if (!HasKey(records, name) && std::find(lost.begin(), lost.end(), name) == lost.end())
            lost.push_back(std::move(name));
    }
    document.Seek(IStream::kFromStart, 0);
    return lost;
}

// The message's paragraph on a last good copy that was not used; empty when none was refused.
std::wstring WhyLastGoodUnused(const ProfileDamage& damage)
{
    return damage.refusal.empty() ? L"" : L"\n\nThe last good copy beside it was not used:\n" + damage.refusal;
}

// The lost names, one a line, as many as a message tells.
std::wstring ListOf(const std::vector<std::wstring>& names)
{
    std::wstring list;
    for (std::size_t i = 0; i < names.size() && i < kLostNamesTold; ++i)
        list += L"\n" + names[i];
    if (names.size() > kLostNamesTold)
        list += L"\nand " + std::to_wstring(names.size() - kLostNamesTold) + L" more";
    return list;
}

// "<name>-<yyyymmdd>-<hhmmss>.damaged" beside the file, numbered on when taken.
FileLocation DatedCopyOf(const FileLocation& file)
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "-%Y%m%d-%H%M%S", &local);
    const std::wstring base = file.GetName() + Utf8::ToWide(stamp);
    FileLocation copy = file;
    copy.SetExtension(kDamagedExtension);
    FileSystem* fileSystem = FileSystem::GetInstance();
    for (int n = 1;; ++n)
    {
        copy.SetName((n == 1 ? base : base + L"-" + std::to_wstring(n)).c_str());
        FileLocation probe = copy;
        if (!fileSystem || !fileSystem->Exists(probe))
            return copy;
    }
}
} // namespace

std::wstring WalkAccount(MemoryStream& document, const std::function<void(const XMLElement&)>& onRecord)
{
    document.Seek(IStream::kFromStart, 0);
    // The reader refuses an empty document; a player is told so in plain words.
    if (document.GetSize() == 0)
        return L"The file is empty.";
    try
    {
        XMLReader reader(document);
        int depth = 0;
        bool account = false;
        while (!reader.AtEnd())
        {
            const XMLElement* node = reader.Next();
            if (!node)
                continue;
            if (node->IsText())
            {
                // What the lenient reader takes as text is a record that lost its "<".
                if (!IsBlank(node->GetName()))
                    return L"There is text where a record belongs.";
                continue;
            }
            if (node->IsStartTag())
            {
                if (depth == 0 && (account || node->GetName() != kAccountTag))
                    return L"Something other than one \"account\" element is in the file.";
                account = true;
                ++depth;
                if (HasDamagedAttributes(*node))
                    return L"An element's attributes are damaged.";
                if (onRecord && node->GetName() == kRecordTag)
                    onRecord(*node);
            }
            else if (--depth < 0)
                return L"An end tag has no start tag.";
        }
        if (!account)
            return L"The file holds no \"account\" element.";
        if (depth > 0)
            return L"The file ends early: the element \"account\" is not closed.";
        return {};
    }
    catch (const std::exception& error)
    {
        return Utf8::ToWide(error.what());
    }
}

std::vector<AttributeMap> SalvageRecords(MemoryStream& document)
{
    document.Seek(IStream::kFromStart, 0);
    std::vector<std::uint8_t> storage;
    const StreamBytes bytes = ReadAllBytes(document, storage);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data), bytes.size);
    std::vector<AttributeMap> records;
    for (std::size_t start = text.find("<record"); start != text.npos; start = text.find("<record", start + 1))
    {
        // Up to the next tag: one record's start tag, read on its own when it is whole.
        const std::size_t end = text.find('<', start + 1);
        const std::string_view piece = text.substr(start, end == text.npos ? text.npos : end - start);
        const std::size_t whole = WholeRecordTag(piece);
        if (whole == 0)
            continue;
        MemoryStream stream(L"record");
        stream.Write(piece.data(), static_cast<unsigned>(whole));
        stream.Seek(IStream::kFromStart, 0);
        try
        {
            XMLReader reader(stream);
            const XMLElement* node = reader.AtEnd() ? nullptr : reader.Next();
            if (node && node->IsStartTag() && node->GetName() == kRecordTag && node->HasAttribute(kNameAttribute))
                records.push_back(node->GetAttributes());
        }
        catch (const std::exception&)
        {
            // The damage is in this record itself: it stays in the kept copy only.
        }
    }
    document.Seek(IStream::kFromStart, 0);
    return records;
}

std::vector<AttributeMap> RecordsOf(MemoryStream& document, std::wstring& damage)
{
    std::vector<AttributeMap> records;
    damage = WalkAccount(document, [&](const XMLElement& record) { records.push_back(record.GetAttributes()); });
    return damage.empty() ? records : SalvageRecords(document);
}

std::vector<AttributeMap> ReadProfileRecords(const FileLocation& file, MemoryStream& document, ProfileDamage& damage)
{
    damage = {};
    std::vector<AttributeMap> records = RecordsOf(document, damage.reason);
    if (damage.reason.empty())
        return records;
    std::optional<std::wstring> name;
    for (const AttributeMap& record : records)
        if (IsNamed(record, kNameKey) && record.contains(kValueAttribute))
            name = record.at(kValueAttribute);
    LastGoodRecords lastGood = ReadLastGood(file, name);
    damage.refusal = std::move(lastGood.refusal);
    // Each record the damage took goes after the last one met of those before it there.
    std::size_t at = 0;
    for (const AttributeMap& record : lastGood.records)
    {
        const auto name = record.find(kNameAttribute);
        if (name == record.end())
            continue;
        const auto held = std::find_if(records.begin(), records.end(),
                                       [&](const AttributeMap& kept) { return IsNamed(kept, name->second); });
        if (held != records.end())
            at = static_cast<std::size_t>(held - records.begin()) + 1;
        else
        {
            records.insert(records.begin() + static_cast<std::ptrdiff_t>(at++), record);
            ++damage.restored;
        }
    }
    damage.lost = LostRecordNames(document, records);
    return records;
}

void WriteAccountDocument(const std::vector<AttributeMap>& records, MemoryStream& out)
{
    {
        XMLWriter writer(&out);
        writer.StartElement(kAccountTag);
        for (const AttributeMap& record : records)
        {
            writer.StartElement(kRecordTag);
            for (const auto& [name, value] : record) // "name" before "value"
                writer.WriteAttribute(name, value);
            writer.EndElement();
        }
    }
    out.Seek(IStream::kFromStart, 0);
}

bool KeepDamagedCopy(const FileLocation& file, MemoryStream& document, const ProfileDamage& damage,
                     std::wstring& failure)
{
    const FileLocation copy = DatedCopyOf(file);
    if (!StoreAccountFile(copy, document, failure))
        return false;
    std::wstring text = L"A profile file could not be read whole:\n\n" + PathForMessages(file) + L"\n" + damage.reason +
                        L"\n\nA copy of it was kept as\n" + PathForMessages(copy);
    text += WhyLastGoodUnused(damage);
    if (damage.restored > 0)
        text += L"\n\nWhat the damage took was taken from the profile as it was last saved whole:\n" +
                PathForMessages(LastGoodOf(file));
    if (!damage.lost.empty())
        text += L"\n\nThese records could not be read and are only in the copy:" + ListOf(damage.lost);
    text += damage.lost.empty() && damage.restored > 0 ? L"\n\nThe profile goes on with all of it."
                                                       : L"\n\nThe profile goes on with everything that could be read.";
    TellPlayerAboutProfiles(text);
    return true;
}

bool SecureAccountFile(const FileLocation& file)
{
    MemoryStream document(file.ToString());
    std::wstring failure;
    if (!ReadAccountFile(file, document, failure))
    {
        // A FIFO or a device by a profile's name is nobody's profile: nothing to tell a player.
        if (GetLastError() == ERROR_CANT_ACCESS_FILE)
            DebugPrint("A profile file was passed over, as it is no regular file:\n%s\n",
                       Utf8::FromWide(failure).c_str());
        else
            TellPlayerAboutProfiles(L"A profile file could not be opened:\n\n" + failure +
                                    L"\n\nThe game goes on without it and leaves the file as it is.");
        return false;
    }
    ProfileDamage damage;
    const std::vector<AttributeMap> records = ReadProfileRecords(file, document, damage);
    if (damage.reason.empty())
    {
        RefreshLastGood(file, document);
        return true;
    }
    if (!records.empty())
    {
        if (!RewriteAccountFile(file, {}, false, failure))
            ReportProfileSaveFailure(failure);
        return true;
    }
    // Nothing to go on with: the file goes aside whole, so that no later start meets it again.
    const FileLocation copy = DatedCopyOf(file);
    FileSystem* fileSystem = FileSystem::GetInstance();
    const bool moved = fileSystem && fileSystem->Replace(file, copy);
    TellPlayerAboutProfiles(
        L"A profile file holds nothing that could be read:\n\n" + PathForMessages(file) + L"\n" + damage.reason +
        WhyLastGoodUnused(damage) +
        (moved ? L"\n\nIt was moved to\n" + PathForMessages(copy) + L"\nand the game goes on without it."
               : L"\n\nThe game goes on without it and leaves the file as it is."));
    return false;
}
} // namespace Corvane::Internal
