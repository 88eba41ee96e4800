// The ingredient's name popup that the pantry's bins and the level intro's ingredient pictures
// show while the pointer rests on them (layout "IngredientDataPopupLayout"): a tag, "bubbleBG",
// made as wide as the name plus 20, put at the picture's corner + "PantryItemPopupOffset" and
// kept within the area given (the pantry's board, the screen), so that it never spills over what
// lies beside. Showing it after the delay is MakeDelayedShowTask's (DelayedShowTask.h).
//
//   PlaceIngredientNamePopup(*popup, Label("Tomato"), bin->GetNode()->GetWorldPosition(), board);
//
// Main thread.
#pragma once

#include "Graphics/Rect.h"
#include "Graphics/Vector2.h"
#include "Label.h"

class SceneNode;

// The whole screen, the area of a popup that has no other.
inline constexpr Corvane::Rect<float> kWholeScreen{0.0f, 0.0f, 800.0f, 600.0f};

// Names the ingredient on the popup, fits the tag to the name and moves the popup to corner +
// the offset, then the least distance needed to bring the tag within area (world coordinates).
void PlaceIngredientNamePopup(SceneNode& popup, Corvane::Label ingredient, const Corvane::Vector2<float>& corner,
                              const Corvane::Rect<float>& area = kWholeScreen);
