// The account file of one player profile: an XML file in the per-user partition holding one root
// element "account" with one "record" element per value:
//
//   <?xml version="1.0" encoding="UTF-8" ?>
//   <account>
//   <record name="Corvane::AccountManager::Name" value="TRVL_DEFAULT_PROFILE"/>
//   </account>
//
// A profile is the player's progress, so the file is never edited in place: every change builds
// the whole new content in memory, writes it to a temporary file of its own beside the file
// (created new, never through a link) and puts that in the file's place in one step
// (IFileSystem::Replace), the folder synced. A crash, a full disk or a file that cannot be read
// leaves the old content as it was. A file that does not read cleanly is never written over
// before a dated copy of it is kept (AccountDamage.h).
//
// Beside each profile lies its last good generation (AccountLastGood.h). Main thread.
#pragma once

#include "AttributeContainer.h"
#include "FileLocation.h"
#include "IFileSystemPartition.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane
{
class MemoryStream;
}

namespace Corvane::Internal
{
// How a rewrite changes the records named by a key.
enum class RecordEditKind
{
    // Every record of the key gets the new value where it stands; without one, a record is
    // appended at the end of "account".
    kSet,
    // The records of the key are dropped and one with the new value is appended at the end.
    kMoveToEnd,
    // The records of the key are dropped.
    kRemove,
};

// The document's element and attribute names.
inline constexpr wchar_t kAccountTag[] = L"account";
inline constexpr wchar_t kRecordTag[] = L"record";
inline constexpr wchar_t kNameAttribute[] = L"name";
inline constexpr wchar_t kValueAttribute[] = L"value";
// The record of the profile's name (Account::kNameKey).
inline constexpr wchar_t kNameKey[] = L"Corvane::AccountManager::Name";

struct RecordEdit
{
    std::wstring key;
    RecordEditKind kind = RecordEditKind::kSet;
    std::wstring value; // unused by kRemove
};

// The record's "name" is key.
bool IsNamed(const AttributeMap& record, const std::wstring& key);

// The attributes of the last record named key (records repeat when a file was edited by hand);
// empty when the file cannot be read or has no such record. A damaged file answers from the
// records a rewrite keeps (ReadProfileRecords).
AttributeContainer FindAccountRecord(const FileLocation& file, const std::wstring& key);

// Applies the edits, in order, to the file's records and stores the result, and then as the last
// good generation. fresh: the file was never written, and is made from the edits alone. A damaged
// file is first kept as a dated copy (the player is told) and the edits apply to what could be
// read and what came back from the last good generation, with the required records put back where
// both lost them. False when it cannot be done, with the file as it was and failure set to the
// file's full path and the reason, on two lines.
bool RewriteAccountFile(const FileLocation& file, const std::vector<RecordEdit>& edits, bool fresh,
                        std::wstring& failure, const std::vector<RecordEdit>& required = {});

// The document, a clean account, with every edit applied in order.
void ApplyEdits(MemoryStream& document, const std::vector<RecordEdit>& edits);

// The file's full path, for the player's messages.
std::wstring PathForMessages(const FileLocation& file);

// The whole file, ready to read from its start, opened with access (kFileRead, with kFileNoLink
// for the file itself only). False, with failure set as above and the failed call's code as the
// last error, when it cannot be opened or read whole.
bool ReadAccountFile(const FileLocation& file, MemoryStream& out, std::wstring& failure, int access = kFileRead);

// Stores content (from its start) as the new content of file through a new temporary file and one
// replace; false, with failure set as above, when any step fails (the temporary file is then
// removed).
bool StoreAccountFile(const FileLocation& file, MemoryStream& content, std::wstring& failure);

// The extension of the temporary files, which only a write in progress (or one killed) leaves.
inline constexpr wchar_t kTemporaryExtension[] = L".tmp";
// Gives the random part of the temporary names from now on; empty: the system's random source.
// Tests use it to know where a write will go.
void SetTemporaryNameSource(std::function<std::wstring()> source);
} // namespace Corvane::Internal
