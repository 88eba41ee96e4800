#include "Framework/Account.h"

#include "Framework/AccountManager.h"
#include "Stream.h"
#include "Support/BoxCapture.h"
#include "Support/DebugCapture.h"
#include "Support/FileFaults.h"
#include "Support/ProfileFolder.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// The disk partition, noting the names of the files opened for writing.
class RecordingPartition : public IFileSystemPartition
{
public:
    explicit RecordingPartition(const std::wstring& root) : mDisk(L"", root) {}

    IStream* OpenStream(const FileLocation& location, int access, int disposition) override
    {
        if (access & kFileWrite)
            written.push_back(Utf8::FromWide(location.GetName()) + Utf8::FromWide(location.GetExtension()));
        return mDisk.OpenStream(location, access, disposition);
    }
    void Refresh() override { mDisk.Refresh(); }
    void Clear() override { mDisk.Clear(); }
    bool Exists(FileLocation& location) override { return mDisk.Exists(location); }
    bool List(const FileLocation& pattern, std::vector<FileLocation>& out) override { return mDisk.List(pattern, out); }
    void Delete(const FileLocation& location) override { mDisk.Delete(location); }
    bool Replace(const FileLocation& source, const FileLocation& target) override
    {
        return mDisk.Replace(source, target);
    }
    std::wstring GetPath(const FileLocation& location) const override { return mDisk.GetPath(location); }

    std::vector<std::string> written;

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

    // The file's full path, as messages name it.
    std::string FullPath() const { return (profiles.Folder().Path() / Number()).string() + ".act"; }
    std::string Number() const { return Utf8::FromWide(account->GetLocation().GetName()); }

    DebugCapture debug;
    BoxCapture boxes;
    RecordingPartition* partition = nullptr;
    ProfileFolder profiles{[this](const std::wstring& root) { return partition = new RecordingPartition(root); }};
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

// Each fault is the system's own, for root as for any user.
TEST_F(AccountTest, AWriteThatCannotBeStoredIsToldAndKeptUntilALaterWriteStoresIt)
{
    Account::WriteInt(account, "Score", 10);
    const std::filesystem::path folder = profiles.Folder().Path();
    const std::string file = FullPath();
    struct Fault
    {
        const char* what;
        std::function<std::shared_ptr<void>()> begin;
        const char* reason;
    };
    const Fault faults[] = {
        {"read-only folder", [&] { return std::make_shared<ReadOnlyFolder>(folder, folder); }, "Access is denied."},
        {"full disk", [] { return std::make_shared<FileSizeLimit>(64); },
         "The file size exceeds the limit allowed and cannot be saved."},
        {"unreadable file",
         [&] {
             std::filesystem::permissions(file, std::filesystem::perms::none);
             return std::make_shared<UnprivilegedFiles>(folder);
         },
         "Access is denied."},
    };
    int score = 10;
    for (const Fault& fault : faults)
    {
        SCOPED_TRACE(fault.what);
        const std::string before = Content();
        boxes.Clear();
        {
            const std::shared_ptr<void> active = fault.begin();
            EXPECT_FALSE(Account::WriteInt(account, "Score", ++score));
            EXPECT_EQ(Account::ReadInt(account, "Score", 0), score) << "the player's value is kept";
        }
        std::filesystem::permissions(file, std::filesystem::perms(0644));
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0], "Corvane 2DEngine: Your progress could not be saved:\n\n" + file + "\n" +
                                        fault.reason +
                                        "\n\nThe game goes on and keeps it, to save it again with the next change.");
        EXPECT_EQ(Content(), before);
        EXPECT_EQ(profiles.Files(), std::vector<std::string>{Number() + ".act"}) << "a temporary file was left";

        // The next write stores the kept value along.
        EXPECT_TRUE(Account::WriteBool(account, "Next", true));
        EXPECT_NE(Content().find(Record("Score", std::to_string(score))), std::string::npos) << Content();
    }
}

