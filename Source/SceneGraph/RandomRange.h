// "randomrange": a value resource holding a minimum and a maximum (attributes "min" and "max",
// 0 when absent), read with ResourceManager::GetValue<RandomRange>.
#pragma once

#include "Framework/IResourceFactory.h"

struct RandomRange
{
    float min = 0.0f;
    float max = 0.0f;
};

class RandomRangeResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* Create(std::wstring manifest, Corvane::Label name,
                                         const Corvane::IAttributeContainer* element,
                                         Corvane::IXMLReader* children) override;
};
