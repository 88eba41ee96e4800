#include "Label.h"
#include "LabelTable.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace Corvane;

TEST(Label, InterningIgnoresCaseAndKeepsTheFirstSpelling)
{
    const Label first = Label::Intern("LabelTestButton");
    const Label second = Label::Intern("LABELTESTBUTTON");
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second.c_str(), "LabelTestButton");
    EXPECT_EQ(Label::Intern("label_a_b"), Label::Intern("LABEL_A_B"));
    EXPECT_NE(Label::Intern("label-a-b"), Label::Intern("label_a_b"));
}

TEST(Label, NullAndEmptyAreDistinct)
{
    EXPECT_TRUE(Label::Intern(nullptr).IsNull());
    const Label empty = Label::Intern("");
    EXPECT_FALSE(empty.IsNull());
    EXPECT_STREQ(empty.c_str(), "");
    EXPECT_EQ(HashNoCase(""), 0u);
    EXPECT_EQ(HashNoCase(nullptr), 0u);
}

TEST(Label, WideNamesAreNarrowedBeforeInterning)
{
    EXPECT_EQ(Label(L"LabelTestWide"), Label::Intern("labeltestwide"));
    EXPECT_STREQ(Label(L"caf\u00E9Label").c_str(), "caf?Label");
}

TEST(Label, AStreamReceivesTheNameAsFirstSpelled)
{
    Label::Intern("LabelTestStreamed");
    std::ostringstream narrow;
    narrow << '[' << Label::Intern("LABELTESTSTREAMED") << '|' << Label() << ']';
    EXPECT_EQ(narrow.str(), "[LabelTestStreamed|]");
    std::wostringstream wide;
    wide << Label::Intern("LabelTestStreamed");
    EXPECT_EQ(wide.str(), L"LabelTestStreamed");
}

TEST(Label, FormatBuildsNumberedNamesAndCutsLongOutput)
{
    EXPECT_EQ(Label::Format("Slot%d", 7), Label::Intern("slot7"));
    EXPECT_EQ(Label::FormatWide(L"Wide%ls%d", L"Slot", 3), Label::Intern("WideSlot3"));
    const std::string huge(5000, 'q');
    EXPECT_EQ(std::string(Label::Format("%s", huge.c_str()).c_str()), std::string(4095, 'q'));
    EXPECT_EQ(std::string(Label::FormatWide(L"%s", huge.c_str()).c_str()).size(), 4095u);
}

TEST(Label, HashIsCaseInsensitiveAndFollowsTheRecurrence)
{
    EXPECT_EQ(HashNoCase("abc"), HashNoCase("ABC"));
    EXPECT_EQ(HashNoCase("ab"), ((std::uint32_t('A') * 31u) ^ std::uint32_t('B')));
    EXPECT_EQ(HashNoCaseWide(L"abc"), HashNoCase("abc"));
    EXPECT_TRUE(EqualsNoCase(L"Images", L"iMAGES"));
    EXPECT_FALSE(EqualsNoCase(L"Image", L"Images"));
}

TEST(Label, OrderingAndHashingUseTheHandle)
{
    std::map<Label, int> byLabel;
    byLabel[Label::Intern("LabelTestOne")] = 1;
    byLabel[Label::Intern("labeltestone")] = 2;
    EXPECT_EQ(byLabel.size(), 1u);
    EXPECT_EQ(std::hash<Label>()(Label::Intern("LabelTestOne")), std::hash<Label>()(Label::Intern("LABELTESTONE")));
}

TEST(LabelTable, GrowsAtTheTwelfthNameAndKeepsHandles)
{
    auto table = std::make_unique<Internal::LabelTable>();
    std::vector<const char*> handles;
    for (int i = 0; i < 11; ++i)
        handles.push_back(table->Intern(("name" + std::to_string(i)).c_str()));
    EXPECT_EQ(table->GetCapacity(), 16);
    handles.push_back(table->Intern("name11"));
    EXPECT_EQ(table->GetCapacity(), 32);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(table->Intern(("NAME" + std::to_string(i)).c_str()), handles[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(table->GetUsed(), 12);
}

TEST(LabelTable, NamesBeyondTheArenaGoToTheHeap)
{
    auto table = std::make_unique<Internal::LabelTable>();
    const std::string big(Internal::LabelTable::kArenaSize - 100, 'x');
    const char* inArena = table->Intern(big.c_str());
    EXPECT_TRUE(table->InArena(inArena));
    const std::string tooBig(200, 'y');
    const char* onHeap = table->Intern(tooBig.c_str());
    EXPECT_FALSE(table->InArena(onHeap));
    EXPECT_EQ(std::string(onHeap), tooBig);
    // A short name still fits in the arena's rest.
    EXPECT_TRUE(table->InArena(table->Intern("short")));
}

TEST(Label, InterningFromEightThreadsGivesIdenticalHandles)
{
    constexpr int kThreads = 8;
    constexpr int kNames = 3000; // enough to grow the process-wide table several times
    std::vector<std::vector<const char*>> handles(kThreads, std::vector<const char*>(kNames));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back([t, &handles] {
            for (int i = 0; i < kNames; ++i)
            {
                // Each thread visits the names in its own order and spelling.
                const int n = (i * 7 + t * 131) % kNames;
                char name[48];
                std::snprintf(name, sizeof name, (t % 2) ? "CONCURRENT_%d" : "concurrent_%d", n);
                handles[static_cast<std::size_t>(t)][static_cast<std::size_t>(n)] = Label::Intern(name).c_str();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int n = 0; n < kNames; ++n)
    {
        char name[48];
        std::snprintf(name, sizeof name, "Concurrent_%d", n);
        const char* expected = Label::Intern(name).c_str();
        for (int t = 0; t < kThreads; ++t)
            ASSERT_EQ(handles[static_cast<std::size_t>(t)][static_cast<std::size_t>(n)], expected) << t << " " << n;
    }
}
