// The sink a chunked stream copy reports to (downloads follow their transfers through it).
#pragma once

namespace Corvane
{
class IDataTransferProgress
{
public:
    virtual ~IDataTransferProgress() = default;
    // The copy is about to move bytes bytes in all.
    virtual void SetTotal(unsigned bytes) = 0;
    // After each chunk: fraction (0 to 1) of the total done so far, and the bytes of this chunk.
    virtual void AddDone(float fraction, unsigned bytes) = 0;
    // The whole transfer has ended well.
    virtual void OnComplete() = 0;
    // The copy stopped on a stream error; code is that stream's (negative) error code.
    virtual void Finish(int code) = 0;
    // Asked before every chunk; true stops the copy.
    virtual bool IsCancelled() = 0;
};
} // namespace Corvane

namespace Corvane
{
// How far a transfer has come, as its followers see it. Any thread.
class IDataTransferProgressQuery
{
public:
    // The bytes to move in all, and those moved so far.
    virtual unsigned GetTotal() = 0;
    virtual unsigned GetDone() = 0;
    // Done over total, 0 to 1 (0 while the total is 0).
    virtual float GetProgress() = 0;

protected:
    ~IDataTransferProgressQuery() = default;
};
} // namespace Corvane
