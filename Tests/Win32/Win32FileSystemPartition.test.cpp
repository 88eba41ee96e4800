#include "Win32/Win32FileSystemPartition.h"

#include "Platform/Compat/Kernel/LastError.h"
#include "Stream.h"
#include "Support/DebugCapture.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

using namespace Corvane;
using Corvane::Testing::DebugCapture;
using Corvane::Testing::TempFolder;

namespace
{
std::string ReadAll(IStream* stream)
{
    if (!stream)
        return "<none>";
    std::string text(stream->GetSize(), '\0');
    text.resize(stream->Read(text.data(), static_cast<unsigned>(text.size())));
    delete stream;
    return text;
}

class Win32FileSystemPartitionTest : public ::testing::Test
{
protected:
    TempFolder folder;
    Win32FileSystemPartition partition{L"", folder.WidePath()};
};
} // namespace

TEST_F(Win32FileSystemPartitionTest, BuildsItsRootFromABaseAndAPath)
{
    const Win32FileSystemPartition combined(folder.WidePath(), L"Sub/Deeper");
    EXPECT_EQ(combined.GetRoot(), folder.WidePath() + L"/Sub/Deeper");
    EXPECT_EQ(partition.GetFullPath(FileLocation(L"a", L".txt")), folder.WidePath() + L"/a.txt");
    EXPECT_EQ(partition.GetFullPath(FileLocation(1, L"./Data", L"a", L".txt")), folder.WidePath() + L"/Data/a.txt");
}

TEST_F(Win32FileSystemPartitionTest, WritingIntoAMissingFolderMakesIt)
{
    IStream* stream = partition.OpenStream(FileLocation(2, L"New/Folder", L"empty", L".dat"), 3, 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetSize(), 0u);
    delete stream;
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path() / "New/Folder/empty.dat"));
}

TEST_F(Win32FileSystemPartitionTest, AMissingFileGivesNothingAndADebugMessage)
{
    DebugCapture capture;
    EXPECT_EQ(partition.OpenStream(FileLocation(1, L"Missing", L"file", L".txt"), 1, 3), nullptr);
    const std::string text = capture.Text();
    EXPECT_NE(text.find("Win32FileSystemPartition::OpenStream Exception: "), std::string::npos) << text;
    EXPECT_NE(text.find("Win32::Win32Error"), std::string::npos) << text;
    EXPECT_NE(text.find("\tFunction:\tWin32::FileStream::FileStream"), std::string::npos) << text;
    EXPECT_NE(text.find("\tMessage:\tCould not open file '" + folder.Path().string() + "/Missing/file.txt'.\n"
                        "The system cannot find the file specified."),
              std::string::npos)
        << text;
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << "the reason is left for the caller";
    EXPECT_FALSE(folder.Exists("Missing")) << "looking for a file leaves no folder behind";
}

TEST_F(Win32FileSystemPartitionTest, OpensWithoutRegardToCaseOrSeparator)
{
    folder.Write("images/foo.png", "png bytes");
    EXPECT_EQ(ReadAll(partition.OpenStream(FileLocation(1, L"Images", L"Foo", L".PNG"), 1, 3)), "png bytes");
    EXPECT_EQ(ReadAll(partition.OpenStream(FileLocation(1, L".\\IMAGES", L"foo", L".png"), 1, 3)), "png bytes");
}

TEST_F(Win32FileSystemPartitionTest, ExistsFindsAFileAndTellsItsFolderWithAndWithoutAnIndex)
{
    folder.Write("Data/Title.XML", "<title/>");
    folder.Write("Data/Deeper/other.xml", "");
    folder.Write("Art/Loading/Background.png", "loading");
    folder.Write("Art/Title/Background.png", "title");
    for (bool indexed : {false, true})
    {
        SCOPED_TRACE(indexed ? "indexed" : "from the disk");
        if (indexed)
            partition.Refresh();
        FileLocation anywhere(L"title", L".xml");
        ASSERT_TRUE(partition.Exists(anywhere));
        EXPECT_STREQ(anywhere.GetFolder(), L"./Data");
        EXPECT_EQ(ReadAll(partition.OpenStream(anywhere, 1, 3)), "<title/>");

        FileLocation inFolder(1, L"data", L"TITLE", L".Xml");
        EXPECT_TRUE(partition.Exists(inFolder));
        // On the disk a given folder is searched alone; the index knows every file by name.
        FileLocation otherFolder(1, L"Data/Deeper", L"title", L".xml");
        EXPECT_EQ(partition.Exists(otherFolder), indexed);
        if (indexed)
        {
            EXPECT_STREQ(otherFolder.GetFolder(), L"./Data");
        }
        // Two folders holding one name: the named folder's file, whichever the walk met first.
        for (const auto& [twinFolder, text] : {std::pair{L"Art/Loading", "loading"}, std::pair{L"Art/Title", "title"}})
        {
            FileLocation twin(1, twinFolder, L"background", L".png");
            ASSERT_TRUE(partition.Exists(twin));
            EXPECT_EQ(ReadAll(partition.OpenStream(twin, 1, 3)), text);
        }
        FileLocation wrongExtension(L"title", L".txt");
        EXPECT_FALSE(partition.Exists(wrongExtension));
        FileLocation deeper(L"other", L".xml");
        ASSERT_TRUE(partition.Exists(deeper));
        EXPECT_STREQ(deeper.GetFolder(), L"./Data/Deeper");
    }
    partition.Clear();
}

