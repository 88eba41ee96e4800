#include "XMLChildElements.h"

#include "IXMLReader.h"
#include "XMLElement.h"
#include "XMLElementReader.h"

namespace Corvane
{
void ForEachChildElement(IXMLReader* children, const std::function<void(const XMLElement&)>& visit)
{
    int depth = 0; // of the node just read, below the parent element
    while (children && !children->AtEnd())
    {
        const XMLElement* node = children->Next();
        if (!node || node->IsText())
            continue;
        if (node->IsEndTag())
        {
            --depth;
            continue;
        }
        if (++depth == 1)
            visit(*node);
    }
}

void ForEachChildElement(IXMLReader* children, const std::function<void(const XMLElement&, IXMLReader&)>& visit)
{
    while (children && !children->AtEnd())
    {
        const XMLElement* node = children->Next();
        if (!node || !node->IsStartTag())
            continue; // text, or the element's own end tag
        const XMLElement start = *node;
        XMLElementReader child(children);
        child.Next(); // the child's start tag, on which children stands
        visit(start, child);
        while (!child.AtEnd())
            child.Next();
    }
}
} // namespace Corvane
