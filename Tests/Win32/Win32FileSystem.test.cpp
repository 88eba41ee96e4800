#include "Win32/Win32FileSystem.h"
#include "Win32/Win32Error.h"
#include "Win32/Win32FileStream.h"

#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace Corvane;
using Corvane::Testing::TempFolder;

TEST(Path, SplitsAtTheLastSeparatorOfEitherKind)
{
    EXPECT_EQ(Path::GetDirectory(L"a/b\\c.txt"), L"a/b");
    EXPECT_EQ(Path::GetBaseName(L"a/b\\c.txt"), L"c");
    EXPECT_EQ(Path::GetExtension(L"a/b\\c.txt"), L".txt");

    EXPECT_EQ(Path::GetDirectory(L"readme"), L"readme");
    EXPECT_EQ(Path::GetBaseName(L"readme"), L"readme");
    EXPECT_EQ(Path::GetExtension(L"readme"), L"");

    EXPECT_EQ(Path::GetExtension(L"archive.tar.gz"), L".gz");
    EXPECT_EQ(Path::GetBaseName(L"archive.tar.gz"), L"archive.tar");
}

TEST(Path, TheExtensionStartsAtTheLastDotOfTheWholePath)
{
    // The base name stops at the last separator; the extension does not look for one.
    EXPECT_EQ(Path::GetExtension(L"v1.2\\notes"), L".2\\notes");
    EXPECT_EQ(Path::GetBaseName(L"v1.2\\notes"), L"notes");
    EXPECT_EQ(Path::GetExtension(L"./Data/readme"), L"./Data/readme");
    EXPECT_EQ(Path::GetBaseName(L"./Data/readme"), L"readme");
    EXPECT_EQ(Path::GetDirectory(L"./Data/readme"), L"./Data");
    EXPECT_EQ(Path::GetExtension(L"Data/.hidden"), L".hidden");
    EXPECT_EQ(Path::GetBaseName(L"Data/.hidden"), L"");
}

TEST(CreateDirectory, MakesMissingParentsAndAcceptsExistingFolders)
{
    TempFolder folder;
    const std::wstring deep = folder.WidePath() + L"/one/two\\three";
    CreateDirectory(deep);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "one/two/three"));
    EXPECT_NO_THROW(CreateDirectory(deep));
    EXPECT_NO_THROW(CreateDirectory(folder.WidePath() + L"/ONE")) << "names are matched without regard to case";
}

TEST(CreateDirectory, AFolderThatCannotBeMadeRaisesWin32Error)
{
    TempFolder folder;
    folder.Write("file", "not a folder");
    try
    {
        CreateDirectory(folder.WidePath() + L"/file/sub");
        FAIL() << "expected Win32Error";
    }
    catch (const Win32::Win32Error& error)
    {
        EXPECT_EQ(std::string(error.what()).rfind("Could not create a folder.", 0), 0u) << error.what();
        EXPECT_EQ(error.GetFunction(), "Corvane::CreateDirectory");
    }
}

TEST(FileStream, WritesReadsSeeksAndReportsItsEnd)
{
    TempFolder folder;
    const std::wstring path = folder.WidePath() + L"/data.bin";
    {
        Win32::FileStream out(path, 2, 0);
        EXPECT_EQ(out.GetCapabilities(), IStream::kCanWrite | IStream::kCanSeek);
        EXPECT_TRUE(out.IsEOF()) << "an empty file is at its end straight away";
        EXPECT_EQ(out.Write("hello world", 11), 11u);
        EXPECT_EQ(out.GetSize(), 11u);
        char buffer[4];
        EXPECT_EQ(out.Read(buffer, 4), 0u) << "a write-only stream cannot read";
    }
    Win32::FileStream in(path, 1, 3);
    std::wstring name;
    EXPECT_EQ(in.GetName(name), path);
    EXPECT_EQ(in.GetCapabilities(), IStream::kCanRead | IStream::kCanSeek);
    char buffer[16] = {};
    EXPECT_EQ(in.Read(buffer, 5), 5u);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    EXPECT_EQ(in.Tell(), 5u);
    in.Seek(2, -5);
    EXPECT_EQ(in.Tell(), 6u);
    EXPECT_EQ(in.Read(buffer, 16), 5u);
    EXPECT_EQ(std::string(buffer, 5), "world");
    EXPECT_TRUE(in.IsEOF());
    in.Seek(1, -11);
    EXPECT_EQ(in.Tell(), 0u);
    in.Seek(7, 3); // an unknown origin counts from the start
    EXPECT_EQ(in.Tell(), 3u);
    EXPECT_EQ(in.Write("x", 1), 0u) << "a read-only stream cannot write";
    const void* data = nullptr;
    EXPECT_THROW(in.ReadOptimized(&data, 4), RuntimeError);
}

TEST(FileStream, DispositionsFollowTheWindowsCreationModes)
{
    TempFolder folder;
    const std::wstring path = folder.WidePath() + L"/file.txt";
    EXPECT_THROW(Win32::FileStream(path, 1, 3), Win32::Win32Error) << "open existing on a missing file";
    {
        Win32::FileStream created(path, 3, 1);
        created.Write("abc", 3);
    }
    EXPECT_THROW(Win32::FileStream(path, 3, 1), Win32::Win32Error) << "create new on an existing file";
    {
        Win32::FileStream kept(path, 3, 2);
        EXPECT_EQ(kept.GetSize(), 3u) << "open always keeps the content";
    }
    {
        Win32::FileStream emptied(path, 2, 0);
        EXPECT_EQ(emptied.GetSize(), 0u) << "create always empties the file";
    }
    try
    {
        Win32::FileStream missing(folder.WidePath() + L"/nowhere/x", 1, 3);
        FAIL() << "expected Win32Error";
    }
    catch (const Win32::Win32Error& error)
    {
        EXPECT_EQ(std::string(error.what()).rfind("Could not open file '" + folder.Path().string() + "/nowhere/x'.", 0),
                  0u)
            << error.what();
        EXPECT_EQ(error.GetFunction(), "Win32::FileStream::FileStream");
    }
}
