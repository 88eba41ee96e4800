// Rewrites the current profile of a per-user folder without end, for the account crash test, which
// kills it at random moments: write after write (NumberedWrites.h) from a first number on, each
// finished one reported as "<number>\n" on the standard output. With "switch", each step instead
// makes the other of two profiles current.
//
// Usage: numbered_writer <folder> <first number> [switch]

#include "FileSystem.h"
#include "Framework/AccountManager.h"
#include "NumberedWrites.h"
#include "RandomStream.h"
#include "Utf8.h"
#include "Win32/Win32FileSystemPartition.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    using namespace Corvane;
    if (argc != 3 && argc != 4)
        return 1;
    const bool switching = argc == 4;
    auto* fileSystem = new FileSystem;
    fileSystem->AddPartition(2, new Win32FileSystemPartition(L"", Utf8::ToWide(argv[1])));
    CreateRandomStreams();
    AccountManager* accounts = AccountManager::Get();
    Account* account = accounts->GetCurrentAccount();
    for (std::int64_t n = std::atoll(argv[2]);; ++n)
    {
        const bool done = switching ? accounts->SetCurrentAccount(Testing::ProfileOfSwitch(n))
                                    : Testing::WriteNumber(account, n);
        if (!done)
            return 2;
        std::printf("%lld\n", static_cast<long long>(n));
        std::fflush(stdout);
    }
}
