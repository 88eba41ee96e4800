#include "XMLReader.h"

#include "Support/XMLNodes.h"
#include "XMLError.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Corvane;
using Corvane::Testing::Describe;
using Corvane::Testing::Fill;
using Corvane::Testing::ReadNodes;
using Strings = std::vector<std::wstring>;

namespace
{
Strings Read(const std::string& bytes)
{
    return Describe(ReadNodes(bytes));
}

// The what-text of the error reading bytes gives, or "" when there is none.
std::string ErrorOf(const std::string& bytes)
{
    try
    {
        ReadNodes(bytes, L"broken.xml");
    }
    catch (const XMLError& e)
    {
        return e.what();
    }
    return "";
}

// A source that can only be read in small pieces, like a file.
class TrickleStream : public MemoryStream
{
public:
    explicit TrickleStream(bool stall) : MemoryStream(L"trickle"), mStall(stall) {}
    unsigned GetCapabilities() override { return kCanRead; }
    unsigned Read(void* buffer, unsigned count) override
    {
        const unsigned limit = mStall ? 10 - std::min(Tell(), 10u) : 1000u;
        return MemoryStream::Read(buffer, std::min(count, limit));
    }
    bool IsEOF() override { return !mStall && MemoryStream::IsEOF(); }

private:
    bool mStall;
};
} // namespace

TEST(XMLReader, EmptyElementTagsReadAsStartAndEnd)
{
    const auto nodes = ReadNodes("<a x='1'/>");
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_TRUE(nodes[0].IsStartTag());
    EXPECT_EQ(nodes[0].GetName(), L"a");
    EXPECT_EQ(nodes[0].GetIntAttribute(L"x", 0), 1);
    EXPECT_TRUE(nodes[1].IsEndTag());
    EXPECT_EQ(nodes[1].GetName(), L"a");
    EXPECT_TRUE(nodes[1].GetAttributes().empty());
}

TEST(XMLReader, WhiteSpaceBetweenTagsArrivesAsText)
{
    EXPECT_EQ(Read("<a>\n <b/>\n</a>"), (Strings{L"<a>", L"'\n '", L"<b>", L"</b>", L"'\n'", L"</a>"}));
    // Text keeps its surrounding blanks; leading and trailing white space of the file is dropped.
    EXPECT_EQ(Read("  \r\n<t> hi there </t>\n\n"), (Strings{L"<t>", L"' hi there '", L"</t>"}));
    EXPECT_EQ(Read("<a>x</a >tail"), (Strings{L"<a>", L"'x'", L"</a>", L"'tail'"}));
}

TEST(XMLReader, AttributesAreDecodedAndTheLastOfARepeatedNameWins)
{
    const auto nodes = ReadNodes("<e  a=\"1\"\tb='it&apos;s'\nc=\"&lt;&#x263A;&gt;\" a='2' d ='x'/>");
    ASSERT_FALSE(nodes.empty());
    const XMLElement& e = nodes[0];
    EXPECT_EQ(e.GetAttributes().size(), 4u);
    EXPECT_STREQ(e.GetStringAttribute(L"a", L""), L"2");
    EXPECT_STREQ(e.GetStringAttribute(L"b", L""), L"it's");
    EXPECT_STREQ(e.GetStringAttribute(L"c", L""), L"<\u263A>");
    // Everything before the '=' is the name, blanks included.
    EXPECT_STREQ(e.GetStringAttribute(L"d ", L"?"), L"x");
}

TEST(XMLReader, CommentsDeclarationsAndInstructionsAreSkipped)
{
    EXPECT_EQ(Read("<?xml version=\"1.0\" encoding=\"UTF-8\" ?><r><!-- note --><x/></r>"),
              (Strings{L"<r>", L"<x>", L"</x>", L"</r>"}));
    // Comments nest: the inner "-->" closes only the inner comment.
    EXPECT_EQ(Read("<r><!-- x <!-- y --> z --><s/></r>"), (Strings{L"<r>", L"<s>", L"</s>", L"</r>"}));
    EXPECT_EQ(Read("<r><!---->a<!-->b</r>"), (Strings{L"<r>", L"'a'", L"'b'", L"</r>"}));
    EXPECT_EQ(Read("<?pi <!-- ?> --> ?><r/>"), (Strings{L"<r>", L"</r>"}));
    EXPECT_EQ(Read("<!DOCTYPE r [ <!ENTITY e \"v\"> ]>\n<r/>"), (Strings{L"'\n'", L"<r>", L"</r>"}));
    // A byte-order mark is no text.
    EXPECT_EQ(Read("\xEF\xBB\xBF<r/>"), (Strings{L"<r>", L"</r>"}));
}

