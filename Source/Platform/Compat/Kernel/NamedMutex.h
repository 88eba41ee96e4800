// The named mutex that keeps the program to one running copy on the files of one folder: a lock
// file "<name>.lock" in that folder, held with flock while the handle is open and released by the
// kernel when it is closed or its process dies, however it died. Every copy that uses the folder
// meets the same lock, whatever its environment says; on NFS, where the server keeps locks, the
// copies of other machines meet it too. A lock held by another live process opens without
// ownership and sets the last error to ERROR_ALREADY_EXISTS.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

#include <string>

namespace Compat
{
// The file stays when the handle closes: removing it would let a third copy lock a new file while
// a second still held the old one. Where the folder cannot be written no copy can save there, and
// the handle guards nothing (owned by no one, last error ERROR_SUCCESS). Null when no lock can be
// held (LastLockProblem says why).
HANDLE CreateMutexInFolder(const std::wstring& folder, BOOL initialOwner, const wchar_t* name);

// Why the last named mutex could not be made ("<lock file>: <why>"); empty when it was made.
std::string LastLockProblem();
} // namespace Compat

BOOL ReleaseMutex(HANDLE mutex);
