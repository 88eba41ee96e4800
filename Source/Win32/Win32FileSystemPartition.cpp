#include "Win32/Win32FileSystemPartition.h"

#include "Debug.h"
#include "Label.h"
#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/Shell/PathFunctions.h"
#include "RuntimeError.h"
#include "TypeName.h"
#include "Win32/Win32FileStream.h"
#include "Win32/Win32Error.h"
#include "Win32/Win32FileSystem.h"

#include <algorithm>
#include <typeinfo>

namespace Corvane
{
namespace
{
constexpr std::size_t kIndexBuckets = 4096;
// Folder trees are walked no deeper than this, so a link that loops back cannot recurse forever.
constexpr int kMaxDepth = 32;

// A folder changed this recently may still change within the same tick of the file system's
// clock without its time moving on: its listing is not kept for the next Refresh.
constexpr unsigned long long kSettledTicks = 2ULL * 10000000ULL; // two seconds in 100 ns

unsigned long long Ticks(const FILETIME& time)
{
    return static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

struct FolderEntries
{
    std::vector<std::wstring> files;
    std::vector<std::wstring> folders;
    FILETIME written{}; // the folder's own last change ("." of the listing)
};

// The files and sub-folders that match a search pattern ("<folder>/*.*"), each sorted so that
// searches and scans agree on which of two equally named files comes first. A folder that cannot
// be read is empty.
FolderEntries FindEntries(const std::wstring& pattern)
{
    FolderEntries entries;
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do
    {
        const std::wstring name = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            entries.files.push_back(name);
        else if (name == L".")
            entries.written = data.ftLastWriteTime;
        else if (name != L"..")
            entries.folders.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(entries.files.begin(), entries.files.end());
    std::sort(entries.folders.begin(), entries.folders.end());
    return entries;
}

std::wstring Combine(const std::wstring& folder, const std::wstring& element)
{
    wchar_t buffer[MAX_PATH];
    if (!PathCombineW(buffer, folder.c_str(), element.c_str()))
        throw RuntimeError(L"The path '" + folder + L"/" + element + L"' is too long.", __FILE__, __LINE__,
                           "Corvane::Win32FileSystemPartition::GetFullPath");
    return buffer;
}

// The index keeps folders as the walk made them ("./Art/Title"); a location names them as given.
bool SameFolder(const std::wstring& indexed, const wchar_t* named)
{
    const auto trimmed = [](std::wstring folder) {
        std::replace(folder.begin(), folder.end(), L'\\', L'/');
        while (folder.starts_with(L"./"))
            folder.erase(0, 2);
        while (!folder.empty() && folder.back() == L'/')
            folder.pop_back();
        return folder;
    };
    return EqualsNoCase(trimmed(indexed).c_str(), trimmed(named).c_str());
}

bool Matches(const std::wstring& fileName, const FileLocation& location)
{
    return EqualsNoCase(Path::GetBaseName(fileName).c_str(), location.GetName()) &&
           EqualsNoCase(Path::GetExtension(fileName).c_str(), location.GetExtension());
}

void ReportOpenFailure(const std::exception& error)
{
    // The caller learns the reason from the last error, as after any failed system call.
    const auto* system = dynamic_cast<const Win32::Win32Error*>(&error);
    const DWORD code = system ? system->GetCode() : ERROR_INVALID_NAME;
    DebugPrint("Win32FileSystemPartition::OpenStream Exception: ");
    DebugPrint("%s\n", GetTypeName(typeid(error)).c_str());
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&error))
    {
        DebugPrint("\tFunction:\t%s\n", runtime->GetFunction().c_str());
        DebugPrint("\tFile:\t%s\n", runtime->GetFile().c_str());
        DebugPrint("\tLine:\t%d\n", runtime->GetLine());
    }
    DebugPrint("\tMessage:\t%s\n", error.what());
    SetLastError(code);
}
} // namespace

std::size_t Win32FileSystemPartition::NoCaseHash::operator()(const std::wstring& text) const
{
    return HashNoCaseWide(text.c_str());
}

bool Win32FileSystemPartition::NoCaseEqual::operator()(const std::wstring& a, const std::wstring& b) const
{
    return EqualsNoCase(a.c_str(), b.c_str());
}

Win32FileSystemPartition::Win32FileSystemPartition(const std::wstring& base, const std::wstring& path)
    : mLock(CreateMutex()), mRoot(base.empty() ? path : Combine(base, path))
{
    mIndex.rehash(kIndexBuckets);
}

Win32FileSystemPartition::~Win32FileSystemPartition() = default;

std::wstring Win32FileSystemPartition::GetFullPath(const FileLocation& location) const
{
    const std::wstring folder = Combine(mRoot, location.HasFolder() ? location.GetFolder() : L".");
    return Combine(folder, location.GetName()) + location.GetExtension();
}

IStream* Win32FileSystemPartition::OpenStream(const FileLocation& location, int access, int disposition)
{
    try
    {
        const std::wstring path = GetFullPath(location);
        // Only an open that may create the file needs its folder; looking for a missing file
        // leaves no empty folders behind.
        if (disposition != kOpenExisting)
            CreateDirectory(Path::GetDirectory(path));
        return new Win32::FileStream(path, access, disposition);
    }
    catch (const std::exception& error)
    {
        ReportOpenFailure(error);
    }
    return nullptr;
}

void Win32FileSystemPartition::Refresh()
{
    ScopedLock lock(*mLock);
    if (mScanCount++ > 0 || (mSettled && Unchanged()))
        return;
    mIndex.clear();
    mFolders.clear();
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    Scan(L".", 0);
    mSettled = std::all_of(mFolders.begin(), mFolders.end(),
                           [&now](const ScannedFolder& folder) { return folder.written + kSettledTicks < Ticks(now); });
}

void Win32FileSystemPartition::Clear()
{
    ScopedLock lock(*mLock);
    if (mScanCount > 0 && --mScanCount == 0 && !mSettled)
    {
        mIndex.clear();
        mFolders.clear();
    }
}

bool Win32FileSystemPartition::Unchanged() const
{
    for (const ScannedFolder& folder : mFolders)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(folder.path.c_str(), GetFileExInfoStandard, &data) ||
            Ticks(data.ftLastWriteTime) != folder.written)
            return false;
    }
    return true;
}

