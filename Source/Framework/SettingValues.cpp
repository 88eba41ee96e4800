#include "Framework/SettingValues.h"

#include "Debug.h"
#include "Framework/Account.h"
#include "Utf8.h"

#include <charconv>
#include <optional>

namespace Corvane
{
namespace
{
// The stored text of the key's value; nothing when the profile holds none.
std::optional<std::string> StoredText(const Account* account, const std::string& key)
{
    const AttributeContainer record = Account::FindRecord(account, key);
    if (!record.HasAttribute(Internal::kValueAttribute))
        return std::nullopt;
    std::wstring text;
    return Utf8::FromWide(record.GetAttribute(text, Internal::kValueAttribute));
}

// The whole text as a number of type T ("nan", "inf" and numbers beyond T's range included as
// from_chars reads them); nothing when it is not one.
template <typename T> std::optional<T> Parse(const std::string& text)
{
    T value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// The stored number when it lies from lowest to highest (which no NaN or infinity does with
// finite bounds); fallback, logged, when the text is no such number.
template <typename T> T ReadRanged(const Account* account, const std::string& key, T fallback, T lowest, T highest)
{
    const std::optional<std::string> text = StoredText(account, key);
    if (!text)
        return fallback;
    const std::optional<T> value = Parse<T>(*text);
    if (value && *value >= lowest && *value <= highest)
        return *value;
    DebugPrint("The profile's %s \"%s\" is out of range; %s is used.\n", key.c_str(), text->c_str(),
               std::to_string(fallback).c_str());
    return fallback;
}
} // namespace

int ReadSettingInt(const Account* account, const std::string& key, int fallback, int lowest, int highest)
{
    return ReadRanged(account, key, fallback, lowest, highest);
}

float ReadSettingFloat(const Account* account, const std::string& key, float fallback, float lowest, float highest)
{
    return ReadRanged(account, key, fallback, lowest, highest);
}

bool ReadSettingBool(const Account* account, const std::string& key, bool fallback)
{
    const std::optional<std::string> text = StoredText(account, key);
    if (!text)
        return fallback;
    if (*text == "true" || *text == "false")
        return *text == "true";
    DebugPrint("The profile's %s \"%s\" is neither true nor false; %s is used.\n", key.c_str(), text->c_str(),
               fallback ? "true" : "false");
    return fallback;
}
} // namespace Corvane
