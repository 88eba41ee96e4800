#include "Framework/ResourceFiles.h"

#include "FileSystem.h"
#include "Framework/FileSource.h"
#include "RuntimeError.h"
#include "Stream.h"

namespace Corvane
{
bool MakeResourceLocation(const std::wstring& name, const wchar_t* extension, FileLocation& location)
{
    try
    {
        const std::size_t slash = name.find_last_of(L"/\\");
        if (slash == std::wstring::npos)
        {
            location = FileLocation(name.c_str(), extension);
        }
        else
        {
            const std::wstring folder = name.substr(0, slash);
            location =
                FileLocation(FileLocation::kDefaultPartition, folder.c_str(), name.c_str() + slash + 1, extension);
        }
        return true;
    }
    catch (const RuntimeError&)
    {
        return false;
    }
}

bool MakeResourceFileLocation(const std::wstring& path, FileLocation& location)
{
    const std::size_t slash = path.find_last_of(L"/\\");
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return MakeResourceLocation(path, L"", location);
    return MakeResourceLocation(path.substr(0, dot), path.c_str() + dot, location);
}

IStream* OpenResourceStream(const FileLocation& location)
{
    if (IFileSource* source = IFileSource::GetInstance())
        return source->OpenStream(location);
    FileSystem* fileSystem = FileSystem::GetInstance();
    if (!fileSystem)
        return nullptr;
    FileLocation found = location;
    found.SetPartition(1);
    if (!fileSystem->Exists(found))
        return nullptr;
    return fileSystem->OpenStream(found, kFileRead, kOpenExisting);
}

void ReleaseResourceStream(IStream* stream)
{
    if (FileSystem* fileSystem = FileSystem::GetInstance())
        fileSystem->ReleaseStream(stream);
    else
        delete stream;
}
} // namespace Corvane
