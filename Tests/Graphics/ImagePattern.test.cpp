#include "Graphics/ImagePattern.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

#include <set>

using namespace Corvane;

namespace
{
// Walks pattern over the files present; returns the names found, in order, and counts the tries.
std::vector<std::wstring> Walk(const ImagePattern& pattern, const std::set<std::wstring>& present, int* tries = nullptr)
{
    std::vector<std::wstring> loaded;
    int asked = 0;
    const int count = pattern.Walk([&](const std::wstring& name) {
        ++asked;
        if (!present.count(name))
            return false;
        loaded.push_back(name);
        return true;
    });
    EXPECT_EQ(count, static_cast<int>(loaded.size()));
    if (tries)
        *tries = asked;
    return loaded;
}
} // namespace

TEST(ImagePattern, NamesFillThePlaceholder)
{
    EXPECT_EQ(ImagePattern(L"Images/walk%1%", 0, 5).GetName(3), L"Images/walk3");
    EXPECT_EQ(ImagePattern(L"frame%1:03d%", 0, 5).GetName(7), L"frame007");
    EXPECT_EQ(ImagePattern(L"big%1%", 0, 5).GetName(1200), L"big1,200");
}

TEST(ImagePattern, SequencesStartAtZeroOrOneAndEndAtTheFirstGap)
{
    const ImagePattern fromZero(L"a%1%", 0, ImagePattern::kOpenEnd);
    // Files 1 to 5: index 0 is skipped, 6 ends the list.
    EXPECT_EQ(Walk(fromZero, {L"a1", L"a2", L"a3", L"a4", L"a5", L"a7"}),
              (std::vector<std::wstring>{L"a1", L"a2", L"a3", L"a4", L"a5"}));
    // Files 0, 1 and 3: the gap at 2 ends it.
    EXPECT_EQ(Walk(fromZero, {L"a0", L"a1", L"a3"}), (std::vector<std::wstring>{L"a0", L"a1"}));
    // Negative indices are skipped while missing.
    EXPECT_EQ(Walk(ImagePattern(L"a%1%", -3, 10), {L"a-2", L"a0", L"a1"}),
              (std::vector<std::wstring>{L"a-2", L"a0", L"a1"}));
    // First above last: nothing is asked for.
    int tries = -1;
    EXPECT_TRUE(Walk(ImagePattern(L"a%1%", 3, 2), {L"a2", L"a3"}, &tries).empty());
    EXPECT_EQ(tries, 0);
    // The last index bounds a complete run.
    EXPECT_EQ(Walk(ImagePattern(L"a%1%", 1, 2), {L"a1", L"a2", L"a3"}).size(), 2u);
    // The last index can be the largest int without the walk overflowing.
    EXPECT_EQ(Walk(ImagePattern(L"a%1%", ImagePattern::kOpenEnd, ImagePattern::kOpenEnd), {L"a2,147,483,647"}).size(),
              1u);
}

TEST(ImagePattern, BrokenPatternsEndTheirWalk)
{
    // Without the placeholder every index names one file: it is loaded once.
    int tries = 0;
    EXPECT_EQ(Walk(ImagePattern(L"still", 0, ImagePattern::kOpenEnd), {L"still"}, &tries),
              (std::vector<std::wstring>{L"still"}));
    EXPECT_EQ(tries, 1);
    EXPECT_TRUE(Walk(ImagePattern(L"missing", -2000000000, 0), {}, &tries).empty());
    EXPECT_EQ(tries, 1);

    // A first index far below 0 with nothing there: bounded, and said so.
    Testing::DebugCapture capture;
    EXPECT_TRUE(Walk(ImagePattern(L"gone%1%", -2000000000, 0), {}, &tries).empty());
    EXPECT_EQ(tries, ImagePattern::kMaxIndices);
    EXPECT_EQ(capture.Text(), "Image pattern gone%1% stopped after 65536 indices.\n");
}
