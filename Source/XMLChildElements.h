// Walking the child elements of an element whose start tag a reader has just passed (as resource
// factories receive them): only direct children are visited, text and deeper elements are skipped.
#pragma once

#include <functional>

namespace Corvane
{
class IXMLReader;
class XMLElement;

// Calls visit with the start tag of each direct child element, in document order, reading children
// to its end. A null reader has no children.
void ForEachChildElement(IXMLReader* children, const std::function<void(const XMLElement&)>& visit);
// Calls visit for each direct child element, in document order, with a copy of the child's start
// tag (the reader reuses its nodes) and a reader over the child's own content, which visit may
// leave unread: the rest of the child is skipped, so each visit sees exactly one element.
void ForEachChildElement(IXMLReader* children, const std::function<void(const XMLElement&, IXMLReader&)>& visit);
} // namespace Corvane
