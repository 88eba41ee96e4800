// One node of the XML reader's flat node sequence: a start tag with its attributes, an end tag, or
// a run of text. There is no document tree; consumers walk the sequence (see IXMLReader.h).
#pragma once

#include "AttributeContainer.h"

#include <string>

namespace Corvane
{
class XMLElement : public AttributeContainer
{
public:
    enum Kind
    {
        kStartTag = 0,
        kEndTag = 1,
        kText = 2,
    };

    XMLElement() = default;
    XMLElement(int kind, const std::wstring& name) : mKind(kind), mName(name) {}

    // A Kind.
    int GetKind() const { return mKind; }
    void SetKind(int kind) { mKind = kind; }
    // The tag name of a start or end tag, the decoded text of a text node.
    const std::wstring& GetName() const { return mName; }
    std::wstring& GetName() { return mName; }
    void SetName(const std::wstring& name) { mName = name; }

    bool IsStartTag() const { return mKind == kStartTag; }
    bool IsEndTag() const { return mKind == kEndTag; }
    bool IsText() const { return mKind == kText; }

private:
    int mKind = kStartTag;
    std::wstring mName;
};
} // namespace Corvane
