#include "Platform/Compat/Kernel/DebugOutput.h"

#include "Platform/Compat/Audio/AlsaDiagnostics.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace
{
// Standard error into a file for as long as it lives.
class CapturedStandardError
{
public:
    explicit CapturedStandardError(const std::string& path)
    {
        std::fflush(stderr);
        mSaved = ::dup(2);
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(file, 2);
        ::close(file);
    }
    ~CapturedStandardError()
    {
        std::fflush(stderr);
        ::dup2(mSaved, 2);
        ::close(mSaved);
    }

private:
    int mSaved = -1;
};
} // namespace

// A program that keeps a log writes nothing on its terminal unless asked: what it writes before
// the log opens waits for it, later runs add to it, and a log grown past 1 MiB is set aside.
TEST(DebugLog, KeepsTheTerminalQuietAndTheRunsInOneFileSetAsideWhenLarge)
{
    Corvane::Testing::TempFolder folder;
    const std::string log = (folder.Path() / "Game.log").string();
    ::unsetenv("CORVANE_DEBUG");
    {
        CapturedStandardError quiet((folder.Path() / "terminal").string());
        Compat::UseDebugLog();
        OutputDebugStringA("before the log\n");
        ASSERT_TRUE(Compat::OpenDebugLog(log));
        OutputDebugStringA("after it\n");
        Compat::CloseDebugLog();
        Compat::UseDebugLog();
        ASSERT_TRUE(Compat::OpenDebugLog(log));
        OutputDebugStringA("the second run\n");
        Compat::CloseDebugLog();
    }
    EXPECT_EQ(folder.Read("terminal"), "");
    const std::string text = folder.Read("Game.log");
    EXPECT_NE(text.find("before the log\nafter it\n"), std::string::npos) << text;
    EXPECT_LT(text.find("after it\n"), text.find("the second run\n")) << text;
    EXPECT_EQ(text.rfind("---- ", 0), 0u) << "each run starts with its date";

    folder.Write("Game.log", std::string(1024 * 1024 + 1, 'x'));
    ::setenv("CORVANE_DEBUG", "1", 1);
    {
        CapturedStandardError asked((folder.Path() / "terminal").string());
        Compat::UseDebugLog();
        ASSERT_TRUE(Compat::OpenDebugLog(log));
        OutputDebugStringA("a fresh log\n");
        Compat::CloseDebugLog();
    }
    ::unsetenv("CORVANE_DEBUG");
    EXPECT_EQ(folder.Read("terminal"), "a fresh log\n") << "CORVANE_DEBUG asks for the terminal too";
    EXPECT_EQ(folder.Read("Game.log.old").size(), 1024u * 1024u + 1u);
    EXPECT_NE(folder.Read("Game.log").find("a fresh log\n"), std::string::npos);
    EXPECT_LT(folder.Read("Game.log").size(), 100u);
}

// A long run sets its log aside whenever it grows past 1 MiB, not only at start: the log never
// holds much more, and the lines run on from the set-aside file into the new one.
TEST(DebugLog, ALongRunSetsTheLogAsideWheneverItGrowsPastTheLimit)
{
    Corvane::Testing::TempFolder folder;
    const std::string log = (folder.Path() / "Game.log").string();
    ::unsetenv("CORVANE_DEBUG");
    {
        CapturedStandardError quiet((folder.Path() / "terminal").string());
        Compat::UseDebugLog();
        ASSERT_TRUE(Compat::OpenDebugLog(log));
        const std::string padding(990, '.');
        for (int line = 0; line < 2600; ++line) // 2.6 MB: set aside twice
            OutputDebugStringA((std::to_string(line) + padding + "\n").c_str());
        Compat::CloseDebugLog();
    }
    const std::string old = folder.Read("Game.log.old");
    const std::string now = folder.Read("Game.log");
    EXPECT_LE(old.size(), 1024u * 1024u + 1000u);
    EXPECT_LE(now.size(), 1024u * 1024u);
    // The first line after the new file's date follows the old file's last line.
    const std::size_t lastOld = old.rfind('\n', old.size() - 2) + 1;
    const std::size_t firstNew = now.find('\n') + 1;
    ASSERT_NE(lastOld, 0u);
    ASSERT_NE(firstNew, 0u);
    EXPECT_EQ(std::stoi(now.substr(firstNew)), std::stoi(old.substr(lastOld)) + 1);
    EXPECT_EQ(std::stoi(now.substr(now.rfind('\n', now.size() - 2) + 1)), 2599);
}

std::string gSunk;
void Sink(const char* text)
{
    gSunk += text;
}

// What ALSA's library cannot open while SDL looks for a sound output (here: a device nobody
// configured) reaches the debug output, and nothing of it the terminal.
TEST(DebugLog, AlsaReportsGoToTheDebugOutput)
{
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa)
        GTEST_SKIP() << "no ALSA library here";
    using OpenPcm = int (*)(void** pcm, const char* name, int stream, int mode);
    const auto open = reinterpret_cast<OpenPcm>(dlsym(alsa, "snd_pcm_open"));
    ASSERT_NE(open, nullptr);

    Corvane::Testing::TempFolder folder;
    const DebugOutputSink previous = SetDebugOutputSink(&Sink);
    gSunk.clear();
    {
        CapturedStandardError quiet((folder.Path() / "terminal").string());
        Compat::Audio::RouteAlsaDiagnostics();
        void* pcm = nullptr;
        EXPECT_LT(open(&pcm, "corvane_no_such_device", 0, 0), 0);
    }
    SetDebugOutputSink(previous);
    dlclose(alsa);
    EXPECT_EQ(folder.Read("terminal"), "");
    EXPECT_NE(gSunk.find("ALSA lib "), std::string::npos) << gSunk;
    EXPECT_NE(gSunk.find("corvane_no_such_device"), std::string::npos) << gSunk;
}
