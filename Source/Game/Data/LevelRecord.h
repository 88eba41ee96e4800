// The save record of one level and the raw account values of the level progress.
//
// A level's record is stored in the profile as the 8-byte raw value named by the level ID:
// bytes 0-3 the best score (signed, little-endian), byte 4 the completed flag (0 or 1), bytes 5-7
// reserved (written as 0, ignored when read).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace Corvane
{
class Account;
}

struct LevelRecord
{
    std::int32_t bestScore = 0;
    std::uint8_t completed = 0;

    bool operator==(const LevelRecord&) const = default;
};

constexpr unsigned kLevelRecordSize = 8;
// One byte per tutorial tip (non-zero: shown), in the value "TutorialData".
constexpr unsigned kTutorialDataSize = 33;
constexpr char kTutorialDataKey[] = "TutorialData";

std::array<std::uint8_t, kLevelRecordSize> EncodeLevelRecord(const LevelRecord& record);
LevelRecord DecodeLevelRecord(const std::uint8_t* bytes);

// Read or write exactly the value's size with the account's raw values; the count of bytes read or
// stored (0 for a missing value or a null account).
unsigned ReadLevelRecordBytes(const Corvane::Account* account, const std::string& key, void* buffer);
unsigned WriteLevelRecordBytes(Corvane::Account* account, const std::string& key, const void* buffer);
unsigned ReadTutorialBytes(const Corvane::Account* account, const std::string& key, void* buffer);
unsigned WriteTutorialBytes(Corvane::Account* account, const std::string& key, const void* buffer);
