// The named mutex that keeps the program to one running instance per user: a lock file in the
// user's runtime folder held with flock while the handle is open, released when it is closed or its
// process dies. A name held by another live process opens without ownership and sets the last error
// to ERROR_ALREADY_EXISTS.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

#include <string>

namespace Compat
{
// The user's runtime folder: $XDG_RUNTIME_DIR, else /tmp/corvane-<uid>, made private to the user
// (mode 0700) when missing. Empty when neither is usable (the fallback is someone else's or open
// to others), so that nothing of this user's is kept where another user could take it.
std::string RuntimeFolder();
} // namespace Compat

HANDLE CreateMutexW(void* security, BOOL initialOwner, const wchar_t* name);
BOOL ReleaseMutex(HANDLE mutex);
