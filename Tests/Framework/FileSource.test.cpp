#include "Framework/FileSource.h"

#include "FileSystem.h"
#include "Framework/DownloadManager.h"
#include "Framework/EngineHooks.h"
#include "Framework/ResourceFiles.h"
#include "RuntimeError.h"
#include "Stream.h"
#include "Support/DebugCapture.h"
#include "Support/TableOfContents.h"
#include "Support/TempFolder.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
class FileSourceTest : public ::testing::Test
{
protected:
    FileSourceTest() : files(new FileSystem)
    {
        files->AddPartition(1, new Win32FileSystemPartition(L"", program.WidePath()));
        files->AddPartition(2, new Win32FileSystemPartition(L"", user.WidePath()));
    }
    ~FileSourceTest() override
    {
        delete source;
        delete DownloadManager::InstanceIfCreated();
        files->DeletePartitions();
        delete files;
    }

    // What the file source opens for location, or "<null>".
    std::string Open(const FileLocation& location)
    {
        IStream* stream = source->OpenStream(location);
        if (!stream)
            return "<null>";
        std::string content(stream->GetSize(), '\0');
        content.resize(stream->Read(content.data(), static_cast<unsigned>(content.size())));
        files->ReleaseStream(stream);
        return content;
    }

    DebugCapture debug;
    TempFolder program;
    TempFolder user;
    FileSystem* files;
    FileSource* source = new FileSource;
};

FileLocation Image(const wchar_t* name)
{
    return FileLocation(1, L"Images", name, L".png");
}
} // namespace

TEST_F(FileSourceTest, BeforeInitializeTheProgramFolderIsReadUnverifiedAndNothingIsFetched)
{
    program.Write("Images/a.png", "anything");
    user.Write("Images/b.png", "only here");
    program.Write("resources.toc", "not even a table");

    EXPECT_FALSE(source->IsInitialized());
    EXPECT_EQ(source->GetStatus(Image(L"a")), IStreamable::kAvailable);
    EXPECT_EQ(source->GetStatus(Image(L"b")), IStreamable::kUnavailable);
    EXPECT_EQ(Open(Image(L"a")), "anything");
    EXPECT_EQ(Open(Image(L"b")), "<null>");
    RefPtr<IFileTransfer> transfer;
    source->RequestDownload(transfer, Image(L"b"), 1);
    EXPECT_FALSE(transfer);
    EXPECT_EQ(DownloadManager::InstanceIfCreated(), nullptr);
}

