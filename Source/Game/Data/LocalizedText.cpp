#include "Game/Data/LocalizedText.h"

#include "Format.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/RandomShuffle.h"
#include "Platform/Compat/User/MessageBox.h"
#include "TextConversion.h"

#include <algorithm>
#include <exception>
#include <vector>

using namespace Corvane;

namespace
{
const wchar_t kManifest[] = L"LocalizedText";
const wchar_t kTextNotFound[] = L"Text not Found";

// The manifest was asked for (whether or not it loaded without error).
bool gLoaded = false;

using TextValue = Internal::ValueWrapper<std::wstring>;
using TextList = Internal::ValueWrapper<std::vector<std::wstring>>;

// The resource of key, when there is one of type T; the service is loaded first.
template <typename T> const T* Find(const std::string& key)
{
    LocalizedText::Instance();
    return ResourceManager::Get<T>(Label(key)).Get();
}

std::wstring TextOr(const std::string& key, const std::wstring& fallback)
{
    const TextValue* text = Find<TextValue>(key);
    return text ? text->value : fallback;
}

std::wstring Widened(const char* text)
{
    std::wstring wide;
    Narrow::ToWide(wide, text);
    return wide;
}

std::string Numbered(const wchar_t* templateText, int n)
{
    std::string key;
    Narrow::FromWide(key, (Format(templateText) % n).str());
    return key;
}

// One entry, each equally likely; empty text for a missing or empty list.
std::wstring RandomEntry(const std::string& key)
{
    const TextList* list = Find<TextList>(key);
    if (!list || list->value.empty())
        return {};
    const int last = static_cast<int>(list->value.size()) - 1;
    return list->value[static_cast<std::size_t>(std::clamp(RandomShuffleFunctor(last), 0, last))];
}

const char* HostName(bool host)
{
    return host ? "Veyla" : "Orvel";
}
} // namespace

LocalizedText& LocalizedText::Instance()
{
    static LocalizedText instance;
    if (!gLoaded)
        Load();
    return instance;
}

void LocalizedText::Load()
{
    gLoaded = true;
    try
    {
        ResourceManager::Instance()->LoadAndWait(kManifest, true, nullptr);
    }
    catch (const std::exception& error)
    {
        const std::wstring caption =
            std::wstring(L"There was an error loading ") + kManifest + L".xml. Fix the problem and press F5 to reload";
        MessageBoxW(nullptr, Widened(error.what()).c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    }
}

std::wstring LocalizedText::GetText(Label key)
{
    return key ? TextOr(key.c_str(), kTextNotFound) : kTextNotFound;
}

std::wstring LocalizedText::GetTextByName(const std::wstring& key)
{
    std::string narrow;
    Narrow::FromWide(narrow, key);
    return TextOr(narrow, L"");
}

std::wstring LocalizedText::GetEpisodeNumberText(int n)
{
    return (Format(TextOr("EpisodeNumStr", kTextNotFound)) % n).str();
}

std::wstring LocalizedText::GetEpisodeTitle(int n)
{
    return TextOr(Numbered(L"EpisodeTitle.%1%", n), kTextNotFound);
}

std::wstring LocalizedText::GetComponentText(Label name)
{
    if (!name)
        return {};
    return TextOr(std::string("InGame.ComponentText.") + name.c_str(), Widened(name.c_str()));
}

std::wstring LocalizedText::GetDisplayText(const char* name)
{
    return name ? TextOr(std::string(name) + "_DisplayText", kTextNotFound) : std::wstring();
}

std::wstring LocalizedText::GetAttributeLabelText(const char* name)
{
    return name ? TextOr(std::string(name) + ".AttLabelText", kTextNotFound) : std::wstring();
}

std::wstring LocalizedText::GetDishDisplayName(Label recipe, int plateType)
{
    if (const TextValue* text = Find<TextValue>(std::string("DishDisplayName.") + (recipe ? recipe.c_str() : "")))
        return text->value;
    const TextList* defaults = Find<TextList>("DishDisplayName.DefaultStrings");
    if (!defaults || plateType < 0 || plateType >= static_cast<int>(defaults->value.size()))
        return {};
    return defaults->value[static_cast<std::size_t>(plateType)];
}

std::wstring LocalizedText::GetCutsceneText(Label textID)
{
    const std::wstring fallback =
        (Format(L"Cutscene Text '%1%' Not Found") % Widened(textID ? textID.c_str() : "")).str();
    return textID ? TextOr(textID.c_str(), fallback) : fallback;
}

std::wstring LocalizedText::GetIngredientFeedback(bool host)
{
    return RandomEntry(std::string("JudgingFeedbackStrings_Ingredient_") + HostName(host));
}

std::wstring LocalizedText::GetComboFeedback(bool host)
{
    return RandomEntry(std::string("JudgingFeedbackStrings_Combo_") + HostName(host));
}

std::wstring LocalizedText::GetDishFeedback(int stars)
{
    std::string key = "JudgingDishFeedbackStrings.";
    if (stars >= 0 && stars <= 5)
        key += "Stars." + std::to_string(stars);
    return RandomEntry(key);
}

std::wstring LocalizedText::GetOverallFeedback(int outcome)
{
    static const char* const kOutcomes[] = {"Lose", "Normal", "Expert"};
    std::string key = "JudgingOverallFeedbackStrings_";
    if (outcome >= 0 && outcome <= 2)
        key += kOutcomes[outcome];
    return RandomEntry(key);
}
