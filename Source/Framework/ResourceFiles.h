// Where resources read their files: the manager its manifests, the factories their data files.
// There is no file source yet, so a file is looked up in partition 1 only (anywhere below its root
// when the location has no folder) and opened for reading without verification; when the file
// source arrives, these two functions go through it instead.
#pragma once

#include "FileLocation.h"

#include <memory>

namespace Corvane
{
class IStream;

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
