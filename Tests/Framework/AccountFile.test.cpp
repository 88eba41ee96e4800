#include "Framework/AccountFile.h"

#include "Framework/AccountDamage.h"
#include "Framework/AccountLastGood.h"
#include "Framework/AccountManager.h"
#include "MemoryStream.h"
#include "NumberedWrites.h"
#include "Support/ProfileFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <map>
#include <random>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
// The writer program, started with its standard output on a pipe.
class Writer
{
public:
    Writer(const std::string& folder, std::int64_t first, const char* mode = nullptr)
    {
        int ends[2];
        if (::pipe(ends) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, ends[0]);
        const std::string number = std::to_string(first);
        char* arguments[] = {const_cast<char*>(NUMBERED_WRITER), const_cast<char*>(folder.c_str()),
                             const_cast<char*>(number.c_str()), const_cast<char*>(mode), nullptr};
        const int failed = posix_spawn(&mProcess, NUMBERED_WRITER, &actions, nullptr, arguments, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        mOutput = ends[0];
        if (failed)
            throw std::runtime_error("posix_spawn");
    }
    ~Writer() { ::close(mOutput); }

    // Waits until the writer has finished its first write, so that a slow start on a busy
    // machine does not use up the kill's delay before anything was written.
    void WaitForFirstWrite()
    {
        char block[256];
        while (mText.find('\n') == std::string::npos)
        {
            const ssize_t got = ::read(mOutput, block, sizeof block);
            if (got <= 0)
                return;
            mText.append(block, static_cast<std::size_t>(got));
        }
    }

    // Kills the writer and returns the numbers it reported as written.
    std::vector<std::int64_t> Kill()
    {
        ::kill(mProcess, SIGKILL);
        int status = 0;
        ::waitpid(mProcess, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the writer ended on its own with " << WEXITSTATUS(status);
        std::string text = std::move(mText);
        char block[4096];
        for (ssize_t got; (got = ::read(mOutput, block, sizeof block)) > 0;)
            text.append(block, static_cast<std::size_t>(got));
        std::vector<std::int64_t> numbers;
        for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            numbers.push_back(std::stoll(text.substr(start, end - start)));
        return numbers;
    }

private:
    pid_t mProcess = 0;
    int mOutput = -1;
    std::string mText; // read before the kill
};

// The file reads cleanly as one whole "account" element.
bool ParsesWhole(const std::string& content)
{
    MemoryStream stream(L"account");
    stream.Write(content.data(), static_cast<unsigned>(content.size()));
    return Internal::WalkAccount(stream, nullptr).empty();
}
} // namespace

// A writer is killed at random moments while it rewrites a profile; after every kill the file and
// its last good generation must parse and hold every write reported before the kill, and the one
// cut off at most in place of the one before it under the same key (the file first).
TEST(AccountFileTest, KillingAWriterAtAnyMomentLosesNoFinishedWrite)
{
    ProfileFolder profiles;
    Account* account = AccountManager::Get()->GetCurrentAccount();
    const std::string folder = profiles.Folder().Path().string();
    const std::string file = Utf8::FromWide(account->GetLocation().ToString());
    const Account lastGood(Internal::LastGoodOf(account->GetLocation()), L"", false);

    std::mt19937 random(7);
    std::uniform_int_distribution<int> delay(0, 60);
    std::map<std::string, std::int64_t> expected; // the last value reported under each key
    std::int64_t next = 0;
    int writes = 0;
    for (int kill = 0; kill < 200; ++kill)
    {
        Writer writer(folder, next);
        writer.WaitForFirstWrite();
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        const std::vector<std::int64_t> done = writer.Kill();
        for (std::int64_t n : done)
            expected[KeyOfWrite(n)] = n;
        const std::int64_t cut = done.empty() ? next : done.back() + 1; // may have landed, or not
        writes += static_cast<int>(done.size());
        next = cut + 1;

        ASSERT_TRUE(ParsesWhole(profiles.Folder().Read(file))) << "after kill " << kill;
        ASSERT_TRUE(ParsesWhole(profiles.Folder().Read(ProfileFolder::LastGood(account)))) << "after kill " << kill;
        for (const Account* copy : {static_cast<const Account*>(account), &lastGood})
            ASSERT_EQ(Account::ReadString(copy, Account::kNameKey, L""), L"TRVL_DEFAULT_PROFILE");
        std::map<std::string, std::int64_t> keys = expected;
        keys.emplace(KeyOfWrite(cut), -1);
        for (const auto& [key, value] : keys)
        {
            const std::int64_t stored = ReadNumber(account, key), kept = ReadNumber(&lastGood, key);
            const bool landed = key == KeyOfWrite(cut) && stored == cut;
            if (landed)
                expected[key] = cut;
            else
                ASSERT_EQ(stored, value) << key << " after kill " << kill;
            if (!landed || kept != cut)
                ASSERT_EQ(kept, value) << key << " in the last good copy after kill " << kill;
        }
    }
    RecordProperty("writes", writes);
    EXPECT_GT(writes, 200) << "the writer seldom got to write";
}

// A switch of the current profile is killed at random moments: every profile file parses after
// every kill, one of the two is always current, and the next start settles on exactly one.
TEST(AccountFileTest, KillingAProfileSwitchAtAnyMomentLeavesAProfileCurrent)
{
    ProfileFolder profiles;
    AccountManager* manager = AccountManager::Get();
    manager->CreateAccount(ProfileOfSwitch(1));
    const std::vector<Account*> both = manager->GetAccounts();
    const std::string folder = profiles.Folder().Path().string();

    std::mt19937 random(11);
    std::uniform_int_distribution<int> delay(0, 30);
    std::int64_t next = 0;
    int switches = 0;
    for (int kill = 0; kill < 30; ++kill)
    {
        Writer writer(folder, next, "switch");
        writer.WaitForFirstWrite();
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        const std::vector<std::int64_t> done = writer.Kill();
        switches += static_cast<int>(done.size());
        next = (done.empty() ? next : done.back()) + 1;
        int current = 0;
        for (const Account* account : both)
        {
            ASSERT_TRUE(ParsesWhole(profiles.Content(account))) << "after kill " << kill;
            current += Account::ReadBool(account, Account::kIsCurrentKey, false);
        }
        ASSERT_GE(current, 1) << "no profile is current after kill " << kill;
    }
    RecordProperty("switches", switches);
    EXPECT_GT(switches, 30) << "the writer seldom got to switch";

    delete manager;
    manager = AccountManager::Get();
    const Account* current = manager->GetCurrentAccount();
    ASSERT_NE(current, nullptr);
    int flagged = 0;
    for (const Account* account : manager->GetAccounts())
        flagged += Account::ReadBool(account, Account::kIsCurrentKey, false);
    EXPECT_EQ(flagged, 1);
}