TEST_F(FileSourceTest, OnceInitialisedTheTableDecidesWhatIsUsedFetchedOrUnavailable)
{
    const std::string level = "<level>\n  <step at=\"1\"/>\n</level>\n";
    program.Write("resources.toc", BuildTable({
                                       {"./Images/good.png", "GOOD"},
                                       {"./Images/bad.png", "BAD!"},
                                       {"./Data/Level.xml", level},
                                       {"./Images/missing.png", "MISSING"},
                                       {"./Images/shadow.png", "SHADOW"},
                                       {"./Images/fresh.png", "FRESH"},
                                   }));
    program.Write("Images/good.png", "GOOD");
    program.Write("Images/bad.png", "BAD?");
    program.Write("Data/Level.xml", "<level>\r\n\t<step at=\"1\"/></level>");
    program.Write("Images/shadow.png", "SHADOW");
    user.Write("Images/shadow.png", "SHADOW and more");
    program.Write("Images/fresh.png", "stale");
    user.Write("Images/fresh.png", "FRESH");
    program.Write("Images/extra.png", "not listed");
    source->Initialize(L"http://127.0.0.1:9/base");
    ASSERT_TRUE(source->IsInitialized());

    const struct
    {
        FileLocation location;
        int status;
        std::string opened;
    } cases[] = {
        {Image(L"good"), IStreamable::kAvailable, "GOOD"},
        {Image(L"bad"), IStreamable::kMustDownload, "<null>"},
        {FileLocation(1, L"Data", L"level", L".xml"), IStreamable::kAvailable, "<level>\r\n\t<step at=\"1\"/></level>"},
        {Image(L"missing"), IStreamable::kMustDownload, "<null>"},
        // A damaged copy in the per-user folder is fetched again, not passed over.
        {Image(L"shadow"), IStreamable::kMustDownload, "<null>"},
        {Image(L"fresh"), IStreamable::kAvailable, "FRESH"},
        {Image(L"extra"), IStreamable::kUnavailable, "<null>"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(source->GetStatus(c.location), c.status) << c.location.ToString().c_str();
        EXPECT_EQ(Open(c.location), c.opened);
    }
    // The resources' seam reads through the file source.
    EXPECT_EQ(OpenResourceStream(Image(L"bad")), nullptr);

    source->Close();
    EXPECT_FALSE(source->IsInitialized());
    EXPECT_EQ(Open(Image(L"bad")), "BAD?") << "closed, it reads unverified again";
}

TEST_F(FileSourceTest, BrokenOrMissingTablesAreReportedByInitialize)
{
    std::string table = BuildTable({{"./Images/a.png", "a"}});
    table[4] ^= 1;
    program.Write("resources.toc", table);
    try
    {
        source->Initialize(L"http://example.org");
        ADD_FAILURE() << "expected an error";
    }
    catch (const RuntimeError& error)
    {
        EXPECT_STREQ(error.what(), "Resource TOC checksum is invalid!");
        EXPECT_EQ(error.GetFunction(), "FileSource::InitTOC");
    }
    EXPECT_FALSE(source->IsInitialized());

    program.Write("resources.toc", BuildTable({{"./../../escape.png", "a"}}));
    EXPECT_THROW(source->Initialize(L"http://example.org"), RuntimeError);

    std::filesystem::remove(program.Path() / "resources.toc");
    program.Write("Images/a.png", "a");
    source->Initialize(L"http://example.org");
    EXPECT_TRUE(source->IsInitialized());
    EXPECT_FALSE(source->OffersDownloads());
    EXPECT_EQ(source->GetStatus(Image(L"a")), IStreamable::kUnavailable) << "nothing can be verified";
    EXPECT_NE(debug.Text().find("no resources.toc"), std::string::npos);
}

TEST_F(FileSourceTest, DownloadsAreRequestedOnlyForListedFilesThatMustBeFetched)
{
    program.Write("resources.toc",
                  BuildTable({{"./Images/good.png", "GOOD"}, {"./Images/missing.png", "MISSING"}, {"top.png", "TOP"}}));
    program.Write("Images/good.png", "GOOD");
    source->Initialize(L"http:\\\\127.0.0.1:9\\files\\");
    EXPECT_EQ(DownloadManager::Get()->GetBasePath(), L"http://127.0.0.1:9/files");
    DownloadManager::Get()->Shutdown(); // requests stay queued until Start

    const FileLocation nothingToFetch[] = {Image(L"good"), Image(L"unlisted"), FileLocation(L"top", L".png")};
    for (const FileLocation& location : nothingToFetch)
    {
        RefPtr<IFileTransfer> transfer;
        source->RequestDownload(transfer, location, 5);
        EXPECT_FALSE(transfer) << location.ToString().c_str();
    }

    RefPtr<IFileTransfer> missing;
    source->RequestDownload(missing, Image(L"missing"), 5);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->GetSourceName(), Label("Images/missing.png")) << "the table's first folder is its root";
    EXPECT_EQ(missing->GetTotal(), 7u) << "the table's size until the copy starts";
    RefPtr<IFileTransfer> again;
    source->RequestDownload(again, FileLocation(L"MISSING", L".png"), 9);
    EXPECT_EQ(again.Get(), missing.Get());

    // No network platform in this program: the transfer fails as a source that cannot be opened.
    DownloadManager::Get()->Start();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!missing->HasError() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_EQ(missing->GetError(), -2);
    EXPECT_FALSE(missing->IsComplete());
}

TEST(EngineHooksTest, TheEnginesStepsCreateCloseAndStopTheDownloadSide)
{
    const Internal::EngineHooks hooks = Internal::DefaultEngineHooks();
    ASSERT_EQ(IFileSource::GetInstance(), nullptr);
    hooks.createFileSource();
    IFileSource* created = IFileSource::GetInstance();
    ASSERT_NE(created, nullptr);
    hooks.createFileSource();
    EXPECT_EQ(IFileSource::GetInstance(), created) << "made once";

    hooks.shutdownDownloadManager(); // never creates the manager
    EXPECT_EQ(DownloadManager::InstanceIfCreated(), nullptr);

    auto* source = dynamic_cast<FileSource*>(created);
    ASSERT_NE(source, nullptr);
    source->Initialize(L"http://example.org"); // no file system: no table
    ASSERT_NE(DownloadManager::InstanceIfCreated(), nullptr);
    hooks.closeFileSource();
    EXPECT_FALSE(source->IsInitialized());
    hooks.stopWorkerThreads(); // also what an unhandled error runs
    RefPtr<IFileTransfer> queued;
    DownloadManager::Get()->Request(queued, L"a/b.png", FileLocation(2, L"b", L".png"), 1, 0);
    EXPECT_EQ(DownloadManager::Get()->CountQueued(), 1) << "no worker left to take it";

    delete DownloadManager::InstanceIfCreated();
    delete created;
    EXPECT_EQ(IFileSource::GetInstance(), nullptr);
}
