#include "SceneGraph/FrameList.h"

#include "SceneGraph/AnimationParseError.h"

#include <gtest/gtest.h>

#include <typeinfo>

TEST(FrameList, ListsSingleIndicesAndRangesInEitherDirection)
{
    const struct
    {
        const char* text;
        std::vector<int> indices;
    } cases[] = {
        {"", {}},
        {" \t\n ", {}},
        {"5", {5}},
        {"0-3", {0, 1, 2, 3}},
        {"3-0", {3, 2, 1, 0}},
        {"4-4", {4}},
        {"1,1,2", {1, 1, 2}},
        {"0-2, 7, 9-8", {0, 1, 2, 7, 9, 8}},
        {"0\n-\t2 ,\n 007", {0, 1, 2, 7}},
        {"2147483647", {2147483647}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFrameList(c.text), c.indices) << '"' << c.text << '"';
}

TEST(FrameList, SyntaxErrorsNameTheTokenWithItsLineAndColumn)
{
    const struct
    {
        const char* text;
        const char* message;
    } cases[] = {
        {"1,,2", "illegal token ',' (line 1, pos 3). (Expected an integer)."},
        {"1 2", "illegal token '2' (line 1, pos 4). (Expected ',')."},
        {"4-", "illegal token '<end of list>' (line 1, pos 3). (Expected an integer)."},
        {"-4", "illegal token '-' (line 1, pos 1). "},
        {",", "illegal token ',' (line 1, pos 1). "},
        {"1-2-3", "illegal token '-' (line 1, pos 4). (Expected ',')."},
        {"1,x", "unrecognized token 'x' (line 1, pos 3)"},
        {"0-3,\n  5+", "unrecognized token '+' (line 2, pos 4)"},
        {"1\r\n2", "unrecognized token '\r' (line 1, pos 2)"},
        // A bad character fails the text before any grammar error is looked for.
        {",,x", "unrecognized token 'x' (line 1, pos 3)"},
        {"1,\n\n 12 3", "illegal token '3' (line 3, pos 6). (Expected ',')."},
    };
    for (const auto& c : cases)
    {
        try
        {
            ParseFrameList(c.text);
            ADD_FAILURE() << "no error for \"" << c.text << '"';
        }
        catch (const AnimationParseError& error)
        {
            EXPECT_EQ(error.GetMessage(), c.message) << '"' << c.text << '"';
            EXPECT_STREQ(error.what(), c.message) << "the parser knows no animation";
        }
    }
}

TEST(FrameList, NumbersBeyondThirtyTwoBitsFailInTheConversionNotTheGrammar)
{
    EXPECT_THROW(ParseFrameList("12345678901"), std::bad_cast);
    EXPECT_THROW(ParseFrameList("0-2147483648"), std::bad_cast);
}

TEST(FrameList, ARangeCannotExpandBeyondTheLengthLimit)
{
    EXPECT_EQ(ParseFrameList("1-65536").size(), kMaxFrameListLength);
    try
    {
        ParseFrameList("0-5,\n0-999999999");
        ADD_FAILURE() << "a billion frames were accepted";
    }
    catch (const AnimationParseError& error)
    {
        EXPECT_STREQ(error.what(), "frame list too long (line 2, pos 12). (At most 65536 frames).");
    }
}
