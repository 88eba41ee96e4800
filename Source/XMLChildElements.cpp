#include "XMLChildElements.h"

#include "IXMLReader.h"
#include "XMLElement.h"

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
} // namespace Corvane
