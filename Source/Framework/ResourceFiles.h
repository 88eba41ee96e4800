// Where resources read their files: the manager its manifests, the factories their data files.
// Files are opened through the engine's file source (FileSource.h), which verifies them once it is
// initialised. Without a file source (before the engine's start-up) a file is looked up in
// partition 1 only (anywhere below its root when the location has no folder) and opened without
// verification, as the file source does until it is initialised.
#pragma once

#include "FileLocation.h"

#include <memory>
#include <string>

namespace Corvane
{
class IStream;

// The location of a data file named by a resource: name split at its last '/' or '\' into a folder
// and a file name, with extension, in partition 1. False for a name too long for a location: no
// file can have it.
bool MakeResourceLocation(const std::wstring& name, const wchar_t* extension, FileLocation& location);
// The same for a path that carries its extension ("Images/a.png"): the extension is the text from
// the file name's last '.' on (none without one).
bool MakeResourceFileLocation(const std::wstring& path, FileLocation& location);

// A stream on the file, or null when it is missing or cannot be opened. Any thread.
IStream* OpenResourceStream(const FileLocation& location);
// Gives back a stream from OpenResourceStream (null is allowed).
void ReleaseResourceStream(IStream* stream);

struct ResourceStreamDeleter
{
    void operator()(IStream* stream) const { ReleaseResourceStream(stream); }
};
// Owns a stream from OpenResourceStream.
using ResourceStream = std::unique_ptr<IStream, ResourceStreamDeleter>;
} // namespace Corvane
