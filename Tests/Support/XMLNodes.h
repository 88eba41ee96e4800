// Reading XML from bytes in memory, for tests of the reader, the writer and their users.
#pragma once

#include "Framework/IResourceFactory.h"
#include "MemoryStream.h"
#include "XMLElement.h"

#include <string>
#include <vector>

namespace Corvane::Testing
{
// A memory stream named name holding bytes, positioned at its start.
void Fill(MemoryStream& stream, const std::string& bytes);
// The stream's whole content.
std::string Contents(MemoryStream& stream);

// Every node a document reader gives for bytes (XMLError passes through).
std::vector<XMLElement> ReadNodes(const std::string& bytes, const std::wstring& name = L"test.xml");
// The same without the text nodes that are only white space (what structure readers skip).
std::vector<XMLElement> ReadStructure(const std::string& bytes);

// A node as short text for comparisons: "<a x=1>", "</a>", "'text'".
std::wstring Describe(const XMLElement& node);
std::vector<std::wstring> Describe(const std::vector<XMLElement>& nodes);

// What factory names as dependencies of the one element written in xml.
std::vector<ResourceDependency> DependenciesOf(IResourceFactory& factory, const std::string& xml);
// The location prefixes of the records, in order.
std::vector<std::wstring> Locations(const std::vector<ResourceDependency>& dependencies);
} // namespace Corvane::Testing
