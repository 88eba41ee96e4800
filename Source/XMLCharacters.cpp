#include "XMLCharacters.h"

namespace Corvane::Internal
{
namespace
{
// One row per lead-byte form: (lead AND mask) == value selects it; payload mask, continuation
// bytes, and the range of values that form may carry (smaller ones are overlong).
struct Row
{
    unsigned char mask, value, payloadMask;
    int continuations;
    CodePoint min, max;
};

constexpr Row kRows[] = {
    {0x80, 0x00, 0x7F, 0, 0x0, 0x7F},
    {0xE0, 0xC0, 0x1F, 1, 0x80, 0x7FF},
    {0xF0, 0xE0, 0x0F, 2, 0x800, 0xFFFF},
    {0xF8, 0xF0, 0x07, 3, 0x10000, 0x1FFFFF},
    // 5- and 6-byte forms are read whole so that their bytes make one replacement character.
    {0xFC, 0xF8, 0x03, 4, 0x200000, 0x3FFFFFF},
    {0xFE, 0xFC, 0x01, 5, 0x4000000, 0x7FFFFFFF},
};

CodePoint JoinSurrogates(CodePoint high, CodePoint low)
{
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// One sequence as the table reads it, surrogates included.
CodePoint DecodeSequence(const unsigned char* data, std::size_t size, std::size_t& length)
{
    length = 1;
    const unsigned char lead = data[0];
    const Row* row = nullptr;
    for (const Row& candidate : kRows)
    {
        if ((lead & candidate.mask) == candidate.value)
        {
            row = &candidate;
            break;
        }
    }
    if (!row)
        return kReplacementCharacter;

    CodePoint payload = lead & row->payloadMask;
    for (int k = 1; k <= row->continuations; ++k)
    {
        if (static_cast<std::size_t>(k) >= size)
        {
            length = size; // cut off by the end of the data
            return kReplacementCharacter;
        }
        const unsigned char byte = data[k];
        if ((byte & 0xC0) != 0x80)
        {
            length = static_cast<std::size_t>(k);
            return kReplacementCharacter;
        }
        payload = (payload << 6) | (byte & 0x3F);
    }
    length = static_cast<std::size_t>(row->continuations) + 1;
    if (payload < row->min || payload > row->max || payload == 0 || payload > kMaxCodePoint)
        return kReplacementCharacter;
    return payload;
}
} // namespace

CodePoint DecodeXMLCharacter(const unsigned char* data, std::size_t size, std::size_t& length)
{
    if (data[0] > 0 && data[0] < 0x80)
    {
        length = 1;
        return data[0];
    }
    const CodePoint c = DecodeSequence(data, size, length);
    if (IsLowSurrogate(c))
        return kReplacementCharacter;
    if (!IsHighSurrogate(c))
        return c;
    if (length < size)
    {
        std::size_t lowLength = 0;
        const CodePoint low = DecodeSequence(data + length, size - length, lowLength);
        if (IsLowSurrogate(low))
        {
            length += lowLength;
            return JoinSurrogates(c, low);
        }
    }
    return kReplacementCharacter;
}

CodePoint ReadCodePoint(const wchar_t* text, std::size_t length, std::size_t& i)
{
    const auto c = static_cast<CodePoint>(text[i++]);
    if (IsHighSurrogate(c) && i < length && IsLowSurrogate(static_cast<CodePoint>(text[i])))
        return JoinSurrogates(c, static_cast<CodePoint>(text[i++]));
    if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > kMaxCodePoint)
        return kReplacementCharacter;
    return c;
}
} // namespace Corvane::Internal
