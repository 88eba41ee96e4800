#include "Framework/Account.h"

#include "Framework/AccountManager.h"
#include "Stream.h"
#include "Support/DebugCapture.h"
#include "Support/ProfileFolder.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// A stream that writes only half of what it is given, as a full disk does.
class HalfWrites : public IStream
{
public:
    explicit HalfWrites(IStream* inner) : mInner(inner) {}
    std::wstring& GetName(std::wstring& out) override { return mInner->GetName(out); }
    unsigned GetCapabilities() override { return mInner->GetCapabilities(); }
    std::uint32_t GetSize() override { return mInner->GetSize(); }
    bool IsEOF() override { return mInner->IsEOF(); }
    unsigned Read(void* buffer, unsigned count) override { return mInner->Read(buffer, count); }
    unsigned ReadOptimized(const void** data, unsigned count) override { return mInner->ReadOptimized(data, count); }
    unsigned Write(const void* buffer, unsigned count) override { return mInner->Write(buffer, count / 2); }
    void Seek(int origin, std::int64_t offset) override { mInner->Seek(origin, offset); }
    std::uint32_t Tell() override { return mInner->Tell(); }

private:
    std::unique_ptr<IStream> mInner;
};

// The disk partition, failing on demand.
class FlakyPartition : public IFileSystemPartition
{
public:
    explicit FlakyPartition(const std::wstring& root) : mDisk(L"", root) {}

    IStream* OpenStream(const FileLocation& location, int access, int disposition) override
    {
        if (failReads && (access & kFileRead))
            return nullptr;
        IStream* stream = mDisk.OpenStream(location, access, disposition);
        return stream && halfWrites && (access & kFileWrite) ? new HalfWrites(stream) : stream;
    }
    void Refresh() override { mDisk.Refresh(); }
    void Clear() override { mDisk.Clear(); }
    bool Exists(FileLocation& location) override { return mDisk.Exists(location); }
    bool List(const FileLocation& pattern, std::vector<FileLocation>& out) override { return mDisk.List(pattern, out); }
    void Delete(const FileLocation& location) override { mDisk.Delete(location); }
    bool Replace(const FileLocation& source, const FileLocation& target) override
    {
        return !failReplace && mDisk.Replace(source, target);
    }

    bool failReads = false;
    bool halfWrites = false;
    bool failReplace = false;

private:
    Win32FileSystemPartition mDisk;
};

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";
const std::string kNameRecord = "<record name=\"Corvane::AccountManager::Name\" value=\"TRVL_DEFAULT_PROFILE\"/>\r\n";
const std::string kCurrentRecord = "<record name=\"Corvane::AccountManager::IsCurrent\" value=\"true\"/>\r\n";

std::string Record(const std::string& name, const std::string& value)
{
    return "<record name=\"" + name + "\" value=\"" + value + "\"/>\r\n";
}

class AccountTest : public testing::Test
{
protected:
    std::string Content() const { return profiles.Content(account); }
    std::string FileName() const { return Utf8::FromWide(account->GetLocation().ToString()); }
    void Replace(const std::string& content) const { profiles.Folder().Write(FileName(), content); }

    DebugCapture debug;
    FlakyPartition* partition = nullptr;
    ProfileFolder profiles{[this](const std::wstring& root) { return partition = new FlakyPartition(root); }};
    Account* account = AccountManager::Get()->GetCurrentAccount();
};
} // namespace

TEST_F(AccountTest, TypedValuesRoundTripAndMissingOnesGiveTheDefault)
{
    const std::wstring text = L"<a & \"b\"> \u00fcn\u00ef\u4e2d";
    EXPECT_TRUE(Account::WriteString(account, "Text", text));
    EXPECT_TRUE(Account::WriteInt(account, "Int", -1234567));
    EXPECT_TRUE(Account::WriteFloat(account, "Float", 0.25f));
    EXPECT_TRUE(Account::WriteBool(account, "Bool", true));

    EXPECT_EQ(Account::ReadString(account, "Text", L""), text);
    EXPECT_EQ(Account::ReadInt(account, "Int", 0), -1234567);
    EXPECT_FLOAT_EQ(Account::ReadFloat(account, "Float", 0.0f), 0.25f);
    EXPECT_TRUE(Account::ReadBool(account, "Bool", false));
    EXPECT_NE(Content().find(Record("Int", "-1234567")), std::string::npos) << "no digit grouping";

    // Keys are compared with case; a missing key or value gives the default.
    EXPECT_FALSE(Account::HasValue(account, "int"));
    EXPECT_EQ(Account::ReadInt(account, "int", 7), 7);
    EXPECT_EQ(Account::ReadString(account, "None", L"fallback"), L"fallback");
    Replace(kHeader + "<account>\r\n<record name=\"Bare\"/>\r\n</account>\r\n");
    EXPECT_TRUE(Account::HasValue(account, "Bare"));
    EXPECT_FLOAT_EQ(Account::ReadFloat(account, "Bare", 1.5f), 1.5f);

    // Without an account there is nothing to read or write.
    EXPECT_EQ(Account::ReadInt(nullptr, "Int", 3), 3);
    EXPECT_FALSE(Account::WriteInt(nullptr, "Int", 3));
}

