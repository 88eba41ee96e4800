#include "Framework/DownloadManager.h"

#include "FileSystem.h"
#include "MemoryStream.h"
#include "Platform/Win32/Win32NetworkPlatform.h"
#include "Support/DebugCapture.h"
#include "Support/TempFolder.h"
#include "Support/TestHttpServer.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Response = TestHttpServer::Response;

bool WaitFor(const std::function<bool()>& condition, int seconds = 20)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

bool Ended(IFileTransfer& transfer)
{
    return transfer.IsComplete() || transfer.HasError();
}

class DownloadManagerTest : public ::testing::Test
{
protected:
    DownloadManagerTest() : files(new FileSystem)
    {
        files->AddPartition(2, new Win32FileSystemPartition(L"", user.WidePath()));
        manager = DownloadManager::Get();
        manager->SetBasePath(server.WideUrl("/files/"));
    }
    ~DownloadManagerTest() override
    {
        delete DownloadManager::InstanceIfCreated();
        files->DeletePartitions();
        delete files;
    }

    RefPtr<IFileTransfer> Fetch(const std::wstring& path, int priority = 5, int partition = 2, unsigned expected = 0)
    {
        const std::size_t slash = path.rfind(L'/');
        const std::size_t dot = path.rfind(L'.');
        const std::wstring folder = path.substr(0, slash);
        const FileLocation destination(partition, folder.c_str(), path.substr(slash + 1, dot - slash - 1).c_str(),
                                       path.substr(dot).c_str());
        RefPtr<IFileTransfer> transfer;
        manager->Request(transfer, path, destination, priority, expected);
        return transfer;
    }
    // The seconds from now until the transfer has ended.
    static double SecondsToEnd(IFileTransfer& transfer)
    {
        const auto start = std::chrono::steady_clock::now();
        WaitFor([&] { return Ended(transfer); });
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    DebugCapture debug;
    TempFolder user;
    TestHttpServer server;
    Win32NetworkPlatform network;
    FileSystem* files;
    DownloadManager* manager = nullptr;
};
} // namespace

TEST_F(DownloadManagerTest, EachKindOfSourceEndsTheTransferWithItsOutcome)
{
    server.Serve("/files/Images/a.png", Response::Body("PNG DATA"));
    server.Serve("/files/Data/unsized.txt", Response::Body("sized by its end").WithoutLength());
    server.Serve("/files/Data/empty.txt", Response::Body(""));
    server.Serve("/files/Images/short.png", Response::Body("half").Announcing(8));

    const struct
    {
        const wchar_t* path;
        int partition;
        int error;
        std::string content; // on disk afterwards; "<none>" for no file
        int requests;
    } cases[] = {
        {L"Images/a.png", 2, 0, "PNG DATA", 1},
        {L"Data/unsized.txt", 2, 0, "sized by its end", 1},
        {L"Data/empty.txt", 2, 0, "", 1},
        {L"Images/missing.png", 2, -2, "<none>", 1},
        // A body cut short fails at once: it is not fetched again and again.
        {L"Images/short.png", 2, -2, "<none>", 1},
        {L"Images/a.png", 7, -3, "<none>", 2}, // no partition 7 to write into
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.path, c.path + std::wcslen(c.path)));
        const RefPtr<IFileTransfer> transfer = Fetch(c.path, 5, c.partition);
        ASSERT_TRUE(transfer);
        ASSERT_TRUE(WaitFor([&] { return Ended(*transfer); }));
        EXPECT_EQ(transfer->GetError(), c.error);
        EXPECT_EQ(transfer->IsComplete(), c.error == 0);
        const std::string relative(c.path, c.path + std::wcslen(c.path));
        EXPECT_EQ(user.Exists(relative) ? user.Read(relative) : "<none>", c.partition == 2 ? c.content : "<none>");
        if (c.error == 0)
        {
            EXPECT_EQ(transfer->GetProgress(), 1.0f);
            EXPECT_EQ(transfer->GetTotal(), c.content.size());
            EXPECT_EQ(transfer->GetDone(), c.content.size());
        }
        EXPECT_EQ(server.CountRequests("/files/" + relative), c.requests);
        std::filesystem::remove(user.Path() / relative); // the next case may fetch it again
    }
    EXPECT_EQ(manager->CountQueued(), 0) << "every ended transfer left the queue";
}

