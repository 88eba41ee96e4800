// A member read from one attribute whose text must be one of an enumeration's value names,
// exactly and with case; the field holds the name's position, from 0. Never defaulted.
#pragma once

#include "LoadError.h"
#include "MemberDescriptor.h"

namespace SimpleSettings
{
template <typename Record, typename Enum> class EnumDescriptor : public FieldDescriptor<Record, Enum>
{
public:
    // names: the value names in value order, a constant table that outlives the member.
    template <int Count>
    EnumDescriptor(const char* name, Enum Record::*field, const wchar_t* const (&names)[Count])
        : FieldDescriptor<Record, Enum>(name, field), mNames(names), mCount(Count)
    {
    }

    void PopulateFromXML(Corvane::IXMLReader& reader, const Corvane::IAttributeContainer& element, Record& record,
                         const Record*) const override
    {
        std::wstring text;
        element.GetAttribute(text, this->GetWideName());
        for (int i = 0; i < mCount; ++i)
            if (text == mNames[i])
            {
                this->FieldOf(record) = static_cast<Enum>(i);
                return;
            }
        // The text found is left out: the list of what is accepted says enough.
        std::wstring message = L"couldn't convert the attribute '" + this->GetWideName() +
                               L"' to the required type (acceptable values are: ";
        for (int i = 0; i < mCount; ++i)
            message += (i ? L", '" : L"'") + std::wstring(mNames[i]) + L"'";
        message += L")";
        SIMPLESETTINGS_RAISE(reader, message, QualifiedName("EnumDescriptor", typeid(Record), "PopulateFromXML"));
    }
    bool IsElement() const override { return false; }

private:
    const wchar_t* const* mNames;
    int mCount;
};
} // namespace SimpleSettings
