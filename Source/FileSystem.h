// The file system singleton: for each partition number an ordered list of storage roots, asked in
// the order they were added. The platform's set-up creates it and adds partitions 0 and 1 (the
// program's folder) and 2 (the per-user folder); the singleton teardown deletes it.
#pragma once

#include "IFileSystem.h"
#include "IFileSystemPartition.h"
#include "Singleton.h"
#include "Threading.h"

#include <map>
#include <memory>
#include <vector>

namespace Corvane
{
class FileSystem final : public IFileSystem
{
public:
    // Becomes the file system that GetInstance gives and registers for singleton teardown.
    FileSystem();
    // Deletes the partitions still held (normally DeletePartitions has run).
    ~FileSystem() override;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;

    // The file system, or null before the platform made one.
    static FileSystem* GetInstance();

    // Appends partition (owned from now on) to the list of number.
    void AddPartition(int number, IFileSystemPartition* partition);

    void OnPartitionsAdded() override {}
    void DeletePartitions() override;
    IStream* OpenStream(const FileLocation& location, int access, int disposition) override;
    void ReleaseStream(IStream* stream) override;
    void Refresh() override;
    void Clear() override;
    bool Exists(FileLocation& location) override;
    bool List(const FileLocation& pattern, std::vector<FileLocation>& out) override;
    void Delete(const FileLocation& location) override;
    // Asks the partitions of target's number in order; the first that replaces ends the search.
    bool Replace(const FileLocation& source, const FileLocation& target) override;
    // The first partition's path of the location; the location's own text without partitions.
    std::wstring GetPath(const FileLocation& location) override;

    // See FileLocation::MakeUnique. The draws from random stream 2 happen under the lock.
    void MakeUnique(FileLocation& location);

private:
    // The partitions of number; empty when it has none. Under the lock.
    const std::vector<std::unique_ptr<IFileSystemPartition>>& PartitionsOf(int number) const;

    std::unique_ptr<IMutex> mLock;
    std::map<int, std::vector<std::unique_ptr<IFileSystemPartition>>> mPartitions;
    Internal::OwnedSingletonDestructor<FileSystem>* mTeardown;
};

// Keeps the partitions' folder listings for a scope (when enabled and a file system exists), so
// that many lookups in a row do not each search the disk.
class ScopedListingCache
{
public:
    explicit ScopedListingCache(bool enabled);
    ~ScopedListingCache();
    ScopedListingCache(const ScopedListingCache&) = delete;
    ScopedListingCache& operator=(const ScopedListingCache&) = delete;

private:
    IFileSystem* mFileSystem;
};
} // namespace Corvane
