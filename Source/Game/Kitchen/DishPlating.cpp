#include "Game/Kitchen/DishPlating.h"

#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Game/Data/GameConstants.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Graphics/ImageList.h"
#include "SceneGraph/MaskedSpriteNode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <array>
#include <string_view>

using namespace Corvane;

namespace
{
// Picture kinds of the dish image lists: 0 pieces, 1 slices, 2 a pool (sauce, broth), 3 a
// sprinkle of leaves or crumbs; entries 4 to 7 repeat them.
constexpr int IndexForComponent(std::string_view name)
{
    if (name.empty())
        return -1;
    if (name == "Sauce" || name == "Broth")
        return 2;
    if (name.starts_with("Meat"))
        return 1;
    if (name.starts_with("Flavor"))
        return 3;
    return name == "Veg_B" ? 1 : 0;
}

using IndexTable = std::array<std::array<int, DishPlating::kSlots>, kPlatingTypeCount>;

IndexTable MakeIndexTable()
{
    IndexTable table{};
    for (int plate = 0; plate < kPlatingTypeCount; ++plate)
        for (int slot = 0; slot < DishPlating::kSlots; ++slot)
            table[plate][slot] = slot == 0 ? -1 : IndexForComponent(GetDishSlot(plate, slot).name);
    // The canapé and the warm salad were drawn before the rule above and keep their pictures.
    table[0] = {-1, 1, 1, 0, -1, -1, -1, -1, 0};
    table[3] = {-1, 7, 0, 0, 3, 0, 3, 0, 0};
    return table;
}

const IndexTable& IndexTableRows()
{
    static const IndexTable table = MakeIndexTable();
    return table;
}

ImageList* DishImages(Label ingredient)
{
    static const Label fallback("DefaultImage_DishDisplayImages");
    if (ingredient)
        if (ImageList* own =
                ResourceManager::Get<ImageList>(Label::Format("%s_DishDisplayImages", ingredient.c_str())).Get())
            return own;
    return ResourceManager::Get<ImageList>(fallback).Get();
}
} // namespace

namespace DishPlating
{
Label LayoutName(int plateType)
{
    if (plateType < 0 || plateType >= kPlatingTypeCount)
        return Label();
    return Label::FormatWide(L"%lsLayout", kPlatingTypeNames[plateType]);
}

int ImageIndex(int plateType, int slot)
{
    if (plateType < 0 || plateType >= kPlatingTypeCount || slot < 0 || slot >= kSlots)
        return -1;
    return IndexTableRows()[static_cast<std::size_t>(plateType)][static_cast<std::size_t>(slot)];
}

SceneNode* InstantiateDish(int plateType)
{
    SceneNode* dish = SceneLayout::InstantiateOrBare(LayoutName(plateType), Label("Dish"));
    if (ObjectDatabase* database = ObjectDatabase::Current())
        dish->RegisterTree(database);
    return dish;
}

void FillDish(SceneNode& dish, int plateType, const std::vector<DishIngredient>& ingredients)
{
    for (const DishIngredient& entry : ingredients)
    {
        const int index = ImageIndex(plateType, entry.slot);
        if (entry.slot <= 0 || index < 0)
            continue;
        SceneNode* component = dish.FindByPath(DishSlotPath(plateType, entry.slot));
        if (!component)
            continue;
        ImageList* images = DishImages(entry.ingredient);
        for (SceneNode* child : component->GetChildren())
            if (auto* sprite = dynamic_cast<StaticSpriteNode*>(child))
                sprite->SetImageFromList(images, index);
    }
}

void ShowDish(MaskedSpriteNode& picture, SceneNode* dish)
{
    picture.SetImage(dish);
    if (dish)
    {
        const Rect<float> bounds = dish->GetBounds();
        picture.SetCaptureOffset({-bounds.x, -bounds.y});
    }
}
} // namespace DishPlating
