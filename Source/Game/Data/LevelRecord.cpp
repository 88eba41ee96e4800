#include "Game/Data/LevelRecord.h"

#include "Framework/Account.h"

using Corvane::Account;

std::array<std::uint8_t, kLevelRecordSize> EncodeLevelRecord(const LevelRecord& record)
{
    const auto score = static_cast<std::uint32_t>(record.bestScore);
    return {static_cast<std::uint8_t>(score),       static_cast<std::uint8_t>(score >> 8),
            static_cast<std::uint8_t>(score >> 16), static_cast<std::uint8_t>(score >> 24),
            record.completed ? std::uint8_t{1} : std::uint8_t{0}};
}

LevelRecord DecodeLevelRecord(const std::uint8_t* bytes)
{
    const std::uint32_t score = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    return {static_cast<std::int32_t>(score), bytes[4] ? std::uint8_t{1} : std::uint8_t{0}};
}

unsigned ReadLevelRecordBytes(const Account* account, const std::string& key, void* buffer)
{
    return Account::ReadBinary(account, key, buffer, kLevelRecordSize);
}

unsigned WriteLevelRecordBytes(Account* account, const std::string& key, const void* buffer)
{
    return Account::WriteBinary(account, key, buffer, kLevelRecordSize);
}

unsigned ReadTutorialBytes(const Account* account, const std::string& key, void* buffer)
{
    return Account::ReadBinary(account, key, buffer, kTutorialDataSize);
}

unsigned WriteTutorialBytes(Account* account, const std::string& key, const void* buffer)
{
    return Account::WriteBinary(account, key, buffer, kTutorialDataSize);
}
