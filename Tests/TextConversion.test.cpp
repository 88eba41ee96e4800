#include "TextConversion.h"

#include <gtest/gtest.h>

using namespace Corvane;

namespace
{
std::string Narrowed(const std::wstring& s)
{
    std::string out;
    Narrow::FromWide(out, s);
    return out;
}
} // namespace

TEST(TextConversion, WideningKeepsAsciiAndReplacesHighBytes)
{
    std::wstring out;
    Narrow::ToWide(out, "a\xE9z");
    EXPECT_EQ(out, std::wstring(L"a\xFFFDz"));
    Narrow::ToWide(out, nullptr);
    EXPECT_TRUE(out.empty());
}

TEST(TextConversion, NarrowingReplacesEveryNonAsciiCodePointOnce)
{
    EXPECT_EQ(Narrowed(L"caf\u00E9"), "caf?");
    // A surrogate pair (as UTF-16 data) and a 32-bit code point both count as one character.
    EXPECT_EQ(Narrowed(std::wstring{L'a', 0xD83D, 0xDE00, L'b'}), "a?b");
    EXPECT_EQ(Narrowed(std::wstring{L'a', static_cast<wchar_t>(0x1F600), L'b'}), "a?b");
    EXPECT_EQ(Narrowed(std::wstring{L'a', 0xDC00, L'b'}), "a?b");
    EXPECT_EQ(Narrowed(std::wstring{L'a', L'b', 0xD800}), "ab?");
}

TEST(TextConversion, DecodeHandlesSurrogatesAndStopsAtTheTerminator)
{
    const char16_t pair[] = {0xD83D, 0xDE00, 0};
    const char16_t* p = pair;
    EXPECT_EQ(Utf16::Decode(p), 0x1F600u);
    EXPECT_EQ(p, pair + 2);

    // A high surrogate followed by something else consumes both and gives U+FFFD.
    const char16_t broken[] = {0xD800, u'x', 0};
    p = broken;
    EXPECT_EQ(Utf16::Decode(p), kReplacementCharacter);
    EXPECT_EQ(p, broken + 2);

    // ...but never the terminator.
    const char16_t dangling[] = {0xD800, 0};
    p = dangling;
    EXPECT_EQ(Utf16::Decode(p), kReplacementCharacter);
    EXPECT_EQ(*p, 0);

    const wchar_t beyond[] = {static_cast<wchar_t>(0x110000), 0};
    const wchar_t* w = beyond;
    EXPECT_EQ(Utf16::Decode(w), kReplacementCharacter);
}

TEST(TextConversion, EncodeWritesSurrogatePairs)
{
    char16_t buffer[4] = {};
    char16_t* p = buffer;
    Utf16::Encode(p, 0x1F600);
    EXPECT_EQ(p, buffer + 2);
    EXPECT_EQ(buffer[0], 0xD83D);
    EXPECT_EQ(buffer[1], 0xDE00);
    p = buffer;
    Utf16::Encode(p, 0x110000);
    EXPECT_EQ(buffer[0], 0xFFFD);
    EXPECT_EQ(Utf16::UnitCount(0xFFFF), 1);
    EXPECT_EQ(Utf16::UnitCount(0x10000), 2);
    EXPECT_EQ(Utf16::UnitCount(0x110000), 1);
}

TEST(TextConversion, BufferConversionsStayInsideTheirCapacity)
{
    wchar_t wide[4];
    EXPECT_EQ(Utf16::FromNarrow("hello", nullptr, 0), 6);
    EXPECT_EQ(Utf16::FromNarrow("hello", wide, 4), 4);
    EXPECT_EQ(std::wstring(wide), L"hel");

    char narrow[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(Utf16::ToNarrow(L"h\u00E9llo", nullptr, 0), 6);
    EXPECT_EQ(Utf16::ToNarrow(L"h\u00E9llo", narrow, 4), 4);
    EXPECT_STREQ(narrow, "h?l");
    EXPECT_EQ(Utf16::ToNarrow(L"", narrow, 1), 1);
    EXPECT_STREQ(narrow, "");
}

TEST(TextConversion, ParseIntReadsAnyBaseWithoutSignOrChecks)
{
    EXPECT_EQ(ParseInt(L"  \t2a", 16), 42);
    EXPECT_EQ(ParseInt(L"12x", 10), 12 * 10 + 33); // letters are always digits
    EXPECT_EQ(ParseInt(L"12 x", 10), 12);
    EXPECT_EQ(ParseInt(L"-5", 10), 0);
    EXPECT_EQ(ParseInt(L"19", 8), 17);
    EXPECT_EQ(ParseInt(L"4294967297", 10), 1); // wraps in 32 bits
    EXPECT_EQ(DigitValue(L'#'), 0);
    EXPECT_EQ(DigitValueOrInvalid(L'#'), -1);
    EXPECT_EQ(DigitValue(L'Z'), 35);
}

TEST(TextConversion, NormalizePathTurnsBackslashesIntoSlashes)
{
    EXPECT_EQ(NormalizePath(L"a\\b\\c.png"), L"a/b/c.png");
}

TEST(TextConversion, AsciiFoldingLeavesHighBytesAlone)
{
    EXPECT_EQ(ToUpperAscii('q'), 'Q');
    EXPECT_EQ(ToUpperAscii('\xE9'), '\xE9');
    EXPECT_EQ(ToUpperAscii(static_cast<int>(0xFF)), 0xFF);
}
