#include "XMLElementReader.h"

#include "Support/XMLNodes.h"
#include "XMLError.h"
#include "XMLReader.h"

#include <gtest/gtest.h>

using namespace Corvane;
using Corvane::Testing::Describe;
using Corvane::Testing::Fill;
using Strings = std::vector<std::wstring>;

namespace
{
// Advances reader to the next start tag called name.
XMLElement* SeekStart(IXMLReader& reader, const std::wstring& name)
{
    while (!reader.AtEnd())
    {
        XMLElement* node = reader.Next();
        if (node->IsStartTag() && node->GetName() == name)
            return node;
    }
    return nullptr;
}

// Every node an element reader returns, the way its users walk it.
Strings Walk(XMLElementReader& element)
{
    Strings nodes;
    do
        nodes.push_back(Describe(*element.Next()));
    while (!element.AtEnd());
    return nodes;
}
} // namespace

TEST(XMLElementReader, ReturnsTheElementThenStopsAfterItsEndTag)
{
    MemoryStream source(L"one.xml");
    Fill(source, "<a x='1'/>");
    XMLReader document(source);
    ASSERT_NE(SeekStart(document, L"a"), nullptr);

    XMLElementReader element(&document);
    EXPECT_TRUE(element.AtEnd()); // before its first Next
    EXPECT_EQ(Walk(element), (Strings{L"<a x=1>", L"</a>"}));
    EXPECT_TRUE(element.AtEnd());
    EXPECT_EQ(element.Current(), document.Current());
}

TEST(XMLElementReader, NestedReadersShareTheParentAndKeepTheirPlace)
{
    MemoryStream source(L"tree.xml");
    Fill(source, "<root>\n<a><b k='v'>t</b><c/></a>\n<d/>\n</root>");
    XMLReader document(source);
    ASSERT_NE(SeekStart(document, L"a"), nullptr);

    XMLElementReader a(&document);
    Strings seen;
    seen.push_back(Describe(*a.Next()));
    while (!a.AtEnd())
    {
        XMLElement* node = a.Next();
        if (node->IsStartTag() && node->GetName() == L"b")
        {
            XMLElementReader b(&a); // built on the parent's start tag, like the record loader does
            EXPECT_EQ(Walk(b), (Strings{L"<b k=v>", L"'t'", L"</b>"}));
            std::wstring name;
            EXPECT_EQ(b.GetName(name), L"tree.xml");
            EXPECT_EQ(b.GetLine(), document.GetLine());
            EXPECT_FLOAT_EQ(b.GetProgress(), 0.5f);
            seen.push_back(L"[b]");
        }
        else
        {
            seen.push_back(Describe(*node));
        }
    }
    // The nested reader's end tag counted for the outer one as well.
    EXPECT_EQ(seen, (Strings{L"<a>", L"[b]", L"<c>", L"</c>", L"</a>"}));
    ASSERT_NE(SeekStart(document, L"d"), nullptr); // the document goes on after the element
}

TEST(XMLElementReader, ADocumentCutOffInsideTheElementIsRefusedNotWaitedOn)
{
    MemoryStream source(L"cut.xml");
    Fill(source, "<root><a><b/>text");
    XMLReader document(source);
    ASSERT_NE(SeekStart(document, L"a"), nullptr);

    XMLElementReader a(&document);
    Strings nodes;
    try
    {
        do
            nodes.push_back(Describe(*a.Next()));
        while (!a.AtEnd());
        ADD_FAILURE() << "a cut element read to an end";
    }
    catch (const XMLError& error)
    {
        EXPECT_STREQ(error.what(), "cut.xml(1): EOF while eating '</a>'");
    }
    // The reader parses a node ahead: the error comes in place of the last node before the cut.
    EXPECT_EQ(nodes, (Strings{L"<a>", L"<b>", L"</b>"}));
}
