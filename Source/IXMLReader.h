// A cursor over a flat sequence of XML nodes (see XMLElement.h). Implemented by the document
// reader (XMLReader.h), the one-element reader (XMLElementReader.h) and the stored node list
// (XMLElementList.h).
//
// Usage: while (!reader.AtEnd()) { XMLElement* node = reader.Next(); ... }
#pragma once

#include "XMLElement.h"

#include <string>

namespace Corvane
{
class IXMLReader
{
public:
    virtual ~IXMLReader() = default;
    // True when no further node can be had. May parse ahead, so a malformed file can throw here.
    virtual bool AtEnd() = 0;
    // Advances and returns the node now current (owned by the reader, valid until the next call);
    // null when there is none. Call only after AtEnd answered false.
    virtual XMLElement* Next() = 0;
    // The node the last Next returned; null before the first.
    virtual XMLElement* Current() = 0;
    // How far through its source the reader is, 0 to 1.
    virtual float GetProgress() = 0;
    // The source line the reader has reached, from 1.
    virtual int GetLine() = 0;
    // The source's name, for messages. Fills and returns out.
    virtual std::wstring& GetName(std::wstring& out) = 0;
};
} // namespace Corvane
