// A streaming XML writer with no document tree: declaration, start tags, attributes, text and end
// tags are written as they are asked for, one tag per line without indentation, as UTF-8. Account
// files and saved records are written this way. Characters that XML 1.0 forbids (control characters
// other than tab, line feed and carriage return; U+FFFE, U+FFFF) are left out wherever they come,
// so that every reader takes what is written.
//
//   XMLWriter writer(&stream);          // writes <?xml version="1.0" encoding="UTF-8" ?>
//   writer.StartElement(L"record");
//   writer.WriteAttribute(L"name", L"Volume");
//   writer.EndElement();                // an element with no content closes as "/>"
#pragma once

#include "Stream.h"
#include "TextConversion.h"
#include "XMLElement.h"

#include <deque>
#include <string>

namespace Corvane
{
class XMLWriter
{
public:
    // stream is not owned and must outlive the writer; every byte goes through its Write.
    explicit XMLWriter(IStream* stream);
    // Ends every element still open, innermost first.
    ~XMLWriter();
    XMLWriter(const XMLWriter&) = delete;
    XMLWriter& operator=(const XMLWriter&) = delete;

    // Opens an element; attributes may follow until content or the end. The name is not escaped.
    void StartElement(const wchar_t* name);
    // Call while a start tag is open. The name is written as given, the value escaped.
    void WriteAttribute(const wchar_t* name, const wchar_t* value);
    // Values may hold any character; the forbidden ones are left out.
    void WriteAttribute(const std::wstring& name, const std::wstring& value);
    void WriteText(const wchar_t* text);
    // Text may hold any character; the forbidden ones are left out.
    void WriteText(const std::wstring& text);
    // Ends the innermost open element ("/>" when it has no content); does nothing when none is open.
    void EndElement();
    // Writes a node as the reader delivers it, so a document can be copied node by node: a start
    // tag with its attributes (in name order), an end tag, or text.
    void WriteElement(const XMLElement& node);

    // The characters an XML 1.0 document cannot hold, not even as references, which the writer
    // leaves out: control characters but tab, line feed and carriage return; U+FFFE and U+FFFF.
    static bool IsForbidden(CodePoint c);

    // Writes one character as UTF-8 (1 to 4 bytes; a surrogate or a value past U+10FFFF, which no
    // well-formed file can hold, as U+FFFD).
    void WriteChar(wchar_t c);
    static void WriteChar(IStream* stream, wchar_t c);

private:
    enum Escape
    {
        kAttributeValue,
        kText,
    };

    void WriteAscii(const char* text);
    // Names are written as they are, never escaped.
    void WriteRaw(const wchar_t* text, std::size_t length);
    void WriteEscaped(const wchar_t* text, std::size_t length, Escape escape);

    IStream* mStream;
    int mState = 0; // 1 while a start tag is open (its '>' not yet written)
    std::deque<std::wstring> mOpen;
};
} // namespace Corvane
