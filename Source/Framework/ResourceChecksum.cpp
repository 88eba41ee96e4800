#include "Framework/ResourceChecksum.h"

#include "Stream.h"

#include <algorithm>

namespace Corvane
{
namespace
{
constexpr std::uint32_t kModulus = 65521;
// The most bytes the sums can take before they must be reduced, or b would overflow 32 bits.
constexpr std::size_t kBlock = 5552;

bool IsSpace(std::uint8_t byte)
{
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}
} // namespace

void ResourceChecksum::Add(const void* data, std::size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::uint32_t a = mA;
    std::uint32_t b = mB;
    while (size > 0)
    {
        std::size_t block = std::min(size, kBlock);
        size -= block;
        // Sixteen at a time lets the compiler keep the loop tight.
        for (; block >= 16; block -= 16, p += 16)
            for (int i = 0; i < 16; ++i)
            {
                a += p[i];
                b += a;
            }
        for (; block > 0; --block, ++p)
        {
            a += *p;
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
    }
    mA = a;
    mB = b;
}

void ResourceChecksum::AddNonSpace(const void* data, std::size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::uint32_t a = mA;
    std::uint32_t b = mB;
    std::size_t sinceReduced = 0;
    for (std::size_t i = 0; i < size; ++i)
    {
        if (IsSpace(p[i]))
            continue;
        a += p[i];
        b += a;
        if (++sinceReduced == kBlock)
        {
            a %= kModulus;
            b %= kModulus;
            sinceReduced = 0;
        }
    }
    mA = a % kModulus;
    mB = b % kModulus;
}

std::uint32_t ComputeChecksum(const void* data, std::size_t size)
{
    ResourceChecksum checksum;
    checksum.Add(data, size);
    return checksum.Get();
}

std::uint32_t ChecksumStream(IStream& stream, bool text, std::uint32_t& bytesRead)
{
    ResourceChecksum checksum;
    const std::uint32_t size = stream.GetSize();
    bytesRead = 0;
    std::uint8_t chunk[1024];
    while (!stream.IsEOF() && bytesRead < size)
    {
        const unsigned read = stream.Read(chunk, std::min<std::uint32_t>(sizeof(chunk), size - bytesRead));
        if (read == 0)
            break;
        bytesRead += read;
        if (text)
            checksum.AddNonSpace(chunk, read);
        else
            checksum.Add(chunk, read);
    }
    return checksum.Get();
}

} // namespace Corvane
