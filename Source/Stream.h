// The byte-stream interface through which all file, network and in-memory data moves.
//
// A stream belongs to the thread that opened it; nothing here takes a lock. A stream that can fail
// on its own (a file, an HTTP request) also derives from IErrorStatus; ask it through
// HasStreamError and GetStreamError (StreamUtil.h).
#pragma once

#include <cstdint>
#include <string>

namespace Corvane
{
class IStream
{
public:
    // Capability bits returned by GetCapabilities.
    enum Capability : unsigned
    {
        kCanRead = 1,
        kCanWrite = 2,
        kCanSeek = 4,
        kCanReadInPlace = 8,
    };

    // Origins of Seek.
    enum Origin
    {
        kFromStart = 0,
        kFromCurrent = 1,
        kFromEnd = 2,
    };

    virtual ~IStream() = default;
    // A name for messages: a file's path, a URL, "Account Value <key>". Fills and returns out.
    virtual std::wstring& GetName(std::wstring& out) = 0;
    // The Capability bits the stream offers.
    virtual unsigned GetCapabilities() = 0;
    // Size in bytes (low 32 bits).
    virtual std::uint32_t GetSize() = 0;
    // True when nothing is left to read.
    virtual bool IsEOF() = 0;
    // Copies up to count bytes into buffer and advances; returns the bytes read (fewer at the end).
    virtual unsigned Read(void* buffer, unsigned count) = 0;
    // Points data at up to count of the stream's own bytes instead of copying them, and advances;
    // returns how many. Only streams with kCanReadInPlace support it.
    virtual unsigned ReadOptimized(const void** data, unsigned count) = 0;
    // Writes count bytes from buffer and advances; returns the bytes written.
    virtual unsigned Write(const void* buffer, unsigned count) = 0;
    // Moves to offset bytes from origin (an Origin).
    virtual void Seek(int origin, std::int64_t offset) = 0;
    // The position in bytes from the start (low 32 bits).
    virtual std::uint32_t Tell() = 0;
};
} // namespace Corvane
