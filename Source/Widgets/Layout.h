// The "layout" resource: one screen of widget objects. The element's own attributes give the
// screen size it was made for ("screenWidth", "screenHeight", default 800 by 600) and an offset
// ("x", "y", default 0); every child element is one widget, its element name selecting the object
// factory and its attributes configuring the object. Loaded as a ResourceWrapper<Layout>; look it
// up with ResourceManager::Get<Layout>.
//
// The children are read as a flat sequence: an element nested inside a child counts as one more
// child, after its parent. Names without a factory are kept like the others.
#pragma once

#include "AttributeContainer.h"
#include "Framework/IResourceFactory.h"
#include "Label.h"

#include <string>
#include <vector>

namespace Corvane
{
// Its own attributes are a copy of the "layout" element's.
class Layout : public AttributeContainer
{
public:
    // One per child element, in document order; the two lists always have the same length.
    const std::vector<std::wstring>& GetChildNames() const { return mChildNames; }
    const std::vector<AttributeContainer>& GetChildAttributes() const { return mChildAttributes; }
    int GetChildCount() const { return static_cast<int>(mChildNames.size()); }

    float GetScreenWidth() const { return mScreenWidth; }
    float GetScreenHeight() const { return mScreenHeight; }
    float GetX() const { return mX; }
    float GetY() const { return mY; }
    Label GetName() const { return mName; }

private:
    friend class LayoutResourceFactory;

    std::vector<std::wstring> mChildNames;
    std::vector<AttributeContainer> mChildAttributes;
    float mScreenWidth = 800.0f;
    float mScreenHeight = 600.0f;
    float mX = 0.0f;
    float mY = 0.0f;
    Label mName;
};

class LayoutResourceFactory : public IResourceFactory
{
public:
    // A ResourceWrapper<Layout>. Reads the element's content to its end.
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override;
};
} // namespace Corvane