TEST_F(DownloadManagerTest, RequestsForOnePathShareATransferWhoseUrgencyOnlyRises)
{
    manager->Shutdown(); // nothing runs until Start
    const RefPtr<IFileTransfer> first = Fetch(L"Images/a.png", 5);
    EXPECT_EQ(Fetch(L"images/A.PNG", 7).Get(), first.Get()) << "paths compare without case";
    RefPtr<IFileTransfer> same;
    manager->Request(same, L"\\\\Images\\a.png", FileLocation(2, L"a", L".png"), 9, 0);
    EXPECT_EQ(same.Get(), first.Get()) << "separators and leading slashes do not matter";
    EXPECT_EQ(first->GetSourceName(), Label("Images/a.png"));
    EXPECT_NE(Fetch(L"Sounds/a.png", 5).Get(), first.Get()) << "two folders' files of one name are two downloads";
    RefPtr<IFileTransfer> nothing;
    manager->Request(nothing, L"///", FileLocation(2, L"x", L""), 1, 0);
    EXPECT_FALSE(nothing);

    const RefPtr<IFileTransfer> later = Fetch(L"Data/later.txt", 5);
    EXPECT_EQ(Fetch(L"Data/later.txt", 1).Get(), later.Get());
    EXPECT_EQ(manager->CountQueued(), 3);
    manager->Start();
    ASSERT_TRUE(WaitFor([&] { return manager->CountQueued() == 0; }));
    EXPECT_EQ(server.Requests().at(0).path, "/files/Data/later.txt") << "raised to 1, it went first alone";
}

TEST_F(DownloadManagerTest, AMoreUrgentRequestPreemptsEveryLessUrgentWorker)
{
    // Three slow files keep the three workers busy; the first time each is served a little at a
    // time, later at once.
    const std::string low(300 * 1024, 'l');
    RefPtr<IFileTransfer> urgent;
    std::atomic<int> restartsAfterUrgent{0};
    for (const char* name : {"1", "2", "3"})
        server.Route(std::string("/files/Low/") + name + ".bin", [&, name](const TestHttpServer::Request&) {
            TestHttpServer::Response response;
            response.body = low;
            response.chunk = 1024;
            if (server.CountRequests(std::string("/files/Low/") + name + ".bin") == 1)
                response.beforeChunk = [](std::size_t) { std::this_thread::sleep_for(std::chrono::milliseconds(5)); };
            else if (urgent && urgent->IsComplete())
                ++restartsAfterUrgent;
            return response;
        });
    const std::shared_ptr<TestGate> urgentGate = server.MakeGate();
    server.Serve("/files/Urgent/u.bin", Response::Body(std::string(20000, 'u')).InChunks(4096).HeldBy(urgentGate));

    const RefPtr<IFileTransfer> lows[] = {Fetch(L"Low/1.bin"), Fetch(L"Low/2.bin"), Fetch(L"Low/3.bin")};
    ASSERT_TRUE(WaitFor([&] {
        return server.CountRequests("/files/Low/1.bin") == 1 && server.CountRequests("/files/Low/2.bin") == 1 &&
               server.CountRequests("/files/Low/3.bin") == 1;
    }));
    urgent = Fetch(L"Urgent/u.bin", 1);
    ASSERT_TRUE(WaitFor([&] { return server.CountRequests("/files/Urgent/u.bin") == 1; }));

    // One worker runs the urgent file; the other two stay idle, their copies stopped.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    unsigned before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = lows[i]->GetDone();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(lows[i]->GetDone(), before[i]) << "low " << i << " went on";
        EXPECT_FALSE(lows[i]->IsComplete());
    }
    EXPECT_EQ(server.Requests().size(), 4u) << "nothing restarted while the urgent file runs";

    urgentGate->Open();
    ASSERT_TRUE(WaitFor([&] { return urgent->IsComplete(); }));
    for (const RefPtr<IFileTransfer>& transfer : lows)
        ASSERT_TRUE(WaitFor([&] { return Ended(*transfer); }));
    for (const char* name : {"1", "2", "3"})
    {
        EXPECT_EQ(server.CountRequests(std::string("/files/Low/") + name + ".bin"), 2)
            << "started again from the start";
        EXPECT_EQ(user.Read(std::string("Low/") + name + ".bin"), low);
    }
    EXPECT_EQ(restartsAfterUrgent, 3);
    for (const RefPtr<IFileTransfer>& transfer : lows)
        EXPECT_EQ(transfer->GetError(), 0);
}

