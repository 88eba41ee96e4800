#include "Framework/AccountFile.h"

#include "Debug.h"
#include "FileSystem.h"
#include "MemoryStream.h"
#include "RuntimeError.h"
#include "StreamUtil.h"
#include "TypeName.h"
#include "Utf8.h"
#include "XMLError.h"
#include "XMLReader.h"
#include "XMLWriter.h"

#include <memory>
#include <typeinfo>
#include <vector>

namespace Corvane::Internal
{
namespace
{
const wchar_t kAccountTag[] = L"account";
const wchar_t kRecordTag[] = L"record";
const wchar_t kNameAttribute[] = L"name";
const wchar_t kValueAttribute[] = L"value";

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

// Copies the whole file into out, ready to read from its start.
bool ReadWhole(const FileLocation& file, MemoryStream& out)
{
    const FileStreamPtr stream = Open(file, kFileRead, kOpenExisting);
    if (!stream || !CopyWhole(*stream, out))
        return false;
    out.Seek(IStream::kFromStart, 0);
    return true;
}

bool IsRecordOf(const XMLElement& node, const std::wstring& key)
{
    if (!node.IsStartTag() || node.GetName() != kRecordTag)
        return false;
    const auto name = node.GetAttributes().find(kNameAttribute);
    return name != node.GetAttributes().end() && name->second == key;
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

// A new account holding the value (none when it is being removed).
void WriteFreshAccount(XMLWriter& writer, const std::wstring& key, const std::wstring& value, RecordEdit edit)
{
    writer.StartElement(kAccountTag);
    if (edit != RecordEdit::kRemove)
        WriteRecord(writer, key, value);
    writer.EndElement();
}

// Nothing but white space: no record to keep (the reader refuses such a file as no document).
bool HoldsNothing(MemoryStream& content)
{
    const void* data = nullptr;
    const unsigned size = content.ReadOptimized(&data, content.GetSize());
    content.Seek(IStream::kFromStart, 0);
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (unsigned i = 0; i < size; ++i)
        if (bytes[i] != ' ' && (bytes[i] < '\t' || bytes[i] > '\r'))
            return false;
    return true;
}

// Copies the node sequence of reader to writer with the edit applied. Text between the elements
// is not copied: the writer's own line breaks give every file the same layout. Raises XMLError
// for damaged XML, and also when "account" is never closed (the file was cut short).
void CopyWithEdit(IXMLReader& reader, XMLWriter& writer, const std::wstring& key, const std::wstring& value,
                  RecordEdit edit)
{
    int depth = 0;
    int accountDepth = 0; // depth of the outermost "account"; 0 until it starts
    bool accountClosed = false;
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
            if (IsRecordOf(*node, key))
            {
                if (edit != RecordEdit::kSet)
                {
                    skipping = 1;
                    continue;
                }
                // The old attributes go; the record's end tag follows as usual.
                ++depth;
                matched = true;
                StartRecord(writer, key, value);
                continue;
            }
            ++depth;
            if (accountDepth == 0 && node->GetName() == kAccountTag)
                accountDepth = depth;
        }
        else
        {
            if (depth == accountDepth && !accountClosed)
            {
                if (edit == RecordEdit::kMoveToEnd || (edit == RecordEdit::kSet && !matched))
                    WriteRecord(writer, key, value);
                accountClosed = true;
            }
            --depth;
        }
        writer.WriteElement(*node);
    }
    if (accountDepth == 0)
        WriteFreshAccount(writer, key, value, edit);
    else if (!accountClosed)
    {
        std::wstring source;
        throw XMLError(reader.GetName(source), reader.GetLine(), L"The element 'account' is not closed.", __FILE__,
                       __LINE__, "Corvane::Internal::CopyWithEdit");
    }
}

void ReportXMLError(const char* function, const std::wstring& accountName, const std::exception& error)
{
    DebugPrint("%s: There is an error in the XML data for the account '%s'.\n", function,
               Utf8::FromWide(accountName).c_str());
    DebugPrint("%s\n", GetTypeName(typeid(error)).c_str());
    DebugPrint("\tMessage:\t%s\n", error.what());
}
} // namespace

AttributeContainer FindAccountRecord(const FileLocation& file, const std::wstring& key)
{
    AttributeContainer found;
    MemoryStream content(file.ToString());
    if (!ReadWhole(file, content))
        return found;
    try
    {
        XMLReader reader(content);
        while (!reader.AtEnd())
            if (const XMLElement* node = reader.Next(); node && IsRecordOf(*node, key))
                found.GetAttributes() = node->GetAttributes();
    }
    catch (const std::exception& error)
    {
        ReportXMLError("Corvane::Account::FindRecord", file.ToString(), error);
    }
    return found;
}

bool RewriteAccountFile(const FileLocation& file, const std::wstring& accountName, const std::wstring& key,
                        const std::wstring& value, RecordEdit edit)
{
    MemoryStream original(file.ToString());
    if (!ReadWhole(file, original))
    {
        DebugPrint("Corvane::Account::WriteValue: The file of the account '%s' could not be read; '%s' was not "
                   "written.\n",
                   Utf8::FromWide(accountName).c_str(), Utf8::FromWide(key).c_str());
        return false;
    }
    MemoryStream rewritten(L"Temporary");
    try
    {
        XMLWriter writer(&rewritten);
        // An empty file becomes an account holding the value.
        if (HoldsNothing(original))
            WriteFreshAccount(writer, key, value, edit);
        else
        {
            XMLReader reader(original);
            CopyWithEdit(reader, writer, key, value, edit);
        }
    }
    catch (const std::exception& error)
    {
        // Writing back what could be read would drop the rest of the player's records.
        ReportXMLError("Corvane::Account::WriteValue", accountName, error);
        return false;
    }
    if (StoreAccountFile(file, rewritten))
        return true;
    DebugPrint("Corvane::Account::WriteValue: The file of the account '%s' could not be written; '%s' was not "
               "written.\n",
               Utf8::FromWide(accountName).c_str(), Utf8::FromWide(key).c_str());
    return false;
}

void CreateAccountFile(const FileLocation& file, const std::vector<std::pair<std::wstring, std::wstring>>& records)
{
    MemoryStream content(L"Temporary");
    {
        XMLWriter writer(&content);
        writer.StartElement(kAccountTag);
        for (const auto& [key, value] : records)
            WriteRecord(writer, key, value);
    }
    if (!StoreAccountFile(file, content))
        throw RuntimeError(L"Could not write the account file '" + file.ToString() + L"'.", __FILE__, __LINE__,
                           "Corvane::Internal::CreateAccountFile");
}

bool StoreAccountFile(const FileLocation& file, MemoryStream& content)
{
    FileSystem* fileSystem = FileSystem::GetInstance();
    if (!fileSystem)
        return false;
    FileLocation temporary = file;
    temporary.SetExtension(L".tmp");
    bool written = false;
    if (FileStreamPtr stream = Open(temporary, kFileWrite, kCreateAlways))
        written = CopyWhole(content, *stream);
    // The stream is closed here, before the replace.
    if (written && fileSystem->Replace(temporary, file))
        return true;
    fileSystem->Delete(temporary);
    return false;
}
} // namespace Corvane::Internal
