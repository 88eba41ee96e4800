// The frame lists of animations: a short text of image indices and ranges, such as
//   0-3, 7, 9-8
// giving 0 1 2 3 7 9 8. Items are separated by commas; a range a-b runs up or down and includes
// both ends; blanks, tabs and line feeds may stand between any two tokens. Indices are never
// negative. Errors name the offending token with its line and column:
//   illegal token ',' (line 1, pos 3). (Expected an integer).
#pragma once

#include <string>
#include <vector>

// The most indices one list may expand to. Far beyond any animation, it keeps a short text such as
// "0-999999999" from asking for gigabytes.
inline constexpr std::size_t kMaxFrameListLength = 65536;

// The indices of text in list order; empty text gives an empty list. Throws AnimationParseError for
// a syntax error or a list longer than kMaxFrameListLength, and the integer conversion's
// boost::bad_lexical_cast (a std::bad_cast) for digits beyond a 32-bit signed integer.
std::vector<int> ParseFrameList(const std::string& text);
