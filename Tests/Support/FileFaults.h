// Real file-system faults for the calling thread, each undone when its object goes away, with the
// system's own error codes: tests run as root here, and root writes to read-only folders.
//
//   ReadOnlyFolder readOnly(folder, top);   // writes below folder fail with "Access is denied."
//   FileSizeLimit full(64);                 // writes past 64 bytes of a file fail, as on a full disk
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Corvane::Testing
{
// This thread checks file permissions as an ordinary user would: root's file-system user becomes
// "nobody" (a normal user stays who it is). Every folder from top down must then be searchable by
// others, which top is made for the while.
class UnprivilegedFiles
{
public:
    explicit UnprivilegedFiles(const std::filesystem::path& top)
        : mTop(top), mTopMode(std::filesystem::status(top).permissions())
    {
        std::filesystem::permissions(top, std::filesystem::perms::others_exec | std::filesystem::perms::group_exec,
                                     std::filesystem::perm_options::add);
        if (::geteuid() == 0)
        {
            ::setfsuid(kNobody);
            EXPECT_EQ(::setfsuid(static_cast<uid_t>(-1)), kNobody) << "the thread still checks files as root";
        }
    }
    ~UnprivilegedFiles()
    {
        if (::geteuid() == 0)
            ::setfsuid(0);
        std::filesystem::permissions(mTop, mTopMode);
    }
    UnprivilegedFiles(const UnprivilegedFiles&) = delete;
    UnprivilegedFiles& operator=(const UnprivilegedFiles&) = delete;

private:
    static constexpr uid_t kNobody = 65534;

    std::filesystem::path mTop;
    std::filesystem::perms mTopMode;
};

// folder and what is in it read-only (0555 folders, 0444 files) for this thread, as above.
class ReadOnlyFolder
{
public:
    ReadOnlyFolder(const std::filesystem::path& folder, const std::filesystem::path& top) : mFolder(folder)
    {
        Set(std::filesystem::perms(0555), std::filesystem::perms(0444), std::filesystem::perm_options::replace);
        mUser.emplace(top);
    }
    ~ReadOnlyFolder()
    {
        mUser.reset();
        Set(std::filesystem::perms::owner_all, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    void Set(std::filesystem::perms folders, std::filesystem::perms files, std::filesystem::perm_options how)
    {
        namespace fs = std::filesystem;
        fs::permissions(mFolder, folders, how);
        for (const auto& entry : fs::recursive_directory_iterator(mFolder))
            if (!entry.is_symlink())
                fs::permissions(entry.path(), entry.is_directory() ? folders : files, how);
    }

    std::filesystem::path mFolder;
    std::optional<UnprivilegedFiles> mUser;
};

// No file of the process grows past bytes: writes beyond fail with EFBIG, as writes to a full disk
// fail, and the signal that would end the process is ignored meanwhile.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &mPrevious);
        mSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = mPrevious;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &mPrevious);
        std::signal(SIGXFSZ, mSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit mPrevious{};
    void (*mSignal)(int) = nullptr;
};
} // namespace Corvane::Testing
