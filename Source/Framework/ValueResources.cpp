#include "Framework/ValueResources.h"

#include "Framework/ResourceManager.h"

namespace Corvane
{
namespace Internal
{
bool ReadBoolValue(const IAttributeContainer& element)
{
    return element.GetBoolAttribute(L"value", false);
}

int ReadIntValue(const IAttributeContainer& element)
{
    return element.GetIntAttribute(L"value", 0);
}

float ReadFloatValue(const IAttributeContainer& element)
{
    return element.GetFloatAttribute(L"value", 0.0f);
}

std::wstring ReadStringValue(const IAttributeContainer& element)
{
    return element.GetStringAttribute(L"value", L"");
}

Vector2<float> ReadVector2FValue(const IAttributeContainer& element)
{
    return {element.GetFloatAttribute(L"x", 0.0f), element.GetFloatAttribute(L"y", 0.0f)};
}

Vector2<int> ReadVector2IValue(const IAttributeContainer& element)
{
    return {element.GetIntAttribute(L"x", 0), element.GetIntAttribute(L"y", 0)};
}

Rect<float> ReadRectFValue(const IAttributeContainer& element)
{
    return {element.GetFloatAttribute(L"x", 0.0f), element.GetFloatAttribute(L"y", 0.0f),
            element.GetFloatAttribute(L"w", 0.0f), element.GetFloatAttribute(L"h", 0.0f)};
}

Rect<int> ReadRectIValue(const IAttributeContainer& element)
{
    return {element.GetIntAttribute(L"x", 0), element.GetIntAttribute(L"y", 0), element.GetIntAttribute(L"w", 0),
            element.GetIntAttribute(L"h", 0)};
}

ColorF ReadColorFValue(const IAttributeContainer& element)
{
    if (element.HasAttribute(L"value"))
        return ParseColor(element.GetStringAttribute(L"value", L""));
    return {element.GetFloatAttribute(L"r", 1.0f), element.GetFloatAttribute(L"g", 1.0f),
            element.GetFloatAttribute(L"b", 1.0f), element.GetFloatAttribute(L"a", 1.0f)};
}

ColorF ReadColorIValue(const IAttributeContainer& element)
{
    // Only the low 8 bits of each channel count (300 is 44, -1 is 255).
    auto channel = [&element](const wchar_t* name, int shift) {
        return static_cast<PackedColor>(element.GetIntAttribute(name, 255) & 0xFF) << shift;
    };
    return ColorF::FromPacked(channel(L"a", 24) | channel(L"r", 16) | channel(L"g", 8) | channel(L"b", 0));
}
} // namespace Internal

namespace
{
template <typename F> void Register(ResourceManager& manager, const wchar_t* elementName)
{
    manager.RegisterFactory(elementName, new F);
}

template <typename F> void RegisterArray(ResourceManager& manager, const wchar_t* elementName)
{
    manager.RegisterFactory(elementName, new ArrayResourceFactory<typename F::ValueType, F>);
}
} // namespace

void RegisterValueResourceFactories()
{
    ResourceManager& manager = *ResourceManager::Instance();
    Register<BoolResourceFactory>(manager, L"bool");
    Register<IntResourceFactory>(manager, L"int");
    Register<FloatResourceFactory>(manager, L"float");
    Register<StringResourceFactory>(manager, L"string");
    Register<Vector2FResourceFactory>(manager, L"vector2f");
    Register<Vector2IResourceFactory>(manager, L"vector2i");
    Register<RectFResourceFactory>(manager, L"rectf");
    Register<RectIResourceFactory>(manager, L"recti");
    Register<ColorFResourceFactory>(manager, L"colorf");
    Register<ColorIResourceFactory>(manager, L"colori");
    RegisterArray<BoolResourceFactory>(manager, L"boolarray");
    RegisterArray<IntResourceFactory>(manager, L"intarray");
    RegisterArray<FloatResourceFactory>(manager, L"floatarray");
    RegisterArray<StringResourceFactory>(manager, L"stringarray");
    RegisterArray<Vector2FResourceFactory>(manager, L"vector2farray");
    RegisterArray<RectFResourceFactory>(manager, L"rectfarray");
    RegisterArray<RectIResourceFactory>(manager, L"rectiarray");
    RegisterArray<ColorFResourceFactory>(manager, L"colorfarray");
    RegisterArray<ColorIResourceFactory>(manager, L"coloriarray");
}
} // namespace Corvane
