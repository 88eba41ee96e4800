// A member read from one attribute of the record's element: a 32-bit integer, a wide text or a
// label, with a default or required.
#pragma once

#include "LoadError.h"
#include "MemberDescriptor.h"

#include <utility>

namespace SimpleSettings
{
template <typename Record, typename Value> class AttrDescriptor : public FieldDescriptor<Record, Value>
{
public:
    // A required member: absent, it must come from a template.
    AttrDescriptor(const char* name, Value Record::*field) : FieldDescriptor<Record, Value>(name, field) {}
    // A member that takes defaultValue when it is absent and no template supplies it.
    AttrDescriptor(const char* name, Value Record::*field, Value defaultValue)
        : FieldDescriptor<Record, Value>(name, field), mDefault(std::move(defaultValue)), mHasDefault(true)
    {
    }

    void PopulateFromXML(Corvane::IXMLReader& reader, const Corvane::IAttributeContainer& element, Record& record,
                         const Record*) const override
    {
        std::wstring text;
        element.GetAttribute(text, this->GetWideName());
        if (!ConvertValue(text, this->FieldOf(record)))
            SIMPLESETTINGS_RAISE(reader,
                                 FormatMessage(L"couldn't convert attribute '%1%' to the required type ('%2%')",
                                               this->GetWideName(), Widen(ValueTypeName<Value>())),
                                 QualifiedName("AttrDescriptor", typeid(Record), "PopulateFromXML"));
    }
    void SetDefault(Record& record) const override
    {
        if (mHasDefault)
            this->FieldOf(record) = mDefault;
    }
    bool HasDefault() const override { return mHasDefault; }
    bool IsElement() const override { return false; }

private:
    Value mDefault{};
    bool mHasDefault = false;
};
} // namespace SimpleSettings
