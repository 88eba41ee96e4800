// A cursor over a stored copy of a node sequence, such as one element's subtree kept for later
// (the resource manager keeps elements this way).
#pragma once

#include "IXMLReader.h"

#include <vector>

namespace Corvane
{
class XMLElementList : public IXMLReader
{
public:
    XMLElementList() = default;
    // Stores reader's nodes: the one its Next gives, then one per Next until it is at its end.
    // Over an XMLElementReader this is the element's start tag, its subtree and its end tag.
    explicit XMLElementList(IXMLReader& reader);

    // True when empty or on the last node.
    bool AtEnd() override;
    XMLElement* Next() override;
    XMLElement* Current() override;
    // 1 at the end, else (index + 1) / size.
    float GetProgress() override;
    // 0: stored nodes have no line.
    int GetLine() override;
    // Empty: stored nodes have no source.
    std::wstring& GetName(std::wstring& out) override;

    const std::vector<XMLElement>& GetElements() const { return mElements; }

private:
    int mIndex = -1;
    std::vector<XMLElement> mElements;
};
} // namespace Corvane
