#include "Game/Kitchen/CookingIngredient.h"

#include "simplesettings/NameLists.h"

using namespace Corvane;

Label CookingIngredient::Group()
{
    static const Label group("Fennik_Ingredient");
    return group;
}

Label CookingIngredient::GetGroup() const
{
    return Group();
}

int CookingIngredient::GetAttributeValue(const char* attribute) const
{
    if (!attribute || !IsAttributeString(attribute))
        return -1;
    const auto found = mData.attributes.find(attribute);
    return found == mData.attributes.end() ? 0 : found->second;
}
