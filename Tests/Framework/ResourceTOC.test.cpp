#include "Framework/ResourceTOC.h"

#include "FileLocation.h"
#include "Framework/ResourceChecksum.h"
#include "MemoryStream.h"
#include "RuntimeError.h"
#include "Support/TableOfContents.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// The sums one byte at a time, reduced after every byte: what the blocked loop must equal.
std::uint32_t SlowChecksum(const std::string& bytes)
{
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    for (const unsigned char c : bytes)
    {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return static_cast<std::uint32_t>(b << 16 | a);
}

ResourceTOC Read(const std::string& table)
{
    return ResourceTOC::Read(reinterpret_cast<const std::uint8_t*>(table.data()), table.size());
}
} // namespace

TEST(ResourceChecksumTest, SumsStartAtZeroAndMatchTheByteByByteArithmetic)
{
    EXPECT_EQ(ComputeChecksum("abc", 3), 0x024A0126u);
    EXPECT_EQ(ComputeChecksum("", 0), 0u);

    std::mt19937 random(7);
    std::string noise(200000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    // Runs of 0xFF push both sums hardest between reductions.
    const std::string ones(3 * 5552 + 17, '\xFF');
    for (const std::string& bytes : {noise, ones})
    {
        EXPECT_EQ(ComputeChecksum(bytes.data(), bytes.size()), SlowChecksum(bytes));
        ResourceChecksum pieces; // added in uneven pieces, the result is the same
        for (std::size_t at = 0; at < bytes.size(); at += 1001)
            pieces.Add(bytes.data() + at, std::min<std::size_t>(1001, bytes.size() - at));
        EXPECT_EQ(pieces.Get(), SlowChecksum(bytes));
    }
}

TEST(ResourceChecksumTest, TextSumsSkipWhiteSpaceAndStreamsAreReadToTheirSize)
{
    ResourceChecksum text;
    const std::string indented = "<a>\r\n\t<b x=\"1\"/>\v\f\n</a>\n";
    text.AddNonSpace(indented.data(), indented.size());
    EXPECT_EQ(text.Get(), SlowChecksum("<a><bx=\"1\"/></a>"));

    const std::string big(3000, 'q');
    MemoryStream stream(L"big");
    stream.Write(big.data(), static_cast<unsigned>(big.size()));
    stream.Seek(IStream::kFromStart, 0);
    std::uint32_t read = 0;
    EXPECT_EQ(ChecksumStream(stream, false, read), SlowChecksum(big));
    EXPECT_EQ(read, 3000u);
}

TEST(ResourceTOCTest, ReadsEveryEntryAndFindsItByNameAndExtension)
{
    const std::string table = BuildTable({{"./Images/Title.png", "png bytes"}, {"./Data/Levels.xml", "<levels/>"}});
    const ResourceTOC toc = Read(table);
    ASSERT_EQ(toc.GetEntries().size(), 2u);
    EXPECT_EQ(toc.GetEntries()[0].name, L"./Images/Title.png");
    EXPECT_EQ(toc.GetEntries()[0].size, 9u);
    EXPECT_EQ(toc.GetEntries()[1].checksum, SlowChecksum("<levels/>"));

    // The hash ignores case and folder.
    const TOCEntry* title = toc.Find(FileLocation(1, L"images", L"TITLE", L".PNG"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->name, L"./Images/Title.png");
    EXPECT_NE(toc.Find(FileLocation(L"Levels", L".xml")), nullptr);
    EXPECT_EQ(toc.Find(FileLocation(L"Levels", L".txt")), nullptr);

    // A table of no entries is its count and its checksum.
    EXPECT_TRUE(Read(BuildTable({})).GetEntries().empty());
    EXPECT_EQ(BuildTable({}).size(), 8u);
}

TEST(ResourceTOCTest, OfEqualNamesTheOneInTheLocationsFolderIsPreferred)
{
    const ResourceTOC toc = Read(BuildTable({{"./Sounds/a.png", "s"}, {"./Images/a.png", "i"}}));
    EXPECT_EQ(toc.Find(FileLocation(1, L"./Images", L"a", L".png"))->name, L"./Images/a.png");
    EXPECT_EQ(toc.Find(FileLocation(1, L"Sounds", L"A", L".png"))->name, L"./Sounds/a.png");
    // Without a folder, or with one no entry has, the first holds.
    EXPECT_EQ(toc.Find(FileLocation(L"a", L".png"))->name, L"./Sounds/a.png");
    EXPECT_EQ(toc.Find(FileLocation(1, L"Other", L"a", L".png"))->name, L"./Sounds/a.png");
}

TEST(ResourceTOCTest, TablesThatPointOutsideThemselvesOrOutsideTheFolderAreRefused)
{
    const std::string good = BuildTable({{"./Images/a.png", "x"}}, false);
    std::string countTooLarge = good;
    PutWord(countTooLarge, 0, 2);
    std::string offsetOutside = good;
    PutWord(offsetOutside, 16, static_cast<std::uint32_t>(good.size() + 4));
    std::string offsetOnChecksum = good;
    PutWord(offsetOnChecksum, 16, static_cast<std::uint32_t>(good.size()));
    std::string hugeCount = good;
    PutWord(hugeCount, 0, 0xFFFFFFFF);

    const struct
    {
        const char* what;
        std::string table;
        const char* message;
    } cases[] = {
        {"empty", "", "too short"},
        {"count only", std::string(4, '\0'), "too short"},
        {"count beyond the bytes", countTooLarge + Seal(countTooLarge), "more than its"},
        {"count near 2^32", hugeCount + Seal(hugeCount), "more than its"},
        {"name offset past the end", offsetOutside + Seal(offsetOutside), "outside the table"},
        {"name offset on the checksum", offsetOnChecksum + Seal(offsetOnChecksum), "outside the table"},
        {"name without its end", good.substr(0, good.size() - 1) + Seal(good.substr(0, good.size() - 1)),
         "without its end"},
        {"parent folder", BuildTable({{"./Images/../../../.bashrc", "x"}}), "outside the data folders"},
        {"absolute", BuildTable({{"/etc/passwd", "x"}}), "outside the data folders"},
        {"absolute, other separator", BuildTable({{"\\Windows\\x.dll", "x"}}), "outside the data folders"},
        {"parent at the start", BuildTable({{"..\\x.png", "x"}}), "outside the data folders"},
        {"control character", BuildTable({{"./Images/a\nb.png", "x"}}), "outside the data folders"},
        {"empty name", BuildTable({{"", "x"}}), "outside the data folders"},
    };
    for (const auto& c : cases)
    {
        try
        {
            Read(c.table);
            ADD_FAILURE() << c.what << ": expected an error";
        }
        catch (const RuntimeError& error)
        {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << c.what << ": " << error.what();
        }
    }
    // Dots that stay inside are fine.
    EXPECT_NO_THROW(Read(BuildTable({{"./Images/..hidden/a..b.png", "x"}})));
}
