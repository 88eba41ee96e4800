// A file's address: a partition number, an optional folder, a name and an extension. The engine
// names files only this way; the file system (FileSystem.h) routes a location to the storage roots
// of its partition.
//
// Partitions 0 and 1 are the program's folder (1 is the default), 2 the per-user folder. The texts
// live in the record's own 512-character buffer, so locations are passed and stored by value.
#pragma once

#include <cstddef>
#include <string>

namespace Corvane
{
class FileLocation
{
public:
    static constexpr int kDefaultPartition = 1;
    // Name, extension and folder with a terminator each must fit in this many characters.
    static constexpr std::size_t kBufferSize = 512;

    // Partition 1, no texts.
    FileLocation();
    // The constructors copy the texts; null is an empty name or extension, or no folder. Texts
    // that do not fit in the buffer raise RuntimeError.
    FileLocation(const wchar_t* name, const wchar_t* extension);
    FileLocation(int partition, const wchar_t* name, const wchar_t* extension);
    FileLocation(int partition, const wchar_t* folder, const wchar_t* name, const wchar_t* extension);
    FileLocation(const FileLocation& other);
    FileLocation& operator=(const FileLocation& other);

    int GetPartition() const { return mPartition; }
    void SetPartition(int partition) { mPartition = partition; }
    // Without its extension; empty when none was given.
    const wchar_t* GetName() const { return mName ? mName : L""; }
    // With its leading '.' (".xml"); empty when none was given.
    const wchar_t* GetExtension() const { return mExtension ? mExtension : L""; }
    // Relative to the partition's root; null when the location has none.
    const wchar_t* GetFolder() const { return mFolder; }
    bool HasFolder() const { return mFolder != nullptr; }

    // Each setter keeps the other texts; too long a result raises RuntimeError and changes nothing.
    void SetName(const wchar_t* name);
    void SetExtension(const wchar_t* extension);
    // Null removes the folder.
    void SetFolder(const wchar_t* folder);

    // "folder/name.ext" (or "name.ext"), for messages.
    std::wstring ToString() const;

    // Gives location a name that no file of its partition has yet: decimal numbers from 0 to
    // 99,999,999 drawn from random stream 2, until the file system finds no such file. Partition,
    // folder and extension stay. Needs the file system and the random streams.
    static void MakeUnique(FileLocation& location);

private:
    void Assign(const wchar_t* folder, const wchar_t* name, const wchar_t* extension);

    int mPartition = kDefaultPartition;
    wchar_t* mName = nullptr;
    wchar_t* mExtension = nullptr;
    wchar_t* mFolder = nullptr;
    wchar_t mBuffer[kBufferSize] = {};
};
} // namespace Corvane
