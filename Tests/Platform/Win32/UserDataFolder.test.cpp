#include "Platform/Win32/UserDataFolder.h"

#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Shell/Shell.h"
#include "Support/DebugCapture.h"
#include "Support/TempFolder.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <pwd.h>
#include <unistd.h>

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

// A session without XDG_DATA_HOME or HOME keeps the profiles in the user's home, never in the
// working folder.
TEST(UserDataFolder, WithoutAHomeInTheEnvironmentTheUsersHomeComesFromThePasswordDatabase)
{
    const std::string data = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("HOME");
    wchar_t path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE));
    EXPECT_EQ(Utf8::FromWide(path), std::string(::getpwuid(::getuid())->pw_dir) + "/.local/share");
    for (const auto& [name, value] : {std::pair{"XDG_DATA_HOME", data}, std::pair{"HOME", home}})
        if (!value.empty())
            ::setenv(name, value.c_str(), 1);
}
} // namespace
