// The account file of one player profile: an XML file in the per-user partition holding one root
// element "account" with one "record" element per value:
//
//   <?xml version="1.0" encoding="UTF-8" ?>
//   <account>
//   <record name="Corvane::AccountManager::Name" value="TRVL_DEFAULT_PROFILE"/>
//   </account>
//
// A profile is the player's progress, so the file is never edited in place: every change builds
// the whole new content in memory, writes it to "<name>.tmp" beside the file and puts that in the
// file's place in one step (IFileSystem::Replace). A crash, a full disk or a file that cannot be
// read whole leaves the old content as it was. Main thread.
#pragma once

#include "AttributeContainer.h"
#include "FileLocation.h"

#include <string>
#include <utility>
#include <vector>

namespace Corvane
{
class MemoryStream;
}

namespace Corvane::Internal
{
// How a rewrite changes the records named by a key.
enum class RecordEdit
{
    // Every record of the key gets the new value where it stands; without one, a record is
    // appended at the end of "account".
    kSet,
    // The records of the key are dropped and one with the new value is appended at the end.
    kMoveToEnd,
    // The records of the key are dropped.
    kRemove,
};

// The attributes of the last record named key (records repeat when a file was edited by hand);
// empty when the file cannot be read or has no such record. Damaged XML is reported on the debug
// output, and the records read before the damage count.
AttributeContainer FindAccountRecord(const FileLocation& file, const std::wstring& key);

// Rewrites file with the edit; value is ignored by kRemove. False, with the file left as it was
// and the reason on the debug output (naming accountName), when the file cannot be read whole,
// its XML is damaged, or the new content cannot be stored.
bool RewriteAccountFile(const FileLocation& file, const std::wstring& accountName, const std::wstring& key,
                        const std::wstring& value, RecordEdit edit);

// Writes a new file holding "account" with the records given ({name, value}, in order). Raises
// RuntimeError when it cannot be stored.
void CreateAccountFile(const FileLocation& file, const std::vector<std::pair<std::wstring, std::wstring>>& records);

// Stores content (from its start) as the new content of file, through "<name>.tmp" and one
// replace; false when any step fails, and the temporary file is then removed.
bool StoreAccountFile(const FileLocation& file, MemoryStream& content);
} // namespace Corvane::Internal
