// The writes of the account crash test, shared by the test and the writer program it kills: write
// number n stores n under a key that n picks, as an integer for even n and as 8 raw bytes for odd
// n (a raw write also moves its record to the end of the file).
#pragma once

#include "Framework/Account.h"

#include <cstdint>
#include <string>

namespace Corvane::Testing
{
inline bool IsRawWrite(std::int64_t n)
{
    return n % 2 != 0;
}

inline std::string KeyOfWrite(std::int64_t n)
{
    return IsRawWrite(n) ? "Blob" + std::to_string(n / 2 % 3) : "Slot" + std::to_string(n / 2 % 5);
}

inline bool WriteNumber(Account* account, std::int64_t n)
{
    if (IsRawWrite(n))
        return Account::WriteBinary(account, KeyOfWrite(n), &n, sizeof n) == sizeof n;
    return Account::WriteInt(account, KeyOfWrite(n), static_cast<int>(n));
}

// The profile that switch number n makes current: the two of the switching test in turn.
inline std::wstring ProfileOfSwitch(std::int64_t n)
{
    return n % 2 ? L"Other" : L"TRVL_DEFAULT_PROFILE";
}

// The number stored under key, or -1 when it is missing or not whole.
inline std::int64_t ReadNumber(const Account* account, const std::string& key)
{
    if (key.starts_with("Slot"))
        return Account::ReadInt(account, key, -1);
    std::int64_t n = -1;
    return Account::ReadBinary(account, key, &n, sizeof n) == sizeof n ? n : -1;
}
} // namespace Corvane::Testing
