// Feeds arbitrary bytes to the XML reader. Beyond "no crash, no hang, only XMLError", every
// document that reads without error is whole (it has an element, and every element it opened has
// closed: a file cut short is never taken for a shorter one) and must survive a trip through the
// writer: written out and read again it gives the same start tags, attributes and text.
#include "XMLReader.h"
#include "MemoryStream.h"
#include "XMLElementList.h"
#include "XMLElementReader.h"
#include "XMLError.h"
#include "XMLWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Corvane;

namespace
{
bool IsSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

std::wstring Trimmed(const std::wstring& text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsSpace(text[begin]))
        ++begin;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// text without the characters the writer leaves out.
std::wstring Allowed(std::wstring text)
{
    std::erase_if(text, [](wchar_t c) { return XMLWriter::IsForbidden(static_cast<CodePoint>(c)); });
    return text;
}

// What the writer keeps of a node sequence: start tags with their attributes and the text
// between tags (adjacent runs joined, blanks at the edges dropped, since the writer adds line
// breaks after tags), without the characters XML forbids. End tags only count as boundaries: the
// writer names them after its own open elements and drops those that close nothing, as this walk
// does.
std::vector<std::wstring> Shape(const std::vector<XMLElement>& nodes)
{
    std::vector<std::wstring> shape;
    std::wstring text;
    int open = 0;
    auto flush = [&] {
        const std::wstring trimmed = Trimmed(Allowed(text));
        if (!trimmed.empty())
            shape.push_back(L"T" + trimmed);
        text.clear();
    };
    for (const XMLElement& node : nodes)
    {
        if (node.IsText())
        {
            text += node.GetName();
        }
        else if (node.IsStartTag())
        {
            flush();
            ++open;
            shape.push_back(L"S" + node.GetName());
            for (const auto& [name, value] : node.GetAttributes())
                shape.push_back(L"A" + name + L"=" + Allowed(value));
        }
        else if (open > 0)
        {
            flush();
            --open;
        }
    }
    flush();
    return shape;
}

// Reads all nodes; false when the document raised XMLError.
bool ReadAll(MemoryStream& source, std::vector<XMLElement>& nodes)
{
    try
    {
        XMLReader reader(source);
        while (!reader.AtEnd())
        {
            XMLElement* node = reader.Next();
            if (!node || reader.GetLine() < 1)
                std::abort();
            const float progress = reader.GetProgress();
            if (!(progress >= 0.0f && progress <= 1.0f))
                std::abort();
            nodes.push_back(*node);
        }
        return true;
    }
    catch (const XMLError&)
    {
        return false;
    }
}

// There was an element, and every element opened has closed: by its own end tag, or by the end
// tag of an element around it.
bool IsWhole(const std::vector<XMLElement>& nodes)
{
    std::vector<std::wstring> open;
    bool element = false;
    for (const XMLElement& node : nodes)
        if (node.IsStartTag())
        {
            open.push_back(node.GetName());
            element = true;
        }
        else if (node.IsEndTag())
            for (std::size_t i = open.size(); i-- > 0;)
                if (open[i] == node.GetName())
                {
                    open.resize(i);
                    break;
                }
    return element && open.empty();
}

// A tag named "!x" or "?x" (read from "< !x>") is written as "<!x>", which reads back as a
// declaration, and a name holding characters XML forbids loses them: names the writer cannot
// express, not a fault of either side.
bool WriterCanExpress(const std::vector<XMLElement>& nodes)
{
    for (const XMLElement& node : nodes)
    {
        if (!node.IsStartTag())
            continue;
        if (node.GetName()[0] == L'!' || node.GetName()[0] == L'?' || Allowed(node.GetName()) != node.GetName())
            return false;
        for (const auto& attribute : node.GetAttributes())
            if (Allowed(attribute.first) != attribute.first)
                return false;
    }
    return true;
}

void ExerciseElementReaders(const uint8_t* data, size_t size)
{
    MemoryStream source(L"fuzz.xml");
    source.Write(data, static_cast<unsigned>(size));
    source.Seek(IStream::kFromStart, 0);
    try
    {
        XMLReader reader(source);
        while (!reader.AtEnd())
        {
            XMLElement* node = reader.Next();
            if (!node->IsStartTag())
                continue;
            // Attribute getters never fail, whatever the text.
            for (const auto& [name, value] : node->GetAttributes())
            {
                (void)node->GetIntAttribute(name, 0);
                (void)node->GetFloatAttribute(name, 0.0f);
                (void)node->GetBoolAttribute(name, false);
            }
            XMLElementReader element(&reader);
            XMLElementList list(element);
            while (!list.AtEnd())
                list.Next();
        }
    }
    catch (const XMLError&)
    {
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryStream source(L"fuzz.xml");
    source.Write(data, static_cast<unsigned>(size));
    source.Seek(IStream::kFromStart, 0);

    std::vector<XMLElement> nodes;
    const bool read = ReadAll(source, nodes);
    if (read && !IsWhole(nodes))
        std::abort();
    if (read && WriterCanExpress(nodes))
    {
        MemoryStream written(L"written.xml");
        {
            XMLWriter writer(&written);
            for (const XMLElement& node : nodes)
                writer.WriteElement(node);
        }
        written.Seek(IStream::kFromStart, 0);
        std::vector<XMLElement> again;
        if (!ReadAll(written, again) || Shape(again) != Shape(nodes))
            std::abort();
    }
    ExerciseElementReaders(data, size);
    return 0;
}
