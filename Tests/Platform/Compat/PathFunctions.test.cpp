#include "Platform/Compat/Shell/PathFunctions.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::wstring Combine(const wchar_t* dir, const wchar_t* file)
{
    wchar_t out[MAX_PATH];
    return PathCombineW(out, dir, file) ? out : L"<null>";
}
} // namespace

TEST(PathFunctions, CombineFoldsDotsAndHonoursAbsoluteFiles)
{
    EXPECT_EQ(Combine(L"/game/data", L"."), L"/game/data");
    EXPECT_EQ(Combine(L"/game/data", L".\\images\\a.png"), L"/game/data/images/a.png");
    EXPECT_EQ(Combine(L"/game/data/", L"../saves"), L"/game/saves");
    EXPECT_EQ(Combine(L"/game", L"/etc/x"), L"/etc/x");
    EXPECT_EQ(Combine(L"rel", L"..\\..\\x"), L"../x");
    std::wstring huge(MAX_PATH + 5, L'a');
    EXPECT_EQ(Combine(L"/x", huge.c_str()), L"<null>");
}

TEST(PathFunctions, ElementsAndExtensions)
{
    wchar_t path[MAX_PATH] = L"/a/b.dir/c.tar.gz";
    EXPECT_STREQ(PathFindExtensionW(path), L".gz");
    EXPECT_STREQ(PathFindFileNameW(path), L"c.tar.gz");
    EXPECT_STREQ(PathFindExtensionW(L"/a/b.dir/readme"), L"");
    PathRemoveExtensionW(path);
    EXPECT_STREQ(path, L"/a/b.dir/c.tar");
    EXPECT_TRUE(PathRemoveFileSpecW(path));
    EXPECT_STREQ(path, L"/a/b.dir");
    EXPECT_TRUE(PathAppendW(path, L"\\more\\x.txt"));
    EXPECT_STREQ(path, L"/a/b.dir/more/x.txt");

    wchar_t root[MAX_PATH] = L"/only";
    EXPECT_TRUE(PathRemoveFileSpecW(root));
    EXPECT_STREQ(root, L"/");
    EXPECT_TRUE(PathIsRootW(root));
    EXPECT_FALSE(PathIsRootW(L"/a"));
}

TEST(PathFunctions, RelativePathsStartFromTheFolder)
{
    wchar_t out[MAX_PATH];
    ASSERT_TRUE(PathRelativePathToW(out, L"/game/data", FILE_ATTRIBUTE_DIRECTORY, L"/game/data/images/a.png",
                                    FILE_ATTRIBUTE_NORMAL));
    EXPECT_STREQ(out, L"./images/a.png");
    ASSERT_TRUE(
        PathRelativePathToW(out, L"/game/data", FILE_ATTRIBUTE_DIRECTORY, L"/game/saves/p.act", FILE_ATTRIBUTE_NORMAL));
    EXPECT_STREQ(out, L"../saves/p.act");
    EXPECT_FALSE(PathRelativePathToW(out, L"rel", FILE_ATTRIBUTE_DIRECTORY, L"/abs", FILE_ATTRIBUTE_NORMAL));
}
