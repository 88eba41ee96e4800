// The file system: every file the engine opens is reached through it, by location. Any thread;
// every operation but ReleaseStream holds one lock for its whole duration.
#pragma once

#include "FileLocation.h"

#include <string>

#include <vector>

namespace Corvane
{
class IStream;

class IFileSystem
{
public:
    virtual ~IFileSystem() = default;
    // The platform has added its partitions.
    virtual void OnPartitionsAdded() = 0;
    // Deletes every partition; the platform's clean-up calls it.
    virtual void DeletePartitions() = 0;
    // The first stream one of the location's partitions opens, in the order they were added; null
    // when none does. access and disposition as IFileSystemPartition::OpenStream.
    virtual IStream* OpenStream(const FileLocation& location, int access, int disposition) = 0;
    // Deletes a stream from OpenStream (null is allowed). Takes no lock.
    virtual void ReleaseStream(IStream* stream) = 0;
    // Listing caches of every partition (see IFileSystemPartition): begin and end one.
    virtual void Refresh() = 0;
    virtual void Clear() = 0;
    // True when a partition of the location's number has the file; its folder is then set to
    // where the file lies.
    virtual bool Exists(FileLocation& location) = 0;
    // The listing of the first partition of the pattern's number that lists anything.
    virtual bool List(const FileLocation& pattern, std::vector<FileLocation>& out) = 0;
    // Deletes the file from every partition of its number.
    virtual void Delete(const FileLocation& location) = 0;
    // Puts the file source in the place of target in one step, its content written through to the
    // disk first, so that target holds either its old or its new content whatever happens; both
    // lie in the same partition. True when a partition of that number did it.
    virtual bool Replace(const FileLocation& source, const FileLocation& target) = 0;
    // Where the location lies, as the player would look for it (a full path on disk): for
    // messages.
    virtual std::wstring GetPath(const FileLocation& location) = 0;
};
} // namespace Corvane
