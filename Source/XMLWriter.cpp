#include "XMLWriter.h"

#include "Utf8.h"
#include "XMLCharacters.h"

#include <cstring>
#include <cwchar>

namespace Corvane
{
namespace
{
constexpr char kLineBreak[] = "\r\n";

// Appends text as UTF-8, without the characters XML forbids; a surrogate pair (text that came from
// 16-bit data) is written as its one code point, a lone half, which no well-formed file can hold,
// as U+FFFD.
void AppendEncoded(std::string& out, const wchar_t* text, std::size_t length)
{
    for (std::size_t i = 0; i < length;)
        if (const CodePoint c = Internal::ReadCodePoint(text, length, i); !XMLWriter::IsForbidden(c))
            Utf8::Append(out, c);
}

void WriteBytes(IStream* stream, const std::string& bytes)
{
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<unsigned>(bytes.size()));
}

// The reference a character needs, or null when it is written as it is.
const char* NamedEscape(wchar_t c)
{
    switch (c)
    {
    case L'&': return "&amp;";
    case L'"': return "&quot;";
    case L'<': return "&lt;";
    case L'>': return "&gt;";
    default: return nullptr;
    }
}
} // namespace

bool XMLWriter::IsForbidden(CodePoint c)
{
    // A reader would refuse the whole file for one of them.
    return (c < 0x20 && c != L'\t' && c != L'\n' && c != L'\r') || c == 0xFFFE || c == 0xFFFF;
}

XMLWriter::XMLWriter(IStream* stream) : mStream(stream)
{
    WriteAscii("<?xml version=\"1.0\" encoding=\"");
    WriteAscii("UTF-8");
    WriteAscii("\" ?>");
    WriteAscii(kLineBreak);
}

XMLWriter::~XMLWriter()
{
    while (!mOpen.empty())
        EndElement();
}

void XMLWriter::StartElement(const wchar_t* name)
{
    if (mState == 1)
    {
        WriteAscii(">");
        WriteAscii(kLineBreak);
    }
    WriteAscii("<");
    WriteRaw(name, std::wcslen(name));
    mOpen.emplace_back(name);
    mState = 1;
}

void XMLWriter::WriteAttribute(const wchar_t* name, const wchar_t* value)
{
    WriteAttribute(std::wstring(name), std::wstring(value));
}

void XMLWriter::WriteAttribute(const std::wstring& name, const std::wstring& value)
{
    WriteAscii(" ");
    WriteRaw(name.data(), name.size());
    WriteAscii("=\"");
    WriteEscaped(value.data(), value.size(), kAttributeValue);
    WriteAscii("\"");
}

void XMLWriter::WriteText(const wchar_t* text)
{
    WriteText(std::wstring(text));
}

void XMLWriter::WriteText(const std::wstring& text)
{
    if (mState == 1)
    {
        WriteAscii(">");
        mState = 0;
    }
    WriteEscaped(text.data(), text.size(), kText);
}

void XMLWriter::EndElement()
{
    if (mOpen.empty())
        return;
    if (mState == 1)
    {
        WriteAscii("/>");
    }
    else
    {
        WriteAscii("</");
        WriteRaw(mOpen.back().data(), mOpen.back().size());
        WriteAscii(">");
    }
    WriteAscii(kLineBreak);
    mOpen.pop_back();
    mState = 0;
}

void XMLWriter::WriteElement(const XMLElement& node)
{
    switch (node.GetKind())
    {
    case XMLElement::kStartTag:
        StartElement(node.GetName().c_str());
        for (const auto& [name, value] : node.GetAttributes())
            WriteAttribute(name, value);
        break;
    case XMLElement::kEndTag: EndElement(); break;
    case XMLElement::kText: WriteText(node.GetName()); break;
    default: break;
    }
}

void XMLWriter::WriteChar(wchar_t c)
{
    WriteChar(mStream, c);
}

void XMLWriter::WriteChar(IStream* stream, wchar_t c)
{
    std::string bytes;
    Utf8::Append(bytes, static_cast<CodePoint>(c));
    WriteBytes(stream, bytes);
}

void XMLWriter::WriteAscii(const char* text)
{
    mStream->Write(text, static_cast<unsigned>(std::strlen(text)));
}

void XMLWriter::WriteRaw(const wchar_t* text, std::size_t length)
{
    std::string bytes;
    AppendEncoded(bytes, text, length);
    WriteBytes(mStream, bytes);
}

void XMLWriter::WriteEscaped(const wchar_t* text, std::size_t length, Escape escape)
{
    // Encoded into one buffer and written once, rather than a stream call per character.
    std::string bytes;
    bytes.reserve(length);
    std::size_t run = 0;
    auto flushRun = [&](std::size_t end) {
        AppendEncoded(bytes, text + run, end - run);
        run = end + 1;
    };
    for (std::size_t i = 0; i < length; ++i)
    {
        const wchar_t c = text[i];
        if (const char* named = NamedEscape(c))
        {
            flushRun(i);
            bytes += named;
        }
        else if (escape == kAttributeValue && (c == L'\t' || c == L'\n' || c == L'\r'))
        {
            // A reader turns them into spaces unless they are references.
            flushRun(i);
            bytes += "&#" + std::to_string(static_cast<int>(c)) + ";";
        }
    }
    flushRun(length);
    WriteBytes(mStream, bytes);
}
} // namespace Corvane
