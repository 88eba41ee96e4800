// Key names as layout data writes hot keys ("Escape", "F1", "GamePadA", "q"): a table of 90
// names, compared without regard to case, searched in order. Codes below 256 are virtual-key
// codes; 256 to 271 are the engine's game-pad codes. Letters and digits have no entry: a
// one-character name stands for its upper-case character code. The widget buttons and the scene
// graph's button nodes read their hot keys through GetKeyCodeByName.
#pragma once

#include <array>
#include <cstdint>

namespace Corvane
{
struct KeyName
{
    const wchar_t* name;
    std::uint16_t code;
};

constexpr std::size_t kKeyNameCount = 90;

// The engine's own codes for using lists and sliders from the keyboard: a screen's keyboard
// handling delivers kKeyboardModeOn as a key-down to the focused control so that the arrow keys
// move its selection or value, and kKeyboardModeOff (or kKeyboardModeOn again) to end that.
constexpr int kKeyboardModeOn = 512;
constexpr int kKeyboardModeOff = 513;

// The table in search order (aliases such as "VK_RETURN" and "Start" last).
const std::array<KeyName, kKeyNameCount>& GetKeyNameTable();

// The code of the named key: the first table entry equal to name without regard to case; else,
// for a one-character name of code 127 or less, that character upper-cased ("q" 81, "7" 55, the
// digit key); else 0, no key. A null or empty name gives 0.
std::uint16_t GetKeyCodeByName(const wchar_t* name);
} // namespace Corvane
