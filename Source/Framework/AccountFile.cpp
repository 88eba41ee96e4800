#include "Framework/AccountFile.h"

#include "FileSystem.h"
#include "Framework/AccountDamage.h"
#include "Framework/AccountLastGood.h"
#include "MemoryStream.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "StreamUtil.h"
#include "Utf8.h"
#include "Win32/Win32Error.h"
#include "XMLReader.h"
#include "XMLWriter.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

namespace Corvane::Internal
{
namespace
{
// Names tried for a temporary file before a write gives up: a random name is taken only by chance
// or by a file planted under it.
constexpr int kTemporaryNames = 100;
// Random characters in a temporary name: as many as mkstemp uses, from the same letters and digits.
constexpr int kRandomCharacters = 6;
const wchar_t kNameCharacters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::function<std::wstring()>& NameSource()
{
    static std::function<std::wstring()> source;
    return source;
}

struct StreamRelease
{
    void operator()(IStream* stream) const { FileSystem::GetInstance()->ReleaseStream(stream); }
};
using FileStreamPtr = std::unique_ptr<IStream, StreamRelease>;

FileStreamPtr Open(const FileLocation& file, int access, int disposition)
{
    FileSystem* fileSystem = FileSystem::GetInstance();
    return FileStreamPtr(fileSystem ? fileSystem->OpenStream(file, access, disposition) : nullptr);
}

// "<full path>\n<reason>": code is the failed call's last error; shortfall the reason when a read
// or write only fell short, which sets none.
std::wstring Failure(const FileLocation& file, DWORD code, const wchar_t* shortfall)
{
    return PathForMessages(file) + L"\n" +
           (code == ERROR_SUCCESS ? shortfall : Utf8::ToWide(Win32::DescribeError(code)));
}

const wchar_t kReadShort[] = L"The file could not be read whole.";
const wchar_t kWriteShort[] = L"The file could not be written whole.";

// Writes the whole of source, from its start, to destination. False when fewer bytes than its
// size could be read, or a write falls short: a rewrite from a part of the file would lose the rest.
bool CopyWhole(IStream& source, IStream& destination)
{
    source.Seek(IStream::kFromStart, 0);
    std::vector<std::uint8_t> storage;
    const StreamBytes bytes = ReadAllBytes(source, storage);
    if (!bytes.complete)
        return false;
    return bytes.size == 0 || destination.Write(bytes.data, static_cast<unsigned>(bytes.size)) == bytes.size;
}

bool IsRecordOf(const XMLElement& node, const std::wstring& key)
{
    return node.IsStartTag() && node.GetName() == kRecordTag && IsNamed(node.GetAttributes(), key);
}

// Opens a record element holding the value; the caller ends it.
void StartRecord(XMLWriter& writer, const std::wstring& key, const std::wstring& value)
{
    writer.StartElement(kRecordTag);
    writer.WriteAttribute(kNameAttribute, key);
    writer.WriteAttribute(kValueAttribute, value);
}

void WriteRecord(XMLWriter& writer, const std::wstring& key, const std::wstring& value)
{
    StartRecord(writer, key, value);
    writer.EndElement();
}

// Copies a clean account document to writer with the edit applied. Text between the elements is
// not copied: the writer's own line breaks give every file the same layout.
void CopyWithEdit(IXMLReader& reader, XMLWriter& writer, const RecordEdit& edit)
{
    int depth = 0;
    bool matched = false;
    int skipping = 0; // depth inside a dropped record
    while (!reader.AtEnd())
    {
        const XMLElement* node = reader.Next();
        if (!node || node->IsText())
            continue;
        if (skipping > 0)
        {
            skipping += node->IsStartTag() ? 1 : -1;
            continue;
        }
        if (node->IsStartTag())
        {
            ++depth;
            if (IsRecordOf(*node, edit.key))
            {
                if (edit.kind != RecordEditKind::kSet)
                {
                    --depth;
                    skipping = 1;
                    continue;
                }
                // The old attributes go; the record's end tag follows as usual.
                matched = true;
                StartRecord(writer, edit.key, edit.value);
                continue;
            }
        }
        else if (--depth == 0 && edit.kind != RecordEditKind::kRemove &&
                 (edit.kind == RecordEditKind::kMoveToEnd || !matched))
            WriteRecord(writer, edit.key, edit.value); // before the end of "account"
        writer.WriteElement(*node);
    }
}

// "<name>-<random>.tmp" beside the file: a name nobody can know ahead, so that files planted under
// the names to come cannot keep a write from being stored.
FileLocation TemporaryFor(const FileLocation& file)
{
    std::wstring name = std::wstring(file.GetName()) + L"-";
    if (NameSource())
        name += NameSource()();
    else
    {
        std::random_device random;
        std::uniform_int_distribution<std::size_t> pick(0, std::size(kNameCharacters) - 2);
        for (int i = 0; i < kRandomCharacters; ++i)
            name += kNameCharacters[pick(random)];
    }
    FileLocation temporary = file;
    temporary.SetName(name.c_str());
    temporary.SetExtension(kTemporaryExtension);
    return temporary;
}

} // namespace

bool IsNamed(const AttributeMap& record, const std::wstring& key)
{
    const auto name = record.find(kNameAttribute);
    return name != record.end() && name->second == key;
}

AttributeContainer FindAccountRecord(const FileLocation& file, const std::wstring& key)
{
    AttributeContainer found;
    MemoryStream content(file.ToString());
    std::wstring failure;
    if (!ReadAccountFile(file, content, failure))
        return found;
    ProfileDamage damage;
    for (const AttributeMap& record : ReadProfileRecords(file, content, damage))
        if (IsNamed(record, key))
            found.GetAttributes() = record;
    return found;
}

bool RewriteAccountFile(const FileLocation& file, const std::vector<RecordEdit>& edits, bool fresh,
                        std::wstring& failure, const std::vector<RecordEdit>& required)
{
    MemoryStream document(file.ToString());
    if (fresh)
    {
        XMLWriter writer(&document);
        writer.StartElement(kAccountTag);
    }
    else
    {
        if (!ReadAccountFile(file, document, failure))
            return false;
        ProfileDamage damage;
        std::vector<AttributeMap> records = ReadProfileRecords(file, document, damage);
        if (!damage.reason.empty())
        {
            // Writing back only what could be read would drop the rest for good.
            if (!KeepDamagedCopy(file, document, damage, failure))
                return false;
            for (const RecordEdit& record : required)
                if (std::none_of(records.begin(), records.end(),
                                 [&](const AttributeMap& kept) { return IsNamed(kept, record.key); }))
                    records.push_back({{kNameAttribute, record.key}, {kValueAttribute, record.value}});
            MemoryStream salvaged(file.ToString());
            WriteAccountDocument(records, salvaged);
            document = std::move(salvaged);
        }
        else if (edits.empty())
            return true; // clean, and nothing to change
    }
    ApplyEdits(document, edits);
    if (!StoreAccountFile(file, document, failure))
        return false;
    KeepLastGood(file, document);
    return true;
}

void ApplyEdits(MemoryStream& document, const std::vector<RecordEdit>& edits)
{
    for (const RecordEdit& edit : edits)
    {
        MemoryStream edited(L"Temporary");
        {
            document.Seek(IStream::kFromStart, 0);
            XMLReader reader(document);
            XMLWriter writer(&edited);
            CopyWithEdit(reader, writer, edit);
        }
        document = std::move(edited);
    }
    document.Seek(IStream::kFromStart, 0);
}

std::wstring PathForMessages(const FileLocation& file)
{
    FileSystem* fileSystem = FileSystem::GetInstance();
    return fileSystem ? fileSystem->GetPath(file) : file.ToString();
}

bool ReadAccountFile(const FileLocation& file, MemoryStream& out, std::wstring& failure, int access)
{
    const FileStreamPtr stream = Open(file, access, kOpenExisting);
    if (stream)
        SetLastError(ERROR_SUCCESS);
    if (!stream || !CopyWhole(*stream, out))
    {
        const DWORD code = GetLastError();
        failure = Failure(file, code, kReadShort);
        SetLastError(code);
        return false;
    }
    out.Seek(IStream::kFromStart, 0);
    return true;
}

bool StoreAccountFile(const FileLocation& file, MemoryStream& content, std::wstring& failure)
{
    FileSystem* fileSystem = FileSystem::GetInstance();
    if (!fileSystem)
    {
        failure = file.ToString() + L"\nThere is no file system.";
        return false;
    }
    // A name of its own, created new: a leftover or a planted link of that name is never written
    // through, only passed over.
    FileLocation temporary = TemporaryFor(file);
    FileStreamPtr stream = Open(temporary, kFileWrite, kCreateNew);
    for (int tries = 1; !stream && tries < kTemporaryNames && GetLastError() == ERROR_ALREADY_EXISTS; ++tries)
    {
        temporary = TemporaryFor(file);
        stream = Open(temporary, kFileWrite, kCreateNew);
    }
    if (!stream)
    {
        failure = Failure(file, GetLastError(), kWriteShort);
        return false;
    }
    SetLastError(ERROR_SUCCESS);
    const bool written = CopyWhole(content, *stream);
    DWORD error = GetLastError();
    stream.reset(); // closed before the replace
    if (written)
    {
        if (fileSystem->Replace(temporary, file))
            return true;
        error = GetLastError();
    }
    failure = Failure(file, error, kWriteShort);
    fileSystem->Delete(temporary);
    return false;
}

void SetTemporaryNameSource(std::function<std::wstring()> source)
{
    NameSource() = std::move(source);
}
} // namespace Corvane::Internal
