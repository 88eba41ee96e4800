// One place's worth of the pantry: an ingredient shown on its category's background (its picture
// "<name>_Image", or its name when it has none), the drag source of that ingredient, the name
// popup while the pointer rests on it, the highlights of the power-ups and the flash of a shuffle.
// The pantry makes a bin per place and ingredient and never gives it another; the bin goes when
// its ingredient is served (EndDrag), when it is shuffled away or when the pantry restocks. Its
// tree is a copy of "IngredientBinLayout" ("IngredientImg", "IngredText", "IngredientBG",
// "clickRect", "highlightAttAnim", "highlightComboAnim"). It belongs to the groups
// "Standard_IngredientBin" and "Vegetable", "Meat" or "Flavoring" by its ingredient's category.
// The pantry owns the ingredient; the bin only points at it.
#pragma once

#include "Game/Kitchen/DragAndDrop.h"
#include "SceneGraph/SceneLayoutController.h"

class IngredientBin : public IngredientSource, public SceneLayoutController
{
public:
    explicit IngredientBin(CookingIngredient& ingredient);

    Corvane::Label GetGroup(const int& index) const override;
    using Corvane::Object::GetGroup;
    static Corvane::Label Group();
    // "Vegetable", "Meat", "Flavoring" for 0, 1, 2; the null label otherwise.
    static Corvane::Label CategoryLabel(int category);
    // The name of the popup's delayed show among the bin's named tasks.
    static Corvane::Label PopupTaskName();

    CookingIngredient* GetIngredient() const { return mItem; }
    Corvane::Label GetCategoryLabel() const { return mCategoryLabel; }

    // Hit testing of "clickRect" (presses and hovering).
    void SetClickable(bool on);
    // The shuffle's flash over the picture; the bin then waits for it to start (the pantry
    // appends the bin's removal after it).
    void ShowShuffleFlash();
    // The power-ups' highlights: "Play" and shown, or hidden.
    void SetAttributeHighlight(bool on);
    void SetComboHighlight(bool on);
    // When this bin's ingredient is the one dragged, the drag loses its picture and the request
    // displays stop taking drops (drag mode 0). Any other drag is left alone.
    void StopDragIfDragged();

    // The press picks the ingredient up (PickUp).
    void BeginDrag() override;
    void CancelDrag() override;
    void EndDrag() override;

    // The picture of ingredient on the copy of "IngredientBinLayout" at root: its picture, or its
    // name when it has none, and the background of its category.
    static void FillPictures(SceneNode* root, const CookingIngredient& ingredient);

protected:
    SceneNode* CreateNode() override;
    void OnAttached() override;
    // A bin that goes from under the pointer takes its popup with it.
    void OnRemoved() override;

private:
    void ConnectClickRect();
    void OnPointerEnter();
    void OnPointerLeave();

    Corvane::Label mCategoryLabel;
    bool mHovered = false;
};
