#include "XMLEntities.h"

#include <gtest/gtest.h>

using namespace Corvane::Internal;

namespace
{
std::wstring Decoded(std::wstring text)
{
    DecodeReferences(text);
    return text;
}
} // namespace

TEST(XMLEntities, NumericReferencesInBothBases)
{
    EXPECT_EQ(Decoded(L"&lt;&#65;&#x42;&amp;&foo;"), L"<AB&!foo!");
    EXPECT_EQ(Decoded(L"&#x20ac;&#8364;"), L"\u20AC\u20AC");
    // Only a lower-case x selects base 16: "X41" is read in base 10 with letters as digits.
    EXPECT_EQ(Decoded(L"&#X41;"), std::wstring(1, static_cast<wchar_t>(33 * 100 + 4 * 10 + 1)));
    EXPECT_EQ(Decoded(L"&# 65;"), L"A");                        // leading blanks are skipped
    EXPECT_EQ(Decoded(L"&#65 trailing junk;after"), L"Aafter"); // all up to ';' goes
    EXPECT_EQ(Decoded(L"&#0;"), std::wstring(1, L'\0'));
    EXPECT_EQ(Decoded(L"&#x12345678;"), std::wstring(1, static_cast<wchar_t>(0x5678))); // cut to 16 bits
}

TEST(XMLEntities, CodePointsBeyond16BitsStayWhole)
{
    EXPECT_EQ(Decoded(L"&#x1F600;"), L"\U0001F600");
    EXPECT_EQ(Decoded(L"&#128512;"), L"\U0001F600");
    // A pair of 16-bit halves, as a 16-bit program writes it, becomes the one code point.
    EXPECT_EQ(Decoded(L"a&#xD83D;&#xDE00;b"), L"a\U0001F600b");
    EXPECT_EQ(Decoded(L"&#xD83D;x"), L"\uFFFDx");
}

TEST(XMLEntities, NamedTableIsCaseSensitiveAndComplete)
{
    EXPECT_EQ(Decoded(L"&quot;&apos;&nbsp;&eacute;&Eacute;&euro;&trade;&Yuml;&hellip;"),
              L"\"'\u00A0\u00E9\u00C9\u20AC\u2122\u0178\u2026");
    EXPECT_EQ(Decoded(L"&EACUTE;"), L"!EACUTE!");
    EXPECT_EQ(LookUpEntity(L"frac34"), L'\u00BE');
    EXPECT_EQ(LookUpEntity(L"rsaquo"), L'\u203A');
    EXPECT_EQ(LookUpEntity(L"zwj"), L'\u200D');
    EXPECT_EQ(LookUpEntity(L"AMP"), 0);
    EXPECT_EQ(LookUpEntity(L"hearts"), 0); // HTML 4 symbols beyond Latin-1 and its special characters are not in it
}

TEST(XMLEntities, UnterminatedAndOversizedReferencesAreKeptVisibly)
{
    EXPECT_EQ(Decoded(L"fish &amp chips"), L"fish !amp chips!"); // no ';': the name runs to the end
    EXPECT_EQ(Decoded(L"x &amp"), L"x &");
    EXPECT_EQ(Decoded(L"&"), L"!!");
    EXPECT_EQ(Decoded(L"a&;b"), L"a!!b");
    EXPECT_EQ(Decoded(L"&#"), std::wstring(1, L'\0'));
    // Longer than any entity name (63 characters): unknown, kept whole, nothing overruns.
    const std::wstring longName(500, L'a');
    EXPECT_EQ(Decoded(L"<&" + longName + L";>"), L"<!" + longName + L"!>");
    EXPECT_EQ(Decoded(L"&" + std::wstring(63, L'q') + L";"), L"!" + std::wstring(63, L'q') + L"!");
    // Text after the starting index is decoded, text before it left alone.
    std::wstring text = L"&amp;|&amp;";
    DecodeReferences(text, 5);
    EXPECT_EQ(text, L"&amp;|&");
}
