// The download side end to end: a data folder with a table of contents, a damaged and a missing
// image, a local server as the download base; the manifest's images are fetched, verified and
// built before the manifest is read, through the engine's own steps, the real network platform
// and HTTP stream.
#include "FileSystem.h"
#include "Framework/DownloadManager.h"
#include "Framework/EngineHooks.h"
#include "Framework/FileSource.h"
#include "Framework/LoadingJob.h"
#include "Framework/ResourceLoadProgress.h"
#include "Framework/ResourceManager.h"
#include "Graphics/Image.h"
#include "Graphics/ImageFileWriters.h"
#include "Graphics/ImageResourceFactory.h"
#include "Platform/Win32/Win32NetworkPlatform.h"
#include "Support/DebugCapture.h"
#include "Support/TableOfContents.h"
#include "Support/TempFolder.h"
#include "Support/TestHttpServer.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Response = TestHttpServer::Response;

constexpr PackedColor kRed = 0xFF0000;
constexpr PackedColor kGreen = 0x00FF00;
constexpr PackedColor kBlue = 0x0000FF;

class Progress final : public IResourceLoadProgress
{
public:
    void SetProgress(float fraction) override { last = fraction; }
    bool IsCancelled() override { return cancel && cancel(); }

    float last = -1.0f;
    std::function<bool()> cancel;
};

class ResourceDownloadsTest : public ::testing::Test
{
protected:
    ResourceDownloadsTest()
    {
        program.Write("Art.xml", "<resources>\n"
                                 "  <image name=\"Pic\" src=\"Images/pic\"/>\n"
                                 "  <image name=\"Gone\" src=\"Images/gone\"/>\n"
                                 "  <image name=\"Kept\" src=\"Images/kept\"/>\n"
                                 "  <alias name=\"Picture\" src=\"Pic\"/>\n"
                                 "</resources>\n");
        program.Write("resources.toc", BuildTable({{"./Art.xml", program.Read("Art.xml")},
                                                   {"./Images/pic.gif", red},
                                                   {"./Images/gone.gif", green},
                                                   {"./Images/kept.gif", blue}}));
        std::string damaged = red;
        damaged[damaged.size() / 2] ^= 0x40;
        program.Write("Images/pic.gif", damaged);
        program.Write("Images/kept.gif", blue);
        server.Serve("/data/Images/pic.gif", Response::Body(red));
        server.Serve("/data/Images/gone.gif", Response::Body(green));
    }
    ~ResourceDownloadsTest() override { StopRun(); }

    // What the engine's start-up does for the download side, then an application's Initialize.
    void StartRun()
    {
        files = new FileSystem;
        files->AddPartition(1, new Win32FileSystemPartition(L"", program.WidePath()));
        files->AddPartition(2, new Win32FileSystemPartition(L"", user.WidePath()));
        ResourceManager::Instance()->RegisterFactory(L"image", new ImageResourceFactory);
        hooks.createFileSource();
        source = dynamic_cast<FileSource*>(IFileSource::GetInstance());
        ASSERT_NE(source, nullptr);
        source->Initialize(server.WideUrl("/data"));
    }
    // The engine's stop steps, then the singletons they leave.
    void StopRun()
    {
        if (!files)
            return;
        hooks.stopResourceManager();
        hooks.shutdownDownloadManager();
        hooks.closeFileSource();
        EXPECT_FALSE(source->IsInitialized());
        delete ResourceManager::InstanceIfCreated();
        delete DownloadManager::InstanceIfCreated();
        delete source;
        files->DeletePartitions();
        delete files;
        files = nullptr;
    }

    PackedColor PixelOf(const char* name)
    {
        const ResourceHandle<Image> image = ResourceManager::Get<Image>(name);
        return image ? image->GetPixel(0, 0) & 0xFFFFFF : 0xDEAD;
    }

    // The finished job of a manifest (requesting it again gives the same job).
    RefPtr<ResourceManager::LoadingJob> JobOf(const std::wstring& manifest)
    {
        return RefPtr<ResourceManager::LoadingJob>::Adopt(ResourceManager::Instance()->Request(manifest, true));
    }

    const std::string red = SolidGif(2, 2, kRed);
    const std::string green = SolidGif(2, 2, kGreen);
    const std::string blue = SolidGif(2, 2, kBlue);
    DebugCapture debug;
    TempFolder program;
    TempFolder user;
    TestHttpServer server;
    Win32NetworkPlatform network;
    const Internal::EngineHooks hooks = Internal::DefaultEngineHooks();
    FileSystem* files = nullptr;
    FileSource* source = nullptr;
};
} // namespace

