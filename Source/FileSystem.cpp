#include "FileSystem.h"

#include "RandomStream.h"
#include "RuntimeError.h"
#include "Stream.h"

#include <atomic>
#include <string>

namespace Corvane
{
namespace
{
std::atomic<FileSystem*> gInstance{nullptr};
} // namespace

FileSystem::FileSystem() : mLock(CreateMutex()), mTeardown(new Internal::OwnedSingletonDestructor<FileSystem>(this))
{
    gInstance = this;
}

FileSystem::~FileSystem()
{
    FileSystem* self = this;
    gInstance.compare_exchange_strong(self, nullptr);
    delete mTeardown;
}

FileSystem* FileSystem::GetInstance()
{
    return gInstance.load();
}

void FileSystem::AddPartition(int number, IFileSystemPartition* partition)
{
    ScopedLock lock(*mLock);
    mPartitions[number].emplace_back(partition);
}

void FileSystem::DeletePartitions()
{
    ScopedLock lock(*mLock);
    mPartitions.clear();
}

const std::vector<std::unique_ptr<IFileSystemPartition>>& FileSystem::PartitionsOf(int number) const
{
    static const std::vector<std::unique_ptr<IFileSystemPartition>> none;
    const auto found = mPartitions.find(number);
    return found == mPartitions.end() ? none : found->second;
}

IStream* FileSystem::OpenStream(const FileLocation& location, int access, int disposition)
{
    ScopedLock lock(*mLock);
    for (const auto& partition : PartitionsOf(location.GetPartition()))
        if (IStream* stream = partition->OpenStream(location, access, disposition))
            return stream;
    return nullptr;
}

void FileSystem::ReleaseStream(IStream* stream)
{
    delete stream;
}

void FileSystem::Refresh()
{
    ScopedLock lock(*mLock);
    for (const auto& [number, partitions] : mPartitions)
        for (const auto& partition : partitions)
            partition->Refresh();
}

void FileSystem::Clear()
{
    ScopedLock lock(*mLock);
    for (const auto& [number, partitions] : mPartitions)
        for (const auto& partition : partitions)
            partition->Clear();
}

bool FileSystem::Exists(FileLocation& location)
{
    ScopedLock lock(*mLock);
    for (const auto& partition : PartitionsOf(location.GetPartition()))
        if (partition->Exists(location))
            return true;
    return false;
}

bool FileSystem::List(const FileLocation& pattern, std::vector<FileLocation>& out)
{
    ScopedLock lock(*mLock);
    for (const auto& partition : PartitionsOf(pattern.GetPartition()))
        if (partition->List(pattern, out))
            return true;
    return false;
}

void FileSystem::Delete(const FileLocation& location)
{
    ScopedLock lock(*mLock);
    for (const auto& partition : PartitionsOf(location.GetPartition()))
        partition->Delete(location);
}

bool FileSystem::Replace(const FileLocation& source, const FileLocation& target)
{
    ScopedLock lock(*mLock);
    if (source.GetPartition() != target.GetPartition())
        return false;
    for (const auto& partition : PartitionsOf(target.GetPartition()))
        if (partition->Replace(source, target))
            return true;
    return false;
}

std::wstring FileSystem::GetPath(const FileLocation& location)
{
    ScopedLock lock(*mLock);
    const auto& partitions = PartitionsOf(location.GetPartition());
    return partitions.empty() ? location.ToString() : partitions.front()->GetPath(location);
}

void FileSystem::MakeUnique(FileLocation& location)
{
    ScopedLock lock(*mLock);
    IRandomNumberStream* random = GetRandomStream(2);
    if (!random)
        throw RuntimeError("Random stream 2 does not exist.", __FILE__, __LINE__, "Corvane::FileSystem::MakeUnique");
    for (;;)
    {
        location.SetName(std::to_wstring(RandomInt(*random, 0, 99999999)).c_str());
        // A copy: Exists moves the location to the folder where it found a file.
        FileLocation probe = location;
        if (!Exists(probe))
            return;
    }
}

ScopedListingCache::ScopedListingCache(bool enabled) : mFileSystem(enabled ? FileSystem::GetInstance() : nullptr)
{
    if (mFileSystem)
        mFileSystem->Refresh();
}

ScopedListingCache::~ScopedListingCache()
{
    if (mFileSystem)
        mFileSystem->Clear();
}
} // namespace Corvane