TEST_F(DownloadManagerTest, CancelStopsACopyWaitingForTheNetworkAtOnce)
{
    const std::shared_ptr<TestGate> gate = server.MakeGate();
    server.Serve("/files/Big/held.bin", Response::Body(std::string(65536, 'h')).InChunks(8192).HeldBy(gate));
    const RefPtr<IFileTransfer> transfer = Fetch(L"Big/held.bin");
    ASSERT_TRUE(WaitFor([&] { return transfer->GetDone() == 8192; }));
    EXPECT_EQ(transfer->GetTotal(), 65536u);

    transfer->Cancel();
    ASSERT_TRUE(WaitFor([&] { return transfer->HasError(); }, 5));
    EXPECT_EQ(transfer->GetError(), -4);
    EXPECT_FLOAT_EQ(transfer->GetProgress(), 0.125f) << "what was copied";
    EXPECT_FALSE(transfer->IsComplete());
    EXPECT_FALSE(user.Exists("Big/held.bin")) << "a part of a file is not left behind";
    EXPECT_EQ(manager->CountQueued(), 0);
}

TEST_F(DownloadManagerTest, ShutdownEndsEveryWorkerAndLeavesTheRestQueued)
{
    const std::shared_ptr<TestGate> gate = server.MakeGate();
    for (const char* name : {"1", "2", "3", "4"})
        server.Serve(std::string("/files/Held/") + name + ".bin",
                     Response::Body(std::string(8192, 'h')).InChunks(1024).HeldBy(gate));
    const RefPtr<IFileTransfer> held[] = {Fetch(L"Held/1.bin"), Fetch(L"Held/2.bin"), Fetch(L"Held/3.bin")};
    const RefPtr<IFileTransfer> waiting = Fetch(L"Held/4.bin");
    ASSERT_TRUE(WaitFor([&] { return server.Requests().size() == 3; }));

    const auto started = std::chrono::steady_clock::now();
    manager->Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    for (const RefPtr<IFileTransfer>& transfer : held)
        EXPECT_EQ(transfer->GetError(), -4);
    EXPECT_FALSE(waiting->HasError());
    EXPECT_FALSE(waiting->IsComplete());
    EXPECT_EQ(manager->CountQueued(), 1);

    gate->Open();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(server.Requests().size(), 3u) << "no worker is left to start it";
    manager->Start();
    ASSERT_TRUE(WaitFor([&] { return waiting->IsComplete(); }));
}

namespace
{
// A source that neither ends nor fails but never gives a byte.
class StallingStream final : public MemoryStream
{
public:
    StallingStream() : MemoryStream(L"stall") {}
    std::uint32_t GetSize() override { return 100; }
    bool IsEOF() override { return false; }
    unsigned Read(void*, unsigned) override { return 0; }
};

class StallingNetwork final : public INetworkPlatform
{
public:
    using INetworkPlatform::OpenHTTPStream;
    IStream* OpenHTTPStream(const wchar_t*, const HTTPRequestOptions&) override
    {
        ++opened;
        return new StallingStream;
    }
    IStream* OpenHTTPStream(const char*) override { return nullptr; }
    std::atomic<int> opened{0};
};
} // namespace

TEST_F(DownloadManagerTest, ASourceThatStallsIsRunAgainAFewTimesThenFails)
{
    StallingNetwork stalling;
    const RefPtr<IFileTransfer> transfer = Fetch(L"Images/stuck.png");
    ASSERT_TRUE(WaitFor([&] { return transfer->HasError(); }));
    EXPECT_EQ(transfer->GetError(), -2);
    EXPECT_EQ(stalling.opened, DownloadManager::kMaxRuns);
    EXPECT_EQ(manager->CountQueued(), 0);
}

namespace
{
// A file on a full disk: it takes its first 2,000 bytes, then none.
class FillingFile final : public MemoryStream
{
public:
    FillingFile() : MemoryStream(L"filling") {}
    unsigned Write(const void* buffer, unsigned count) override
    {
        const unsigned taken = std::min(count, mRoom);
        mRoom -= taken;
        return MemoryStream::Write(buffer, taken);
    }

private:
    unsigned mRoom = 2000;
};

// The user's folder on a disk that fills up: a file written there is created, then fills.
class FullDisk final : public IFileSystemPartition
{
public:
    explicit FullDisk(const std::wstring& root) : mFolder(L"", root) {}
    IStream* OpenStream(const FileLocation& location, int access, int disposition) override
    {
        const std::unique_ptr<IStream> file(mFolder.OpenStream(location, access, disposition));
        return file ? new FillingFile : nullptr;
    }
    void Refresh() override {}
    void Clear() override {}
    bool Exists(FileLocation&) override { return false; }
    bool List(const FileLocation&, std::vector<FileLocation>&) override { return false; }
    void Delete(const FileLocation& location) override { mFolder.Delete(location); }

private:
    Win32FileSystemPartition mFolder;
};
} // namespace

