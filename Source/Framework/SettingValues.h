// Settings read back from a profile, each checked against its range. A stored value outside it (a
// hand edit, a damaged file, a number with no meaning here) gives the fallback and a line on the
// debug output, so that no profile can keep the game from opening its window or hand the audio a
// volume that is not a number. A missing value gives the fallback quietly. Main thread.
#pragma once

#include <string>

namespace Corvane
{
class Account;

// A whole number from lowest to highest.
int ReadSettingInt(const Account* account, const std::string& key, int fallback, int lowest, int highest);
// A finite number from lowest to highest.
float ReadSettingFloat(const Account* account, const std::string& key, float fallback, float lowest, float highest);
// "true" or "false".
bool ReadSettingBool(const Account* account, const std::string& key, bool fallback);
} // namespace Corvane
