// The document reader: turns the UTF-8 bytes of one XML file into a flat sequence of nodes.
//
// It is small and forgiving. The whole source is copied into memory once; nodes are parsed
// lazily, one ahead of the consumer. Character and entity references are decoded in text and
// attribute values; comments (which nest), processing instructions and declarations are skipped;
// a CDATA section is text taken as written. Undecodable bytes become U+FFFD and unknown entities
// read as "!name!". What cannot be read raises XMLError with the source's name and line, and so
// does a document that is not whole: one without any element, or one that ends inside markup or
// before its elements have closed (a file cut short must not pass for a shorter file). Nesting is
// not checked beyond that: an end tag closes the open element of its name with whatever is open
// inside it, and one that closes nothing is passed over; consumers that count depth rely on the
// file being nested.
#pragma once

#include "IXMLReader.h"
#include "MemoryStream.h"
#include "XMLScanner.h"

#include <deque>
#include <memory>
#include <vector>

namespace Corvane
{
class XMLReader : public IXMLReader
{
public:
    // Copies source whole; source stays the caller's and is not touched afterwards.
    explicit XMLReader(IStream& source);
    ~XMLReader() override;

    bool AtEnd() override;
    XMLElement* Next() override;
    XMLElement* Current() override;
    // The share of the source parsed so far; 1 for an empty source.
    float GetProgress() override;
    int GetLine() override;
    std::wstring& GetName(std::wstring& out) override;

private:
    // Queues the next node (two for "<a/>"); nothing at the end of a whole document.
    void ParseNext();
    // At the end of the input: throws unless the document had an element and all have closed.
    void CheckWhole();
    void ParseText(std::wstring&& leadingWhitespace);
    void ParseElement();
    void ParseAttributes(XMLElement& element);
    // Takes the ASCII text or throws.
    void Eat(const char* text);
    // Nodes and attribute entries are reused once handed back, so a long document costs few
    // allocations.
    std::unique_ptr<XMLElement> NewNode(int kind);
    void Recycle(std::unique_ptr<XMLElement> node);
    AttributeMap::node_type NewAttribute();
    [[noreturn]] void Fail(const std::wstring& message, int sourceLine, const char* function);

    std::wstring mName;
    MemoryStream mCopy;
    Internal::XMLScanner mScanner;
    std::unique_ptr<XMLElement> mCurrent;
    std::deque<std::unique_ptr<XMLElement>> mQueue;
    std::vector<std::unique_ptr<XMLElement>> mSpareNodes;
    std::vector<AttributeMap::node_type> mSpareAttributes;
    // The names of the elements open at the parse position, outermost first: the first mDepth.
    std::vector<std::wstring> mOpen;
    std::size_t mDepth = 0;
    bool mSawElement = false;
};

// A reader over source, for callers that hold readers by interface; the caller owns it.
IXMLReader* CreateXMLReader(IStream& source);
} // namespace Corvane
