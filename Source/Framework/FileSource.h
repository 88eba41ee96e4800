// Where resources read their data files. Until Initialize is called (the game never calls it),
// files are looked up in partition 1 only and opened without verification. Once initialised with
// a download base, the table of contents "resources.toc" (partition 1) decides: a listed file is
// used from the per-user partition 2, else from partition 1, only when its size and checksum
// match the table; a listed file missing or damaged in both must be downloaded, which
// RequestDownload starts (into partition 2); a file the table does not list is unavailable.
//
// The engine's start-up creates the one file source and its stop closes it; the singleton
// teardown deletes it. The table is read-only after Initialize; every file access goes through
// the file system's lock, so the loader thread and the main thread may both call it.
#pragma once

#include "FileLocation.h"
#include "Framework/FileTransfer.h"
#include "Framework/ResourceTOC.h"
#include "RefPtr.h"
#include "Singleton.h"

#include <atomic>
#include <memory>
#include <string>

namespace Corvane
{
class IStream;

class IFileSource
{
public:
    // Clears the engine-wide pointer when it still points here.
    virtual ~IFileSource();
    // A stream on the file, which the caller gives back with the file system's ReleaseStream;
    // null when the file is missing or may not be used.
    virtual IStream* OpenStream(const FileLocation& location) = 0;
    // At the engine's stop.
    virtual void Close() {}

    // The engine-wide file source, or null before the engine's start-up made one. Any thread.
    static IFileSource* GetInstance() { return sInstance.load(); }

protected:
    IFileSource() { sInstance = this; }

private:
    static inline std::atomic<IFileSource*> sInstance{nullptr};
};

class IStreamable
{
public:
    enum Status
    {
        kAvailable = 0,
        kMustDownload = 1,
        kUnavailable = 2,
    };

    virtual ~IStreamable() = default;
    virtual int GetStatus(const FileLocation& location) = 0;
    // result = the transfer fetching the file when it is listed and must be downloaded, else null.
    virtual void RequestDownload(RefPtr<IFileTransfer>& result, const FileLocation& location, int priority) = 0;
    virtual bool IsInitialized() = 0;
    // Loads the table of contents when partition 1 has one (a table whose checksum or layout is
    // wrong raises RuntimeError) and hands downloadBase to the download manager.
    virtual void Initialize(const std::wstring& downloadBase) = 0;
};

class FileSource final : public IFileSource, public IStreamable
{
public:
    // Becomes the engine-wide file source and registers for singleton teardown.
    FileSource();
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    IStream* OpenStream(const FileLocation& location) override;
    // Back to unverified reading; the table stays loaded.
    void Close() override;

    int GetStatus(const FileLocation& location) override;
    void RequestDownload(RefPtr<IFileTransfer>& result, const FileLocation& location, int priority) override;
    bool IsInitialized() override { return mInitialized.load(); }
    void Initialize(const std::wstring& downloadBase) override;

    // Initialised with a table: downloads can be offered.
    bool OffersDownloads() { return IsInitialized() && mTable != nullptr; }
    const ResourceTOC* GetTable() const { return mTable.get(); }

    // Whether stream's bytes, from its position, match entry (size and checksum; for ".txt" and
    // ".xml" files the checksum of the bytes that are not white space).
    static bool Verify(const TOCEntry& entry, IStream& stream);

private:
    void InitTOC();
    // Sets found to the copy of location to use: partition 2 then 1 when initialised, else 1 only.
    bool Find(const FileLocation& location, FileLocation& found);
    bool VerifyFile(const TOCEntry& entry, const FileLocation& found);

    std::atomic<bool> mInitialized{false};
    std::unique_ptr<ResourceTOC> mTable;
    FileLocation mTableLocation;
    Internal::OwnedSingletonDestructor<FileSource>* mTeardown;
};
} // namespace Corvane
