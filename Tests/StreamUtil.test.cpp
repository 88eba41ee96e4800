#include "StreamUtil.h"

#include "ErrorStatus.h"
#include "MemoryStream.h"
#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Corvane;
using Corvane::Testing::Contents;
using Corvane::Testing::Fill;

namespace
{
// A memory stream that can fail, stall or go slowly on demand.
class TroubledStream : public MemoryStream, public IErrorStatus
{
public:
    TroubledStream() : MemoryStream(L"troubled") {}

    unsigned Read(void* buffer, unsigned count) override
    {
        if (stallReads)
            return 0;
        if (failAfterRead >= 0)
            count = std::min(count, static_cast<unsigned>(failAfterRead) - std::min(Tell(), unsigned(failAfterRead)));
        const unsigned n = MemoryStream::Read(buffer, count);
        if (failAfterRead >= 0 && Tell() >= static_cast<unsigned>(failAfterRead))
            SetError(-7);
        return n;
    }
    bool IsEOF() override { return !stallReads && MemoryStream::IsEOF(); }
    unsigned Write(const void* buffer, unsigned count) override
    {
        ++writeCalls;
        if (stallWrites)
            return 0;
        if (failWrites)
        {
            SetError(-9);
            return 0;
        }
        return MemoryStream::Write(buffer, std::min(count, writeLimit));
    }

    bool stallReads = false;  // Read gives nothing, yet the end never comes
    bool stallWrites = false; // Write takes nothing, yet reports no error
    bool failWrites = false;
    int failAfterRead = -1; // error once this many bytes are read
    unsigned writeLimit = ~0u;
    int writeCalls = 0;
};

struct RecordingProgress : IDataTransferProgress
{
    void SetTotal(unsigned bytes) override { total = bytes; }
    void AddDone(float fraction, unsigned bytes) override
    {
        fractions.push_back(fraction);
        chunks.push_back(bytes);
    }
    void OnComplete() override { ++completed; }
    void Finish(int code) override { finished.push_back(code); }
    bool IsCancelled() override { return cancelAfter >= 0 && static_cast<int>(chunks.size()) >= cancelAfter; }

    unsigned total = 0;
    std::vector<float> fractions;
    std::vector<unsigned> chunks;
    std::vector<int> finished;
    int completed = 0;
    int cancelAfter = -1;
};

std::string Bytes(std::size_t count)
{
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(i * 7 + 3);
    return bytes;
}
} // namespace

TEST(CopyStream, CopiesInChunksAndReportsEach)
{
    MemoryStream source(L"source"), destination(L"destination");
    const std::string bytes = Bytes(2500);
    Fill(source, bytes);
    RecordingProgress progress;

    EXPECT_EQ(CopyStream(source, destination, &progress), 2500u);
    EXPECT_EQ(Contents(destination), bytes);
    EXPECT_EQ(progress.chunks, (std::vector<unsigned>{1024, 1024, 452}));
    ASSERT_EQ(progress.fractions.size(), 3u);
    EXPECT_FLOAT_EQ(progress.fractions[0], 1024.0f / 2500.0f);
    EXPECT_FLOAT_EQ(progress.fractions[2], 1.0f);
    EXPECT_TRUE(progress.finished.empty());
    EXPECT_EQ(progress.completed, 0); // the caller decides what a whole copy means

    // A total below the source's size stops there; no sink is needed.
    MemoryStream partial(L"partial");
    source.Seek(IStream::kFromStart, 0);
    EXPECT_EQ(CopyStream(source, partial, 100, nullptr), 100u);
    EXPECT_EQ(Contents(partial), bytes.substr(0, 100));
}

TEST(CopyStream, CancelStopsBeforeTheNextChunk)
{
    MemoryStream source(L"source"), destination(L"destination");
    Fill(source, Bytes(2500));
    RecordingProgress progress;
    progress.cancelAfter = 0;
    EXPECT_EQ(CopyStream(source, destination, &progress), 0u);
    EXPECT_EQ(destination.GetSize(), 0u);
    EXPECT_TRUE(progress.chunks.empty());

    source.Seek(IStream::kFromStart, 0);
    progress.cancelAfter = 2;
    EXPECT_EQ(CopyStream(source, destination, &progress), 2048u);
    EXPECT_TRUE(progress.finished.empty());
}

TEST(CopyStream, StreamErrorsFinishWithTheFailingStreamsCode)
{
    TroubledStream failingSource;
    Fill(failingSource, Bytes(3000));
    failingSource.failAfterRead = 1500;
    MemoryStream destination(L"destination");
    RecordingProgress progress;
    CopyStream(failingSource, destination, &progress);
    EXPECT_EQ(progress.finished, std::vector<int>{-7});
    EXPECT_EQ(destination.GetSize(), 1500u); // what was read before the error is kept
    EXPECT_TRUE(HasStreamError(&failingSource));
    EXPECT_EQ(GetStreamError(&failingSource), -7);

    MemoryStream source(L"source");
    Fill(source, Bytes(3000));
    TroubledStream failingDestination;
    failingDestination.failWrites = true;
    RecordingProgress second;
    EXPECT_EQ(CopyStream(source, failingDestination, &second), 0u);
    EXPECT_EQ(second.finished, std::vector<int>{-9});

    EXPECT_FALSE(HasStreamError(&source)); // a memory stream has no error status
    EXPECT_EQ(GetStreamError(&source), 0);
    EXPECT_FALSE(HasStreamError(nullptr));
}

TEST(CopyStream, ShortWritesAreRepeatedUntilTheChunkIsIn)
{
    MemoryStream source(L"source");
    const std::string bytes = Bytes(2000);
    Fill(source, bytes);
    TroubledStream destination;
    destination.writeLimit = 300;
    EXPECT_EQ(CopyStream(source, destination, nullptr), 2000u);
    EXPECT_EQ(Contents(destination), bytes);
}

TEST(CopyStream, StallingStreamsEndTheCopyInsteadOfSpinning)
{
    // A read of nothing without the end, and a write of nothing without an error, both used to
    // loop forever.
    TroubledStream stalledSource;
    Fill(stalledSource, Bytes(100));
    stalledSource.stallReads = true;
    MemoryStream destination(L"destination");
    RecordingProgress progress;
    EXPECT_EQ(CopyStream(stalledSource, destination, 100, &progress), 0u);
    EXPECT_TRUE(progress.finished.empty());

    MemoryStream source(L"source");
    Fill(source, Bytes(5000));
    TroubledStream stalledDestination;
    stalledDestination.stallWrites = true;
    EXPECT_EQ(CopyStream(source, stalledDestination, nullptr), 0u);
    EXPECT_EQ(stalledDestination.writeCalls, 1);
    EXPECT_FALSE(source.IsEOF()); // the caller sees the copy fell short
}
