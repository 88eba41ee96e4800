// A cursor over one element and its subtree, on top of another reader. Build it on the stack while
// the parent stands on the element's start tag; its first Next returns that start tag (without
// moving the parent), later ones the descendants, and it is at its end once it has returned the
// element's own end tag. Nested element readers advance the same parent, so every enclosing one
// keeps its place.
#pragma once

#include "IXMLReader.h"

namespace Corvane
{
class XMLElementReader : public IXMLReader
{
public:
    // parent is not owned and must outlive this reader.
    explicit XMLElementReader(IXMLReader* parent) : mParent(parent) {}

    // True before the first Next, once the element's end tag has been returned, and when the
    // parent has no nodes left (a document cut off inside the element).
    bool AtEnd() override;
    XMLElement* Next() override;
    XMLElement* Current() override;
    // Always 0.5: the share of the element is unknown.
    float GetProgress() override;
    int GetLine() override;
    std::wstring& GetName(std::wstring& out) override;

private:
    IXMLReader* mParent;
    bool mPending = true;
    int mDepth = 0;
};
} // namespace Corvane
