#include "SceneGraph/RandomRange.h"

#include "AttributeContainer.h"
#include "Framework/ValueWrapper.h"

using namespace Corvane;

IResourceDescriptor* RandomRangeResourceFactory::Create(std::wstring manifest, Label name,
                                                        const IAttributeContainer* element, IXMLReader*)
{
    RandomRange range;
    if (element)
    {
        range.min = element->GetFloatAttribute(L"min", 0.0f);
        range.max = element->GetFloatAttribute(L"max", 0.0f);
    }
    return new Internal::ValueWrapper<RandomRange>(manifest, name, element, range);
}
