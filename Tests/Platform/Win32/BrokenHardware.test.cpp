#include "Platform/Win32/BrokenHardware.h"
#include "Framework/CommandLine.h"
#include "Support/DebugCapture.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
DDDEVICEIDENTIFIER2 Radeon7500C()
{
    DDDEVICEIDENTIFIER2 identifier{};
    std::snprintf(identifier.szDescription, sizeof identifier.szDescription, "ATI MOBILITY RADEON 7500C (Dell)");
    identifier.dwVendorId = 0x1002;
    identifier.dwDeviceId = 0x4C57;
    identifier.dwSubSysId = 0x01491028;
    identifier.dwRevision = 0;
    return identifier;
}
} // namespace

TEST(BrokenHardware, MarksTheListedAdapterOnlyWhenEverythingMatches)
{
    Corvane::SetCommandLine(L"fennik");
    Corvane::Testing::DebugCapture capture;
    EXPECT_TRUE(Corvane::IsBrokenHardware(Radeon7500C()));
    EXPECT_EQ(capture.Text(), "Broken 3D Hardware: ATI Mobility Radeon 7500C fails to manage texture memory correctly "
                              "causing display corruption.\n");

    DDDEVICEIDENTIFIER2 other = Radeon7500C();
    other.dwRevision = 1;
    EXPECT_FALSE(Corvane::IsBrokenHardware(other));
    other = Radeon7500C();
    other.dwSubSysId = 0x01501028;
    EXPECT_FALSE(Corvane::IsBrokenHardware(other));
    other = Radeon7500C();
    std::snprintf(other.szDescription, sizeof other.szDescription, "ATI MOBILITY RADEON 7500");
    EXPECT_FALSE(Corvane::IsBrokenHardware(other));
}

TEST(BrokenHardware, TheSwitchMarksEveryAdapterAndIsCaseSensitive)
{
    Corvane::Testing::DebugCapture capture;
    Corvane::SetCommandLine(L"fennik -Broken");
    EXPECT_FALSE(Corvane::IsBrokenHardware(DDDEVICEIDENTIFIER2{}));
    Corvane::SetCommandLine(L"fennik -window-broken-test");
    EXPECT_TRUE(Corvane::IsBrokenHardware(DDDEVICEIDENTIFIER2{}));
    EXPECT_EQ(capture.Text(), "Broken 3D Hardware: Faking problems because of -broken command line switch.\n");
    Corvane::SetCommandLine(L"");
}
