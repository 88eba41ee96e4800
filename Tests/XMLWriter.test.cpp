#include "XMLWriter.h"

#include "Support/XMLNodes.h"
#include "XMLReader.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Corvane;
using Corvane::Testing::Contents;
using Corvane::Testing::Describe;
using Corvane::Testing::ReadStructure;

namespace
{
constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";

// What a writer produces: build is handed the writer, which is destroyed before the bytes are
// taken, so that open elements are closed.
template <typename Build> std::string Written(Build build)
{
    MemoryStream stream(L"out.xml");
    {
        XMLWriter writer(&stream);
        build(writer);
    }
    return Contents(stream);
}
} // namespace

TEST(XMLWriter, OneTagPerLineAndEmptyElementsSelfClose)
{
    EXPECT_EQ(Written([](XMLWriter& w) {
                  w.StartElement(L"account");
                  w.StartElement(L"record");
                  w.WriteAttribute(L"name", L"Volume");
                  w.WriteAttribute(L"value", L"0.5");
                  w.EndElement();
                  w.EndElement();
              }),
              std::string(kDeclaration) + "<account>\r\n<record name=\"Volume\" value=\"0.5\"/>\r\n</account>\r\n");

    EXPECT_EQ(Written([](XMLWriter& w) {
                  w.StartElement(L"t");
                  w.WriteText(L"only text");
                  w.EndElement();
              }),
              std::string(kDeclaration) + "<t>only text</t>\r\n");

    // Ending with nothing open writes nothing.
    EXPECT_EQ(Written([](XMLWriter& w) { w.EndElement(); }), kDeclaration);
}

TEST(XMLWriter, DestructionClosesOpenElementsInnermostFirst)
{
    EXPECT_EQ(Written([](XMLWriter& w) {
                  w.StartElement(L"outer");
                  w.StartElement(L"inner");
                  w.WriteText(L"x");
              }),
              std::string(kDeclaration) + "<outer>\r\n<inner>x</inner>\r\n</outer>\r\n");
}

// Characters XML 1.0 forbids even as references (here NUL, U+0001, U+000B, U+001F, U+FFFE and
// U+FFFF) are left out, so that a strict reader takes the file.
TEST(XMLWriter, EscapesAttributeValuesAndTextAndLeavesOutWhatXMLForbids)
{
    const std::wstring forbidden = {L'\0', L'\x01', L'\x0B', L'\x1F', L'\xFFFE', L'\xFFFF'};
    EXPECT_EQ(Written([&](XMLWriter& w) {
                  w.StartElement(L"e");
                  w.WriteAttribute(L"v", L"a\tb\"c&d<e>f'g\n" + forbidden + L"\r\x7F");
                  w.WriteText(L"a\tb\"c&d<e>f'g\r\n" + forbidden + L"\u00E9");
              }),
              std::string(kDeclaration) + "<e v=\"a&#9;b&quot;c&amp;d&lt;e&gt;f'g&#10;&#13;\x7F\">a\tb&quot;c&amp;d&lt;e&gt;f'g\r\n"
                                          "\xC3\xA9</e>\r\n");
}

TEST(XMLWriter, EncodesUtf8IncludingCharactersBeyond16Bits)
{
    MemoryStream stream(L"chars");
    XMLWriter::WriteChar(&stream, L'\u00E9');
    XMLWriter::WriteChar(&stream, L'\u20AC');
    XMLWriter::WriteChar(&stream, static_cast<wchar_t>(0x1F600));
    XMLWriter::WriteChar(&stream, static_cast<wchar_t>(0xD800)); // half a pair on its own
    EXPECT_EQ(Contents(stream), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD");

    // A pair that came from 16-bit data is written as its one code point.
    const std::wstring pair = {L'[', static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00), L']'};
    EXPECT_EQ(Written([&](XMLWriter& w) {
                  w.StartElement(L"t");
                  w.WriteText(pair);
              }),
              std::string(kDeclaration) + "<t>[\xF0\x9F\x98\x80]</t>\r\n");
}

TEST(XMLWriter, OutputReadsBackToTheSameElements)
{
    const std::string original =
        "<?xml version=\"1.0\"?>\n"
        "<!-- profile -->\n"
        "<account>\n"
        "  <record name=\"Name\" value=\"Zo&#xEB; &amp; &lt;Bo&gt; &quot;&#x1F600;&quot;\"/>\n"
        "  <record name=\"Tabs\" value=\"a&#9;b&#10;c&#13;\" empty=\"\"/>\n"
        "  <note lang='fr'>cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65 &euro; 5 &lt; 6 \xF0\x9F\x8D\xB0</note>\n"
        "  <deep><er><est x=\"1\">text</est></er></deep>\n"
        "</account>\n";
    const auto nodes = ReadStructure(original);
    ASSERT_EQ(nodes.size(), 16u);

    const std::string written = Written([&](XMLWriter& w) {
        for (const auto& node : nodes)
            w.WriteElement(node);
    });
    EXPECT_EQ(Describe(ReadStructure(written)), Describe(nodes));
    EXPECT_EQ(ReadStructure(written)[1].GetAttributes().at(L"value"), L"Zo\u00EB & <Bo> \"\U0001F600\"");
}
