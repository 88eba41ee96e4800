#include "FileSystem.h"
#include "Stream.h"
#include "Support/TempFolder.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace Corvane;
using Corvane::Testing::TempFolder;

namespace
{
std::string ReadAll(IStream& stream)
{
    std::string text(stream.GetSize(), '\0');
    text.resize(stream.Read(text.data(), static_cast<unsigned>(text.size())));
    return text;
}

std::string OpenAndRead(FileSystem& fileSystem, const FileLocation& location)
{
    IStream* stream = fileSystem.OpenStream(location, kFileRead, kOpenExisting);
    if (!stream)
        return "<none>";
    const std::string text = ReadAll(*stream);
    fileSystem.ReleaseStream(stream);
    return text;
}

// Records the calls it gets into a shared log and notices two threads inside it at once.
class ProbePartition : public IFileSystemPartition
{
public:
    ProbePartition(std::string name, std::vector<std::string>& log) : mName(std::move(name)), mLog(log) {}
    IStream* OpenStream(const FileLocation&, int, int) override { return nullptr; }
    void Refresh() override { mLog.push_back(mName + " refresh"); }
    void Clear() override { mLog.push_back(mName + " clear"); }
    bool Exists(FileLocation&) override
    {
        if (inside.exchange(true))
            overlapped = true;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        inside = false;
        return false;
    }
    bool List(const FileLocation&, std::vector<FileLocation>&) override { return false; }
    void Delete(const FileLocation&) override { mLog.push_back(mName + " delete"); }

    static inline std::atomic<bool> inside{false};
    static inline std::atomic<bool> overlapped{false};

private:
    std::string mName;
    std::vector<std::string>& mLog;
};
} // namespace

TEST(FileSystem, PartitionsOfOneNumberAreAskedInTheOrderTheyWereAdded)
{
    TempFolder first, second;
    first.Write("both.txt", "first");
    second.Write("both.txt", "second");
    second.Write("Data/only.txt", "only in the second");

    FileSystem fileSystem;
    fileSystem.AddPartition(1, new Win32FileSystemPartition(L"", first.WidePath()));
    fileSystem.AddPartition(1, new Win32FileSystemPartition(L"", second.WidePath()));

    EXPECT_EQ(OpenAndRead(fileSystem, FileLocation(L"both", L".txt")), "first");
    EXPECT_EQ(OpenAndRead(fileSystem, FileLocation(1, L"Data", L"only", L".txt")), "only in the second");

    FileLocation found(L"only", L".txt");
    ASSERT_TRUE(fileSystem.Exists(found));
    EXPECT_STREQ(found.GetFolder(), L"./Data") << "Exists tells where the file lies";
    EXPECT_EQ(OpenAndRead(fileSystem, found), "only in the second");

    std::vector<FileLocation> listed;
    EXPECT_TRUE(fileSystem.List(FileLocation(1, L"Data", L"*", L".*"), listed));
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_STREQ(listed[0].GetName(), L"only");

    fileSystem.Delete(FileLocation(L"both", L".txt"));
    EXPECT_FALSE(first.Exists("both.txt"));
    EXPECT_FALSE(second.Exists("both.txt")) << "every partition of the number deletes";
    fileSystem.DeletePartitions();
}

TEST(FileSystem, ANumberWithoutPartitionsHasNoFiles)
{
    TempFolder folder;
    folder.Write("a.txt", "a");
    FileSystem fileSystem;
    fileSystem.AddPartition(1, new Win32FileSystemPartition(L"", folder.WidePath()));

    FileLocation elsewhere(3, L"a", L".txt");
    EXPECT_EQ(fileSystem.OpenStream(elsewhere, kFileRead, kOpenExisting), nullptr);
    EXPECT_FALSE(fileSystem.Exists(elsewhere));
    std::vector<FileLocation> listed;
    EXPECT_FALSE(fileSystem.List(FileLocation(3, L".", L"*", L".*"), listed));
    EXPECT_TRUE(listed.empty());
    fileSystem.ReleaseStream(nullptr);

    fileSystem.DeletePartitions();
    FileLocation gone(L"a", L".txt");
    EXPECT_FALSE(fileSystem.Exists(gone)) << "no partitions are left after DeletePartitions";
}

TEST(FileSystem, RefreshAndClearReachEveryPartitionByNumberThenOrder)
{
    std::vector<std::string> log;
    FileSystem fileSystem;
    fileSystem.AddPartition(2, new ProbePartition("2a", log));
    fileSystem.AddPartition(0, new ProbePartition("0a", log));
    fileSystem.AddPartition(2, new ProbePartition("2b", log));
    fileSystem.Refresh();
    fileSystem.Clear();
    EXPECT_EQ(log,
              (std::vector<std::string>{"0a refresh", "2a refresh", "2b refresh", "0a clear", "2a clear", "2b clear"}));
}

TEST(FileSystem, OperationsFromSeveralThreadsNeverMeetInsideAPartition)
{
    std::vector<std::string> log;
    FileSystem fileSystem;
    fileSystem.AddPartition(1, new ProbePartition("p", log));
    ProbePartition::overlapped = false;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&fileSystem] {
            for (int i = 0; i < 50; ++i)
            {
                FileLocation location(L"x", L".y");
                fileSystem.Exists(location);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_FALSE(ProbePartition::overlapped.load());
}

TEST(FileSystem, IsTheInstanceWhileItLivesAndGoesWithTheSingletons)
{
    EXPECT_EQ(FileSystem::GetInstance(), nullptr);
    const int before = Internal::CountSingletons();
    {
        FileSystem fileSystem;
        EXPECT_EQ(FileSystem::GetInstance(), &fileSystem);
        EXPECT_EQ(Internal::CountSingletons(), before + 1);
    }
    EXPECT_EQ(FileSystem::GetInstance(), nullptr);
    EXPECT_EQ(Internal::CountSingletons(), before) << "deleted directly, it leaves the teardown list";

    std::vector<std::string> log;
    auto* fileSystem = new FileSystem;
    fileSystem->AddPartition(1, new ProbePartition("kept", log)); // deleted with the file system
    Internal::DestroySingletons();
    EXPECT_EQ(FileSystem::GetInstance(), nullptr);
}
