#include "MemoryStream.h"

#include "Support/XMLNodes.h"

#include <gtest/gtest.h>

using namespace Corvane;
using Corvane::Testing::Contents;

namespace
{
MemoryStream TenBytes()
{
    MemoryStream stream(L"ten");
    const char bytes[] = "0123456789";
    EXPECT_EQ(stream.Write(bytes, 10), 10u);
    return stream;
}
} // namespace

TEST(MemoryStream, ReadsStopAtTheEndAndSeeksClamp)
{
    MemoryStream stream = TenBytes();
    EXPECT_EQ(stream.GetSize(), 10u);
    EXPECT_TRUE(stream.IsEOF());

    stream.Seek(IStream::kFromStart, 4);
    char buffer[100] = {};
    EXPECT_EQ(stream.Read(buffer, 100), 6u);
    EXPECT_EQ(std::string(buffer, 6), "456789");
    EXPECT_TRUE(stream.IsEOF());
    EXPECT_EQ(stream.Read(buffer, 100), 0u);

    stream.Seek(IStream::kFromEnd, 5);
    EXPECT_EQ(stream.Tell(), 10u);
    stream.Seek(IStream::kFromStart, -3);
    EXPECT_EQ(stream.Tell(), 0u);
    stream.Seek(IStream::kFromStart, 7);
    stream.Seek(IStream::kFromCurrent, -2);
    EXPECT_EQ(stream.Tell(), 5u);
    stream.Seek(IStream::kFromEnd, -1);
    EXPECT_EQ(stream.Tell(), 9u);
    stream.Seek(99, 0); // an unknown origin leaves the position
    EXPECT_EQ(stream.Tell(), 9u);
    // Only the low 32 bits of an offset count: 2^32 + 3 is 3.
    stream.Seek(IStream::kFromStart, (std::int64_t{1} << 32) + 3);
    EXPECT_EQ(stream.Tell(), 3u);
}

TEST(MemoryStream, WritesOverwriteInTheMiddleAndGrowAtTheEnd)
{
    MemoryStream stream = TenBytes();
    stream.Seek(IStream::kFromStart, 2);
    EXPECT_EQ(stream.Write("abc", 3), 3u);
    EXPECT_EQ(stream.GetSize(), 10u);
    EXPECT_EQ(stream.Tell(), 5u);
    EXPECT_EQ(Contents(stream), "01abc56789");

    stream.Seek(IStream::kFromStart, 8);
    EXPECT_EQ(stream.Write("WXYZ", 4), 4u);
    EXPECT_EQ(Contents(stream), "01abc567WXYZ");
    EXPECT_EQ(stream.Write("ignored", 0), 0u);
    EXPECT_EQ(stream.GetSize(), 12u);
}

TEST(MemoryStream, EmptyStreamAndReadingInPlace)
{
    MemoryStream empty(L"nothing");
    std::wstring name;
    EXPECT_EQ(empty.GetName(name), L"nothing");
    EXPECT_EQ(empty.GetCapabilities(), 15u);
    EXPECT_EQ(empty.Tell(), 0u);
    EXPECT_TRUE(empty.IsEOF());
    empty.Seek(IStream::kFromEnd, 4);
    EXPECT_EQ(empty.Tell(), 0u);
    const void* data = &name;
    EXPECT_EQ(empty.ReadOptimized(&data, 8), 0u);
    EXPECT_EQ(data, nullptr);

    MemoryStream stream = TenBytes();
    stream.Seek(IStream::kFromStart, 3);
    EXPECT_EQ(stream.ReadOptimized(&data, 4), 4u);
    EXPECT_EQ(std::string(static_cast<const char*>(data), 4), "3456");
    EXPECT_EQ(stream.Tell(), 7u);
    EXPECT_EQ(stream.ReadOptimized(&data, 100), 3u);
    EXPECT_EQ(std::string(static_cast<const char*>(data), 3), "789");
    EXPECT_EQ(stream.ReadOptimized(&data, 100), 0u);
    EXPECT_EQ(data, nullptr);
}