TEST_F(AccountTest, AWriteKeepsTheRecordsPlaceAndEveryWriteLeavesOneLayout)
{
    Account::WriteInt(account, "A", 1);
    Account::WriteInt(account, "B", 2);
    Account::WriteInt(account, "A", 3);
    EXPECT_EQ(Content(), kHeader + "<account>\r\n" + kNameRecord + kCurrentRecord + Record("A", "3") +
                             Record("B", "2") + "</account>\r\n");

    // A hand-edited file: comments and white space go, both records of a repeated key take the
    // new value, and reads see the last of them.
    Replace("<?xml version=\"1.0\"?>\n<!-- edited -->\n<account>\n  <record name=\"K\" value=\"1\"/>\n"
            "  <record name=\"Other\" value=\"x\"/>\n  <record name=\"K\" value=\"2\"/>\n</account>\n");
    EXPECT_EQ(Account::ReadInt(account, "K", 0), 2);
    EXPECT_TRUE(Account::WriteInt(account, "K", 5));
    EXPECT_EQ(Content(), kHeader + "<account>\r\n" + Record("K", "5") + Record("Other", "x") + Record("K", "5") +
                             "</account>\r\n");

    EXPECT_TRUE(Account::RemoveValue(account, "K"));
    EXPECT_EQ(Content(), kHeader + "<account>\r\n" + Record("Other", "x") + "</account>\r\n");

    // An empty file becomes an account holding the value.
    Replace("");
    EXPECT_TRUE(Account::WriteInt(account, "A", 1));
    EXPECT_EQ(Content(), kHeader + "<account>\r\n" + Record("A", "1") + "</account>\r\n");
}

TEST_F(AccountTest, BinaryValuesAreBase64AndAreMovedToTheEndWhenWritten)
{
    const unsigned char bytes[] = {0x00, 0x01, 0x02, 0xFF, 0x41};
    EXPECT_EQ(Account::WriteBinary(account, "Blob", bytes, 5), 5u);
    Account::WriteInt(account, "After", 1);
    EXPECT_EQ(Account::WriteBinary(account, "Blob", bytes, 5), 5u);
    EXPECT_EQ(Content(), kHeader + "<account>\r\n" + kNameRecord + kCurrentRecord + Record("After", "1") +
                             Record("Blob", "AAEC/0E=") + "</account>\r\n");

    unsigned char read[8] = {};
    EXPECT_EQ(Account::ReadBinary(account, "Blob", read, sizeof read), 5u);
    EXPECT_EQ(std::vector<unsigned char>(read, read + 5), std::vector<unsigned char>(bytes, bytes + 5));
    EXPECT_EQ(Account::ReadBinary(account, "Blob", read, 2), 2u);

    // Reading a missing key gives nothing and leaves the file alone.
    const std::string before = Content();
    EXPECT_EQ(Account::ReadBinary(account, "Missing", read, sizeof read), 0u);
    EXPECT_EQ(Content(), before);

    EXPECT_EQ(Account::WriteBinary(account, "Blob", nullptr, 0), 0u);
    EXPECT_TRUE(Account::HasValue(account, "Blob"));
    EXPECT_EQ(Account::ReadBinary(account, "Blob", read, sizeof read), 0u);
}

TEST_F(AccountTest, AWriteThatCannotReadOrStoreTheWholeFileLeavesItAsItWas)
{
    Account::WriteInt(account, "Score", 10);
    const std::string good = Content();
    const std::string damaged =
        kHeader + "<account>\r\n" + kNameRecord + "<record name=\"Score\" value=\"10\"/>\r\n<rec";
    const std::string cutShort = kHeader + "<account>\r\n" + kNameRecord + Record("Score", "10");
    struct Case
    {
        const char* what;
        std::string content;
        bool FlakyPartition::*fault;
        const char* message;
    };
    const Case cases[] = {
        {"damaged XML", damaged, nullptr, "There is an error in the XML data for the account 'TRVL_DEFAULT_PROFILE'"},
        {"cut short", cutShort, nullptr, "EOF while eating '</account>'"},
        {"unreadable", good, &FlakyPartition::failReads, "could not be read"},
        {"disk full", good, &FlakyPartition::halfWrites, "could not be written"},
        {"replace refused", good, &FlakyPartition::failReplace, "could not be written"},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.what);
        Replace(test.content);
        debug.Clear();
        if (test.fault)
            partition->*test.fault = true;
        EXPECT_FALSE(Account::WriteInt(account, "Score", 20));
        EXPECT_EQ(Account::WriteBinary(account, "Blob", "x", 1), 0u);
        if (test.fault)
            partition->*test.fault = false;
        EXPECT_EQ(Content(), test.content);
        EXPECT_EQ(profiles.Files().size(), 1u) << "a temporary file was left";
        EXPECT_NE(debug.Text().find(test.message), std::string::npos) << debug.Text();
    }

    // What a damaged file holds before the damage can still be read.
    Replace(damaged);
    EXPECT_EQ(Account::ReadInt(account, "Score", 0), 10);
    EXPECT_EQ(Account::ReadString(account, Account::kNameKey, L""), L"TRVL_DEFAULT_PROFILE");
}