TEST(XMLReader, CDataIsTextTakenAsWritten)
{
    EXPECT_EQ(Read("<t>a &amp; <![CDATA[<b> & &amp; ]]> c</t>"), (Strings{L"<t>", L"'a & <b> & &amp;  c'", L"</t>"}));
    EXPECT_EQ(Read("<t><![CDATA[]]]]><![CDATA[>]]></t>"), (Strings{L"<t>", L"']]>'", L"</t>"}));
}

TEST(XMLReader, TextAndEntitiesDecodeInTextNodes)
{
    EXPECT_EQ(Read("<t>&lt;&#65;&#x42;&amp;&foo;</t>"), (Strings{L"<t>", L"'<AB&!foo!'", L"</t>"}));
    EXPECT_EQ(Read("<t>caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80</t>"),
              (Strings{L"<t>", L"'caf\u00E9 \u20AC \U0001F600'", L"</t>"}));
    EXPECT_EQ(Read("<t>\xC3(</t>"), (Strings{L"<t>", L"'\uFFFD('", L"</t>"}));
    EXPECT_EQ(Read(std::string("<t>a\0b</t>", 10)), (Strings{L"<t>", L"'a\uFFFDb'", L"</t>"}));
}

TEST(XMLReader, ErrorTextsNameTheFileAndLine)
{
    EXPECT_EQ(ErrorOf("<a x= '1'/>"), "broken.xml(1): Expected quote, got ' '");
    EXPECT_EQ(ErrorOf("<r>\n\n<>"), "broken.xml(3): UnnamedElement");
    EXPECT_EQ(ErrorOf("<a"), "broken.xml(1): EOF while eating '='");
    EXPECT_EQ(ErrorOf("<a x="), "broken.xml(1): EOF while eating '\"'");
    EXPECT_EQ(ErrorOf("<a x='1"), "broken.xml(1): EOF while eating '''");
    EXPECT_EQ(ErrorOf("<r/>\n</r"), "broken.xml(2): EOF while eating '>'");
    EXPECT_EQ(ErrorOf("<a/ >"), "broken.xml(1): Couldn't eat '>'");
    EXPECT_EQ(ErrorOf("<t><![CDATA[never closed"), "broken.xml(1): EOF while eating ']]>'");
    EXPECT_EQ(ErrorOf("<"), "broken.xml(1): UnnamedElement");

    try
    {
        ReadNodes("<r>\n<a b=c/>\n</r>", L"data/level.xml");
        FAIL() << "no error";
    }
    catch (const RuntimeError& e)
    {
        EXPECT_STREQ(e.what(), "data/level.xml(2): Expected quote, got 'c'");
        EXPECT_EQ(e.GetFunction(), "Corvane::XMLReader::ParseElement");
        EXPECT_NE(e.GetFile().find("XMLReader.cpp"), std::string::npos);
    }
}

TEST(XMLReader, ADocumentThatIsNotWholeIsRefusedWhereItEnds)
{
    // Cut inside a comment, an instruction or a declaration: these used to end the document
    // quietly, so a file cut short passed for a shorter one.
    EXPECT_EQ(ErrorOf("<a/><!-- never closed"), "broken.xml(1): EOF while eating '-->'");
    EXPECT_EQ(ErrorOf("<a/><!-- <!-- --> still open"), "broken.xml(1): EOF while eating '-->'");
    EXPECT_EQ(ErrorOf("<a/><?pi"), "broken.xml(1): EOF while eating '?>'");
    EXPECT_EQ(ErrorOf("<a/><!DOCTYPE"), "broken.xml(1): EOF while eating '>'");
    // Cut between elements, or before any.
    EXPECT_EQ(ErrorOf("<a><b>text</b>"), "broken.xml(1): EOF while eating '</a>'");
    EXPECT_EQ(ErrorOf("<a>\n  <b x='1'>\n"), "broken.xml(2): EOF while eating '</b>'");
    EXPECT_EQ(ErrorOf("<!--"), "broken.xml(1): EOF while eating '-->'");
    EXPECT_EQ(ErrorOf("<!-- only a comment -->\n"), "broken.xml(1): The document has no element");
    EXPECT_EQ(ErrorOf("just text"), "broken.xml(1): The document has no element");
    // Whole documents: an end tag closes what is open inside its element, one that closes
    // nothing is passed over, and what follows the root is read on.
    EXPECT_EQ(Read("<a><b></a></c>\n<!-- done -->\n"), (Strings{L"<a>", L"<b>", L"</a>", L"</c>", L"'\n'"}));
    EXPECT_EQ(ErrorOf("<?xml version='1.0'?><!DOCTYPE a [<!ENTITY x 'y'>]><a><![CDATA[<b>]]></a>"), "");
}

