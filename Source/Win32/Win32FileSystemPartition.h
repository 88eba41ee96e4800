// A file-system partition on one folder of the disk. Locations are found by name and extension
// without regard to case, either straight from the disk or, between Refresh and Clear, from an
// index of the whole folder tree. The index of a tree that has settled is kept after Clear and
// serves the next Refresh as long as no folder of it has changed since, so a run of loads walks
// the tree once. Folders of found and listed files are written relative to the
// root ("./Data/Images"); "." is the root itself.
#pragma once

#include "IFileSystemPartition.h"
#include "Threading.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Corvane
{
class Win32FileSystemPartition final : public IFileSystemPartition
{
public:
    // root = path when base is empty, else base combined with path.
    Win32FileSystemPartition(const std::wstring& base, const std::wstring& path);
    ~Win32FileSystemPartition() override;

    // Creates the missing folders of a file it may create; a failure is written to the debug
    // output and gives null, with its reason as the last error.
    IStream* OpenStream(const FileLocation& location, int access, int disposition) override;
    void Refresh() override;
    void Clear() override;
    // With an index, answers from it and does not see files made since the Refresh.
    bool Exists(FileLocation& location) override;
    // Each listed file keeps its own extension; its folder is written relative to the root.
    bool List(const FileLocation& pattern, std::vector<FileLocation>& out) override;
    void Delete(const FileLocation& location) override;
    // Flushes source to the disk, then renames it over target (MoveFileExW replacing it, written
    // through). A failure leaves its reason as the last error.
    bool Replace(const FileLocation& source, const FileLocation& target) override;
    // GetFullPath, or the location's text when that path is too long.
    std::wstring GetPath(const FileLocation& location) const override;

    const std::wstring& GetRoot() const { return mRoot; }
    // The location's full path: root, folder ("." when none), name, extension.
    std::wstring GetFullPath(const FileLocation& location) const;

private:
    struct IndexEntry
    {
        std::wstring extension;
        std::wstring folder;
    };
    struct NoCaseHash
    {
        std::size_t operator()(const std::wstring& text) const;
    };
    struct NoCaseEqual
    {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    using Index = std::unordered_map<std::wstring, std::vector<IndexEntry>, NoCaseHash, NoCaseEqual>;

    // Adds every file under folder (relative to the root, depth levels below it) to the index,
    // this folder's files first.
    void Scan(const std::wstring& folder, int depth);
    // No folder of the index has changed since it was scanned.
    bool Unchanged() const;
    // The disk search of Exists: in folder, and below it when recursive.
    bool Search(const std::wstring& folder, bool recursive, int depth, FileLocation& location);

    std::unique_ptr<IMutex> mLock;
    std::wstring mRoot;
    struct ScannedFolder
    {
        std::wstring path;
        unsigned long long written; // 100 ns since 1601
    };

    int mScanCount = 0;
    Index mIndex;
    // Every folder the index was made from, with its last change then.
    std::vector<ScannedFolder> mFolders;
    // Every folder had last changed well before the scan: the index may be kept.
    bool mSettled = false;
};
} // namespace Corvane