// Damage of every kind to a profile saved whole: the file as it was lies beside as a dated copy,
// and every record comes back where it stood, from the file when it is whole there, else from the
// last good generation. Without that generation (a file an older version wrote), the records whole
// in the file are kept, the profile keeps its name and the player is told what is lost.
TEST_F(AccountTest, ADamagedFileIsKeptAsACopyAndEveryRecordComesBackFromItOrTheLastGoodGeneration)
{
    const std::string a = Record("A", "1"), b = Record("B", "2"), c = Record("C", "3");
    const std::string whole = kHeader + "<account>\r\n" + kNameRecord + kCurrentRecord + a + b + c + "</account>\r\n";
    const auto damage = [&](const std::string& from, const std::string& to) {
        std::string text = whole;
        return text.replace(text.find(from), from.size(), to);
    };
    const struct
    {
        const char* what;
        std::string content;
        bool lastGood;
        std::string problem; // empty: as the reader says
    } cases[] = {
        {"a record lost its '<'", damage("<record name=\"B\"", "Xrecord name=\"B\""), true,
         "There is text where a record belongs."},
        {"a value lost its closing quote", damage("\"2\"", "\"2X"), true, "An element's attributes are damaged."},
        {"cut in half", whole.substr(0, whole.find(b) + 20), true, ""},
        {"empty", "", true, "The file is empty."},
        {"a record lost its '<', no last good generation", damage("<record name=\"B\"", "Xrecord name=\"B\""),
         false, "There is text where a record belongs."},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.what);
        Replace(whole);
        ASSERT_TRUE(Account::WriteInt(account, "A", 1)); // saved whole: the last good generation
        ASSERT_EQ(Content(), whole);
        if (!test.lastGood)
            std::filesystem::remove(profiles.Folder().Path() / ProfileFolder::LastGood(account));
        Replace(test.content);
        boxes.Clear();
        EXPECT_EQ(Account::ReadInt(account, "B", 0), test.lastGood ? 2 : 0) << "reads see what a write keeps";
        EXPECT_TRUE(Account::WriteInt(account, "Score", 20));

        const std::string copy = profiles.Files()[0]; // "<number>-<date>-<time>.damaged" sorts first
        ASSERT_TRUE(copy.ends_with(".damaged")) << copy;
        EXPECT_EQ(profiles.Folder().Read(copy), test.content) << "the copy is the file as it was";
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const std::string& box = boxes.Boxes()[0];
        const std::string lastGood = (profiles.Folder().Path() / ProfileFolder::LastGood(account)).string();
        EXPECT_TRUE(box.starts_with("Corvane 2DEngine: A profile file could not be read whole:\n\n" + FullPath() +
                                    "\n" + test.problem) &&
                    box.find("\n\nA copy of it was kept as\n" + (profiles.Folder().Path() / copy).string() +
                             "\n\n") != std::string::npos &&
                    box.ends_with(test.lastGood ? "taken from the profile as it was last saved whole:\n" + lastGood +
                                                      "\n\nThe profile goes on with all of it."
                                                : "could not be read and are only in the copy:\nB\n\n"
                                                  "The profile goes on with everything that could be read."))
            << box;
        const std::string kept = test.lastGood ? whole : damage(b, "");
        EXPECT_EQ(Content(), kept.substr(0, kept.size() - 12) + Record("Score", "20") + "</account>\r\n");
        EXPECT_EQ(profiles.Folder().Read(ProfileFolder::LastGood(account)), profiles.LastGoodContent(account));
        std::filesystem::remove(profiles.Folder().Path() / copy);
    }
}

// Temporary names are drawn at random, as mkstemp draws them, and one found taken is passed over
// for another, up to a bound: links planted under the very names a write draws neither keep it
// from being stored nor are written through; a later start removes what is left.
TEST_F(AccountTest, LinksPlantedWhereAWriteGoesAreNeverWrittenThrough)
{
    const std::filesystem::path folder = profiles.Folder().Path();
    const std::filesystem::path precious = profiles.Folder().Write("elsewhere/precious.txt", "precious");
    int drawn = 0;
    Internal::SetTemporaryNameSource([&] { return std::to_wstring(drawn++); });
    const std::shared_ptr<void> randomAgain(nullptr, [](void*) { Internal::SetTemporaryNameSource(nullptr); });
    // Two names for a write that is stored: the profile's and its last good generation's.
    const struct
    {
        int planted;
        std::size_t tried;
    } cases[] = {{0, 2}, {5, 7}, {100, 100}};
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.planted);
        for (int n = drawn; n < drawn + test.planted; ++n)
            std::filesystem::create_symlink(precious, folder / (Number() + "-" + std::to_string(n) + ".tmp"));
        partition->written.clear();
        EXPECT_EQ(Account::WriteInt(account, "A", test.planted), test.planted < 100);
        EXPECT_EQ(std::set<std::string>(partition->written.begin(), partition->written.end()).size(), test.tried);
        EXPECT_EQ(profiles.Folder().Read("elsewhere/precious.txt"), "precious");
    }

    // The system's names: none drawn twice.
    Internal::SetTemporaryNameSource(nullptr);
    partition->written.clear();
    EXPECT_TRUE(Account::WriteInt(account, "A", 1) && Account::WriteInt(account, "A", 2));
    EXPECT_EQ(std::set<std::string>(partition->written.begin(), partition->written.end()).size(), 4u);
    delete AccountManager::Get();
    AccountManager::Get();
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}
