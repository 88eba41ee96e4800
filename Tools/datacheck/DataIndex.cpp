#include "DataIndex.h"

#include "MemoryStream.h"
#include "RuntimeError.h"
#include "Utf8.h"
#include "XMLReader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace Corvane::DataCheck
{
namespace
{
bool IsManifestFile(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    return extension == ".xml";
}

// Collects the declarations below element: an element with a name is one (its inside belongs to
// it), one without is looked into, as the resource manager reads a manifest.
void Collect(const Manifest& manifest, const DataElement& element, std::vector<Declaration>& out)
{
    for (const DataElement& child : element.children)
    {
        const std::wstring name = child.Text(L"name");
        if (name.empty())
            Collect(manifest, child, out);
        else
            out.push_back({&manifest, &child, Label(name)});
    }
}

// Skips from at (just after "<") to the character after the first occurrence of end.
std::size_t SkipPast(const std::string& text, std::size_t at, const char* end, int& line)
{
    const std::size_t found = text.find(end, at);
    const std::size_t stop = found == std::string::npos ? text.size() : found + std::char_traits<char>::length(end);
    line += static_cast<int>(std::count(text.begin() + std::ptrdiff_t(at), text.begin() + std::ptrdiff_t(stop), '\n'));
    return stop;
}
} // namespace

std::string Narrow(const std::wstring& text)
{
    return Utf8::FromWide(text);
}

std::wstring Wide(const std::string& text)
{
    return Utf8::ToWide(text);
}

std::vector<const DataElement*> DataElement::ChildrenNamed(const wchar_t* tag) const
{
    std::vector<const DataElement*> found;
    for (const DataElement& child : children)
        if (child.Tag() == tag)
            found.push_back(&child);
    return found;
}

std::vector<int> StartTagLines(const std::string& text)
{
    std::vector<int> lines;
    int line = 1;
    std::size_t at = 0;
    while (at < text.size())
    {
        const char c = text[at];
        if (c == '\n')
            ++line;
        if (c != '<')
        {
            ++at;
            continue;
        }
        if (text.compare(at, 4, "<!--") == 0)
            at = SkipPast(text, at, "-->", line);
        else if (text.compare(at, 9, "<![CDATA[") == 0)
            at = SkipPast(text, at, "]]>", line);
        else if (at + 1 < text.size() && (text[at + 1] == '/' || text[at + 1] == '?' || text[at + 1] == '!'))
            at = SkipPast(text, at, ">", line);
        else
        {
            lines.push_back(line);
            // To the tag's end, past quoted values that may hold '>'.
            char quote = 0;
            for (++at; at < text.size(); ++at)
            {
                if (text[at] == '\n')
                    ++line;
                if (quote)
                    quote = text[at] == quote ? 0 : quote;
                else if (text[at] == '"' || text[at] == '\'')
                    quote = text[at];
                else if (text[at] == '>')
                    break;
            }
            ++at;
        }
    }
    return lines;
}

void DataIndex::Scan(const std::filesystem::path& folder, Report& report)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && IsManifestFile(entry.path()))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());

    std::map<std::wstring, std::string> seen;
    for (const std::filesystem::path& file : files)
    {
        Manifest manifest;
        manifest.name = file.stem().wstring();
        manifest.path = std::filesystem::relative(file, folder).generic_string();
        const auto [place, fresh] = seen.emplace(manifest.name, manifest.path);
        if (!fresh)
            report.Add(manifest.path, 0,
                       "a second manifest named '" + Narrow(manifest.name) + "' (the first is " + place->second +
                           "): the game would read only one of them");
        Parse(file, manifest, report);
        mManifests.push_back(std::move(manifest));
    }
}

void DataIndex::Parse(const std::filesystem::path& file, Manifest& manifest, Report& report)
{
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<int> lines = StartTagLines(text);
    try
    {
        // Named after the file, so that the reader's own errors say "path(line): ...".
        MemoryStream stream(Wide(manifest.path));
        stream.Write(text.data(), static_cast<unsigned>(text.size()));
        stream.Seek(IStream::kFromStart, 0);
        XMLReader reader(stream);
        std::vector<DataElement*> open{&manifest.root};
        std::size_t starts = 0;
        while (!reader.AtEnd())
        {
            const XMLElement* node = reader.Next();
            if (node->IsStartTag())
            {
                DataElement element;
                element.node = *node;
                element.line = starts < lines.size() ? lines[starts] : reader.GetLine();
                ++starts;
                open.back()->children.push_back(std::move(element));
                open.push_back(&open.back()->children.back());
            }
            else if (node->IsEndTag() && open.size() > 1)
                open.pop_back();
        }
        manifest.parsed = true;
    }
    catch (const std::exception& error)
    {
        report.Add(manifest.path, 0, error.what());
    }
}

void DataIndex::Finish(Report& report)
{
    mDeclarations.clear();
    mByName.clear();
    for (const Manifest& manifest : mManifests)
        if (manifest.parsed)
            Collect(manifest, manifest.root, mDeclarations);
    for (std::size_t i = 0; i < mDeclarations.size(); ++i)
    {
        const Declaration& declaration = mDeclarations[i];
        std::vector<std::size_t>& same = mByName[declaration.name];
        for (std::size_t earlier : same)
        {
            const Declaration& first = mDeclarations[earlier];
            if (first.manifest == declaration.manifest)
                report.Add(declaration.manifest->path, declaration.element->line,
                           "'" + std::string(declaration.name.c_str()) + "' is declared again (first at line " +
                               std::to_string(first.element->line) + "); the later one replaces it");
            else
                report.Add(declaration.manifest->path, declaration.element->line,
                           "'" + std::string(declaration.name.c_str()) + "' is also declared in " +
                               first.manifest->path + "(" + std::to_string(first.element->line) +
                               "): resource names are shared by every manifest");
        }
        same.push_back(i);
    }
}

const Manifest* DataIndex::FindManifest(const std::wstring& name) const
{
    for (const Manifest& manifest : mManifests)
        if (manifest.name == name)
            return &manifest;
    return nullptr;
}

const Declaration* DataIndex::Find(Label name) const
{
    // An alias chain longer than the number of declarations loops.
    for (std::size_t hops = 0; hops <= mDeclarations.size(); ++hops)
    {
        const auto found = mByName.find(name);
        if (found == mByName.end() || found->second.empty())
            return nullptr;
        const Declaration& declaration = mDeclarations[found->second.front()];
        if (declaration.Kind() != L"alias")
            return &declaration;
        name = Label(declaration.element->Text(L"src"));
    }
    return nullptr;
}

std::vector<const Declaration*> DataIndex::OfKind(const wchar_t* kind) const
{
    std::vector<const Declaration*> found;
    for (const Declaration& declaration : mDeclarations)
        if (declaration.Kind() == kind)
            found.push_back(&declaration);
    return found;
}
} // namespace Corvane::DataCheck
