#include "StreamUtil.h"

#include "ErrorStatus.h"

#include <algorithm>

namespace Corvane
{
namespace
{
IErrorStatus* ErrorStatusOf(IStream* stream)
{
    return stream ? dynamic_cast<IErrorStatus*>(stream) : nullptr;
}

constexpr unsigned kChunkSize = 1024;
} // namespace

bool HasStreamError(IStream* stream)
{
    IErrorStatus* status = ErrorStatusOf(stream);
    return status && status->HasError();
}

int GetStreamError(IStream* stream)
{
    IErrorStatus* status = ErrorStatusOf(stream);
    return status ? status->GetError() : 0;
}

unsigned CopyStream(IStream& source, IStream& destination, unsigned total, IDataTransferProgress* progress)
{
    unsigned char buffer[kChunkSize];
    unsigned done = 0;
    while (!source.IsEOF() && done < total && !(progress && progress->IsCancelled()))
    {
        const unsigned chunk = std::min(total - done, kChunkSize);
        const unsigned read = std::min(source.Read(buffer, chunk), chunk);

        unsigned written = 0;
        bool stalled = read == 0;
        while (written < read && !HasStreamError(&destination))
        {
            const unsigned n = std::min(destination.Write(buffer + written, read - written), read - written);
            if (n == 0)
            {
                stalled = true;
                break;
            }
            written += n;
        }
        done += written;

        if (progress)
            progress->AddDone(static_cast<float>(done) / static_cast<float>(total), written);

        if (HasStreamError(&source) || HasStreamError(&destination))
        {
            if (progress)
                progress->Finish(HasStreamError(&source) ? GetStreamError(&source) : GetStreamError(&destination));
            break;
        }
        // A stream that neither ends nor fails but moves nothing would otherwise spin forever; the
        // caller sees the short copy (the source is not at its end).
        if (stalled)
            break;
    }
    return done;
}

unsigned CopyStream(IStream& source, IStream& destination, IDataTransferProgress* progress)
{
    return CopyStream(source, destination, source.GetSize(), progress);
}

StreamBytes ReadAllBytes(IStream& stream, std::vector<std::uint8_t>& storage)
{
    const std::uint32_t size = stream.GetSize();
    const std::uint32_t position = stream.Tell();
    const unsigned wanted = position < size ? size - position : 0;
    StreamBytes bytes;
    std::size_t got = 0;
    if (stream.GetCapabilities() & IStream::kCanReadInPlace)
    {
        const void* data = nullptr;
        got = stream.ReadOptimized(&data, wanted);
        if (got == wanted)
        {
            bytes.data = static_cast<const std::uint8_t*>(data);
            bytes.size = got;
            bytes.complete = true;
            return bytes;
        }
        // A stream that lends only part of its bytes: keep them and copy the rest.
        const auto* lent = static_cast<const std::uint8_t*>(data);
        storage.assign(lent, lent + (data ? got : 0));
        got = storage.size();
    }
    storage.resize(wanted);
    while (got < wanted)
    {
        const unsigned n = stream.Read(storage.data() + got, static_cast<unsigned>(wanted - got));
        if (n == 0)
            break;
        got += n;
    }
    storage.resize(got);
    bytes.data = storage.data();
    bytes.size = got;
    bytes.complete = got == wanted;
    return bytes;
}
} // namespace Corvane
