#include "Base64.h"

#include "MemoryStream.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

#include <random>

using namespace Corvane;
using Corvane::Testing::Contents;
using Corvane::Testing::Fill;

namespace
{
std::wstring Encode(const std::string& bytes)
{
    MemoryStream input(L"input");
    Fill(input, bytes);
    return Base64Encode(input);
}

std::string Decode(const std::wstring& text)
{
    MemoryStream output(L"output");
    Base64Decode(text, output);
    return Contents(output);
}
} // namespace

TEST(Base64, EncodesWithPadding)
{
    EXPECT_EQ(Encode("abc"), L"YWJj");
    EXPECT_EQ(Encode("ab"), L"YWI=");
    EXPECT_EQ(Encode("a"), L"YQ==");
    EXPECT_EQ(Encode(""), L"");
    EXPECT_EQ(Encode(std::string("\xFF\xEF\x00\x3E", 4)), L"/+8APg==");

    // Only the rest of the input, from where it stands.
    MemoryStream input(L"input");
    Fill(input, "xyzabc");
    input.Seek(IStream::kFromStart, 3);
    EXPECT_EQ(Base64Encode(input), L"YWJj");
}

TEST(Base64, DecodingSkipsWhatIsNotInTheAlphabet)
{
    EXPECT_EQ(Decode(L"YW Jj"), "abc");
    EXPECT_EQ(Decode(L"YWJj="), "abc");
    EXPECT_EQ(Decode(L"YWI=\r\n"), "ab");
    EXPECT_EQ(Decode(L"Y\u00E9Q*=="), "a"); // non-ASCII and '*' are skipped
    EXPECT_EQ(Decode(L"Y"), "");            // six bits make no byte
    EXPECT_EQ(Decode(L""), "");
}

TEST(Base64, RoundTripsRandomBytesOfEveryLengthUpTo64)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t length = 0; length <= 64; ++length)
    {
        std::string bytes(length, '\0');
        for (char& b : bytes)
            b = static_cast<char>(byte(random));
        const std::wstring text = Encode(bytes);
        EXPECT_EQ(text.size(), (length + 2) / 3 * 4) << length;
        EXPECT_EQ(Decode(text), bytes) << "length " << length;
    }
}
