// A named, growable byte stream in memory: reads, writes, seeks and reads in place.
#pragma once

#include "Stream.h"

#include <cstddef>
#include <vector>

namespace Corvane
{
class MemoryStream : public IStream
{
public:
    explicit MemoryStream(const std::wstring& name);

    std::wstring& GetName(std::wstring& out) override;
    unsigned GetCapabilities() override;
    std::uint32_t GetSize() override;
    bool IsEOF() override;
    unsigned Read(void* buffer, unsigned count) override;
    // The pointer stays valid until a Write grows the data or the stream is destroyed.
    unsigned ReadOptimized(const void** data, unsigned count) override;
    // Writing past the end grows the data (new bytes zero); writing in the middle overwrites.
    unsigned Write(const void* buffer, unsigned count) override;
    // Only the low 32 bits of offset count; the result is clamped to the data.
    void Seek(int origin, std::int64_t offset) override;
    std::uint32_t Tell() override;

private:
    std::size_t Remaining() const { return mData.size() - mPosition; }

    std::wstring mName;
    std::vector<unsigned char> mData;
    std::size_t mPosition = 0; // index into mData, never past its end
};
} // namespace Corvane
