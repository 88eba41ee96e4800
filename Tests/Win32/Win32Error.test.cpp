#include "Win32/Win32Error.h"
#include "Win32/GraphicsErrorString.h"

#include "Platform/Compat/Direct3D/Direct3DErrors.h"
#include "Platform/Compat/DirectDraw/DirectDrawErrors.h"
#include "Platform/Compat/Kernel/LastError.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(Win32Error, AppendsTheSystemTextAndTheCode)
{
    const DWORD code = SetLastErrorFromErrno(ENOENT);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    const Win32::Win32Error error("Could not open file.", code, "Source/Win32/Win32FileSystem.cpp", 7,
                                  "Win32::FileStream::FileStream");
    EXPECT_EQ(std::string(error.what()),
              "Could not open file.\nThe system cannot find the file specified. (Win32 Error " + std::to_string(code) +
                  ")");
    EXPECT_EQ(error.GetFunction(), "Win32::FileStream::FileStream");
}

TEST(Win32Error, DescribesGraphicsResultsByName)
{
    const Win32::Win32Error error("BeginScene failed", static_cast<HRESULT>(0x80004005u), "f", 1, "g");
    EXPECT_STREQ(error.what(), "BeginScene failed\nDDERR_GENERIC (HRESULT 0x80004005)");
    const Win32::Win32Error unknown("x", static_cast<HRESULT>(0x12345678), "f", 1, "g");
    EXPECT_STREQ(unknown.what(), "x\nUnrecognized error: 0x12345678 (HRESULT 0x12345678)");
}

TEST(GraphicsErrorString, NamesTheResultsOfEveryGraphicsInterface)
{
    char buffer[1024];
    const auto name = [&](HRESULT code) {
        GetGraphicsErrorString(code, sizeof buffer, buffer);
        return std::string(buffer);
    };
    EXPECT_EQ(name(static_cast<HRESULT>(0x887601C2u)), "DDERR_SURFACELOST");
    EXPECT_EQ(name(DDERR_SURFACELOST), "DDERR_SURFACELOST");
    EXPECT_EQ(name(DDERR_WRONGMODE), "DDERR_WRONGMODE");
    EXPECT_EQ(name(static_cast<HRESULT>(0x80070057u)), "DDERR_INVALIDPARAMS");
    EXPECT_EQ(name(D3DERR_INVALIDMATRIX), "D3DERR_INVALIDMATRIX");
    EXPECT_EQ(name(D3DXERR_NOMATCHFOUND), "D3DXERR_NOMATCHFOUND");
    EXPECT_EQ(name(static_cast<HRESULT>(0x12345678)), "Unrecognized error: 0x12345678");
    EXPECT_EQ(name(0), "Unrecognized error: 0x00000000");
}

TEST(GraphicsErrorString, CutsToTheBufferAndIgnoresEmptyBuffers)
{
    char buffer[8] = "keep";
    GetGraphicsErrorString(static_cast<HRESULT>(0x80004005u), 0, buffer);
    EXPECT_STREQ(buffer, "keep");
    GetGraphicsErrorString(static_cast<HRESULT>(0x80004005u), sizeof buffer, buffer);
    EXPECT_STREQ(buffer, "DDERR_G");
}

TEST(FormatMessage, UnknownCodesHaveNoText)
{
    char buffer[64] = "x";
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 99999, 0, buffer, sizeof buffer, nullptr), 0u);
    EXPECT_GT(
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, buffer, sizeof buffer, nullptr),
        0u);
    EXPECT_STREQ(buffer, "Access is denied.\r\n");
}