TEST_F(ResourceDownloadsTest, DamagedAndMissingFilesAreFetchedVerifiedAndBuiltBeforeTheManifestIsRead)
{
    StartRun();
    Progress progress;
    ResourceManager::Instance()->LoadAndWait(L"Art", true, &progress);

    EXPECT_EQ(PixelOf("Pic"), kRed) << "the damaged copy was fetched again";
    EXPECT_EQ(PixelOf("Gone"), kGreen) << "the missing file was fetched";
    EXPECT_EQ(PixelOf("Kept"), kBlue);
    EXPECT_EQ(PixelOf("Picture"), kRed) << "the rest of the manifest was read after the downloads";
    EXPECT_EQ(user.Read("Images/pic.gif"), red);
    EXPECT_EQ(user.Read("Images/gone.gif"), green);
    EXPECT_EQ(server.CountRequests("/data/Images/pic.gif"), 1);
    EXPECT_EQ(server.CountRequests("/data/Images/gone.gif"), 1);
    EXPECT_EQ(server.Requests().size(), 2u) << "intact and unlisted files are not asked for";

    const RefPtr<ResourceManager::LoadingJob> job = JobOf(L"Art");
    EXPECT_EQ(job->GetState(), ResourceManager::LoadingJob::kDone);
    EXPECT_EQ(job->GetError(), 0);
    EXPECT_EQ(job->GetProgress(), 1.0f);
    EXPECT_EQ(job->GetTotal(), red.size() + green.size());
    EXPECT_EQ(job->GetDone(), red.size() + green.size());

    // The next run finds the fetched copies intact and fetches nothing.
    StopRun();
    StartRun();
    ResourceManager::Instance()->LoadAndWait(L"Art", true, nullptr);
    EXPECT_EQ(PixelOf("Pic"), kRed);
    EXPECT_EQ(PixelOf("Gone"), kGreen);
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(JobOf(L"Art")->GetTotal(), 0u);
}

TEST_F(ResourceDownloadsTest, AFailedDownloadIsRecordedAndTheRestIsStillBuilt)
{
    server.Serve("/data/Images/gone.gif", Response::Body("no", 404));
    StartRun();
    ResourceManager::Instance()->LoadAndWait(L"Art", true, nullptr);

    const RefPtr<ResourceManager::LoadingJob> job = JobOf(L"Art");
    EXPECT_EQ(job->GetState(), ResourceManager::LoadingJob::kDone);
    EXPECT_EQ(job->GetError(), -2);
    EXPECT_EQ(PixelOf("Gone"), 0xDEADu) << "its file is still missing";
    EXPECT_EQ(PixelOf("Pic"), kRed);
    EXPECT_EQ(PixelOf("Kept"), kBlue);
    EXPECT_FALSE(user.Exists("Images/gone.gif"));
}

TEST_F(ResourceDownloadsTest, CancellingAWaitWhileFilesArriveCancelsTheirTransfers)
{
    const std::shared_ptr<TestGate> gate = server.MakeGate();
    server.Serve("/data/Images/gone.gif", Response::Body(green).InChunks(8).HeldBy(gate));
    StartRun();
    Progress progress;
    progress.cancel = [&] { return server.CountRequests("/data/Images/gone.gif") > 0; };
    ResourceManager::Instance()->LoadAndWait(L"Art", true, &progress);

    const RefPtr<ResourceManager::LoadingJob> job = JobOf(L"Art");
    EXPECT_EQ(job->GetState(), ResourceManager::LoadingJob::kCancelled);
    EXPECT_EQ(PixelOf("Gone"), 0xDEADu);
    EXPECT_EQ(PixelOf("Kept"), 0xDEADu) << "the manifest was not read";
    // The held transfer was cancelled: its worker is free at once, with no part file left.
    EXPECT_TRUE(DownloadManager::InstanceIfCreated() != nullptr);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (DownloadManager::Get()->CountQueued() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(DownloadManager::Get()->CountQueued(), 0);
    EXPECT_FALSE(user.Exists("Images/gone.gif"));
}

TEST_F(ResourceDownloadsTest, StoppingTheEngineWhileFilesArriveEndsTheLoaderAndTheWorkers)
{
    const std::shared_ptr<TestGate> gate = server.MakeGate();
    server.Serve("/data/Images/gone.gif", Response::Body(green).InChunks(8).HeldBy(gate));
    StartRun();
    const RefPtr<ResourceManager::LoadingJob> job = JobOf(L"Art");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (server.CountRequests("/data/Images/gone.gif") == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(job->GetState(), ResourceManager::LoadingJob::kDownloading);

    const auto started = std::chrono::steady_clock::now();
    StopRun(); // the held transfer must not hold the shut-down
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(job->GetState(), ResourceManager::LoadingJob::kCancelled);
    EXPECT_TRUE(job->IsFinished());
    EXPECT_FALSE(user.Exists("Images/gone.gif"));
}
