#include "Framework/ResourceTOC.h"

#include "FileLocation.h"
#include "Framework/ResourceChecksum.h"
#include "Label.h"
#include "RuntimeError.h"
#include "TextConversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Corvane
{
namespace
{
std::uint32_t ReadWord(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

[[noreturn]] void Refuse(const std::string& message)
{
    throw RuntimeError(message, __FILE__, __LINE__, "Corvane::ResourceTOC::Read");
}

// "./Data\Images/" -> "Data/Images".
std::wstring ReducedFolder(std::wstring folder)
{
    std::replace(folder.begin(), folder.end(), L'\\', L'/');
    while (folder.compare(0, 2, L"./") == 0)
        folder.erase(0, 2);
    if (folder == L".")
        folder.clear();
    while (!folder.empty() && folder.back() == L'/')
        folder.pop_back();
    return folder;
}

std::wstring FolderOf(const std::wstring& name)
{
    const std::size_t slash = name.find_last_of(L"/\\");
    return slash == std::wstring::npos ? std::wstring() : name.substr(0, slash);
}
} // namespace

bool ResourceTOC::IsSafeName(const std::string& name)
{
    if (name.empty() || name.front() == '/' || name.front() == '\\')
        return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ':')
            return false;
    std::size_t start = 0;
    while (start <= name.size())
    {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        if (name.compare(start, end - start, "..") == 0 && end - start == 2)
            return false;
        start = end + 1;
    }
    return true;
}

std::uint32_t ResourceTOC::StoredChecksum(const std::uint8_t* data, std::size_t size)
{
    return size < kTrailerSize ? 0 : ReadWord(data + size - kTrailerSize);
}

ResourceTOC ResourceTOC::Read(const std::uint8_t* data, std::size_t size)
{
    if (size < kHeaderSize + kTrailerSize)
        Refuse("Resource TOC is too short.");
    const std::uint32_t count = ReadWord(data);
    // The names end where the checksum begins.
    const std::size_t namesEnd = size - kTrailerSize;
    if (count > (namesEnd - kHeaderSize) / kEntrySize)
        Refuse("Resource TOC has " + std::to_string(count) + " entries, more than its " + std::to_string(size) +
               " bytes can hold.");

    ResourceTOC table;
    table.mEntries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
    {
        const std::uint8_t* entry = data + kHeaderSize + kEntrySize * i;
        const std::uint32_t offset = ReadWord(entry + 12);
        if (offset >= namesEnd)
            Refuse("Resource TOC entry " + std::to_string(i) + " has its name outside the table.");
        const auto* first = reinterpret_cast<const char*>(data + offset);
        const auto* end = static_cast<const char*>(std::memchr(first, 0, namesEnd - offset));
        if (!end)
            Refuse("Resource TOC entry " + std::to_string(i) + " has a name without its end.");
        const std::string name(first, end);
        if (!IsSafeName(name))
            Refuse("Resource TOC entry " + std::to_string(i) + " names a file outside the data folders: \"" + name +
                   "\".");

        TOCEntry parsed;
        parsed.hash = ReadWord(entry);
        parsed.checksum = ReadWord(entry + 4);
        parsed.size = ReadWord(entry + 8);
        Narrow::ToWide(parsed.name, name.c_str());
        table.mEntries.push_back(std::move(parsed));
    }
    return table;
}

const TOCEntry* ResourceTOC::Find(const FileLocation& location) const
{
    const std::uint32_t hash = HashNoCaseWide((std::wstring(location.GetName()) + location.GetExtension()).c_str());
    const std::wstring folder = location.HasFolder() ? ReducedFolder(location.GetFolder()) : std::wstring();
    const TOCEntry* first = nullptr;
    for (const TOCEntry& entry : mEntries)
    {
        if (entry.hash != hash)
            continue;
        if (!location.HasFolder())
            return &entry;
        if (!first)
            first = &entry;
        if (EqualsNoCase(ReducedFolder(FolderOf(entry.name)).c_str(), folder.c_str()))
            return &entry;
    }
    return first;
}
} // namespace Corvane
