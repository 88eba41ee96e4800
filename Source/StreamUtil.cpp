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
} // namespace Corvane
