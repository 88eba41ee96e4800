// Helpers shared by every stream user: error queries and the chunked copy with progress.
#pragma once

#include "DataTransferProgress.h"
#include "Stream.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Corvane
{
// Whether the stream is also an IErrorStatus that reports an error; false for streams that cannot
// fail on their own.
bool HasStreamError(IStream* stream);
// That IErrorStatus's code, else 0.
int GetStreamError(IStream* stream);

// Copies up to total bytes from source to destination in 1,024-byte chunks, reporting each chunk
// to progress (may be null). Stops at the source's end, after total bytes, on cancel, on a stream
// error (reported through progress->Finish) and when a read or write moves nothing, so a stream
// that stalls cannot hang the caller. Returns the bytes written.
unsigned CopyStream(IStream& source, IStream& destination, unsigned total, IDataTransferProgress* progress);
// The same with total = source.GetSize().
unsigned CopyStream(IStream& source, IStream& destination, IDataTransferProgress* progress);

// The rest of a stream, from its position to its size, read at once.
struct StreamBytes
{
    const std::uint8_t* data = nullptr; // the stream's own bytes or storage's; valid while both live
    std::size_t size = 0;
    bool complete = false; // every byte up to the stream's size arrived
};
// Reads in place where the stream can, else into storage. Never reads more than the size reports.
StreamBytes ReadAllBytes(IStream& stream, std::vector<std::uint8_t>& storage);
} // namespace Corvane
