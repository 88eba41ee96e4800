#include "XMLNodes.h"

#include "XMLElementReader.h"
#include "XMLReader.h"

#include <algorithm>

namespace Corvane::Testing
{
void Fill(MemoryStream& stream, const std::string& bytes)
{
    stream.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
    stream.Seek(IStream::kFromStart, 0);
}

std::string Contents(MemoryStream& stream)
{
    const std::uint32_t position = stream.Tell();
    std::string bytes(stream.GetSize(), '\0');
    stream.Seek(IStream::kFromStart, 0);
    stream.Read(bytes.data(), static_cast<unsigned>(bytes.size()));
    stream.Seek(IStream::kFromStart, position);
    return bytes;
}

std::vector<XMLElement> ReadNodes(const std::string& bytes, const std::wstring& name)
{
    MemoryStream source(name);
    Fill(source, bytes);
    XMLReader reader(source);
    std::vector<XMLElement> nodes;
    while (!reader.AtEnd())
        nodes.push_back(*reader.Next());
    return nodes;
}

std::vector<XMLElement> ReadStructure(const std::string& bytes)
{
    auto nodes = ReadNodes(bytes);
    std::erase_if(nodes, [](const XMLElement& node) {
        return node.IsText() && std::all_of(node.GetName().begin(), node.GetName().end(),
                                            [](wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); });
    });
    return nodes;
}

std::wstring Describe(const XMLElement& node)
{
    if (node.IsText())
        return L"'" + node.GetName() + L"'";
    if (node.IsEndTag())
        return L"</" + node.GetName() + L">";
    std::wstring text = L"<" + node.GetName();
    for (const auto& [name, value] : node.GetAttributes())
        text += L" " + name + L"=" + value;
    return text + L">";
}

std::vector<std::wstring> Describe(const std::vector<XMLElement>& nodes)
{
    std::vector<std::wstring> texts;
    for (const auto& node : nodes)
        texts.push_back(Describe(node));
    return texts;
}

std::vector<ResourceDependency> DependenciesOf(IResourceFactory& factory, const std::string& xml)
{
    MemoryStream source(L"element.xml");
    Fill(source, xml);
    XMLReader reader(source);
    const XMLElement element = *reader.Next();
    XMLElementReader children(&reader);
    children.Next();
    std::vector<ResourceDependency> dependencies;
    factory.GetDependencies(dependencies, L"manifest", Label("element"), &element, &children);
    return dependencies;
}

std::vector<std::wstring> Locations(const std::vector<ResourceDependency>& dependencies)
{
    std::vector<std::wstring> locations;
    for (const ResourceDependency& dependency : dependencies)
        locations.push_back(dependency.location);
    return locations;
}
} // namespace Corvane::Testing
