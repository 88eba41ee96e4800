#include "Platform/Win32/DisplayDevices.h"

#include "Framework/CommandLine.h"
#include "Platform/Compat/Direct3D/Direct3D.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Support/DebugCapture.h"
#include "Win32/Win32Error.h"

#include <gtest/gtest.h>

#include <string>

using namespace Corvane;

namespace
{
class DisplayDevicesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        SetCommandLine(L"fennik");
        FreeDisplayDevices();
    }
    void TearDown() override
    {
        SetCommandLine(L"");
        FreeDisplayDevices();
        Compat::ResetDisplayMachine();
    }

    // The chosen record's name.
    static std::string Chosen()
    {
        DisplayDeviceRecord* chosen = nullptr;
        EXPECT_EQ(SelectDefaultDevice(0, &chosen), 0);
        return chosen ? chosen->name : "";
    }

    static void Stage(std::vector<Compat::Direct3DDeviceDescription> devices,
                      std::vector<Compat::DisplayDriverDescription> secondary = {})
    {
        Compat::DisplayMachine machine;
        machine.drivers.push_back(Compat::DefaultPrimaryDriver());
        machine.drivers[0].devices = std::move(devices);
        for (auto& driver : secondary)
            machine.drivers.push_back(std::move(driver));
        Compat::SetDisplayMachine(machine);
    }

    Testing::DebugCapture mCapture;
};
} // namespace

