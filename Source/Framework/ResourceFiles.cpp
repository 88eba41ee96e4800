#include "Framework/ResourceFiles.h"

#include "FileSystem.h"
#include "Stream.h"

namespace Corvane
{
IStream* OpenResourceStream(const FileLocation& location)
{
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
