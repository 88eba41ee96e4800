// One storage root of the file system, such as a folder on disk (Win32/Win32FileSystemPartition.h).
// The file system calls a partition under its own lock, so a partition is never entered by two
// threads at once.
#pragma once

#include "FileLocation.h"

#include <string>

#include <vector>

namespace Corvane
{
class IStream;

// Access bits of OpenStream.
constexpr int kFileRead = 1;
constexpr int kFileWrite = 2;
constexpr int kFileReadWrite = 3;
// Added to the above: the file itself; a symbolic link in its place fails the open.
constexpr int kFileNoLink = 4;

// Dispositions of OpenStream.
enum FileDisposition
{
    kCreateAlways = 0, // create, or empty an existing file
    kCreateNew = 1,    // create; fail when the file exists
    kOpenAlways = 2,   // open, or create a missing file
    kOpenExisting = 3, // open; fail when the file is missing
};

class IFileSystemPartition
{
public:
    virtual ~IFileSystemPartition() = default;
    // A new stream on the file (the caller gives it back through IFileSystem::ReleaseStream), or
    // null when it cannot be opened. access: kFile* bits; disposition: a FileDisposition.
    virtual IStream* OpenStream(const FileLocation& location, int access, int disposition) = 0;
    // Counted: the first call takes a listing of the root, which answers Exists until the
    // matching Clear.
    virtual void Refresh() = 0;
    virtual void Clear() = 0;
    // Finds the file by name and extension (without regard to case) in the location's folder, or
    // anywhere below the root when it has none, and sets the location's folder to where it lies.
    virtual bool Exists(FileLocation& location) = 0;
    // Appends one location per file of the pattern's folder that matches its name and extension
    // (wildcards allowed). False when the pattern has no folder or nothing matched.
    virtual bool List(const FileLocation& pattern, std::vector<FileLocation>& out) = 0;
    virtual void Delete(const FileLocation& location) = 0;
    // See IFileSystem::Replace. A root that cannot replace a file in one step answers false.
    virtual bool Replace(const FileLocation& /*source*/, const FileLocation& /*target*/) { return false; }
    // See IFileSystem::GetPath; by default the location's own text.
    virtual std::wstring GetPath(const FileLocation& location) const { return location.ToString(); }
};
} // namespace Corvane
