#include "Framework/KeyNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace Corvane;

TEST(KeyNames, NamesAreFoundWithoutRegardToCase)
{
    const struct
    {
        const wchar_t* name;
        int code;
    } cases[] = {
        {L"Escape", 27},
        {L"escape", 27},
        {L"ESCAPE", 27},
        {L"VK_RETURN", 13},
        {L"vk_escape", 27},
        {L"start", 256},
        {L"Select", 257},
        {L"GamePadLeft", 271},
        {L"F16", 127},
        {L"num7", 103},
        {L"PageDown", 34},
        {L"`", 192},
        {L"\\", 220},
        {L"Null", 0},
        // One character without an entry: its upper-case code.
        {L"q", 81},
        {L"Q", 81},
        {L"5", 53},
        {L"7", 55},
        // No key.
        {L"Escapes", 0},
        {L"", 0},
        {L"\u00e9", 0},
        {L"\u00e9\u00e9", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetKeyCodeByName(c.name), c.code) << std::wstring(c.name).size();
    EXPECT_EQ(GetKeyCodeByName(nullptr), 0);
}

TEST(KeyNames, TheTableHoldsNinetyDistinctNames)
{
    std::set<std::wstring> names;
    for (const KeyName& entry : GetKeyNameTable())
        names.insert(entry.name);
    EXPECT_EQ(names.size(), 90u);
}
