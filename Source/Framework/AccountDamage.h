// Account files that do not read cleanly: damaged XML, text where records belong, an empty file, a
// file that ends early. Nothing in such a file is given up: before anything writes over it, it is
// kept beside as a dated copy ("<name>-<date>-<time>.damaged") and the player is told where, and the
// profile goes on with every record that can still be read, wherever the damage lies, and those
// the damage took from its own last good generation (AccountLastGood.h); what neither gives is
// named to the player. Main thread.
#pragma once

#include "AttributeContainer.h"
#include "FileLocation.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane
{
class MemoryStream;
class XMLElement;
} // namespace Corvane

namespace Corvane::Internal
{
// Walks the document from its start, handing every start tag "record" to onRecord (may be empty),
// and says why it does not read cleanly, or nothing when it does: one "account" element, closed,
// holding elements and white space only, and no XML error. The walk stops at the damage.
std::wstring WalkAccount(MemoryStream& document, const std::function<void(const XMLElement&)>& onRecord);

// Every record element that can still be read from the document's bytes, in file order, each read
// on its own so that damage elsewhere does not take it along.
std::vector<AttributeMap> SalvageRecords(MemoryStream& document);

// The records of document, in order, and in damage why it does not read cleanly: every record of a
// clean one, every whole record of a damaged one.
std::vector<AttributeMap> RecordsOf(MemoryStream& document, std::wstring& damage);

// How a profile file does not read cleanly, and what became of its records.
struct ProfileDamage
{
    // Why it does not read cleanly; empty when it does (and the rest says nothing).
    std::wstring reason;
    // Records its last good generation gave back.
    std::size_t restored = 0;
    // Why a last good generation beside it was not used (AccountLastGood.h).
    std::wstring refusal;
    // The names of the records it held that are lost to the profile, as far as they can be read.
    std::vector<std::wstring> lost;
};

// The records of file, whose content is document, in file order, and how it is damaged. A damaged
// file gives every whole record it still holds, and from its own last good generation each record
// whose key it no longer holds, put where it stood there.
std::vector<AttributeMap> ReadProfileRecords(const FileLocation& file, MemoryStream& document, ProfileDamage& damage);

// Writes an account document holding the records, in order, to out.
void WriteAccountDocument(const std::vector<AttributeMap>& records, MemoryStream& out);

// Keeps document as a dated copy beside file and tells the player why it is damaged and where the
// copy lies, what came back from the last good generation, why that was not used, and what is
// lost. False, with failure set as the account file's operations set it, when the copy cannot be
// stored.
bool KeepDamagedCopy(const FileLocation& file, MemoryStream& document, const ProfileDamage& damage,
                     std::wstring& failure);

// At start: a damaged file is kept as a copy and rewritten with what can be read and what its last
// good generation gives back; one from which no record comes either way is moved aside whole. The
// player is told either way. A clean file becomes its last good generation. A name that is no
// regular file (a FIFO) is passed over and logged. False when the file holds no profile (any more).
bool SecureAccountFile(const FileLocation& file);
} // namespace Corvane::Internal
