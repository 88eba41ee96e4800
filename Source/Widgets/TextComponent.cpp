#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "TextConversion.h"
#include "Widgets/IText.h"

namespace Corvane
{
void TextComponent::SetTextFromResource(Label name)
{
    if (const auto text = ResourceManager::Get<Internal::ValueWrapper<std::wstring>>(name))
    {
        SetText(std::wstring(text->value));
        return;
    }
    std::wstring wide;
    Narrow::ToWide(wide, name.c_str());
    SetText(L"Missing: \"" + wide + L"\"");
}
} // namespace Corvane
