// A member holding a nested record, read from one child element tagged with the nested record
// type's name. The nested record inherits member by member from the template's nested record.
#pragma once

#include "SettingsDescriptor.h"

namespace SimpleSettings
{
template <typename Record, typename Sub> class ElementDescriptor : public FieldDescriptor<Record, Sub>
{
public:
    // typeName: the nested type's name, the expected tag; descriptor: the nested type's static
    // descriptor. Both outlive the member.
    ElementDescriptor(const char* name, Sub Record::*field, const char* typeName,
                      const SettingsDescriptor<Sub>* descriptor)
        : FieldDescriptor<Record, Sub>(name, field), mTypeName(Widen(typeName)), mDescriptor(descriptor)
    {
    }

    void PopulateFromXML(Corvane::IXMLReader& reader, const Corvane::IAttributeContainer& element, Record& record,
                         const Record* templ) const override
    {
        const Corvane::XMLElement* node = reader.Current();
        const std::wstring tag = node ? node->GetName() : std::wstring();
        if (tag != mTypeName)
            SIMPLESETTINGS_RAISE(reader,
                                 FormatMessage(L"For element '%1%', expected type '%2%' (saw '%3%')",
                                               this->GetWideName(), mTypeName, tag),
                                 QualifiedName("ElementDescriptor", typeid(Record), "PopulateFromXML"));
        mDescriptor->PopulateDataInstance(element, reader, this->FieldOf(record),
                                          templ ? &this->FieldOf(*templ) : nullptr);
    }
    bool IsElement() const override { return true; }

private:
    std::wstring mTypeName;
    const SettingsDescriptor<Sub>* mDescriptor;
};
} // namespace SimpleSettings
