#include "FileLocation.h"
#include "FileSystem.h"
#include "RandomStream.h"
#include "RuntimeError.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

using namespace Corvane;

TEST(FileLocation, ACopyOutlivesItsOriginalAndKeepsANullFolder)
{
    auto original = std::make_unique<FileLocation>(0, L"Data/Images", L"Foo", L".png");
    const FileLocation copy = *original;
    FileLocation assigned;
    assigned = *original;
    original.reset();
    EXPECT_STREQ(copy.GetFolder(), L"Data/Images");
    EXPECT_STREQ(copy.GetName(), L"Foo");
    EXPECT_STREQ(assigned.GetExtension(), L".png");
    EXPECT_EQ(assigned.GetPartition(), 0);

    const FileLocation noFolder(L"a", L".b");
    const FileLocation noFolderCopy = noFolder;
    EXPECT_FALSE(noFolderCopy.HasFolder());
    EXPECT_EQ(noFolderCopy.GetPartition(), 1) << "partition 1 unless given";
    EXPECT_EQ(noFolderCopy.ToString(), L"a.b");
}

TEST(FileLocation, SettersKeepTheOtherTextsEvenWhenGivenTheirOwn)
{
    FileLocation location(1, L"Data", L"Title", L".xml");
    location.SetFolder(location.GetName()); // a text from the record's own buffer
    EXPECT_STREQ(location.GetFolder(), L"Title");
    location.SetName(L"A much longer name than before");
    EXPECT_STREQ(location.GetFolder(), L"Title");
    EXPECT_STREQ(location.GetExtension(), L".xml");
    location.SetFolder(nullptr);
    EXPECT_FALSE(location.HasFolder());
    EXPECT_STREQ(location.GetName(), L"A much longer name than before");
}

TEST(FileLocation, TextsThatDoNotFitTheBufferAreRefused)
{
    // Name, extension and folder with their three terminators fill the 512 characters exactly.
    const std::wstring name(500, L'n');
    const std::wstring folder(5, L'f');
    const FileLocation fits(1, folder.c_str(), name.c_str(), L".xml");
    EXPECT_EQ(std::wstring(fits.GetName()), name);
    EXPECT_THROW(FileLocation(1, (folder + L"g").c_str(), name.c_str(), L".xml"), RuntimeError);

    FileLocation location(1, folder.c_str(), L"short", L".xml");
    EXPECT_THROW(location.SetName((name + L"xy").c_str()), RuntimeError);
    EXPECT_STREQ(location.GetName(), L"short") << "a refused change leaves the record as it was";
    EXPECT_STREQ(location.GetFolder(), folder.c_str());
}

namespace
{
// Reports the first few names it is asked about as taken.
class CrowdedPartition : public IFileSystemPartition
{
public:
    explicit CrowdedPartition(int taken) : mTaken(taken) {}
    IStream* OpenStream(const FileLocation&, int, int) override { return nullptr; }
    void Refresh() override {}
    void Clear() override {}
    bool Exists(FileLocation& location) override
    {
        asked.push_back(location.GetName());
        location.SetFolder(L"elsewhere"); // where the taken file lies
        return static_cast<int>(asked.size()) <= mTaken;
    }
    bool List(const FileLocation&, std::vector<FileLocation>&) override { return false; }
    void Delete(const FileLocation&) override {}

    std::vector<std::wstring> asked;

private:
    int mTaken;
};
} // namespace

TEST(FileLocation, MakeUniqueDrawsNamesUntilOneIsFree)
{
    CreateRandomStreams();
    {
        FileSystem fileSystem;
        auto* partition = new CrowdedPartition(3);
        fileSystem.AddPartition(2, partition);

        FileLocation location(2, L"Accounts", L"placeholder", L".act");
        FileLocation::MakeUnique(location);
        ASSERT_EQ(partition->asked.size(), 4u);
        EXPECT_EQ(std::wstring(location.GetName()), partition->asked.back());
        const std::wstring name = location.GetName();
        EXPECT_GE(name.size(), 1u);
        EXPECT_LE(name.size(), 8u);
        EXPECT_EQ(name.find_first_not_of(L"0123456789"), std::wstring::npos);
        EXPECT_TRUE(name == L"0" || name[0] != L'0') << "no leading zeros";
        EXPECT_STREQ(location.GetFolder(), L"Accounts") << "the probes do not move the location";
        EXPECT_STREQ(location.GetExtension(), L".act");
        EXPECT_EQ(location.GetPartition(), 2);
    }
    DeleteRandomStreams();
}

TEST(FileLocation, MakeUniqueNeedsAFileSystemAndTheRandomStreams)
{
    FileLocation location(2, L"x", L".act");
    EXPECT_THROW(FileLocation::MakeUnique(location), RuntimeError);
    FileSystem fileSystem;
    DeleteRandomStreams();
    EXPECT_THROW(FileLocation::MakeUnique(location), RuntimeError);
}
