#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "TextConversion.h"
#include "Widgets/IText.h"

namespace Corvane
{
std::wstring TextFromResource(Label name)
{
    if (const auto text = ResourceManager::Get<Internal::ValueWrapper<std::wstring>>(name))
        return text->value;
    std::wstring wide;
    Narrow::ToWide(wide, name.c_str());
    return L"Missing: \"" + wide + L"\"";
}

void TextComponent::SetTextFromResource(Label name)
{
    SetText(TextFromResource(name));
}
} // namespace Corvane
