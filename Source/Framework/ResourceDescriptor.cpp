#include "Framework/ResourceDescriptor.h"

namespace Corvane
{
ResourceDescriptor::ResourceDescriptor(const std::wstring& manifest, const Label& name,
                                       const IAttributeContainer* element)
    : mManifest(manifest), mName(name)
{
    if (element)
        GetAttributes() = element->GetAttributes();
}
} // namespace Corvane
