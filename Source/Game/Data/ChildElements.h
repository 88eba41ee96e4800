// The walk over an element's child elements shared by the hand-read game data.
#pragma once

#include "IXMLReader.h"

#include <functional>

// Calls visit once per child element, in document order, skipping text. children has passed the
// parent's start tag (a factory's reader); child stands on the child's start tag and reads no
// further than its end. Whatever visit leaves of the child is skipped, so each visit sees exactly
// one element. The node passed is the reader's: read its attributes before reading child.
void ForEachChildElement(Corvane::IXMLReader* children,
                         const std::function<void(const Corvane::XMLElement& node, Corvane::IXMLReader& child)>& visit);
