// Real file-system faults with the system's own errors, undone when their object goes away. Tests
// run as root here, and root writes to read-only folders: for this thread, root's file-system user
// becomes "nobody" meanwhile (a normal user stays who it is), so permissions hold for both.
//
//   UnprivilegedFiles user(top);            // permissions checked as an ordinary user's
//   ReadOnlyFolder readOnly(folder, top);   // and folder with its files read-only: "Access is denied."
//   FileSizeLimit full(64);                 // writes past 64 bytes of any file fail, as on a full disk
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace Corvane::Testing
{
// top, the folder every path of the test lies under, is searchable by others meanwhile.
class UnprivilegedFiles
{
public:
    explicit UnprivilegedFiles(const std::filesystem::path& top) : mTop(top), mMode(std::filesystem::status(top).permissions())
    {
        std::filesystem::permissions(top, std::filesystem::perms::others_exec, std::filesystem::perm_options::add);
        if (::geteuid() == 0)
            ::setfsuid(65534);
    }
    ~UnprivilegedFiles()
    {
        if (::geteuid() == 0)
            ::setfsuid(0);
        std::filesystem::permissions(mTop, mMode);
    }

private:
    std::filesystem::path mTop;
    std::filesystem::perms mMode;
};

class ReadOnlyFolder
{
public:
    ReadOnlyFolder(const std::filesystem::path& folder, const std::filesystem::path& top) : mModes{folder}, mUser(top)
    {
    }

private:
    // Set before the thread drops its privileges, restored after it takes them back.
    struct Modes
    {
        explicit Modes(const std::filesystem::path& folder) : folder(folder) { Chmod(0555, 0444); }
        ~Modes() { Chmod(0755, 0644); }
        void Chmod(int folders, int files) const
        {
            std::filesystem::permissions(folder, std::filesystem::perms(folders));
            for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
                if (!entry.is_symlink())
                    std::filesystem::permissions(entry.path(),
                                                 std::filesystem::perms(entry.is_directory() ? folders : files));
        }
        std::filesystem::path folder;
    } mModes;
    UnprivilegedFiles mUser;
};

// The signal that would end the process at the limit is ignored meanwhile.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes) : mSignal(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &mPrevious);
        rlimit limit = mPrevious;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &mPrevious);
        std::signal(SIGXFSZ, mSignal);
    }

private:
    void (*mSignal)(int);
    rlimit mPrevious{};
};
} // namespace Corvane::Testing
