// The checksum of the resource table of contents (ResourceTOC.h); its name hash is
// HashNoCaseWide (Label.h).
//
// Checksum: Adler-32 arithmetic with both sums starting at 0 (the standard starts one of them at
// 1), so "abc" gives 0x024A0126. Text files (".txt", ".xml") are summed over their bytes that are
// not white space, so line ends and indentation may change without invalidating them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Corvane
{
class IStream;

class ResourceChecksum
{
public:
    void Add(const void* data, std::size_t size);
    // Adds the bytes that are not white space (blank, tab, line feed, vertical tab, form feed,
    // carriage return).
    void AddNonSpace(const void* data, std::size_t size);
    std::uint32_t Get() const { return (mB << 16) | mA; }

private:
    std::uint32_t mA = 0;
    std::uint32_t mB = 0;
};

std::uint32_t ComputeChecksum(const void* data, std::size_t size);

// Reads stream from its position in chunks of up to 1,024 bytes until its end, its size, or a read
// that moves nothing, summing every byte (or, for text, the non-space ones). bytesRead gets how
// many bytes were read.
std::uint32_t ChecksumStream(IStream& stream, bool text, std::uint32_t& bytesRead);

} // namespace Corvane
