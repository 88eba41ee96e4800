#include "MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace Corvane
{
MemoryStream::MemoryStream(const std::wstring& name) : mName(name) {}

std::wstring& MemoryStream::GetName(std::wstring& out)
{
    out = mName;
    return out;
}

unsigned MemoryStream::GetCapabilities()
{
    return kCanRead | kCanWrite | kCanSeek | kCanReadInPlace;
}

std::uint32_t MemoryStream::GetSize()
{
    return static_cast<std::uint32_t>(mData.size());
}

bool MemoryStream::IsEOF()
{
    return mPosition == mData.size();
}

unsigned MemoryStream::Read(void* buffer, unsigned count)
{
    const std::size_t n = std::min<std::size_t>(count, Remaining());
    if (n > 0)
        std::memcpy(buffer, mData.data() + mPosition, n);
    mPosition += n;
    return static_cast<unsigned>(n);
}

unsigned MemoryStream::ReadOptimized(const void** data, unsigned count)
{
    const std::size_t n = std::min<std::size_t>(count, Remaining());
    *data = n > 0 ? mData.data() + mPosition : nullptr;
    mPosition += n;
    return static_cast<unsigned>(n);
}

unsigned MemoryStream::Write(const void* buffer, unsigned count)
{
    if (count == 0)
        return 0;
    if (mPosition + count > mData.size())
        mData.resize(mPosition + count);
    std::memcpy(mData.data() + mPosition, buffer, count);
    mPosition += count;
    return count;
}

void MemoryStream::Seek(int origin, std::int64_t offset)
{
    // Offsets are 32-bit: a stream never holds more than the size reports.
    const std::int64_t delta = static_cast<std::int32_t>(offset);
    const auto size = static_cast<std::int64_t>(mData.size());
    std::int64_t target = static_cast<std::int64_t>(mPosition);
    if (origin == kFromStart)
        target = delta;
    else if (origin == kFromCurrent)
        target += delta;
    else if (origin == kFromEnd)
        target = size + delta;
    mPosition = static_cast<std::size_t>(std::clamp<std::int64_t>(target, 0, size));
}

std::uint32_t MemoryStream::Tell()
{
    return static_cast<std::uint32_t>(mPosition);
}
} // namespace Corvane
