// A temporary folder serving as partition 1 of a fresh file system, and a fresh resource manager
// (with its loader running); both are deleted with the object.
#pragma once

#include "FileSystem.h"
#include "Framework/ResourceManager.h"
#include "Support/TempFolder.h"
#include "Win32/Win32FileSystemPartition.h"

#include <string>

namespace Corvane::Testing
{
class ResourceFolder
{
public:
    ResourceFolder() : mFileSystem(new FileSystem)
    {
        mFileSystem->AddPartition(1, new Win32FileSystemPartition(L"", mFolder.WidePath()));
        ResourceManager::Instance();
    }
    ~ResourceFolder()
    {
        delete ResourceManager::InstanceIfCreated();
        mFileSystem->DeletePartitions();
        delete mFileSystem;
    }
    ResourceFolder(const ResourceFolder&) = delete;
    ResourceFolder& operator=(const ResourceFolder&) = delete;

    // Writes "<relative>.xml" holding body inside a root element.
    void WriteManifest(const std::string& relative, const std::string& body) const
    {
        mFolder.Write(relative + ".xml", "<?xml version=\"1.0\"?>\n<resources>\n" + body + "\n</resources>\n");
    }
    const TempFolder& Folder() const { return mFolder; }
    ResourceManager& Manager() const { return *ResourceManager::Instance(); }

private:
    TempFolder mFolder;
    FileSystem* mFileSystem;
};
} // namespace Corvane::Testing
