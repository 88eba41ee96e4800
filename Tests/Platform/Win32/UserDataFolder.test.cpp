#include "Platform/Win32/UserDataFolder.h"

#include "Support/DebugCapture.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace Corvane;

namespace
{
TEST(UserDataFolder, NamesKeepOnlyLettersDigitsSpaceApostropheAndComma)
{
    EXPECT_EQ(CleanFolderName(L"Fennik's Kitchen, 2nd Edition"), L"Fennik's Kitchen, 2nd Edition");
    EXPECT_EQ(CleanFolderName(L"Fennik & Co.: \"Games\"/Inc\\?*"), L"Fennik  Co GamesInc");
    EXPECT_EQ(CleanFolderName(L"Caf\u00e9 \u6599\u7406"), L"Caf ") << "non-ASCII letters are dropped too";
    EXPECT_EQ(CleanFolderName(L"../.."), L"") << "no way out of the data folder";
}

TEST(UserDataFolder, TheFolderIsMadeBelowTheUsersDataFolderAndMayExistAlready)
{
    Testing::TempFolder home;
    Testing::DebugCapture debug;
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string saved = previous ? previous : "";
    ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1);

    const std::wstring folder = CreateUserDataFolder(L"Corvane: Games", L"Fennik?");
    EXPECT_EQ(std::filesystem::path(folder), home.Path() / "Corvane Games" / "Fennik");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(CreateUserDataFolder(L"Corvane: Games", L"Fennik?"), folder);
    EXPECT_EQ(debug.Text(), "") << "an existing folder is no error";

    if (previous)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}
} // namespace