TEST_F(Win32FileSystemPartitionTest, AFolderLinkThatLoopsBackEndsTheWalk)
{
    folder.Write("Data/real.txt", "");
    std::filesystem::create_directory_symlink(folder.Path() / "Data", folder.Path() / "Data/loop");
    FileLocation missing(L"missing", L".txt");
    EXPECT_FALSE(partition.Exists(missing));
    partition.Refresh();
    FileLocation real(L"real", L".txt");
    EXPECT_TRUE(partition.Exists(real));
    EXPECT_FALSE(partition.Exists(missing));
    partition.Clear();
}

TEST_F(Win32FileSystemPartitionTest, TheIndexLastsUntilEveryRefreshIsCleared)
{
    folder.Write("old.txt", "");
    partition.Refresh();
    partition.Refresh();
    folder.Write("new.txt", "");
    FileLocation fresh(L"new", L".txt");
    EXPECT_FALSE(partition.Exists(fresh)) << "the index does not see files made after it";
    partition.Clear();
    EXPECT_FALSE(partition.Exists(fresh)) << "one Clear is not enough after two Refresh calls";
    partition.Clear();
    EXPECT_TRUE(partition.Exists(fresh));
    partition.Clear(); // unbalanced: harmless
    partition.Refresh();
    EXPECT_TRUE(partition.Exists(fresh));
    partition.Clear();
}

// A tree whose folders last changed well before it was walked keeps its index from one Refresh to
// the next while none of its folders changes; any folder that does makes the next Refresh walk it
// again.
TEST_F(Win32FileSystemPartitionTest, ASettledTreeIsWalkedAgainOnlyWhenAFolderChanges)
{
    namespace fs = std::filesystem;
    folder.Write("Data/Deeper/old.txt", "");
    const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const auto settle = [this, past](const char* sub) { fs::last_write_time(folder.Path() / sub, past); };
    for (const char* sub : {".", "Data", "Data/Deeper"})
        settle(sub);
    partition.Refresh();
    partition.Clear();

    // A file slipped in without its folder's time moving is not seen: the kept index answered.
    folder.Write("Data/Deeper/unseen.txt", "");
    settle("Data/Deeper");
    partition.Refresh();
    FileLocation unseen(L"unseen", L".txt");
    EXPECT_FALSE(partition.Exists(unseen)) << "the tree was walked again although no folder changed";
    partition.Clear();
    EXPECT_TRUE(partition.Exists(unseen)) << "outside a Refresh the disk answers";

    // A new file moves its folder's time on, however deep: the next Refresh walks the tree again.
    folder.Write("Data/Deeper/new.txt", "");
    partition.Refresh();
    FileLocation fresh(L"new", L".txt");
    EXPECT_TRUE(partition.Exists(fresh));
    EXPECT_TRUE(partition.Exists(unseen));
    partition.Clear();
}

TEST_F(Win32FileSystemPartitionTest, ListGivesEachFileItsOwnExtensionAndFolder)
{
    folder.Write("Data/b.png", "");
    folder.Write("Data/a.xml", "");
    folder.Write("Data/readme", "");
    folder.Write("Data/Sub/c.png", "");
    std::vector<FileLocation> listed;
    ASSERT_TRUE(partition.List(FileLocation(2, L"Data", L"*", L".*"), listed));
    ASSERT_EQ(listed.size(), 3u) << "folders are not listed";
    std::vector<std::wstring> names;
    for (const FileLocation& location : listed)
    {
        EXPECT_EQ(location.GetPartition(), 2);
        EXPECT_STREQ(location.GetFolder(), L"./Data");
        names.push_back(std::wstring(location.GetName()) + L"|" + location.GetExtension());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a|.xml", L"b|.png", L"readme|"}));

    std::vector<FileLocation> pngs;
    ASSERT_TRUE(partition.List(FileLocation(1, L"data", L"*", L".png"), pngs));
    ASSERT_EQ(pngs.size(), 1u);
    EXPECT_STREQ(pngs[0].GetName(), L"b");

    std::vector<FileLocation> none;
    EXPECT_FALSE(partition.List(FileLocation(L"*", L".*"), none)) << "a pattern without a folder lists nothing";
    EXPECT_FALSE(partition.List(FileLocation(1, L"Nowhere", L"*", L".*"), none));
    EXPECT_TRUE(none.empty());
}

TEST_F(Win32FileSystemPartitionTest, DeleteRemovesTheFile)
{
    folder.Write("Saves/one.act", "x");
    partition.Delete(FileLocation(2, L"Saves", L"ONE", L".act"));
    EXPECT_FALSE(folder.Exists("Saves/one.act"));
    partition.Delete(FileLocation(2, L"Saves", L"one", L".act")); // already gone: nothing happens
}

TEST_F(Win32FileSystemPartitionTest, ReplacePutsOneFileInTheOthersPlace)
{
    folder.Write("Saves/new.tmp", "new");
    folder.Write("Saves/old.act", "old");
    const FileLocation source(2, L"Saves", L"new", L".tmp");
    const FileLocation target(2, L"Saves", L"old", L".act");
    EXPECT_TRUE(partition.Replace(source, target));
    EXPECT_EQ(folder.Read("Saves/old.act"), "new");
    EXPECT_FALSE(folder.Exists("Saves/new.tmp"));
    // Nothing to move: the target stays.
    EXPECT_FALSE(partition.Replace(source, target));
    EXPECT_EQ(folder.Read("Saves/old.act"), "new");
}
