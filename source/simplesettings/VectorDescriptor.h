// The two list members. Both read one child element tagged "<item type>List" holding one child
// per item tagged with the item type:
//   ComplexVectorDescriptor  items are nested records, each populated from its element;
//   SimpleVectorDescriptor   items are integers or labels, each in its element's "value".
// A list element whose "templatePolicy" is exactly "merge" keeps the template's items before the
// file's; otherwise a list given in the file holds only the file's items.
#pragma once

#include "SettingsDescriptor.h"

#include <vector>

namespace SimpleSettings
{
// What the two kinds share: the merge, the wrapper's tag and the items' tags.
template <typename Record, typename Item> class VectorDescriptor : public FieldDescriptor<Record, std::vector<Item>>
{
public:
    VectorDescriptor(const char* name, std::vector<Item> Record::*field, const char* itemTypeName)
        : FieldDescriptor<Record, std::vector<Item>>(name, field), mItemTypeName(Widen(itemTypeName))
    {
    }

    void PopulateFromXML(Corvane::IXMLReader& reader, const Corvane::IAttributeContainer& element, Record& record,
                         const Record* templ) const override
    {
        const std::string function = QualifiedName(KindName(), typeid(Record), "PopulateFromXML");
        // Read before the reader moves on: the node it describes is reused.
        const bool merge = element.GetStringAttribute(L"templatePolicy", L"") == std::wstring(L"merge");
        if (merge && templ)
            this->CopyFrom(record, *templ);

        const Corvane::XMLElement* list = reader.Next();
        const std::wstring tag = list ? list->GetName() : std::wstring();
        if (tag != mItemTypeName + L"List")
            SIMPLESETTINGS_RAISE(reader,
                                 FormatMessage(L"For element '%1%', expected type '%2%List' (saw '%3%')",
                                               this->GetWideName(), mItemTypeName, tag),
                                 function);
        std::vector<Item>& items = this->FieldOf(record);
        while (!reader.AtEnd())
        {
            const Corvane::XMLElement* node = reader.Next();
            if (!node || !node->IsStartTag())
                continue;
            if (node->GetName() != mItemTypeName)
                SIMPLESETTINGS_RAISE(reader,
                                     FormatMessage(L"in '%1%', unexpected child element (expected '%2%', saw '%3%')",
                                                   this->GetWideName(), mItemTypeName, node->GetName()),
                                     function);
            ReadItem(reader, *node, items, function);
        }
    }
    bool IsElement() const override { return true; }

protected:
    // Appends the item whose start tag reader has just given.
    virtual void ReadItem(Corvane::IXMLReader& reader, const Corvane::XMLElement& node, std::vector<Item>& items,
                          const std::string& function) const = 0;
    virtual const char* KindName() const = 0;

    std::wstring mItemTypeName;
};

template <typename Record, typename Sub> class ComplexVectorDescriptor : public VectorDescriptor<Record, Sub>
{
public:
    // itemTypeName: the items' tag (the wrapper's is that + "List"); descriptor: the item type's
    // static descriptor. Both outlive the member.
    ComplexVectorDescriptor(const char* name, std::vector<Sub> Record::*field, const char* itemTypeName,
                            const SettingsDescriptor<Sub>* descriptor)
        : VectorDescriptor<Record, Sub>(name, field, itemTypeName), mDescriptor(descriptor)
    {
    }

protected:
    // The item reads its whole subtree; it has no template unless it names one itself. An item
    // whose population fails is not added.
    void ReadItem(Corvane::IXMLReader& reader, const Corvane::XMLElement& node, std::vector<Sub>& items,
                  const std::string&) const override
    {
        Sub item{};
        Corvane::XMLElementReader itemReader(&reader);
        mDescriptor->PopulateDataInstance(node, itemReader, item, nullptr);
        items.push_back(std::move(item));
    }
    const char* KindName() const override { return "ComplexVectorDescriptor"; }

private:
    const SettingsDescriptor<Sub>* mDescriptor;
};

template <typename Record, typename Value> class SimpleVectorDescriptor : public VectorDescriptor<Record, Value>
{
public:
    // Items of Value int are tagged "int", of Value Corvane::Label "Label".
    SimpleVectorDescriptor(const char* name, std::vector<Value> Record::*field)
        : VectorDescriptor<Record, Value>(name, field, ValueTypeName<Value>())
    {
    }

protected:
    // Every start tag of the list's subtree is an item, at any depth: an element nested in an item
    // is one more item.
    void ReadItem(Corvane::IXMLReader& reader, const Corvane::XMLElement& node, std::vector<Value>& items,
                  const std::string& function) const override
    {
        if (!node.HasAttribute(L"value"))
            SIMPLESETTINGS_RAISE(
                reader, FormatMessage(L"in '%1%', child element missing 'value' attribute", this->GetWideName()),
                function);
        std::wstring text;
        node.GetAttribute(text, L"value");
        Value value{};
        if (!ConvertValue(text, value))
            SIMPLESETTINGS_RAISE(reader,
                                 FormatMessage(L"in '%1%', couldn't convert attribute 'value' to the required type "
                                               L"('%2%')",
                                               this->GetWideName(), this->mItemTypeName),
                                 function);
        items.push_back(value);
    }
    const char* KindName() const override { return "SimpleVectorDescriptor"; }
};
} // namespace SimpleSettings
