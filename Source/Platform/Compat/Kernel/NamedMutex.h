// The named mutex that keeps the program to one running instance: a lock file in the user's
// runtime folder ($XDG_RUNTIME_DIR, else /tmp) held with flock while the handle is open, released
// when it is closed or its process dies. A name held by another live process opens without
// ownership and sets the last error to ERROR_ALREADY_EXISTS.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

HANDLE CreateMutexW(void* security, BOOL initialOwner, const wchar_t* name);
BOOL ReleaseMutex(HANDLE mutex);
