// The data folder as the checker reads it: every manifest ("<name>.xml" anywhere below the
// folder, as the engine finds them), parsed by the engine's XML reader into element trees that
// keep their source lines, and every resource they declare, by name.
#pragma once

#include "Label.h"
#include "Report.h"
#include "XMLElement.h"

#include <filesystem>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace Corvane::DataCheck
{
struct DataElement
{
    int line = 0;
    XMLElement node; // the start tag: its name and attributes
    std::vector<DataElement> children;

    const std::wstring& Tag() const { return node.GetName(); }
    bool Has(const wchar_t* attribute) const { return node.HasAttribute(attribute); }
    // The attribute's text, or empty.
    std::wstring Text(const wchar_t* attribute) const { return node.GetStringAttribute(attribute, L""); }
    // Children with this tag, in document order.
    std::vector<const DataElement*> ChildrenNamed(const wchar_t* tag) const;
};

struct Manifest
{
    std::wstring name; // as the game requests it: the file name without ".xml"
    std::string path;  // relative to the data folder, for messages
    bool parsed = false;
    DataElement root;
    // Position in the order the game loads manifests; -1 when the game never loads it.
    int order = -1;
};

// A resource element of a manifest: an element with a "name" that is not inside another one
// (the resource manager reads exactly those).
struct Declaration
{
    const Manifest* manifest = nullptr;
    const DataElement* element = nullptr;
    Label name;

    const std::wstring& Kind() const { return element->Tag(); }
};

class DataIndex
{
public:
    // Finds and parses every manifest below folder; parse errors and clashing manifest names go
    // to report.
    void Scan(const std::filesystem::path& folder, Report& report);

    std::vector<Manifest>& Manifests() { return mManifests; }
    const std::vector<Manifest>& Manifests() const { return mManifests; }
    const Manifest* FindManifest(const std::wstring& name) const;

    // Every declaration, in manifest and document order.
    const std::vector<Declaration>& Declarations() const { return mDeclarations; }
    // The declaration of name, following "alias" elements to what they name; null for none.
    // When a name is declared more than once, the first one found.
    const Declaration* Find(Label name) const;
    std::vector<const Declaration*> OfKind(const wchar_t* kind) const;

    // Called once the load order is set: builds the name lookup.
    void Finish(Report& report);

private:
    void Parse(const std::filesystem::path& file, Manifest& manifest, Report& report);

    std::vector<Manifest> mManifests;
    std::vector<Declaration> mDeclarations;
    std::unordered_map<Label, std::vector<std::size_t>> mByName;
};

// Each start tag's line, in document order, for a UTF-8 XML text: the engine's reader reports
// the line it has read ahead to, not the line a node began on.
std::vector<int> StartTagLines(const std::string& text);

std::string Narrow(const std::wstring& text);
std::wstring Wide(const std::string& text);
} // namespace Corvane::DataCheck
