#include "Platform/Compat/Kernel/Files.h"
#include "Platform/Compat/Kernel/LastError.h"

#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

using Corvane::Testing::TempFolder;

namespace
{
HANDLE Open(const std::wstring& path, DWORD access, DWORD disposition, DWORD share = 0)
{
    return CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Whether an open with these modes succeeds while another open of the file is held.
bool OpensBeside(const std::wstring& path, DWORD access, DWORD share)
{
    HANDLE file = Open(path, access, OPEN_EXISTING, share);
    if (file == INVALID_HANDLE_VALUE)
    {
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        return false;
    }
    CloseHandle(file);
    return true;
}
} // namespace

TEST(Files, SharingModesKeepASecondWriterOut)
{
    TempFolder temp;
    const std::wstring path = temp.WidePath() + L"/profile.dat";
    HANDLE seed = Open(path, GENERIC_WRITE, CREATE_NEW);
    WriteFile(seed, "kept", 4, nullptr, nullptr);
    CloseHandle(seed);

    const DWORD kRead = GENERIC_READ, kWrite = GENERIC_WRITE, kBoth = GENERIC_READ | GENERIC_WRITE;
    const struct
    {
        DWORD heldAccess, heldShare, access, share;
        bool opens;
    } cases[] = {
        {kRead, FILE_SHARE_READ, kRead, FILE_SHARE_READ, true},    // readers together
        {kRead, FILE_SHARE_READ, kWrite, 0, false},                // a writer waits for the readers
        {kWrite, 0, kRead, FILE_SHARE_READ, false},                // readers wait for the writer
        {kWrite, 0, kWrite, 0, false},                             // one writer at a time
        {kBoth, 0, kBoth, 0, false},                               //
        {kWrite, FILE_SHARE_WRITE, kWrite, FILE_SHARE_WRITE, true} // writers that share writing
    };
    for (const auto& c : cases)
    {
        HANDLE held = Open(path, c.heldAccess, OPEN_EXISTING, c.heldShare);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(OpensBeside(path, c.access, c.share), c.opens) << c.heldAccess << " " << c.access;
        CloseHandle(held);
        EXPECT_TRUE(OpensBeside(path, c.access, c.share)) << "closing lets the next one in";
    }

    // A refused truncating open leaves the file as it was; so does one from another process.
    HANDLE writer = Open(path, kWrite, OPEN_EXISTING);
    EXPECT_EQ(Open(path, kWrite, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(writer, nullptr), 4u);
    const pid_t child = fork();
    if (child == 0)
        _exit(Open(path, kWrite, CREATE_ALWAYS) == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION
                  ? 0
                  : 1);
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "another process was let in";
    EXPECT_EQ(GetFileSize(writer, nullptr), 4u);
    CloseHandle(writer);
}

TEST(Files, DispositionsKeepTheirMeanings)
{
    TempFolder temp;
    const std::wstring path = temp.WidePath() + L"/file.bin";
    EXPECT_EQ(Open(path, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    HANDLE created = Open(path, GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(created, "hello", 5, &written, nullptr));
    EXPECT_EQ(written, 5u);
    CloseHandle(created);

    EXPECT_EQ(Open(path, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);

    HANDLE reopened = Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    ASSERT_NE(reopened, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileSize(reopened, nullptr), 5u);
    CloseHandle(reopened);

    HANDLE truncated = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(truncated, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(truncated, nullptr), 0u);
    CloseHandle(truncated);

    // A link leads to its file unless the open asks for the name itself.
    const std::wstring link = temp.WidePath() + L"/link.bin";
    std::filesystem::create_symlink(temp.Path() / "file.bin", temp.Path() / "link.bin");
    HANDLE followed = Open(link, GENERIC_READ, OPEN_EXISTING);
    EXPECT_NE(followed, INVALID_HANDLE_VALUE);
    CloseHandle(followed);
    EXPECT_EQ(CreateFileW(link.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_CANT_RESOLVE_FILENAME);

    // Nothing but a regular file opens, and at once: a FIFO would wait for its other end.
    ASSERT_EQ(::mkfifo((temp.Path() / "fifo").c_str(), 0600), 0);
    for (const DWORD access : {GENERIC_READ, GENERIC_WRITE})
    {
        EXPECT_EQ(Open(temp.WidePath() + L"/fifo", access, OPEN_EXISTING), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_CANT_ACCESS_FILE);
    }
}

TEST(Files, ReadSeekAndTell)
{
    TempFolder temp;
    temp.Write("data.txt", "0123456789");
    HANDLE file = Open(temp.WidePath() + L"/DATA.TXT", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char buffer[16] = {};
    DWORD read = 0;
    EXPECT_EQ(SetFilePointer(file, 3, nullptr, FILE_BEGIN), 3u);
    EXPECT_TRUE(ReadFile(file, buffer, 4, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "3456");
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 7u);
    EXPECT_EQ(SetFilePointer(file, -2, nullptr, FILE_END), 8u);
    EXPECT_TRUE(ReadFile(file, buffer, 16, &read, nullptr));
    EXPECT_EQ(read, 2u);
    EXPECT_TRUE(ReadFile(file, buffer, 16, &read, nullptr)); // at the end: success with 0 bytes
    EXPECT_EQ(read, 0u);
    EXPECT_FALSE(WriteFile(file, "x", 1, &read, nullptr)); // opened for reading only
    CloseHandle(file);
    EXPECT_FALSE(CloseHandle(file == INVALID_HANDLE_VALUE ? nullptr : INVALID_HANDLE_VALUE));
}

TEST(Files, FoldersDeletionAndReplacingRename)
{
    TempFolder temp;
    const std::wstring folder = temp.WidePath() + L"/sub";
    EXPECT_FALSE(CreateDirectoryW((folder + L"/deeper").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetFileAttributesW(folder.c_str()), FILE_ATTRIBUTE_DIRECTORY);

    temp.Write("sub/old.act", "old");
    temp.Write("sub/new.tmp", "new");
    EXPECT_FALSE(MoveFileExW((folder + L"/new.tmp").c_str(), (folder + L"/old.act").c_str(), 0));
    EXPECT_TRUE(MoveFileExW((folder + L"/new.tmp").c_str(), (folder + L"/old.act").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(temp.Read("sub/old.act"), "new");
    EXPECT_FALSE(temp.Exists("sub/new.tmp"));

    EXPECT_TRUE(DeleteFileW((folder + L"/OLD.ACT").c_str()));
    EXPECT_FALSE(DeleteFileW((folder + L"/old.act").c_str()));
    EXPECT_EQ(GetFileAttributesW((folder + L"/old.act").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Files, FindListsMatchesWithoutRegardToCase)
{
    TempFolder temp;
    temp.Write("Data/Title.XML", "a");
    temp.Write("Data/readme", "b");
    temp.Write("Data/other.txt", "c");
    temp.Write("Data/Nested/x.xml", "d");

    auto names = [&](const std::wstring& pattern) {
        std::set<std::wstring> found;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((temp.WidePath() + pattern).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return found;
        do
            found.insert(data.cFileName);
        while (FindNextFileW(find, &data));
        EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
        FindClose(find);
        return found;
    };
    EXPECT_EQ(names(L"/data/*.xml"), (std::set<std::wstring>{L"Title.XML"}));
    EXPECT_EQ(names(L"/Data/*.*"),
              (std::set<std::wstring>{L".", L"..", L"Title.XML", L"readme", L"other.txt", L"Nested"}));
    EXPECT_EQ(names(L"\\Data\\t?tle.xml"), (std::set<std::wstring>{L"Title.XML"}));
    EXPECT_TRUE(names(L"/Data/*.png").empty());
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(names(L"/Missing/*.*").empty());
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((temp.WidePath() + L"/Data/Nested").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
    FindClose(find);
}
