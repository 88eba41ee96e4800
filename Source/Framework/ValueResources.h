// Value resources: tuning numbers, texts, positions, rectangles, colours and lists of them, each a
// manifest element read into an Internal::ValueWrapper and looked up with ResourceManager::Get or
// GetValue. No value factory fails: a missing or unreadable attribute gives its default.
//
//   "bool" "int" "float" "string"   attribute "value" (false, 0, 0.0, empty)
//   "vector2f" "vector2i"           "x", "y" (0)
//   "rectf" "recti"                 "x", "y", "w", "h" (0)
//   "colorf"                        "value" in colour syntax when present, else "r", "g", "b", "a"
//                                   as floats (1.0, not clamped)
//   "colori"                        "r", "g", "b", "a" as integers (255), low 8 bits of each
//   "<scalar>array"                 every start tag among the children is one item, read with the
//                                   attributes of its scalar element (no "vector2iarray")
#pragma once

#include "AttributeContainer.h"
#include "Framework/IResourceFactory.h"
#include "Framework/ValueWrapper.h"
#include "Graphics/ColorF.h"
#include "Graphics/Rect.h"
#include "Graphics/Vector2.h"
#include "IXMLReader.h"

#include <string>
#include <vector>

namespace Corvane
{
// A factory of one scalar value type; Read turns an element's attributes into the value.
template <typename T, T (*Read)(const IAttributeContainer&)> class ValueResourceFactory : public IResourceFactory
{
public:
    using ValueType = T;

    static T ReadValue(const IAttributeContainer& element) { return Read(element); }

    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader*) override
    {
        return new Internal::ValueWrapper<T>(manifest, name, element, element ? Read(*element) : T());
    }
};

namespace Internal
{
bool ReadBoolValue(const IAttributeContainer& element);
int ReadIntValue(const IAttributeContainer& element);
float ReadFloatValue(const IAttributeContainer& element);
std::wstring ReadStringValue(const IAttributeContainer& element);
Vector2<float> ReadVector2FValue(const IAttributeContainer& element);
Vector2<int> ReadVector2IValue(const IAttributeContainer& element);
Rect<float> ReadRectFValue(const IAttributeContainer& element);
Rect<int> ReadRectIValue(const IAttributeContainer& element);
ColorF ReadColorFValue(const IAttributeContainer& element);
ColorF ReadColorIValue(const IAttributeContainer& element);
} // namespace Internal

using BoolResourceFactory = ValueResourceFactory<bool, &Internal::ReadBoolValue>;
using IntResourceFactory = ValueResourceFactory<int, &Internal::ReadIntValue>;
using FloatResourceFactory = ValueResourceFactory<float, &Internal::ReadFloatValue>;
using StringResourceFactory = ValueResourceFactory<std::wstring, &Internal::ReadStringValue>;
using Vector2FResourceFactory = ValueResourceFactory<Vector2<float>, &Internal::ReadVector2FValue>;
using Vector2IResourceFactory = ValueResourceFactory<Vector2<int>, &Internal::ReadVector2IValue>;
using RectFResourceFactory = ValueResourceFactory<Rect<float>, &Internal::ReadRectFValue>;
using RectIResourceFactory = ValueResourceFactory<Rect<int>, &Internal::ReadRectIValue>;
using ColorFResourceFactory = ValueResourceFactory<ColorF, &Internal::ReadColorFValue>;
using ColorIResourceFactory = ValueResourceFactory<ColorF, &Internal::ReadColorIValue>;

// A list of values of type T, each child start tag read as factory F reads its element.
template <typename T, typename F> class ArrayResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* Create(std::wstring manifest, Label name, const IAttributeContainer* element,
                                IXMLReader* children) override
    {
        std::vector<T> values;
        while (children && !children->AtEnd())
        {
            const XMLElement* node = children->Next();
            if (node && node->IsStartTag())
                values.push_back(F::ReadValue(*node));
        }
        return new Internal::ValueWrapper<std::vector<T>>(manifest, name, element, std::move(values));
    }
};

// Registers the nineteen value factories with the resource manager, scalars first. Once, at
// start-up, before the first manifest is read.
void RegisterValueResourceFactories();
} // namespace Corvane