void Win32FileSystemPartition::Scan(const std::wstring& folder, int depth)
{
    const std::wstring path = Combine(mRoot, folder);
    const FolderEntries entries = FindEntries(path + L"/*.*");
    mFolders.push_back({path, Ticks(entries.written)});
    for (const std::wstring& file : entries.files)
        mIndex[Path::GetBaseName(file)].push_back({Path::GetExtension(file), folder});
    if (depth < kMaxDepth)
        for (const std::wstring& sub : entries.folders)
            Scan(folder + L"/" + sub, depth + 1);
}

bool Win32FileSystemPartition::Search(const std::wstring& folder, bool recursive, int depth, FileLocation& location)
{
    const FolderEntries entries = FindEntries(Combine(mRoot, folder) + L"/*.*");
    for (const std::wstring& file : entries.files)
        if (Matches(file, location))
        {
            location.SetFolder(folder.c_str());
            return true;
        }
    if (recursive && depth < kMaxDepth)
        for (const std::wstring& sub : entries.folders)
            if (Search(folder + L"/" + sub, true, depth + 1, location))
                return true;
    return false;
}

bool Win32FileSystemPartition::Exists(FileLocation& location)
{
    ScopedLock lock(*mLock);
    if (mScanCount == 0 || mIndex.empty())
        return Search(location.HasFolder() ? location.GetFolder() : L".", !location.HasFolder(), 0, location);

    const auto found = mIndex.find(location.GetName());
    if (found == mIndex.end())
        return false;
    // The index answers by name and extension, whatever folder the location names; but where
    // several folders hold that name ("Title/Background", "Loading/Background"), the named
    // folder's file is the one meant.
    const IndexEntry* chosen = nullptr;
    for (const IndexEntry& entry : found->second)
    {
        if (!EqualsNoCase(entry.extension.c_str(), location.GetExtension()))
            continue;
        if (!chosen)
            chosen = &entry;
        if (location.HasFolder() && SameFolder(entry.folder, location.GetFolder()))
        {
            chosen = &entry;
            break;
        }
    }
    if (!chosen)
        return false;
    location.SetFolder(chosen->folder.c_str());
    return true;
}

bool Win32FileSystemPartition::List(const FileLocation& pattern, std::vector<FileLocation>& out)
{
    if (!pattern.HasFolder())
        return false;
    const std::wstring folderPath = Combine(mRoot, pattern.GetFolder());
    const std::size_t before = out.size();
    const std::wstring search = Combine(folderPath, pattern.GetName()) + pattern.GetExtension();
    for (const std::wstring& file : FindEntries(search).files)
    {
        const std::wstring name = Path::GetBaseName(file);
        const std::wstring extension = Path::GetExtension(file);
        const std::wstring full = Combine(folderPath, name) + extension;
        wchar_t relative[MAX_PATH];
        if (!PathRelativePathToW(relative, mRoot.c_str(), FILE_ATTRIBUTE_DIRECTORY, full.c_str(),
                                 FILE_ATTRIBUTE_NORMAL))
            continue;
        out.emplace_back(pattern.GetPartition(), Path::GetDirectory(relative).c_str(), name.c_str(), extension.c_str());
    }
    return out.size() > before;
}

void Win32FileSystemPartition::Delete(const FileLocation& location)
{
    try
    {
        DeleteFileW(GetFullPath(location).c_str());
    }
    catch (const RuntimeError&)
    {
        // A path too long to build names no file.
    }
}

bool Win32FileSystemPartition::Replace(const FileLocation& source, const FileLocation& target)
{
    std::wstring from, to;
    try
    {
        from = GetFullPath(source);
        to = GetFullPath(target);
    }
    catch (const RuntimeError&)
    {
        return false;
    }
    // Written through before the rename: otherwise a crash of the system could leave the new name
    // on data that never reached the disk.
    const HANDLE file =
        CreateFileW(from.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const BOOL flushed = FlushFileBuffers(file);
    const DWORD flushError = GetLastError();
    CloseHandle(file);
    if (!flushed)
    {
        SetLastError(flushError);
        return false;
    }
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

std::wstring Win32FileSystemPartition::GetPath(const FileLocation& location) const
{
    try
    {
        return GetFullPath(location);
    }
    catch (const RuntimeError&)
    {
        return location.ToString();
    }
}
} // namespace Corvane
