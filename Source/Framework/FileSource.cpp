#include "Framework/FileSource.h"

#include "Debug.h"
#include "FileSystem.h"
#include "Framework/DownloadManager.h"
#include "Framework/ResourceChecksum.h"
#include "RuntimeError.h"
#include "Stream.h"

#include <algorithm>
#include <vector>

namespace Corvane
{
namespace
{
struct Released
{
    void operator()(IStream* stream) const
    {
        if (FileSystem* files = FileSystem::GetInstance())
            files->ReleaseStream(stream);
        else
            delete stream;
    }
};
using FileStream = std::unique_ptr<IStream, Released>;

FileStream OpenForReading(const FileLocation& location)
{
    FileSystem* files = FileSystem::GetInstance();
    return FileStream(files ? files->OpenStream(location, kFileRead, kOpenExisting) : nullptr);
}

bool IsTextFile(const std::wstring& name)
{
    std::wstring path = name;
    std::replace(path.begin(), path.end(), L'\\', L'/');
    const std::size_t dot = path.rfind(L'.');
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : path.substr(dot);
    return extension == L".txt" || extension == L".xml";
}
} // namespace

IFileSource::~IFileSource()
{
    IFileSource* self = this;
    sInstance.compare_exchange_strong(self, nullptr);
}

FileSource::FileSource() : mTeardown(new Internal::OwnedSingletonDestructor<FileSource>(this)) {}

FileSource::~FileSource()
{
    delete mTeardown;
}

void FileSource::Initialize(const std::wstring& downloadBase)
{
    InitTOC();
    if (!mTable)
        DebugPrint("FileSource: there is no resources.toc: no data file can be verified or downloaded.\n");
    DownloadManager::Get()->SetBasePath(downloadBase);
    mInitialized = true;
}

void FileSource::InitTOC()
{
    FileSystem* files = FileSystem::GetInstance();
    FileLocation location(1, L"resources", L".toc");
    if (!files || !files->Exists(location))
        return;
    std::vector<std::uint8_t> bytes;
    {
        const FileStream stream = OpenForReading(location);
        if (!stream)
            throw RuntimeError("Resource TOC could not be opened.", __FILE__, __LINE__, "FileSource::InitTOC");
        bytes.resize(stream->GetSize());
        unsigned got = 0;
        while (got < bytes.size())
        {
            const unsigned read = stream->Read(bytes.data() + got, static_cast<unsigned>(bytes.size() - got));
            if (read == 0)
                break;
            got += read;
        }
        bytes.resize(got);
    }
    if (bytes.size() >= ResourceTOC::kTrailerSize &&
        ComputeChecksum(bytes.data(), bytes.size() - ResourceTOC::kTrailerSize) !=
            ResourceTOC::StoredChecksum(bytes.data(), bytes.size()))
        throw RuntimeError("Resource TOC checksum is invalid!", __FILE__, __LINE__, "FileSource::InitTOC");
    mTable = std::make_unique<ResourceTOC>(ResourceTOC::Read(bytes.data(), bytes.size()));
    mTableLocation = location;
}

void FileSource::Close()
{
    mInitialized = false;
}

bool FileSource::Find(const FileLocation& location, FileLocation& found)
{
    FileSystem* files = FileSystem::GetInstance();
    if (!files)
        return false;
    for (const int partition : {2, 1})
    {
        if (partition == 2 && !IsInitialized())
            continue;
        found = location;
        found.SetPartition(partition);
        if (files->Exists(found))
            return true;
    }
    return false;
}

bool FileSource::Verify(const TOCEntry& entry, IStream& stream)
{
    const bool text = IsTextFile(entry.name);
    if (!text && stream.GetSize() != entry.size)
        return false;
    std::uint32_t read = 0;
    const std::uint32_t checksum = ChecksumStream(stream, text, read);
    return checksum == entry.checksum && (text || read == entry.size);
}

bool FileSource::VerifyFile(const TOCEntry& entry, const FileLocation& found)
{
    const FileStream stream = OpenForReading(found);
    return stream && Verify(entry, *stream);
}

int FileSource::GetStatus(const FileLocation& location)
{
    const bool initialized = IsInitialized();
    const TOCEntry* entry = initialized && mTable ? mTable->Find(location) : nullptr;
    if (initialized && !entry)
        return kUnavailable;
    FileLocation found;
    if (!Find(location, found))
        return initialized ? kMustDownload : kUnavailable;
    if (!initialized)
        return kAvailable;
    // A damaged copy in partition 2 is not passed over for the one in partition 1: it is fetched
    // again.
    return VerifyFile(*entry, found) ? kAvailable : kMustDownload;
}

IStream* FileSource::OpenStream(const FileLocation& location)
{
    FileLocation found;
    if (!Find(location, found))
        return nullptr;
    if (IsInitialized())
    {
        const TOCEntry* entry = mTable ? mTable->Find(location) : nullptr;
        if (!entry || !VerifyFile(*entry, found))
            return nullptr;
    }
    return OpenForReading(found).release();
}

void FileSource::RequestDownload(RefPtr<IFileTransfer>& result, const FileLocation& location, int priority)
{
    result.Reset();
    if (GetStatus(location) != kMustDownload)
        return;
    const TOCEntry* entry = mTable ? mTable->Find(location) : nullptr;
    if (!entry)
        return;
    std::wstring name = entry->name;
    std::replace(name.begin(), name.end(), L'\\', L'/');
    const std::size_t firstSlash = name.find(L'/');
    const std::size_t lastSlash = name.rfind(L'/');
    if (firstSlash == std::wstring::npos)
    {
        // The first folder is the table's own root; without one there is no path to fetch.
        DebugPrint("FileSource: %ls has no folder and cannot be downloaded.\n", name.c_str());
        return;
    }
    const std::wstring path = name.substr(firstSlash);
    const std::wstring folder = name.substr(0, lastSlash);
    const std::wstring file = name.substr(lastSlash + 1);
    const std::size_t dot = file.rfind(L'.');
    const std::wstring base = file.substr(0, dot);
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : file.substr(dot);
    if (base.empty())
        return;
    FileLocation destination;
    try
    {
        destination = FileLocation(2, folder.c_str(), base.c_str(), extension.c_str());
    }
    catch (const RuntimeError&)
    {
        return; // a name too long for a location names no file
    }
    DownloadManager::Get()->Request(result, path, destination, priority, entry->size);
}
} // namespace Corvane
