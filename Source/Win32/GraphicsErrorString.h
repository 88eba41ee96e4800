// Symbolic names of graphics HRESULTs for log lines and exception texts.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

// Writes the code's name, or "Unrecognized error: 0x%0.8x", into buffer, cut to length - 1
// characters and terminated. Does nothing when length is 0 or buffer is null.
void GetGraphicsErrorString(HRESULT code, DWORD length, char* buffer);
