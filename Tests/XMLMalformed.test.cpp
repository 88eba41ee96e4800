// Hand-edited data files break in every way; the reader must answer each with its nodes or an
// XMLError, and never crash, hang or read past the end. Inputs the fuzzer found go into the same
// folder and are run by the last test without further ado.
#include "Support/XMLNodes.h"
#include "XMLError.h"
#include "XMLReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace Corvane;

namespace
{
const std::filesystem::path kCorpus = std::filesystem::path(CORVANE_TEST_DATA) / "XML" / "malformed";

std::string Load(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct Outcome
{
    std::size_t nodes = 0; // nodes delivered before the end or the error
    std::string error;     // the error's what-text, empty when the file read to its end
};

Outcome ReadFile(const std::string& name)
{
    MemoryStream source(std::wstring(name.begin(), name.end()));
    Testing::Fill(source, Load(kCorpus / name));
    Outcome outcome;
    try
    {
        XMLReader reader(source);
        while (!reader.AtEnd())
        {
            reader.Next();
            ++outcome.nodes;
        }
    }
    catch (const XMLError& e)
    {
        outcome.error = e.what();
    }
    return outcome;
}
} // namespace

TEST(XMLMalformed, TruncatedFilesNameWhereTheyStop)
{
    EXPECT_EQ(ReadFile("truncated-tag.xml").error, "truncated-tag.xml(2): EOF while eating '='");
    EXPECT_EQ(ReadFile("truncated-value.xml").error, "truncated-value.xml(3): EOF while eating '\"'");
    EXPECT_EQ(ReadFile("truncated-end-tag.xml").error, "truncated-end-tag.xml(3): EOF while eating '>'");
    EXPECT_EQ(ReadFile("attribute-at-eof.xml").error, "attribute-at-eof.xml(1): EOF while eating '='");
    EXPECT_EQ(ReadFile("lone-angle.xml").error, "lone-angle.xml(3): UnnamedElement");
    EXPECT_EQ(ReadFile("unnamed-element.xml").error, "unnamed-element.xml(2): UnnamedElement");
    EXPECT_EQ(ReadFile("attribute-without-quote.xml").error, "attribute-without-quote.xml(2): Expected quote, got 'L'");
    EXPECT_EQ(ReadFile("unterminated-cdata.xml").error, "unterminated-cdata.xml(2): EOF while eating ']]>'");
}

TEST(XMLMalformed, DocumentsThatAreNotWholeAreRefusedWhereTheyStop)
{
    // A file cut short inside a comment or declaration, or before its elements close, must not
    // pass for a shorter file.
    const Outcome comment = ReadFile("unterminated-comment.xml");
    EXPECT_EQ(comment.error, "unterminated-comment.xml(4): EOF while eating '-->'");
    EXPECT_EQ(comment.nodes, 4u) << "the nodes before the comment came first";
    EXPECT_EQ(ReadFile("unterminated-nested-comment.xml").error,
              "unterminated-nested-comment.xml(3): EOF while eating '-->'");
    EXPECT_EQ(ReadFile("unterminated-declaration.xml").error, "unterminated-declaration.xml(1): EOF while eating '?>'");
    EXPECT_EQ(ReadFile("unterminated-doctype.xml").error, "unterminated-doctype.xml(2): EOF while eating '>'");
    EXPECT_EQ(ReadFile("deep-comments.xml").error, "deep-comments.xml(1): EOF while eating '-->'");
    EXPECT_EQ(ReadFile("empty.xml").error, "empty.xml(1): The document has no element");
    EXPECT_EQ(ReadFile("only-bom.xml").error, "only-bom.xml(1): The document has no element");
}

TEST(XMLMalformed, BadBytesAndEntitiesBecomeVisibleText)
{
    const auto nodes = Testing::ReadNodes(Load(kCorpus / "bad-entities.xml"));
    ASSERT_EQ(nodes.size(), 15u);
    EXPECT_EQ(nodes[3].GetName(), L"Fish !amp chips!");
    // "&#xZZ;" reads letters as digits (35 * 16 + 35), "&#;" is 0 and "&;" an unknown empty name.
    EXPECT_EQ(nodes[7].GetName(), std::wstring(L"\u0253 \0 !!", 6));
    EXPECT_EQ(nodes[11].GetName(), L"!" + std::wstring(300, L'n') + L"!");

    const auto bytes = Testing::ReadNodes(Load(kCorpus / "invalid-utf8.xml") + "</u>");
    ASSERT_EQ(bytes.size(), 7u);
    EXPECT_EQ(bytes[0].GetAttributes().at(L"a"), L"\uFFFD(\uFFFD\uFFFD");
    EXPECT_EQ(bytes[1].GetName(), L"\uFFFD \uFFFD \uFFFD\uFFFD \uFFFD \uFFFD \uFFFD \uFFFD");
    EXPECT_EQ(bytes[5].GetName(), L"\uFFFD");

    EXPECT_EQ(ReadFile("deep-nesting.xml").nodes, 10001u);
}

TEST(XMLMalformed, EveryCorpusFileEndsWithNodesOrAnXMLError)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus))
    {
        SCOPED_TRACE(entry.path().filename().string());
        const Outcome outcome = ReadFile(entry.path().filename().string());
        if (!outcome.error.empty())
        {
            EXPECT_EQ(outcome.error.rfind(entry.path().filename().string() + "(", 0), 0u) << outcome.error;
        }
        ++files;
    }
    EXPECT_GE(files, 18);
}
