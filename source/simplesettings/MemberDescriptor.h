// One bound field of a record type: the XML name it is read under and how it is read, copied from
// a template record and given its default. A record type's descriptor lists its members in a
// table (SettingsDescriptor::GetMembers); the five kinds are AttrDescriptor, EnumDescriptor,
// ElementDescriptor, ComplexVectorDescriptor and SimpleVectorDescriptor.
//
// Members are built once per record type, when its table is first asked for, and are only read
// afterwards, so population needs no lock.
#pragma once

#include "AttributeContainer.h"
#include "Conversions.h"
#include "IXMLReader.h"

#include <string>

namespace SimpleSettings
{
template <typename Record> class MemberDescriptor
{
public:
    // name: the XML name, constant 8-bit text that outlives the member.
    explicit MemberDescriptor(const char* name) : mName(name), mWideName(Widen(name)) {}
    virtual ~MemberDescriptor() = default;
    MemberDescriptor(const MemberDescriptor&) = delete;
    MemberDescriptor& operator=(const MemberDescriptor&) = delete;

    // The XML name, and the same as wide text for comparisons with XML.
    const char* GetName() const { return mName; }
    const std::wstring& GetWideName() const { return mWideName; }

    // Reads the field from XML into record. Attribute kinds: reader is the record element's (for
    // error locations only) and element its attributes. Element kinds: reader is a fresh element
    // reader over the member's child element, element that child. templ is the whole template
    // record, or null.
    virtual void PopulateFromXML(Corvane::IXMLReader& reader, const Corvane::IAttributeContainer& element,
                                 Record& record, const Record* templ) const = 0;
    // Sets record's field to a copy of templ's.
    virtual void CopyFrom(Record& record, const Record& templ) const = 0;
    // Stores the default, when the member has one.
    virtual void SetDefault(Record& /*record*/) const {}
    virtual bool HasDefault() const { return false; }
    // True for members read from child elements, false for those read from attributes.
    virtual bool IsElement() const = 0;

private:
    const char* mName;
    std::wstring mWideName;
};

// A member bound to one field of the record, held as a member pointer.
template <typename Record, typename Field> class FieldDescriptor : public MemberDescriptor<Record>
{
public:
    FieldDescriptor(const char* name, Field Record::*field) : MemberDescriptor<Record>(name), mField(field) {}

    Field Record::*GetField() const { return mField; }
    void CopyFrom(Record& record, const Record& templ) const override { record.*mField = templ.*mField; }

protected:
    Field& FieldOf(Record& record) const { return record.*mField; }
    const Field& FieldOf(const Record& record) const { return record.*mField; }

private:
    Field Record::*mField;
};
} // namespace SimpleSettings