TEST_F(DownloadManagerTest, NoServerHoldsATransferAndNothingWrongIsLeftOnDisk)
{
    DownloadManager::Limits limits;
    limits.deadlineMilliseconds = 2500;
    limits.lowSpeedBytes = 64;
    limits.lowSpeedMilliseconds = 1000;
    manager->SetLimits(limits);

    const auto paced = [](std::size_t chunk, int milliseconds) {
        Response response = Response::Body(std::string(100000, 'd')).InChunks(chunk);
        response.beforeChunk = [milliseconds](std::size_t) {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        };
        return response;
    };
    server.Serve("/files/Slow/drip.bin", paced(1, 500));     // 2 bytes a second
    server.Serve("/files/Slow/steady.bin", paced(100, 100)); // fast enough, but never done
    server.Serve("/files/Big/announced.png", Response::Body(std::string(1 << 20, 'b')));
    server.Serve("/files/Big/unannounced.png", Response::Body(std::string(1 << 20, 'b')).WithoutLength());
    server.Serve("/files/Big/spaced.xml", Response::Body(std::string(3000, ' ') + "<a/>"));
    server.Serve("/files/Full/a.png", Response::Body(std::string(5000, 'f')));
    files->AddPartition(3, new FullDisk(user.WidePath()));

    const struct
    {
        const wchar_t* path;
        unsigned expected;
        int error;
        double seconds; // the longest it may take
        int partition = 2;
    } cases[] = {
        {L"Slow/drip.bin", 100000, -2, 4},     // cut for its speed
        {L"Slow/steady.bin", 100000, -2, 4},   // cut at the deadline
        {L"Big/announced.png", 1000, -2, 2},   // refused before a byte is written
        {L"Big/unannounced.png", 1000, -2, 2}, // stopped just past what was expected
        {L"Big/spaced.xml", 1000, 0, 2},       // text may differ in its white space
        {L"Full/a.png", 5000, -3, 2, 3},       // the disk fills up: a local error, not retried
    };
    std::vector<RefPtr<IFileTransfer>> transfers;
    for (const auto& c : cases)
        transfers.push_back(Fetch(c.path, 5, c.partition, c.expected));
    for (std::size_t i = 0; i < transfers.size(); ++i)
    {
        const auto& c = cases[i];
        const std::string relative(c.path, c.path + std::wcslen(c.path));
        SCOPED_TRACE(relative);
        EXPECT_LT(SecondsToEnd(*transfers[i]), c.seconds);
        EXPECT_EQ(transfers[i]->GetError(), c.error);
        EXPECT_EQ(server.CountRequests("/files/" + relative), 1);
        if (c.error == 0)
            EXPECT_TRUE(transfers[i]->IsComplete());
        else
            EXPECT_FALSE(user.Exists(relative)) << "what arrived is gone";
    }
    EXPECT_LE(transfers[3]->GetDone(), 1000u + 1024u);
    EXPECT_EQ(transfers[2]->GetDone(), 0u);
}

TEST_F(DownloadManagerTest, CancelAndShutdownEndAWaitForTheHeadersWithinASecond)
{
    const std::shared_ptr<TestGate> mute = server.MakeGate();
    for (const char* name : {"/files/Mute/1.bin", "/files/Mute/2.bin"})
        server.Route(name, [mute](const TestHttpServer::Request&) {
            mute->Wait(); // no status line, no headers
            return Response::Body("late");
        });
    const RefPtr<IFileTransfer> cancelled = Fetch(L"Mute/1.bin");
    const RefPtr<IFileTransfer> shut = Fetch(L"Mute/2.bin");
    ASSERT_TRUE(WaitFor([&] { return server.Requests().size() == 2; }));

    cancelled->Cancel();
    EXPECT_LT(SecondsToEnd(*cancelled), 1.0);
    EXPECT_EQ(cancelled->GetError(), -4);

    const auto started = std::chrono::steady_clock::now();
    manager->Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_EQ(shut->GetError(), -4);
    mute->Open();
}
