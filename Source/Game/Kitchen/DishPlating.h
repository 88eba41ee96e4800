// How a dish is pictured, shared by the level screen's plate, the finished dish and the judges'
// dishes. The recipe's plate type names a scene layout ("<plate type name>Layout") whose root holds
// one component node per dish slot (the dish slot table's names: "Veg_A", "Sauce", ...); each
// ingredient put into the dish shows, on every static sprite below its slot's component, the
// picture of its image list "<ingredient>_DishDisplayImages" (or "DefaultImage_DishDisplayImages"
// for an ingredient without one) at the index the image-index table gives for that plate type and
// slot. A masked sprite then draws the dish layout as one picture.
#pragma once

#include "Game/Kitchen/DishIngredient.h"
#include "Label.h"

#include <vector>

class MaskedSpriteNode;
class SceneNode;

namespace DishPlating
{
constexpr int kSlots = 9;

// "<plate type name>Layout"; the null label outside the plate types.
Corvane::Label LayoutName(int plateType);
// The picture index for an ingredient in that slot of that plate type; -1 where the slot is not
// used and outside the table (plate types 0..30, slots 0..8).
int ImageIndex(int plateType, int slot);
// The plate type's dish layout, built off the screen's tree and registered in the current
// database (a bare node when the layout is missing, so a dish still has a root).
SceneNode* InstantiateDish(int plateType);
// Shows each ingredient in its slot's component, in order (a later one in the same component wins).
// Entries with a slot of 0 or less, or outside the tables, fill nothing.
void FillDish(SceneNode& dish, int plateType, const std::vector<DishIngredient>& ingredients);
// Makes dish (registered, or null) the content of picture, its bounds at the picture's corner.
void ShowDish(MaskedSpriteNode& picture, SceneNode* dish);
} // namespace DishPlating
