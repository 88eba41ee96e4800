#include "Widgets/ObjectFactory.h"

namespace Corvane
{
namespace
{
ObjectFactory* gInstance = nullptr;
}

ObjectFactory* ObjectFactory::Instance()
{
    if (!gInstance)
        new ObjectFactory; // stores itself
    return gInstance;
}

ObjectFactory::ObjectFactory()
{
    gInstance = this;
    mTeardown = new Internal::OwnedSingletonDestructor<ObjectFactory>(this);
}

ObjectFactory::~ObjectFactory()
{
    if (gInstance == this)
        gInstance = nullptr;
    mFactories.clear();
    delete mTeardown;
}

void ObjectFactory::Register(IObjectFactory* factory, const wchar_t* elementName)
{
    std::shared_ptr<IObjectFactory>& slot = mFactories[elementName];
    if (!slot)
        mOrder.emplace_back(elementName);
    // The replaced factory goes now, not at the end of the registry's life.
    slot = std::shared_ptr<IObjectFactory>(factory);
}

IObjectFactory* ObjectFactory::Find(const std::wstring& elementName) const
{
    const auto found = mFactories.find(elementName);
    return found == mFactories.end() ? nullptr : found->second.get();
}
} // namespace Corvane
