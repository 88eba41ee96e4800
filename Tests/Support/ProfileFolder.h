// A temporary folder serving as the per-user partition (2) of a fresh file system, with the random
// streams that name new profiles; the account manager built meanwhile is deleted with it.
#pragma once

#include "FileSystem.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "RandomStream.h"
#include "Support/TempFolder.h"
#include "Utf8.h"
#include "Win32/Win32FileSystemPartition.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace Corvane::Testing
{
class ProfileFolder
{
public:
    using PartitionMaker = std::function<IFileSystemPartition*(const std::wstring& root)>;

    // makePartition builds the per-user partition on the folder's path; by default a disk one.
    explicit ProfileFolder(const PartitionMaker& makePartition = nullptr)
        : mFileSystem(new FileSystem), mOwnsRandomStreams(GetRandomStream(2) == nullptr)
    {
        mFileSystem->AddPartition(2, makePartition ? makePartition(mFolder.WidePath())
                                                   : new Win32FileSystemPartition(L"", mFolder.WidePath()));
        if (mOwnsRandomStreams)
            CreateRandomStreams();
    }
    ~ProfileFolder()
    {
        delete AccountManager::GetIfCreated();
        mFileSystem->DeletePartitions();
        delete mFileSystem;
        if (mOwnsRandomStreams)
            DeleteRandomStreams();
    }
    ProfileFolder(const ProfileFolder&) = delete;
    ProfileFolder& operator=(const ProfileFolder&) = delete;

    const TempFolder& Folder() const { return mFolder; }
    // The names ("12345.act") of the files in the folder, sorted; the last good generations
    // ("12345.lastgood") only when asked for.
    std::vector<std::string> Files(bool lastGood = false) const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(mFolder.Path()))
            if (lastGood || entry.path().extension() != ".lastgood")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The content of the account's file.
    std::string Content(const Account* account) const
    {
        return mFolder.Read(Utf8::FromWide(account->GetLocation().ToString()));
    }
    // The name of the account's last good generation.
    static std::string LastGood(const Account* account)
    {
        return Utf8::FromWide(account->GetLocation().GetName()) + ".lastgood";
    }
    // A profile's content as its last good generation holds it: with the record naming the file
    // ("12345.act") it was kept for.
    static std::string AsLastGood(const std::string& content, const std::string& file)
    {
        return content.substr(0, content.rfind("</account>")) +
               "<record name=\"Corvane::AccountManager::LastGoodOf\" value=\"" + file + "\"/>\r\n</account>\r\n";
    }
    std::string LastGoodContent(const Account* account) const
    {
        return AsLastGood(Content(account), Utf8::FromWide(account->GetLocation().GetName()) + ".act");
    }

private:
    TempFolder mFolder;
    FileSystem* mFileSystem;
    bool mOwnsRandomStreams;
};
} // namespace Corvane::Testing
