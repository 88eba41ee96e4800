// The shell's path-string functions with their Windows meanings, on buffers of MAX_PATH wide
// characters. Both '/' and '\' separate; paths this layer builds use '/'.
#pragma once

#include "Platform/Compat/Kernel/Files.h"

// dest = dir joined with file, with "." and ".." segments folded; an absolute file replaces dir.
// Returns dest, or null (dest emptied) when the result does not fit in MAX_PATH.
wchar_t* PathCombineW(wchar_t* dest, const wchar_t* dir, const wchar_t* file);
// Appends more to path as a further element (a separator between them).
BOOL PathAppendW(wchar_t* path, const wchar_t* more);
// Removes the last element (and its separator); TRUE when something was removed.
BOOL PathRemoveFileSpecW(wchar_t* path);
// The '.' that starts the last element's extension, or the terminator when it has none.
wchar_t* PathFindExtensionW(const wchar_t* path);
// Cuts the extension off the last element.
void PathRemoveExtensionW(wchar_t* path);
// The last element.
wchar_t* PathFindFileNameW(const wchar_t* path);
// out = the path that leads from "from" to "to" ("./sub/file" inside from, "../x" beside it); both
// are taken as folders when their attribute says FILE_ATTRIBUTE_DIRECTORY, otherwise their last
// element is a file name. FALSE when they share no common root.
BOOL PathRelativePathToW(wchar_t* out, const wchar_t* from, DWORD fromAttributes, const wchar_t* to,
                         DWORD toAttributes);
// True for "/" (and a lone separator).
BOOL PathIsRootW(const wchar_t* path);
