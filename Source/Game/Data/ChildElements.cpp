#include "Game/Data/ChildElements.h"

#include "XMLElementReader.h"

void ForEachChildElement(Corvane::IXMLReader* children,
                         const std::function<void(const Corvane::XMLElement& node, Corvane::IXMLReader& child)>& visit)
{
    while (children && !children->AtEnd())
    {
        const Corvane::XMLElement* node = children->Next();
        if (!node || !node->IsStartTag())
            continue;
        Corvane::XMLElementReader child(children);
        child.Next(); // the child's own start tag
        visit(*node, child);
        while (!child.AtEnd())
            child.Next();
    }
}