TEST_F(DisplayDevicesTest, KeepsEachDeviceWithItsSortedUsableModesAndPrefersTransformAndLighting)
{
    Compat::DisplayMachine machine = Compat::DefaultDisplayMachine();
    machine.drivers[0].modes = {{1024, 768, 32}, {640, 480, 16}, {640, 480, 8}, {800, 600, 32}, {640, 480, 32}};
    machine.drivers[0].devices[1].caps.dwDeviceRenderBitDepth = DDBD_16;
    Compat::SetDisplayMachine(machine);

    ASSERT_EQ(EnumerateDisplayDevices(), 0);
    const DisplayDeviceList& list = GetDisplayDeviceList();
    ASSERT_EQ(list.count, 3);
    EXPECT_EQ(list.driversExamined, 3);
    const DisplayDeviceRecord& software = list.records[0];
    EXPECT_STREQ(software.name, "RGB Emulation");
    EXPECT_FALSE(software.hardware);
    EXPECT_TRUE(software.desktopCompatible);
    ASSERT_EQ(software.modes.size(), 4u) << "8-bit modes never count";
    EXPECT_EQ(software.modes[0].ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(software.modes[1].dwWidth, 640u);
    EXPECT_EQ(software.modes[1].ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(software.modes[2].dwWidth, 800u);
    EXPECT_EQ(software.modes[3].dwWidth, 1024u);
    EXPECT_EQ(software.defaultModeIndex, 1);
    EXPECT_EQ(software.defaultMode, &software.modes[1]);
    ASSERT_EQ(list.records[1].modes.size(), 1u) << "only the depths the device renders";
    EXPECT_EQ(list.records[1].defaultMode, nullptr);
    EXPECT_EQ(Chosen(), "Direct3D T&L HAL");
    EXPECT_TRUE(list.records[2].windowed);
}

TEST_F(DisplayDevicesTest, FallsBackFromHardwareToSoftwareAndFromSoftwareToTheReference)
{
    Stage({Compat::HardwareDevice(IID_IDirect3DHALDevice, "HAL"),
           Compat::SoftwareDevice(IID_IDirect3DRefDevice, "Reference"),
           Compat::SoftwareDevice(IID_IDirect3DRGBDevice, "RGB")});
    ASSERT_EQ(EnumerateDisplayDevices(), 0);
    EXPECT_EQ(Chosen(), "HAL");
    DisplayDeviceRecord* chosen = nullptr;
    ASSERT_EQ(SelectDefaultDevice(kSelectSoftwareOnly, &chosen), 0);
    EXPECT_STREQ(chosen->name, "RGB");
    EXPECT_EQ(SelectDefaultDevice(0, nullptr), kInvalidArgument);

    SetCommandLine(L"fennik -broken");
    EXPECT_EQ(Chosen(), "RGB") << "with -broken no hardware device is chosen";
    EXPECT_NE(mCapture.Text().find("Faking problems because of -broken"), std::string::npos);

    FreeDisplayDevices();
    Stage({Compat::SoftwareDevice(IID_IDirect3DRefDevice, "Reference")});
    ASSERT_EQ(EnumerateDisplayDevices(), 0);
    EXPECT_EQ(Chosen(), "Reference");
}

TEST_F(DisplayDevicesTest, ASecondaryDriverOffersOnlyHardwareThatIsNeverChosen)
{
    Compat::DisplayDriverDescription second = Compat::DefaultPrimaryDriver();
    second.primary = false;
    second.guid = {9, 9, 9, {9, 9, 9, 9, 9, 9, 9, 9}};
    second.description = "Second Adapter";
    Stage({Compat::SoftwareDevice(IID_IDirect3DRGBDevice, "RGB")}, {second});

    ASSERT_EQ(EnumerateDisplayDevices(), 0);
    const DisplayDeviceList& list = GetDisplayDeviceList();
    ASSERT_EQ(list.count, 3) << "the secondary's two hardware devices, not its software one";
    EXPECT_STREQ(list.records[1].name, "Second Adapter");
    EXPECT_FALSE(list.records[1].desktopCompatible);
    EXPECT_FALSE(list.records[1].primaryDriver);
    EXPECT_TRUE(list.records[1].driverGuid == second.guid);
    EXPECT_EQ(Chosen(), "RGB");
}

TEST_F(DisplayDevicesTest, DropsDevicesWithoutUsableDepthsAndStopsAtTwentyRecords)
{
    Compat::Direct3DDeviceDescription eightBit = Compat::HardwareDevice(IID_IDirect3DHALDevice, "Eight");
    eightBit.caps.dwDeviceRenderBitDepth = DDBD_8;
    std::vector<Compat::Direct3DDeviceDescription> devices(25, Compat::SoftwareDevice(IID_IDirect3DRGBDevice, "RGB"));
    devices.insert(devices.begin(), eightBit);
    Stage(devices);
    ASSERT_EQ(EnumerateDisplayDevices(), 0);
    EXPECT_EQ(GetDisplayDeviceList().count, kMaxDisplayDevices);
    EXPECT_STREQ(GetDisplayDeviceList().records[0].name, "RGB");
}

TEST_F(DisplayDevicesTest, GetDefaultDeviceRaisesWhatEnumerationAndChoiceCouldNotFind)
{
    Compat::SetDisplayMachine(Compat::DisplayMachine());
    EXPECT_EQ(EnumerateDisplayDevices(), kNoDisplayDriver);
    try
    {
        GetDefaultDevice();
        FAIL() << "no driver";
    }
    catch (const Win32::Win32Error& error)
    {
        EXPECT_EQ(std::string(error.what()), "Direct3D device enumeration failed.\nUnrecognized error: 0x81000002 "
                                             "(HRESULT 0x81000002)");
        EXPECT_EQ(error.GetFunction(), "GetDefaultDevice");
    }

    Stage({Compat::HardwareDevice(IID_IDirect3DHALDevice, "HAL")});
    Compat::DisplayMachine machine = Compat::GetDisplayMachine();
    machine.drivers[0].modes.clear();
    Compat::SetDisplayMachine(machine);
    EXPECT_EQ(EnumerateDisplayDevices(), kNoDisplayDevice);

    FreeDisplayDevices();
    Stage({Compat::HardwareDevice(IID_IDirect3DHALDevice, "HAL")});
    SetCommandLine(L"fennik -broken");
    try
    {
        GetDefaultDevice();
        FAIL() << "only broken hardware";
    }
    catch (const Win32::Win32Error& error)
    {
        EXPECT_EQ(std::string(error.what()).substr(0, 36), "Direct3D device could not be found.\n");
    }
}
