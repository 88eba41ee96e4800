#include "Platform/Win32/UserDataFolder.h"

#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Shell/Shell.h"
#include "Support/DebugCapture.h"
#include "Support/TempFolder.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
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

// A session without XDG_DATA_HOME and without a usable HOME still keeps the profiles in the user's
// home, never in the working folder.
TEST(UserDataFolder, WithoutAHomeInTheEnvironmentTheUsersHomeComesFromThePasswordDatabase)
{
    const auto saved = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    const std::optional<std::string> data = saved("XDG_DATA_HOME"), home = saved("HOME");
    ::unsetenv("XDG_DATA_HOME");
    const std::wstring expected = Utf8::ToWide(std::string(::getpwuid(::getuid())->pw_dir) + "/.local/share");
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/home"})
    {
        SCOPED_TRACE(value ? value : "unset");
        if (value)
            ::setenv("HOME", value, 1);
        else
            ::unsetenv("HOME");
        wchar_t path[MAX_PATH] = {};
        EXPECT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE));
        EXPECT_EQ(std::wstring(path), expected);
    }
    for (const auto& [name, value] : {std::pair{"XDG_DATA_HOME", data}, std::pair{"HOME", home}})
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
}
} // namespace
