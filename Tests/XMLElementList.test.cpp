#include "XMLElementList.h"

#include "Support/XMLNodes.h"
#include "XMLElementReader.h"
#include "XMLReader.h"

#include <gtest/gtest.h>

using namespace Corvane;
using Corvane::Testing::Describe;
using Corvane::Testing::Fill;
using Strings = std::vector<std::wstring>;

TEST(XMLElementList, StoresOneElementsSubtreeAndWalksIt)
{
    MemoryStream source(L"m.xml");
    Fill(source, "<m><image name='a' file='x'><frame i='1'/></image><font name='f'/></m>");
    XMLReader document(source);
    document.Next(); // <m>
    document.Next(); // <image>

    XMLElementReader element(&document);
    XMLElementList list(element);
    EXPECT_EQ(Describe(list.GetElements()),
              (Strings{L"<image file=x name=a>", L"<frame i=1>", L"</frame>", L"</image>"}));
    EXPECT_EQ(document.Next()->GetName(), L"font"); // the document reader stands after the element

    // Stored nodes are copies that outlive the reader's own.
    XMLElementList copy = list;
    Strings walked;
    EXPECT_EQ(copy.Current(), nullptr);
    while (!copy.AtEnd())
        walked.push_back(Describe(*copy.Next()));
    EXPECT_EQ(walked, Describe(list.GetElements()));
    EXPECT_EQ(copy.Next(), nullptr);
    EXPECT_EQ(copy.Current()->GetName(), L"image");
}

TEST(XMLElementList, ProgressCountsStoredNodes)
{
    MemoryStream source(L"three.xml");
    Fill(source, "<a/>x");
    XMLReader document(source);
    XMLElementList list(document);
    ASSERT_EQ(list.GetElements().size(), 3u);

    EXPECT_FALSE(list.AtEnd());
    list.Next();
    EXPECT_FALSE(list.AtEnd());
    EXPECT_FLOAT_EQ(list.GetProgress(), 1.0f / 3.0f);
    list.Next();
    EXPECT_FALSE(list.AtEnd());
    EXPECT_FLOAT_EQ(list.GetProgress(), 2.0f / 3.0f);
    list.Next();
    EXPECT_TRUE(list.AtEnd());
    EXPECT_FLOAT_EQ(list.GetProgress(), 1.0f);
    EXPECT_EQ(list.GetLine(), 0);
    std::wstring name = L"stale";
    EXPECT_EQ(list.GetName(name), L"");

    XMLElementList empty;
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_EQ(empty.Next(), nullptr);
}
