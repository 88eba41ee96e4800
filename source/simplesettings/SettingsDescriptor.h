// The descriptor of one record type: its member table, the population of a record from one XML
// element, and the resource factory that builds named records from manifest elements.
//
// A record element carries one attribute per attribute member (names matched exactly) and one
// child element per element member, told apart by the child's "name" attribute (matched as a
// label, so without regard to case); other attributes are ignored, other children are errors. An
// optional "template" attribute names a record of the same type registered earlier: whatever the
// element leaves out is copied from it. A member that is neither given nor templated takes its
// default, or the population fails with a LoadError naming the data file and line.
//
// Population runs where resource factories run, on the resource manager's loader thread.
#pragma once

#include "AttributeContainer.h"
#include "Framework/IResourceFactory.h"
#include "Framework/ResourceManager.h"
#include "Framework/ResourceWrapper.h"
#include "LoadError.h"
#include "MemberDescriptor.h"
#include "XMLElementReader.h"

#include <map>
#include <memory>

namespace SimpleSettings
{
template <typename Record> class SettingsDescriptor : public Corvane::IResourceFactory
{
public:
    // A null-terminated array of members in table order.
    using MemberList = const MemberDescriptor<Record>* const*;

    // The member table: built on the first call, the same array ever after.
    virtual MemberList GetMembers() const = 0;

    // Builds the record resource of a manifest element; children has passed the element's start
    // tag. A failing population deletes the partly filled record and lets its error pass on.
    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override
    {
        const Corvane::AttributeContainer none;
        const Corvane::IAttributeContainer& attributes = element ? *element : none;
        auto resource = std::make_unique<Corvane::ResourceWrapper<Record>>(manifest, name, element);
        // Population reads the element from its start tag, which children has already given.
        Corvane::XMLElementReader reader(children);
        PopulateDataInstance(attributes, reader, *resource, nullptr);
        return resource.release();
    }

    // Fills record from the element that reader stands before (its first Next gives the element's
    // start tag) and whose attributes element holds; reads up to and including the element's end
    // tag. templ: the template the caller passes, replaced by the element's own "template".
    void PopulateDataInstance(const Corvane::IAttributeContainer& element, Corvane::IXMLReader& reader,
                              Record& record, const Record* templ) const
    {
        if (element.HasAttribute(L"template"))
            templ = FindTemplate(reader, element);
        LoadAttributes(reader, element, record, templ);
        LoadElements(reader, record, templ);
    }

    // The attribute members, in table order: the XML value, else the template's, else the default.
    void LoadAttributes(Corvane::IXMLReader& reader, const Corvane::IAttributeContainer& element, Record& record,
                        const Record* templ) const
    {
        for (MemberList member = GetMembers(); *member; ++member)
        {
            const MemberDescriptor<Record>& m = **member;
            if (m.IsElement())
                continue;
            if (element.HasAttribute(m.GetWideName()))
                m.PopulateFromXML(reader, element, record, templ);
            else if (templ)
                m.CopyFrom(record, *templ);
            else if (m.HasDefault())
                m.SetDefault(record);
            else
                SIMPLESETTINGS_RAISE(reader, FormatMessage(L"missing attribute '%1%'", m.GetWideName()),
                                     QualifiedName("SettingsDescriptor", typeid(Record), "LoadAttributes"));
        }
    }

    // The element members: each child element goes to the member its "name" selects; members not
    // given come from the template.
    void LoadElements(Corvane::IXMLReader& reader, Record& record, const Record* templ) const
    {
        struct Entry
        {
            const MemberDescriptor<Record>* member;
            bool seen;
        };
        std::map<Corvane::Label, Entry> table;
        for (MemberList member = GetMembers(); *member; ++member)
            if ((*member)->IsElement())
                table[Corvane::Label((*member)->GetName())] = Entry{*member, false};

        const std::string function = QualifiedName("SettingsDescriptor", typeid(Record), "LoadElements");
        reader.Next(); // the record element's own start tag
        while (!reader.AtEnd())
        {
            const Corvane::XMLElement* child = reader.Next();
            if (!child || !child->IsStartTag())
                continue;
            const wchar_t* name = child->GetStringAttribute(L"name", nullptr);
            if (!name)
                SIMPLESETTINGS_RAISE(
                    reader, FormatMessage(L"an element of type '%1%' is missing its 'name' attribute", child->GetName()),
                    function);
            const auto found = table.find(Corvane::Label(name));
            if (found == table.end())
                SIMPLESETTINGS_RAISE(
                    reader, FormatMessage(L"Unexpected element. Type: '%1%' name: '%2%'.", child->GetName(), name),
                    function);
            if (found->second.seen)
                SIMPLESETTINGS_RAISE(reader, FormatMessage(L"element '%1%' has multiple specifications", child->GetName()),
                                     function);
            // The member reads the child's whole subtree through a reader of its own, so the next
            // node here is the one after the child's end tag.
            Corvane::XMLElementReader childReader(&reader);
            found->second.member->PopulateFromXML(childReader, *child, record, templ);
            found->second.seen = true;
        }
        for (const auto& [label, entry] : table)
        {
            if (entry.seen)
                continue;
            if (!templ)
                SIMPLESETTINGS_RAISE(reader, FormatMessage(L"missing element '%1%'", entry.member->GetWideName()),
                                     function);
            entry.member->CopyFrom(record, *templ);
        }
    }

private:
    // The registered record of this type that the element's "template" names.
    const Record* FindTemplate(Corvane::IXMLReader& reader, const Corvane::IAttributeContainer& element) const
    {
        std::wstring name;
        element.GetAttribute(name, L"template");
        // Without a resource manager nothing is registered; asking would start one.
        Corvane::ResourceManager* manager = Corvane::ResourceManager::InstanceIfCreated();
        const Record* found = manager ? Corvane::ResourceManager::Get<Record>(Corvane::Label(name)).Get() : nullptr;
        if (!found)
            SIMPLESETTINGS_RAISE(reader, FormatMessage(L"template '%1%' not found", name),
                                 QualifiedName("SettingsDescriptor", typeid(Record), "PopulateDataInstance"));
        return found;
    }
};
} // namespace SimpleSettings
