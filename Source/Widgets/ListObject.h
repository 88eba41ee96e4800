// A vertical list of text items in a nine-piece frame. The user selects one item with the mouse
// or the Up and Down keys (the first of either selects item 0); the list scrolls down to keep a
// selection made by key in view and reports every selection with "ListSelectionChange", also
// when it does not change. A second press on the selected item within the system's double-click
// time also reports "ListItemDoubleClick". Each row is the font's line height plus 2 pixels; a
// row cut by the bottom of the frame is drawn clipped but does not count as visible.
//
// A press inside the bounds gives the list the keyboard focus, whether or not it hits an item;
// it takes keys only with the focus and at least one item. Without a font the items are neither
// drawn nor hit (the keys still select, without scrolling).
//
// Its factory, "list", reads "images" (the frame), "textColor", "selectedTextColor" (white) and
// "selectedBackgroundColor" (black). Code fills it.
#pragma once

#include "Widgets/ItemViewObject.h"
#include "Widgets/ObjectFactory.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Corvane
{
class IClock;

class ListObject : public ItemViewObject
{
public:
    struct Item
    {
        std::wstring text;
        std::uint32_t data = 0; // the owner's; the list never reads it
    };

    explicit ListObject(Label name);

    // Appends an item; returns its index.
    int AddItem(const std::wstring& text, std::uint32_t data = 0);
    // Removes the item at index (nothing for an index out of range). The selection follows its
    // item; removing the selected item leaves nothing selected. The top index stays inside the
    // items. No message.
    void RemoveItem(int index);
    // No items, nothing selected, top index 0. No message.
    void ClearItems();
    unsigned GetItemCount() const { return static_cast<unsigned>(mItems.size()); }
    // Null for an index out of range.
    const Item* GetItem(int index) const;

    // Selects index and broadcasts "ListSelectionChange".
    void SetSelection(int index);
    // -1 when nothing is selected.
    int GetSelection() const { return mSelected; }
    // The first item drawn.
    int GetTopIndex() const { return mTop; }

    // The clock whose tick counter times double clicks (null: the system's). Not owned.
    void SetClock(IClock* clock);

    // The rectangle of item index's row; rows above the top index lie above the content area and
    // rows past its bottom have a height of 0 or less.
    Rect<float> GetItemRect(int index) const;
    // How many whole rows fit from the top index on (at least 1).
    int GetVisibleCount() const;

    void Draw() override;
    bool KeyDown(int key) override;
    bool MouseDown(int button, int x, int y) override;
    // Only with at least one item.
    bool CanTakeFocus() override { return !mItems.empty(); }

private:
    Rect<float> GetContentArea() const { return ItemViewObject::GetContentArea(0); }
    // 0 without a font.
    float GetLineHeight() const;

    std::vector<Item> mItems;
    int mSelected = -1;
    int mTop = 0;
    std::uint32_t mLastClickTime = 0;
    IClock* mClock;
};

class ListObjectFactory : public IObjectFactory
{
public:
    Object* Create(Label name, const IAttributeContainer& attributes) override;
};
} // namespace Corvane
