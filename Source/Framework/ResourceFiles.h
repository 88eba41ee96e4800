// Where resources read their files: the manager its manifests, the factories their data files.
// There is no file source yet, so a file is looked up in partition 1 only (anywhere below its root
// when the location has no folder) and opened for reading without verification; when the file
// source arrives, these two functions go through it instead.
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
