#include "SceneGraph/SpriteResourceFactories.h"

#include "Framework/ResourceManager.h"
#include "Framework/ResourceWrapper.h"
#include "SceneGraph/AnimationParseError.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "SceneGraph/SpriteAnimationReader.h"
#include "SceneGraph/SpriteType.h"
#include "XMLChildElements.h"
#include "XMLElement.h"

#include <memory>

using namespace Corvane;

namespace
{
// Calls store with each direct "animation" child (exact case) in document order.
template <typename Store> void ReadAnimations(IXMLReader* children, Store store)
{
    ForEachChildElement(children, [&store](const XMLElement& child, IXMLReader& grandchildren) {
        if (child.GetName() == L"animation")
            store(ReadSpriteAnimation(child, &grandchildren));
    });
}
} // namespace

IResourceDescriptor* SpriteTypeResourceFactory::Create(std::wstring manifest, Label name,
                                                       const IAttributeContainer* element, IXMLReader* children)
{
    auto type = std::make_unique<ResourceWrapper<SpriteType>>(manifest, name, element);
    const Label typeName = element ? ReadLabelAttribute(*element, L"name") : Label();
    try
    {
        type->SetTypeName(typeName);
        if (element)
        {
            type->SetImages(ReadLabelAttribute(*element, L"images"));
            if (const Label listName = ReadLabelAttribute(*element, L"animationList"))
                if (const SpriteAnimationList* list = ResourceManager::Get<SpriteAnimationList>(listName).Get())
                    type->CopyAnimations(*list);
        }
        ReadAnimations(children, [&type](const SpriteAnimation& animation) { type->SetAnimation(animation); });
    }
    catch (AnimationParseError& error)
    {
        if (typeName)
            error.SetSpriteType(typeName.c_str());
        throw;
    }
    return type.release();
}

IResourceDescriptor* SpriteAnimationListResourceFactory::Create(std::wstring manifest, Label name,
                                                                const IAttributeContainer* element,
                                                                IXMLReader* children)
{
    auto list = std::make_unique<ResourceWrapper<SpriteAnimationList>>(manifest, name, element);
    try
    {
        ReadAnimations(children, [&list](const SpriteAnimation& animation) { list->SetAnimation(animation); });
    }
    catch (AnimationParseError& error)
    {
        if (const Label listName = element ? ReadLabelAttribute(*element, L"name") : Label())
            error.SetAnimationList(listName.c_str());
        throw;
    }
    return list.release();
}
