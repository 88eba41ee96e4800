#include "XMLCharacters.h"

#include "Utf8.h"

#include <gtest/gtest.h>

#include <string>

using namespace Corvane;

namespace
{
// Decodes all of bytes.
std::u32string DecodeAll(const std::string& bytes)
{
    std::u32string out;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t at = 0;
    while (at < bytes.size())
    {
        std::size_t length = 0;
        out += static_cast<char32_t>(Internal::DecodeXMLCharacter(data + at, bytes.size() - at, length));
        EXPECT_GE(length, 1u);
        at += length;
    }
    return out;
}

std::string EncodeOne(CodePoint c)
{
    std::string bytes;
    Utf8::Append(bytes, c);
    return bytes;
}
} // namespace

TEST(XMLCharacters, DecodesWellFormedCharactersOfEveryLength)
{
    EXPECT_EQ(DecodeAll("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"A\u00E9\u20AC\U0001F600");
    EXPECT_EQ(DecodeAll("\xF4\x8F\xBF\xBF"), U"\U0010FFFF");
    EXPECT_EQ(DecodeAll("\xEF\xBF\xBF"), std::u32string(1, 0xFFFF));
}

TEST(XMLCharacters, ReplacesWhatIsNotWellFormed)
{
    EXPECT_EQ(DecodeAll("\xC3("), U"\uFFFD("); // bad continuation starts the next character
    EXPECT_EQ(DecodeAll("\x80"
                        "a"),
              U"\uFFFDa");                                 // stray continuation byte
    EXPECT_EQ(DecodeAll("\xC0\x80"), U"\uFFFD");           // overlong
    EXPECT_EQ(DecodeAll(std::string(1, '\0')), U"\uFFFD"); // NUL
    EXPECT_EQ(DecodeAll("\xF4\x90\x80\x80"), U"\uFFFD");   // past U+10FFFF
    EXPECT_EQ(DecodeAll("\xF8\x88\x80\x80\x80"
                        "b"),
              U"\uFFFDb"); // 5-byte form read whole
    EXPECT_EQ(DecodeAll("\xFF"
                        "c"),
              U"\uFFFDc");
    EXPECT_EQ(DecodeAll("\xE2\x82"), U"\uFFFD"); // cut off by the end
}

TEST(XMLCharacters, JoinsSurrogatePairsWrittenAsTwoSequences)
{
    // U+1F600 as 16-bit programs write it: D83D DE00, each as three bytes.
    EXPECT_EQ(DecodeAll("\xED\xA0\xBD\xED\xB8\x80"), U"\U0001F600");
    EXPECT_EQ(DecodeAll("\xED\xA0\xBDx"), U"\uFFFDx"); // a lone high half
    EXPECT_EQ(DecodeAll("\xED\xB8\x80"), U"\uFFFD");   // a lone low half
}

TEST(XMLCharacters, EveryCodePointTheWriterEncodesReadsBack)
{
    // Sampled densely near the form boundaries.
    for (CodePoint c = 1; c <= kMaxCodePoint; c += (c < 0x1000 ? 1 : 97))
    {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        ASSERT_EQ(DecodeAll(EncodeOne(c)), std::u32string(1, static_cast<char32_t>(c))) << std::hex << c;
    }
}
