#include "Win32/GraphicsErrorString.h"

#include <cstdio>

namespace
{
struct ErrorName
{
    DWORD code;
    const char* name;
};

// The general COM codes that graphics calls return under their DirectDraw names. The codes of the
// display layer's own errors join this table with the display layer.
constexpr ErrorName kErrorNames[] = {
    {0x80004001u, "DDERR_UNSUPPORTED"}, {0x80004005u, "DDERR_GENERIC"},       {0x800401F0u, "DDERR_NOTINITIALIZED"},
    {0x8007000Eu, "DDERR_OUTOFMEMORY"}, {0x80070057u, "DDERR_INVALIDPARAMS"},
};
} // namespace

void GetGraphicsErrorString(HRESULT code, DWORD length, char* buffer)
{
    if (length == 0 || !buffer)
        return;
    const DWORD key = static_cast<DWORD>(code);
    for (const ErrorName& entry : kErrorNames)
    {
        if (entry.code == key)
        {
            std::snprintf(buffer, length, "%s", entry.name);
            return;
        }
    }
    std::snprintf(buffer, length, "Unrecognized error: 0x%.8x", key);
}
