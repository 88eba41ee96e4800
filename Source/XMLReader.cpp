#include "XMLReader.h"

#include "Format.h"
#include "XMLEntities.h"
#include "XMLError.h"

#include <algorithm>
#include <cstring>

namespace Corvane
{
namespace
{
constexpr unsigned kCopyChunk = 16384;
// Enough for the attributes of a few elements; an element with more gives the rest back to the heap.
constexpr std::size_t kMaxSpareAttributes = 64;
constexpr std::size_t kMaxSpareNodes = 4;

// Fills copy with everything source has left and returns it positioned at its start.
MemoryStream& CopyWhole(IStream& source, MemoryStream& copy)
{
    if (source.GetCapabilities() & IStream::kCanReadInPlace)
    {
        const void* data = nullptr;
        const unsigned n = source.ReadOptimized(&data, source.GetSize());
        if (n > 0 && data)
            copy.Write(data, n);
    }
    else
    {
        unsigned char buffer[kCopyChunk];
        while (!source.IsEOF())
        {
            const unsigned n = std::min(source.Read(buffer, kCopyChunk), kCopyChunk);
            if (n == 0)
                break; // neither data nor its end: take what came rather than wait forever
            copy.Write(buffer, n);
        }
    }
    copy.Seek(IStream::kFromStart, 0);
    return copy;
}

// The whole content of a memory stream, in place.
Internal::XMLScanner ScannerOver(MemoryStream& copy)
{
    const void* data = nullptr;
    const unsigned size = copy.ReadOptimized(&data, copy.GetSize());
    copy.Seek(IStream::kFromStart, 0);
    return Internal::XMLScanner(static_cast<const unsigned char*>(data), size);
}

std::wstring NameOf(IStream& stream)
{
    std::wstring name;
    return stream.GetName(name);
}

std::wstring Widen(const char* text)
{
    return std::wstring(text, text + std::strlen(text));
}

constexpr Internal::AsciiSet kTagNameEnd(" \n\r\t/>");
constexpr Internal::AsciiSet kTextEnd("<");
constexpr Internal::AsciiSet kAttributeNameEnd("=");
constexpr Internal::AsciiSet kTagEnd(">");
constexpr Internal::AsciiSet kDoubleQuote("\"");
constexpr Internal::AsciiSet kSingleQuote("'");
} // namespace

XMLReader::XMLReader(IStream& source)
    : mName(NameOf(source)), mCopy(mName), mScanner(ScannerOver(CopyWhole(source, mCopy)))
{
    // A byte-order mark is no content (editors on Windows like to add one).
    if (mScanner.StartsWith("\xEF\xBB\xBF"))
        mScanner.Skip(3);
    mScanner.SkipWhitespace();
}

XMLReader::~XMLReader() = default;

bool XMLReader::AtEnd()
{
    if (!mQueue.empty())
        return false;
    ParseNext();
    return mQueue.empty();
}

XMLElement* XMLReader::Next()
{
    // Keep one node of look-ahead, so that errors surface a node early but the queue stays short.
    if (mQueue.size() < 2)
        ParseNext();
    if (mQueue.empty())
    {
        Recycle(std::move(mCurrent));
        return nullptr;
    }
    Recycle(std::move(mCurrent));
    mCurrent = std::move(mQueue.front());
    mQueue.pop_front();
    return mCurrent.get();
}

XMLElement* XMLReader::Current()
{
    return mCurrent.get();
}

float XMLReader::GetProgress()
{
    const auto size = static_cast<std::uint32_t>(mScanner.GetSize());
    if (size == 0)
        return 1.0f;
    return static_cast<float>(static_cast<std::uint32_t>(mScanner.GetPosition())) / static_cast<float>(size);
}

int XMLReader::GetLine()
{
    return mScanner.GetLine();
}

std::wstring& XMLReader::GetName(std::wstring& out)
{
    out = mName;
    return out;
}

std::unique_ptr<XMLElement> XMLReader::NewNode(int kind)
{
    std::unique_ptr<XMLElement> node;
    if (mSpareNodes.empty())
    {
        node = std::make_unique<XMLElement>();
    }
    else
    {
        node = std::move(mSpareNodes.back());
        mSpareNodes.pop_back();
    }
    node->SetKind(kind);
    return node;
}

void XMLReader::Recycle(std::unique_ptr<XMLElement> node)
{
    if (!node || mSpareNodes.size() >= kMaxSpareNodes)
        return;
    AttributeMap& attributes = node->GetAttributes();
    while (!attributes.empty() && mSpareAttributes.size() < kMaxSpareAttributes)
        mSpareAttributes.push_back(attributes.extract(attributes.begin()));
    attributes.clear();
    node->GetName().clear();
    mSpareNodes.push_back(std::move(node));
}

AttributeMap::node_type XMLReader::NewAttribute()
{
    if (mSpareAttributes.empty())
    {
        AttributeMap one;
        one.emplace();
        return one.extract(one.begin());
    }
    AttributeMap::node_type entry = std::move(mSpareAttributes.back());
    mSpareAttributes.pop_back();
    entry.key().clear();
    entry.mapped().clear();
    return entry;
}

void XMLReader::Fail(const std::wstring& message, int sourceLine, const char* function)
{
    throw XMLError(mName, mScanner.GetLine(), message, __FILE__, sourceLine, function);
}

void XMLReader::Eat(const char* text)
{
    for (const char* p = text; *p; ++p)
    {
        if (mScanner.AtEnd())
            Fail((Format(L"EOF while eating '%1%'") % Widen(text)).str(), __LINE__, "Corvane::XMLReader::Eat");
        if (mScanner.Peek() != static_cast<unsigned char>(*p))
            Fail((Format(L"Couldn't eat '%1%'") % Widen(text)).str(), __LINE__, "Corvane::XMLReader::Eat");
        mScanner.Skip(1);
    }
}

void XMLReader::ParseNext()
{
    for (;;)
    {
        std::wstring whitespace;
        mScanner.ReadWhitespace(whitespace);
        if (mScanner.AtEnd())
        {
            CheckWhole();
            return;
        }
        const int next = mScanner.PeekByte(1);
        if (!whitespace.empty() || mScanner.PeekByte() != '<' || (next == '!' && mScanner.StartsWith("<![CDATA[")))
        {
            ParseText(std::move(whitespace));
            return;
        }
        if (next == '!' && mScanner.PeekByte(2) == '-')
        {
            // The comment's own "--" may already be part of its end: "<!-->" is a whole comment.
            mScanner.Skip(2);
            if (!mScanner.SkipPast("-->"))
                Fail(L"EOF while eating '-->'", __LINE__, "Corvane::XMLReader::ParseNext");
        }
        else if (next == '!')
        {
            if (!mScanner.SkipDeclaration())
                Fail(L"EOF while eating '>'", __LINE__, "Corvane::XMLReader::ParseNext");
        }
        else if (next == '?')
        {
            mScanner.Skip(2);
            if (!mScanner.SkipPast("?>"))
                Fail(L"EOF while eating '?>'", __LINE__, "Corvane::XMLReader::ParseNext");
        }
        else
        {
            mScanner.Skip(1);
            ParseElement();
            return;
        }
    }
}

void XMLReader::CheckWhole()
{
    if (!mSawElement)
        Fail(L"The document has no element", __LINE__, "Corvane::XMLReader::CheckWhole");
    if (mDepth > 0)
        Fail((Format(L"EOF while eating '</%1%>'") % mOpen[mDepth - 1]).str(), __LINE__,
             "Corvane::XMLReader::CheckWhole");
}

void XMLReader::ParseText(std::wstring&& leadingWhitespace)
{
    auto node = NewNode(XMLElement::kText);
    std::wstring& text = node->GetName();
    text.swap(leadingWhitespace);
    // A CDATA section joins the text around it, taken as written.
    for (;;)
    {
        const std::size_t segment = text.size();
        mScanner.ReadUntil(text, kTextEnd);
        Internal::DecodeReferences(text, segment);
        if (!mScanner.StartsWith("<![CDATA["))
            break;
        mScanner.Skip(9);
        if (!mScanner.ReadThrough(text, "]]>"))
            Fail(L"EOF while eating ']]>'", __LINE__, "Corvane::XMLReader::ParseText");
    }
    mQueue.push_back(std::move(node));
}

void XMLReader::ParseElement()
{
    mScanner.SkipWhitespace();
    if (mScanner.PeekByte() == '/')
    {
        Eat("/");
        auto node = NewNode(XMLElement::kEndTag);
        mScanner.ReadUntil(node->GetName(), kTagNameEnd);
        std::wstring ignored;
        mScanner.ReadUntil(ignored, kTagEnd);
        Eat(">");
        // An end tag closes its element and whatever was left open inside it; one that closes
        // nothing open is passed over.
        for (std::size_t open = mDepth; open-- > 0;)
            if (mOpen[open] == node->GetName())
            {
                mDepth = open;
                break;
            }
        mQueue.push_back(std::move(node));
        return;
    }

    auto node = NewNode(XMLElement::kStartTag);
    mScanner.ReadUntil(node->GetName(), kTagNameEnd);
    if (node->GetName().empty())
        Fail(L"UnnamedElement", __LINE__, "Corvane::XMLReader::ParseElement");
    mScanner.SkipWhitespace();
    ParseAttributes(*node);

    const bool empty = mScanner.PeekByte() == '/';
    const XMLElement& start = *mQueue.emplace_back(std::move(node));
    if (empty)
    {
        Eat("/");
        auto end = NewNode(XMLElement::kEndTag);
        end->GetName() = start.GetName();
        mQueue.push_back(std::move(end));
    }
    Eat(">");
    mSawElement = true;
    if (!empty)
    {
        // The names' strings are kept for the next elements at that depth: no allocation per tag.
        if (mDepth == mOpen.size())
            mOpen.emplace_back();
        mOpen[mDepth++] = start.GetName();
    }
}

void XMLReader::ParseAttributes(XMLElement& element)
{
    AttributeMap& attributes = element.GetAttributes();
    for (int next = mScanner.PeekByte(); next != '/' && next != '>'; next = mScanner.PeekByte())
    {
        AttributeMap::node_type entry = NewAttribute();
        mScanner.ReadUntil(entry.key(), kAttributeNameEnd);
        Eat("=");
        if (mScanner.AtEnd())
            Fail(L"EOF while eating '\"'", __LINE__, "Corvane::XMLReader::ParseElement");
        const CodePoint quote = mScanner.Peek();
        if (quote != '"' && quote != '\'')
        {
            const std::wstring got(1, static_cast<wchar_t>(quote));
            Fail((Format(L"Expected quote, got '%1%'") % got).str(), __LINE__, "Corvane::XMLReader::ParseElement");
        }
        mScanner.Skip(1);
        mScanner.ReadUntil(entry.mapped(), quote == '"' ? kDoubleQuote : kSingleQuote);
        Eat(quote == '"' ? "\"" : "'");
        Internal::DecodeReferences(entry.mapped());
        auto result = attributes.insert(std::move(entry));
        if (!result.inserted)
        {
            // A repeated name keeps the last value.
            result.position->second.swap(result.node.mapped());
            mSpareAttributes.push_back(std::move(result.node));
        }
        mScanner.SkipWhitespace();
    }
}

IXMLReader* CreateXMLReader(IStream& source)
{
    return new XMLReader(source);
}
} // namespace Corvane
