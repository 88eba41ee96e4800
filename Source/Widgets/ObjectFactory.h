// Widget objects are built by object factories, one per layout element name ("button",
// "imagesprite"...), kept in one process-wide registry that start-up fills
// (RegisterObjectFactories) and that lives until the singleton teardown. Main thread.
#pragma once

#include "Label.h"
#include "Singleton.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
class IAttributeContainer;
class Object;

class IObjectFactory
{
public:
    virtual ~IObjectFactory() = default;
    // A new object of the factory's class named name, configured from the attributes of its
    // element; the caller owns it. Attributes the factory does not know are left alone.
    virtual Object* Create(Label name, const IAttributeContainer& attributes) = 0;
};

class ObjectFactory
{
public:
    // The registry, created on first use and registered for singleton teardown.
    static ObjectFactory* Instance();
    // Releases every factory; the instance is gone from then on (the next Instance makes one).
    virtual ~ObjectFactory();
    ObjectFactory(const ObjectFactory&) = delete;
    ObjectFactory& operator=(const ObjectFactory&) = delete;

    // Takes factory under elementName (compared exactly); one registered before under that name
    // is released at once.
    void Register(IObjectFactory* factory, const wchar_t* elementName);
    // The factory of elementName, or null.
    IObjectFactory* Find(const std::wstring& elementName) const;
    // The element names with a factory, in the order they were first registered.
    const std::vector<std::wstring>& GetElementNames() const { return mOrder; }

private:
    ObjectFactory();

    std::map<std::wstring, std::shared_ptr<IObjectFactory>> mFactories;
    std::vector<std::wstring> mOrder;
    Internal::OwnedSingletonDestructor<ObjectFactory>* mTeardown = nullptr;
};

// Start-up's registration, right after the value resource factories: the "layout" resource
// factory, then the widget object factories in their fixed order.
void RegisterObjectFactories();
} // namespace Corvane