TEST(XMLReader, CursorLinesAndProgress)
{
    MemoryStream source(L"doc.xml");
    Fill(source, "<r>\n  <a/>\n  <b>text</b>\n</r>\n");
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(source));
    std::wstring name;
    EXPECT_EQ(reader->GetName(name), L"doc.xml");
    EXPECT_EQ(reader->Current(), nullptr);
    EXPECT_EQ(reader->GetLine(), 1);

    float progress = reader->GetProgress();
    EXPECT_GE(progress, 0.0f);
    std::vector<int> lines;
    while (!reader->AtEnd())
    {
        XMLElement* node = reader->Next();
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(reader->Current(), node);
        EXPECT_GE(reader->GetProgress(), progress);
        progress = reader->GetProgress();
        if (node->IsStartTag())
            lines.push_back(reader->GetLine());
    }
    // The reader parses one node ahead, so a tag's line is the line the look-ahead has reached.
    EXPECT_EQ(lines, (std::vector<int>{2, 2, 3}));
    EXPECT_EQ(reader->GetLine(), 4);
    EXPECT_FLOAT_EQ(reader->GetProgress(), 1.0f);
    EXPECT_EQ(reader->Next(), nullptr);
    EXPECT_EQ(reader->Current(), nullptr);
}

TEST(XMLReader, AnEmptySourceHasFullProgressAndIsRefused)
{
    MemoryStream source(L"empty.xml");
    XMLReader reader(source);
    EXPECT_EQ(reader.GetProgress(), 1.0f); // not 0 / 0
    EXPECT_EQ(reader.GetLine(), 1);
    EXPECT_THROW(reader.AtEnd(), XMLError) << "an empty file is no document";

    MemoryStream blank(L"blank.xml");
    Fill(blank, " \r\n\t ");
    EXPECT_THROW(XMLReader(blank).AtEnd(), XMLError);
}

TEST(XMLReader, SourcesWithoutReadInPlaceAreCopiedInChunks)
{
    std::string document = "<r>";
    for (int i = 0; i < 2000; ++i)
        document += "<item id=\"" + std::to_string(i) + "\"/>";
    document += "</r>";

    TrickleStream source(false);
    Fill(source, document);
    XMLReader reader(source);
    int items = 0, last = -1;
    while (!reader.AtEnd())
    {
        XMLElement* node = reader.Next();
        if (node->IsStartTag() && node->GetName() == L"item")
        {
            ++items;
            last = node->GetIntAttribute(L"id", -1);
        }
    }
    EXPECT_EQ(items, 2000);
    EXPECT_EQ(last, 1999);
    EXPECT_TRUE(source.IsEOF()); // the reader took all of it at construction

    // A source that stops delivering without reaching its end gives what it delivered, and then
    // the error of a document cut short.
    TrickleStream stalled(true);
    Fill(stalled, "<r>0123456789</r>");
    XMLReader partial(stalled);
    ASSERT_FALSE(partial.AtEnd());
    EXPECT_EQ(partial.Next()->GetName(), L"r");
    EXPECT_THROW(partial.Next(), XMLError) << "\"<r>0123456\" is all that came";
}

TEST(XMLReader, DeepNestingIsFlatWork)
{
    std::string document;
    for (const char* piece : {"<d>", "<!--", "-->", "</d>"})
        for (int i = 0; i < 100000; ++i)
            document += piece;
    EXPECT_EQ(ReadNodes(document).size(), 200000u);
}
