#include "FileLocation.h"

#include "FileSystem.h"
#include "RuntimeError.h"

#include <cwchar>

namespace Corvane
{
namespace
{
std::wstring Text(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring();
}

// Re-points a text pointer of one record at the same offset in another record's buffer.
wchar_t* Rebase(const wchar_t* pointer, const wchar_t* fromBuffer, wchar_t* toBuffer)
{
    return pointer ? toBuffer + (pointer - fromBuffer) : nullptr;
}
} // namespace

FileLocation::FileLocation() = default;

FileLocation::FileLocation(const wchar_t* name, const wchar_t* extension) : FileLocation(1, nullptr, name, extension) {}

FileLocation::FileLocation(int partition, const wchar_t* name, const wchar_t* extension)
    : FileLocation(partition, nullptr, name, extension)
{
}

FileLocation::FileLocation(int partition, const wchar_t* folder, const wchar_t* name, const wchar_t* extension)
    : mPartition(partition)
{
    Assign(folder, name, extension);
}

FileLocation::FileLocation(const FileLocation& other)
{
    *this = other;
}

FileLocation& FileLocation::operator=(const FileLocation& other)
{
    if (this == &other)
        return *this;
    mPartition = other.mPartition;
    std::wmemcpy(mBuffer, other.mBuffer, kBufferSize);
    mName = Rebase(other.mName, other.mBuffer, mBuffer);
    mExtension = Rebase(other.mExtension, other.mBuffer, mBuffer);
    mFolder = Rebase(other.mFolder, other.mBuffer, mBuffer);
    return *this;
}

void FileLocation::SetName(const wchar_t* name)
{
    Assign(mFolder, name, mExtension);
}

void FileLocation::SetExtension(const wchar_t* extension)
{
    Assign(mFolder, mName, extension);
}

void FileLocation::SetFolder(const wchar_t* folder)
{
    Assign(folder, mName, mExtension);
}

void FileLocation::Assign(const wchar_t* folder, const wchar_t* name, const wchar_t* extension)
{
    // Copies first: the arguments may point into this record's own buffer.
    const std::wstring nameText = Text(name);
    const std::wstring extensionText = Text(extension);
    const bool hasFolder = folder != nullptr;
    const std::wstring folderText = Text(folder);
    const std::size_t needed = nameText.size() + extensionText.size() + folderText.size() + 3;
    if (needed > kBufferSize)
        throw RuntimeError(L"The file location '" + folderText + L"/" + nameText + extensionText +
                               L"' does not fit in 512 characters.",
                           __FILE__, __LINE__, "Corvane::FileLocation::Assign");

    std::wmemset(mBuffer, 0, kBufferSize);
    wchar_t* cursor = mBuffer;
    auto place = [&cursor](const std::wstring& text) {
        wchar_t* start = cursor;
        text.copy(start, text.size());
        cursor += text.size() + 1; // the terminator is already there
        return start;
    };
    mName = place(nameText);
    mExtension = place(extensionText);
    mFolder = hasFolder ? place(folderText) : nullptr;
}

std::wstring FileLocation::ToString() const
{
    std::wstring text;
    if (mFolder)
        text = std::wstring(mFolder) + L"/";
    return text + GetName() + GetExtension();
}

void FileLocation::MakeUnique(FileLocation& location)
{
    FileSystem* fileSystem = FileSystem::GetInstance();
    if (!fileSystem)
        throw RuntimeError("There is no file system to make a unique file name in.", __FILE__, __LINE__,
                           "Corvane::FileLocation::MakeUnique");
    fileSystem->MakeUnique(location);
}
} // namespace Corvane
