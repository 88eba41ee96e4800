// The resource table of contents, "resources.toc": for every data file a hash of its name, a
// checksum of its contents, its size and its path. Layout (unsigned 32-bit little-endian numbers):
// count; count entries of {name hash, checksum, size, name offset, reserved}; the names, 8-bit
// and NUL-ended, at their offsets; last, the checksum of every byte before it.
//
// The table is data from outside the program: Read refuses one whose counts or offsets point
// outside it, and one naming a file that would not stay below its folder ("..", an absolute
// path), so that a download can never write elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Corvane
{
class FileLocation;

struct TOCEntry
{
    std::uint32_t hash = 0;
    std::uint32_t checksum = 0;
    std::uint32_t size = 0;
    // The path, folders separated by '/' or '\', with its extension.
    std::wstring name;
};

class ResourceTOC
{
public:
    static constexpr std::size_t kHeaderSize = 4;
    static constexpr std::size_t kEntrySize = 20;
    static constexpr std::size_t kTrailerSize = 4;

    // The entries of a whole table file (its trailing checksum is not checked here). Throws
    // RuntimeError for a table too short for its count, a name outside the table or without its
    // NUL, and a name that is empty, absolute, has a ".." folder or a control character.
    static ResourceTOC Read(const std::uint8_t* data, std::size_t size);
    // The checksum stored in the last four bytes; 0 for a table shorter than that.
    static std::uint32_t StoredChecksum(const std::uint8_t* data, std::size_t size);

    const std::vector<TOCEntry>& GetEntries() const { return mEntries; }

    // The entry for location: the first whose hash is that of the location's name and extension
    // (names are not compared), except that among entries of equal hash one whose folder is the
    // location's, without regard to case and leading "./", is preferred. Null when none.
    const TOCEntry* Find(const FileLocation& location) const;

    // Whether an 8-bit table name is safe to write below a folder.
    static bool IsSafeName(const std::string& name);

private:
    std::vector<TOCEntry> mEntries;
};
} // namespace Corvane
