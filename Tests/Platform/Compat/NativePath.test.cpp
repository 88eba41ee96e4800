#include "Platform/Compat/Kernel/NativePath.h"

#include "Support/TempFolder.h"

#include <gtest/gtest.h>

using Corvane::Testing::TempFolder;

TEST(NativePath, FindsFilesWhateverTheCaseAndSeparator)
{
    TempFolder temp;
    temp.Write("images/foo.png", "x");
    const std::string root = temp.Path().string();
    const std::wstring base = temp.WidePath();
    EXPECT_EQ(Compat::NativePath(base + L"\\Images\\Foo.PNG"), root + "/images/foo.png");
    EXPECT_EQ(Compat::NativePath(base + L"/images/foo.png"), root + "/images/foo.png");
}

TEST(NativePath, KeepsTheSpellingOfWhatDoesNotExistYet)
{
    TempFolder temp;
    temp.Write("Data/a.txt", "x");
    const std::string root = temp.Path().string();
    // The existing folder is matched, the new names stay as given.
    EXPECT_EQ(Compat::NativePath(temp.WidePath() + L"/DATA/New/File.TXT"), root + "/Data/New/File.TXT");
}

TEST(NativePath, ComparesWideLettersWithoutCase)
{
    EXPECT_TRUE(Compat::EqualsIgnoringCase(L"Caf\u00C9", L"caf\u00E9"));
    EXPECT_FALSE(Compat::EqualsIgnoringCase(L"cafe", L"caf\u00E9"));
}
