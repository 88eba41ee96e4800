#include "Debug.h"

#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

using namespace Corvane;
using Corvane::Testing::DebugCapture;

TEST(DebugPrint, FormatsOneWriteAndSkipsEmptyOutput)
{
    DebugCapture capture;
    DebugPrint("%s=%d\n", "x", 3);
    DebugPrint("%s", "");
    ASSERT_EQ(capture.Writes().size(), 1u);
    EXPECT_EQ(capture.Writes()[0], "x=3\n");
}

TEST(DebugPrint, CutsOutputAt1023Characters)
{
    DebugCapture capture;
    const std::string huge(5000, 'z');
    DebugPrint("%s", huge.c_str());
    ASSERT_EQ(capture.Writes().size(), 1u);
    EXPECT_EQ(capture.Writes()[0], std::string(1023, 'z'));
}

TEST(ProfileCounter, ReportsCallsTotalAverageMinAndMax)
{
    DebugCapture capture;
    ProfileCounter counter("Test::Operation");
    counter.AddSample(1500);
    counter.AddSample(2500);
    counter.Report();
    EXPECT_EQ(capture.Text(), "Test::Operation: 2 calls, 4.000ms Total, 2.000ms Avg, 1.500ms Min, 2.500ms Max\n");
    capture.Clear();
}

TEST(ProfileCounter, ReportsOnceAtTheEndOnlyWhenUsed)
{
    DebugCapture capture;
    {
        ProfileCounter unused("Test::Unused");
    }
    EXPECT_TRUE(capture.Text().empty());
    {
        ProfileCounter used("Test::Used");
        ProfileScope scope(used);
    }
    EXPECT_EQ(capture.Text().rfind("Test::Used: 1 calls, ", 0), 0u);
}

TEST(ProfileCounter, SamplesFromTwoThreadsAreAllCounted)
{
    DebugCapture capture; // keep the end-of-scope report out of the test log
    ProfileCounter counter("Test::Threads");
    auto work = [&counter] {
        for (int i = 1; i <= 10000; ++i)
            counter.AddSample(static_cast<std::uint64_t>(i));
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter.GetCalls(), 20000);
    capture.Clear();
    counter.Report();
    EXPECT_NE(capture.Text().find("20000 calls, 100010.000ms Total"), std::string::npos) << capture.Text();
    EXPECT_NE(capture.Text().find("0.001ms Min, 10.000ms Max"), std::string::npos);
}
