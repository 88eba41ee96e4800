#include "Format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

using namespace Corvane;

namespace
{
struct Case
{
    const wchar_t* templateText;
    std::vector<FormatArgument> arguments;
    const wchar_t* expected;
};

std::wstring Render(const Case& c)
{
    Format format(c.templateText);
    for (const FormatArgument& argument : c.arguments)
        format % argument;
    return format.c_str();
}
} // namespace

TEST(Format, RendersTheTableOfCases)
{
    const Case cases[] = {
        {L"%1% and %1%", {7}, L"7 and 7"},
        {L"%1% %2%", {1}, L"1 %2%"},
        {L"%1%", {1234567}, L"1,234,567"},
        {L"%1:d%", {1234567}, L"1234567"},
        {L"%1:t%", {1234567}, L"1,234,567"},
        {L"%1%", {-1234}, L"-1,234"},
        {L"%1:x%", {255}, L"ff"},
        {L"%1:X4%", {255}, L"  FF"},
        {L"%1:b%", {5}, L"101"},
        {L"%1:o%", {8}, L"10"},
        {L"%1:03%", {7}, L"007"},
        {L"%1:03%", {-7}, L"-07"},
        {L"%1:4%", {-5}, L"  -5"},
        {L"%1:04%", {-5}, L"-005"},
        {L"%1%", {0.5f}, L"0.500000"},
        {L"%1:.2%", {0.5}, L"0.50"},
        {L"%1:8.3%", {3.14159}, L"   3.142"},
        {L"%1%%2%", {L'a', 'b'}, L"ab"},
        {L"%1%", {std::string("narrow")}, L"narrow"},
        {L"%1%", {std::wstring(L"wide")}, L"wide"},
        {L"100%% sure", {}, L"100%% sure"},
        {L"50% off", {1}, L"50% off"},
        {L"trailing %", {1}, L"trailing %"},
        {L"%%1%", {9}, L"%%1%"},
        {L"%3%", {1, 2}, L"%3%"},
        {L"%1%", {static_cast<unsigned long long>(ULLONG_MAX)}, L"18,446,744,073,709,551,615"},
        {L"%1:d%", {static_cast<long long>(LLONG_MIN)}, L"-9223372036854775808"},
        {L"%1%", {static_cast<short>(-3)}, L"-3"},
        {L"%1%", {std::int64_t{4000}}, L"4,000"},
        {L"%1%", {std::size_t{4000}}, L"4,000"},
        {L"", {1}, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Render(c), c.expected) << "template: " << testing::PrintToString(std::wstring(c.templateText));
}

TEST(Format, NamedPlaceholdersBindByNameCaseSensitively)
{
    Format format(L"%file%(%line%): %msg% [%File%]");
    format.Arg(L"file", std::wstring(L"a.xml")).Arg(L"line", 12).Arg(L"msg", std::wstring(L"bad tag"));
    EXPECT_EQ(std::wstring(format.c_str()), L"a.xml(12): bad tag [%File%]");
}

TEST(Format, NamedAndNumberedArgumentsShareOneNumbering)
{
    Format format(L"%name% %2%");
    format.Arg(L"name", 1) % 2;
    EXPECT_EQ(format.str(), L"1 2");
}

TEST(Format, RendersAgainAfterMoreArguments)
{
    Format format(L"%1%-%2%");
    format % 1;
    EXPECT_EQ(format.str(), L"1-%2%");
    format % 2;
    EXPECT_EQ(format.str(), L"1-2");
}

TEST(Format, AbsurdWidthsAndPrecisionsAreCapped)
{
    Format wide(L"%1:999999999%");
    wide % 1;
    const std::wstring text = wide.str();
    EXPECT_LE(text.size(), 1024u);
    EXPECT_EQ(text.back(), L'1');

    Format real(L"%1:999999999.999999999%");
    real % 1.0;
    EXPECT_LE(real.str().size(), 255u);

    Format huge(L"%99999999999999999999%");
    huge % 1;
    EXPECT_EQ(huge.str(), L"%99999999999999999999%");
}

TEST(Format, ParsesSegmentsWithTheirSpec)
{
    Format format(L"x%2:X08.3%y");
    ASSERT_EQ(format.GetSegments().size(), 3u);
    const FormatSegment& placeholder = format.GetSegments()[1];
    EXPECT_EQ(placeholder.index, 2);
    EXPECT_EQ(placeholder.flags, FormatSegment::kHexUpper);
    EXPECT_EQ(placeholder.width, 8);
    EXPECT_EQ(placeholder.fill, L'0');
    EXPECT_EQ(placeholder.precision, 3);
}

TEST(Format, TimestampsRenderDateAndTime)
{
    setenv("TZ", "UTC", 1);
    tzset();
    Format both(L"%1%|%1:d%|%1:t%");
    both % Timestamp{86400 + 3600 + 120}; // 2 January 1970, 01:02 UTC
    EXPECT_EQ(both.str(), L"01/02/70 01:02|01/02/70|01:02");
}
