// The numbers of a level file, read strictly and held to what the game can play. A value that is
// no number (or no finite one), or one outside its limits, refuses the level: the error names the
// file and line, the level, the attribute with its text as written, and the rule it breaks.
#pragma once

#include "Label.h"

#include <string>

namespace Corvane
{
class IAttributeContainer;
class IXMLReader;
} // namespace Corvane

// A value's limits and the rule they make, in words around them: "<before> <low> to <high> <after>"
// ("a kitchen has 1 to 4 cooking stations").
struct LevelLimit
{
    double low;
    double high;
    std::string before;
    std::string after;

    std::string Rule() const;
};

class LevelValueReader
{
public:
    // reader: where in which file the level is read (null: errors name no place); level: its ID.
    LevelValueReader(Corvane::IXMLReader* reader, Corvane::Label level) : mReader(reader), mLevel(level) {}
    // The same level read at another place (a child element's reader).
    LevelValueReader At(Corvane::IXMLReader& reader) const { return {&reader, mLevel}; }

    // The whole number in element's attribute name, or fallback when there is none.
    int Integer(const Corvane::IAttributeContainer& element, const wchar_t* name, int fallback,
                const LevelLimit& limit) const;
    // The number in element's attribute name, or fallback when there is none.
    float Number(const Corvane::IAttributeContainer& element, const wchar_t* name, float fallback,
                 const LevelLimit& limit) const;
    // Refuses a value that lies below another one it must reach ("ExpertScore" below "WinScore").
    void CheckOrder(const Corvane::IAttributeContainer& element, const wchar_t* lower, double lowerValue,
                    const wchar_t* upper, double upperValue, const std::string& rule) const;
    // Refuses the level at the reader's place: "the level "<id>" <problem>".
    [[noreturn]] void Refuse(const std::string& problem) const;

private:
    // Refuses name="<text>" (as written in element) for breaking rule.
    [[noreturn]] void RefuseValue(const Corvane::IAttributeContainer& element, const wchar_t* name,
                                  const std::string& rule) const;

    Corvane::IXMLReader* mReader;
    Corvane::Label mLevel;
};
