// The last good generation of a profile, "<name>.lastgood" beside its file: the content the file
// was last written with whole, or read cleanly at a start, stored the same way (AccountFile.h),
// with one record more that names the file it was kept for ("12345.act"). When damage takes
// records from the file, they come back from there, but only from the profile's own copy: one kept
// for another file or holding another player's name is not used, nor is anything but the regular
// file itself (a link, a FIFO). Profiles are listed by ".act", so it is never taken for one. Main
// thread.
#pragma once

#include "AttributeContainer.h"
#include "FileLocation.h"

#include <optional>
#include <string>
#include <vector>

namespace Corvane
{
class MemoryStream;
}

namespace Corvane::Internal
{
inline constexpr wchar_t kLastGoodExtension[] = L".lastgood";

// Where the file's last good generation lies.
FileLocation LastGoodOf(const FileLocation& file);

// Stores content, the file's clean new content, as its last good generation; a failure there
// leaves the profile saved, so it is only logged.
void KeepLastGood(const FileLocation& file, MemoryStream& content);
// The same at a start, for content as the file read cleanly, unless the generation holds it
// already; content is left at its start.
void RefreshLastGood(const FileLocation& file, MemoryStream& content);

// What the last good generation of a damaged file gives.
struct LastGoodRecords
{
    // Its profile records, in file order; none when it is missing or not used.
    std::vector<AttributeMap> records;
    // Why a generation that is there was not used, "<full path>\n<reason>"; empty otherwise.
    std::wstring refusal;
};
// The records of the file's last good generation when it is the profile's own: kept for this file
// and, when name (the damaged file's) is known, holding that name. One written before copies named
// their file is used only when both names are known and equal.
LastGoodRecords ReadLastGood(const FileLocation& file, const std::optional<std::wstring>& name);
} // namespace Corvane::Internal
