// The named mutex that keeps the program to one running instance per user: a lock file in the
// user's runtime folder held with flock while the handle is open, released when it is closed or its
// process dies. A name held by another live process opens without ownership and sets the last error
// to ERROR_ALREADY_EXISTS.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

#include <string>

namespace Compat
{
// The folder of the user's locks: the first private one of $XDG_RUNTIME_DIR, then
// $TMPDIR/corvane-<uid> (/tmp without TMPDIR), then corvane-runtime in the user's data folder, the
// two last made when missing. Private: a folder, not a link, owned by the user, that nobody else
// may enter (mode 0700), so that nothing of this user's is kept where another user could take it
// and two copies with the same settings meet at the same lock. Empty when none is private;
// passedOver (when given) gets "<folder>: <why>" for each folder that was set or made but could
// not be used, one line each.
std::string RuntimeFolder(std::string* passedOver = nullptr);

// Why the last named mutex could not be made (the folders tried and why each failed); empty when
// it was made.
std::string LastLockProblem();
} // namespace Compat

HANDLE CreateMutexW(void* security, BOOL initialOwner, const wchar_t* name);
BOOL ReleaseMutex(HANDLE mutex);
