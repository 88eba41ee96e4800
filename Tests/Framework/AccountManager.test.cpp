#include "Framework/AccountManager.h"

#include "Framework/Account.h"
#include "Framework/IAccountChangeHandler.h"
#include "Support/BoxCapture.h"
#include "Support/DebugCapture.h"
#include "Support/ProfileFolder.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

// Writes "<event> <name of the current account>".
class ChangeRecorder : public IAccountChangeHandler
{
public:
    explicit ChangeRecorder(Log& log) : mLog(log) {}
    void OnAccountChanging() override { Note("changing"); }
    void OnAccountChanged() override { Note("changed"); }

private:
    void Note(const std::string& event)
    {
        const Account* current = AccountManager::Get()->GetCurrentAccount();
        mLog.push_back(event + " " + (current ? Utf8::FromWide(current->GetName()) : "<none>"));
    }
    Log& mLog;
};

std::vector<std::wstring> Names(const AccountManager& manager)
{
    std::vector<std::wstring> names;
    for (const Account* account : manager.GetAccounts())
        names.push_back(account->GetName());
    return names;
}

const char* kFileHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";

class AccountManagerTest : public testing::Test
{
protected:
    // The default profile, then "Ann" and "Bob"; the default is current.
    AccountManager& ThreeProfiles()
    {
        AccountManager& manager = *AccountManager::Get();
        manager.CreateAccount(L"Ann");
        manager.CreateAccount(L"Bob");
        manager.AddAccountChangeHandler(&recorder);
        return manager;
    }
    // A profile file as a hand edit may leave it: name is written as it is.
    void WriteProfile(const char* file, const char* name, const char* current) const
    {
        profiles.Folder().Write(
            file, std::string(kFileHeader) + "<account>\r\n<record name=\"Corvane::AccountManager::Name\" value=\"" +
                      name + "\"/>\r\n<record name=\"Corvane::AccountManager::IsCurrent\" value=\"" + current +
                      "\"/>\r\n</account>\r\n");
    }
    bool IsCurrentInFile(const std::wstring& name)
    {
        return Account::ReadBool(AccountManager::Get()->FindAccount(name), Account::kIsCurrentKey, false);
    }

    DebugCapture debug;
    ProfileFolder profiles;
    Log log;
    ChangeRecorder recorder{log};
};
} // namespace

TEST_F(AccountManagerTest, AFirstStartWritesOneDefaultProfileThatTheNextStartFindsAgain)
{
    AccountManager* manager = AccountManager::Get();
    const std::vector<std::string> files = profiles.Files();
    ASSERT_EQ(files.size(), 1u);
    const std::string number = files[0].substr(0, files[0].size() - 4);
    EXPECT_TRUE(files[0].ends_with(".act") && !number.empty() && number.size() <= 8 &&
                std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c); }))
        << files[0];
    const Account* current = manager->GetCurrentAccount();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->GetName(), L"TRVL_DEFAULT_PROFILE");
    EXPECT_EQ(profiles.Content(current),
              std::string(kFileHeader) +
                  "<account>\r\n"
                  "<record name=\"Corvane::AccountManager::Name\" value=\"TRVL_DEFAULT_PROFILE\"/>\r\n"
                  "<record name=\"Corvane::AccountManager::IsCurrent\" value=\"true\"/>\r\n"
                  "</account>\r\n");

    EXPECT_EQ(profiles.Folder().Read(ProfileFolder::LastGood(current)), profiles.LastGoodContent(current));

    delete manager;
    manager = AccountManager::Get();
    EXPECT_EQ(Names(*manager), std::vector<std::wstring>{L"TRVL_DEFAULT_PROFILE"});
    EXPECT_TRUE(manager->GetCurrentAccount()->IsCurrent());
    EXPECT_EQ(profiles.Files(), files);
}

TEST_F(AccountManagerTest, ANewProfileIsAppendedNotCurrentAndANameIsTakenOnce)
{
    AccountManager& manager = ThreeProfiles();
    EXPECT_EQ(Names(manager), (std::vector<std::wstring>{L"TRVL_DEFAULT_PROFILE", L"Ann", L"Bob"}));
    EXPECT_EQ(profiles.Files().size(), 3u);
    EXPECT_EQ(manager.GetCurrentAccount()->GetName(), L"TRVL_DEFAULT_PROFILE");
    EXPECT_FALSE(IsCurrentInFile(L"Ann"));

    EXPECT_EQ(manager.CreateAccount(L"Ann"), nullptr);
    EXPECT_EQ(profiles.Files().size(), 3u);
    EXPECT_TRUE(log.empty());
}

