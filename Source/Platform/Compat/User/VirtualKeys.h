// Virtual-key codes. Letters and digits are their upper-case characters ('A', '0').
#pragma once

#include "Platform/Compat/Kernel/Types.h"

constexpr WPARAM VK_BACK = 8;
constexpr WPARAM VK_TAB = 9;
constexpr WPARAM VK_CLEAR = 12;
constexpr WPARAM VK_RETURN = 13;
constexpr WPARAM VK_SHIFT = 16;
constexpr WPARAM VK_CONTROL = 17;
constexpr WPARAM VK_MENU = 18; // Alt
constexpr WPARAM VK_PAUSE = 19;
constexpr WPARAM VK_CAPITAL = 20;
constexpr WPARAM VK_ESCAPE = 27;
constexpr WPARAM VK_SPACE = 32;
constexpr WPARAM VK_PRIOR = 33;
constexpr WPARAM VK_NEXT = 34;
constexpr WPARAM VK_END = 35;
constexpr WPARAM VK_HOME = 36;
constexpr WPARAM VK_LEFT = 37;
constexpr WPARAM VK_UP = 38;
constexpr WPARAM VK_RIGHT = 39;
constexpr WPARAM VK_DOWN = 40;
constexpr WPARAM VK_SNAPSHOT = 44;
constexpr WPARAM VK_INSERT = 45;
constexpr WPARAM VK_DELETE = 46;
constexpr WPARAM VK_LWIN = 91;
constexpr WPARAM VK_RWIN = 92;
constexpr WPARAM VK_APPS = 93;
constexpr WPARAM VK_NUMPAD0 = 96;
constexpr WPARAM VK_MULTIPLY = 106;
constexpr WPARAM VK_ADD = 107;
constexpr WPARAM VK_SUBTRACT = 109;
constexpr WPARAM VK_DECIMAL = 110;
constexpr WPARAM VK_DIVIDE = 111;
constexpr WPARAM VK_F1 = 112;
constexpr WPARAM VK_F4 = 115;
constexpr WPARAM VK_NUMLOCK = 144;
constexpr WPARAM VK_SCROLL = 145;
constexpr WPARAM VK_OEM_1 = 186;      // ;
constexpr WPARAM VK_OEM_PLUS = 187;   // =
constexpr WPARAM VK_OEM_COMMA = 188;  // ,
constexpr WPARAM VK_OEM_MINUS = 189;  // -
constexpr WPARAM VK_OEM_PERIOD = 190; // .
constexpr WPARAM VK_OEM_2 = 191;      // /
constexpr WPARAM VK_OEM_3 = 192;      // grave accent
constexpr WPARAM VK_OEM_4 = 219;      // [
constexpr WPARAM VK_OEM_5 = 220;      // backslash
constexpr WPARAM VK_OEM_6 = 221;      // ]
constexpr WPARAM VK_OEM_7 = 222;      // '
constexpr WPARAM VK_OEM_102 = 226;    // the key between left Shift and Z on keyboards that have one
