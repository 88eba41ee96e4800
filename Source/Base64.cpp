#include "Base64.h"

#include <array>
#include <cstdint>

namespace Corvane
{
namespace
{
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kNotInAlphabet = -1;

// Sextet values for '+' .. 'z', the span of the alphabet; -1 elsewhere in it.
constexpr wchar_t kTableFirst = L'+';
constexpr wchar_t kTableLast = L'z';

constexpr std::array<std::int8_t, kTableLast - kTableFirst + 1> MakeDecodeTable()
{
    std::array<std::int8_t, kTableLast - kTableFirst + 1> table{};
    for (auto& value : table)
        value = kNotInAlphabet;
    for (int i = 0; i < 64; ++i)
        table[kAlphabet[i] - kTableFirst] = static_cast<std::int8_t>(i);
    return table;
}

constexpr auto kDecodeTable = MakeDecodeTable();

int SextetOf(wchar_t c)
{
    if (c < kTableFirst || c > kTableLast)
        return kNotInAlphabet;
    return kDecodeTable[c - kTableFirst];
}
} // namespace

std::wstring Base64Encode(IStream& input)
{
    std::wstring text;
    unsigned char group[3];
    int pending = 0;
    unsigned char chunk[1024];
    while (!input.IsEOF())
    {
        const unsigned n = input.Read(chunk, sizeof chunk);
        if (n == 0)
            break; // a stream that reports neither data nor its end
        for (unsigned i = 0; i < n && i < sizeof chunk; ++i)
        {
            group[pending++] = chunk[i];
            if (pending < 3)
                continue;
            text += kAlphabet[group[0] >> 2];
            text += kAlphabet[((group[0] & 0x03) << 4) | (group[1] >> 4)];
            text += kAlphabet[((group[1] & 0x0F) << 2) | (group[2] >> 6)];
            text += kAlphabet[group[2] & 0x3F];
            pending = 0;
        }
    }
    if (pending == 1)
    {
        text += kAlphabet[group[0] >> 2];
        text += kAlphabet[(group[0] & 0x03) << 4];
        text += L"==";
    }
    else if (pending == 2)
    {
        text += kAlphabet[group[0] >> 2];
        text += kAlphabet[((group[0] & 0x03) << 4) | (group[1] >> 4)];
        text += kAlphabet[(group[1] & 0x0F) << 2];
        text += L'=';
    }
    return text;
}

void Base64Decode(const std::wstring& text, IStream& output)
{
    unsigned bits = 0;
    int count = 0;
    for (wchar_t c : text)
    {
        const int sextet = SextetOf(c);
        if (sextet == kNotInAlphabet)
            continue;
        bits = (bits << 6) | static_cast<unsigned>(sextet);
        count += 6;
        if (count >= 8)
        {
            count -= 8;
            const auto byte = static_cast<unsigned char>(bits >> count);
            output.Write(&byte, 1);
            bits &= (1u << count) - 1;
        }
    }
}
} // namespace Corvane