TEST_F(AccountManagerTest, SwitchingProfilesTellsTheHandlersBeforeAndAfterAndMovesTheFlagInTheFiles)
{
    AccountManager& manager = ThreeProfiles();
    EXPECT_TRUE(manager.SetCurrentAccount(L"Bob"));
    EXPECT_EQ(log, (Log{"changing TRVL_DEFAULT_PROFILE", "changed Bob"}));
    EXPECT_FALSE(IsCurrentInFile(L"TRVL_DEFAULT_PROFILE"));
    EXPECT_TRUE(IsCurrentInFile(L"Bob"));
    EXPECT_FALSE(IsCurrentInFile(L"Ann"));

    // An unknown name changes nothing and tells nobody: later code relies on a current account.
    log.clear();
    EXPECT_FALSE(manager.SetCurrentAccount(L"Nobody"));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(manager.GetCurrentAccount()->GetName(), L"Bob");

    // A removed handler is told nothing; handlers are told in registration order.
    Log second;
    ChangeRecorder other(second);
    manager.AddAccountChangeHandler(&other);
    manager.RemoveAccountChangeHandler(&recorder);
    manager.SetCurrentAccount(L"Ann");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(second, (Log{"changing Bob", "changed Ann"}));
    manager.RemoveAccountChangeHandler(&other);
}

TEST_F(AccountManagerTest, DeletingProfilesKeepsACurrentOne)
{
    AccountManager& manager = ThreeProfiles();
    const std::string annFile = Utf8::FromWide(manager.FindAccount(L"Ann")->GetLocation().ToString());
    const std::string annLastGood = ProfileFolder::LastGood(manager.FindAccount(L"Ann"));
    ASSERT_TRUE(profiles.Folder().Exists(annLastGood));

    // Not current: only its files go.
    EXPECT_TRUE(manager.DeleteAccount(L"Ann"));
    EXPECT_FALSE(profiles.Folder().Exists(annFile));
    EXPECT_FALSE(profiles.Folder().Exists(annLastGood));
    EXPECT_EQ(Names(manager), (std::vector<std::wstring>{L"TRVL_DEFAULT_PROFILE", L"Bob"}));
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(manager.DeleteAccount(L"Ann"));

    // The current one: the first left becomes current; nothing was current when the change began.
    EXPECT_TRUE(manager.DeleteAccount(L"TRVL_DEFAULT_PROFILE"));
    EXPECT_EQ(log, (Log{"changed Bob"}));
    EXPECT_TRUE(IsCurrentInFile(L"Bob"));

    // The only one: a new default profile takes its place, as on a first start.
    log.clear();
    EXPECT_TRUE(manager.DeleteAccount(L"Bob"));
    EXPECT_EQ(log, (Log{"changed TRVL_DEFAULT_PROFILE"}));
    EXPECT_EQ(Names(manager), std::vector<std::wstring>{L"TRVL_DEFAULT_PROFILE"});
    EXPECT_EQ(profiles.Files().size(), 1u);
    EXPECT_TRUE(IsCurrentInFile(L"TRVL_DEFAULT_PROFILE"));
}

TEST_F(AccountManagerTest, FilesWithoutOrWithTwoCurrentFlagsAreSettledOnTheFirstCurrentOne)
{
    WriteProfile("1.act", "One", "false");
    WriteProfile("2.act", "Two", "true");
    WriteProfile("3.act", "Three", "true");
    AccountManager& manager = *AccountManager::Get();
    EXPECT_EQ(Names(manager), (std::vector<std::wstring>{L"One", L"Two", L"Three"}));
    EXPECT_EQ(manager.GetCurrentAccount()->GetName(), L"Two");
    EXPECT_FALSE(manager.FindAccount(L"Three")->IsCurrent());
    EXPECT_FALSE(IsCurrentInFile(L"Three"));

    delete &manager;
    WriteProfile("2.act", "Two", "false");
    WriteProfile("3.act", "Three", "false");
    EXPECT_EQ(AccountManager::Get()->GetCurrentAccount()->GetName(), L"One");
}

// Control characters put into a name by a hand edit (some of them references a strict XML reader
// refuses) are dropped from the name as it is read, and from its file at once.
TEST_F(AccountManagerTest, ControlCharactersAreDroppedFromANameReadFromItsFile)
{
    WriteProfile("1.act", "A&#1;n&#0;n", "true");
    WriteProfile("2.act", "&#x7F;B&#10;o&#13;b&#9;&#x9F;", "false");
    WriteProfile("3.act", "Zo\xC3\xAB", "false");
    AccountManager& manager = *AccountManager::Get();
    EXPECT_EQ(Names(manager), (std::vector<std::wstring>{L"Ann", L"Bob", L"Zo\u00EB"}));
    for (const char* file : {"1.act", "2.act", "1.lastgood", "2.lastgood"})
        EXPECT_EQ(profiles.Folder().Read(file).find("&#"), std::string::npos) << profiles.Folder().Read(file);
    EXPECT_NE(profiles.Folder().Read("2.act").find("value=\"Bob\""), std::string::npos);
}

