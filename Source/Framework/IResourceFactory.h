// Builds the resources of one manifest element name ("int", "image", "layout"...). Registered with
// the resource manager, which owns it. Its operations run on the resource manager's loader thread.
#pragma once

#include "Label.h"

#include <string>
#include <vector>

namespace Corvane
{
class IAttributeContainer;
class IResourceDescriptor;
class IXMLReader;

// One group of alternative data files a resource may load: the path asked for is the location
// prefix followed by one candidate name.
struct ResourceDependency
{
    std::wstring location;
    std::vector<std::wstring> candidates;
};

class IResourceFactory
{
public:
    virtual ~IResourceFactory() = default;
    // Builds the resource declared by an element of manifest (its name without ".xml"). element
    // holds the element's attributes and stays valid for the whole call. children has already
    // passed the element's own start tag: its Next gives the element's child nodes, the last being
    // the element's end tag (AtEnd is then true). Whatever the factory leaves unread is skipped.
    // Returns a new resource, which the manager owns, or null to register nothing.
    virtual IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                        IXMLReader* children) = 0;
    // Appends the data files the resource will load, so they can be fetched before the manifest
    // is read. Arguments as Create. The default needs no files.
    virtual void GetDependencies(std::vector<ResourceDependency>& /*dependencies*/, const std::wstring& /*manifest*/,
                                 Label /*name*/, const IAttributeContainer* /*element*/, IXMLReader* /*children*/)
    {
    }
};
} // namespace Corvane