// At start: a damaged profile is repaired after a dated copy of it is kept; one with nothing
// readable is moved aside, unless its last good generation gives it back; the player hears of each.
TEST_F(AccountManagerTest, AtStartADamagedProfileIsKeptAsACopyAndOneWithNothingReadableIsMovedAside)
{
    const std::string name = "<record name=\"Corvane::AccountManager::Name\" value=\"One\"/>\r\n";
    const std::string level = "<record name=\"Level\" value=\"AQAAAAEAAAA=\"/>\r\n";
    const std::string cut = std::string(kFileHeader) + "<account>\r\n" + name + level + "<record name=\"Le";
    const std::string three = std::string(kFileHeader) +
                              "<account>\r\n<record name=\"Corvane::AccountManager::Name\" value=\"Three\"/>\r\n" +
                              level + "</account>\r\n";
    profiles.Folder().Write("1.act", cut);
    profiles.Folder().Write("2.act", "");
    profiles.Folder().Write("3.act", "");
    profiles.Folder().Write("3.lastgood", ProfileFolder::AsLastGood(three, "3.act"));
    BoxCapture boxes;
    AccountManager& manager = *AccountManager::Get();
    EXPECT_EQ(Names(manager), (std::vector<std::wstring>{L"One", L"Three"}));
    EXPECT_EQ(profiles.Folder().Read("1.act"), std::string(kFileHeader) + "<account>\r\n" + name + level +
                                                   "<record name=\"Corvane::AccountManager::IsCurrent\" "
                                                   "value=\"true\"/>\r\n</account>\r\n");
    EXPECT_EQ(profiles.Folder().Read("3.act"), three);
    const std::vector<std::string> files = profiles.Files();
    ASSERT_EQ(files.size(), 5u);
    EXPECT_TRUE(files[0].starts_with("1-") && files[0].ends_with(".damaged")) << files[0];
    EXPECT_EQ(profiles.Folder().Read(files[0]), cut);
    EXPECT_TRUE(files[2].starts_with("2-") && files[2].ends_with(".damaged")) << files[2];
    EXPECT_TRUE(files[3].starts_with("3-") && files[3].ends_with(".damaged")) << files[3];
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    EXPECT_NE(boxes.Boxes()[0].find("could not be read whole"), std::string::npos) << boxes.Boxes()[0];
    EXPECT_NE(boxes.Boxes()[1].find("The file is empty.\n\nIt was moved to\n" +
                                    (profiles.Folder().Path() / files[2]).string()),
              std::string::npos)
        << boxes.Boxes()[1];
    EXPECT_NE(boxes.Boxes()[2].find("taken from the profile as it was last saved whole:\n" +
                                    (profiles.Folder().Path() / "3.lastgood").string()),
              std::string::npos)
        << boxes.Boxes()[2];
}

// A first start whose folder takes no file (a path through a file, as a folder that cannot be
// made): the default profile lives in memory, the player is told once, and the first write that
// can be stored makes its file with everything kept meanwhile.
TEST(AccountManagerFaults, AFolderThatTakesNoFileStillGivesACurrentProfileWhoseNextWriteMakesItsFile)
{
    TempFolder base;
    base.Write("blocked", "a file where a folder belongs");
    const std::wstring root = base.WidePath() + L"/blocked/Fennik";
    BoxCapture boxes;
    DebugCapture debug;
    ProfileFolder profiles([&](const std::wstring&) { return new Win32FileSystemPartition(L"", root); });
    Account* current = AccountManager::Get()->GetCurrentAccount();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->GetName(), L"TRVL_DEFAULT_PROFILE");
    const std::string file = Utf8::FromWide(root) + "/" + Utf8::FromWide(current->GetLocation().GetName()) + ".act";
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].find(file + "\nThe system cannot find the path specified."), std::string::npos)
        << boxes.Boxes()[0];

    EXPECT_FALSE(Account::WriteInt(current, "Level", 7));
    EXPECT_EQ(Account::ReadInt(current, "Level", 0), 7);
    std::filesystem::remove(base.Path() / "blocked");
    EXPECT_TRUE(Account::WriteInt(current, "Other", 1));
    EXPECT_EQ(base.Read("blocked/Fennik/" + file.substr(file.rfind('/') + 1)),
              std::string(kFileHeader) +
                  "<account>\r\n"
                  "<record name=\"Corvane::AccountManager::Name\" value=\"TRVL_DEFAULT_PROFILE\"/>\r\n"
                  "<record name=\"Corvane::AccountManager::IsCurrent\" value=\"true\"/>\r\n"
                  "<record name=\"Level\" value=\"7\"/>\r\n<record name=\"Other\" value=\"1\"/>\r\n</account>\r\n");
}
