// A one-column list of text rows of equal height inside a fixed rectangle (the profile list, for
// one). Rows are added by code, each with a value that code reads back and nobody sees; one row may
// be selected by a click or, once the list is made active, with the arrow keys. Every setting of
// the selection, by code or by the player, sends "ListSelectionChange" with the list as sender.
//
// Keyboard: the list takes the focus while it has rows; focused and inactive it shows a faint
// highlight; the code 512 makes it active (the selected row then shows in cyan), 512 or 513 or
// losing the focus makes it inactive again; Up and Down move the selection while it is active.
// Moving up above the first visible row scrolls up to it; nothing scrolls down.
//
//   <fixedlistnode name="AccountList" width="300" height="200" entryHeight="25" itemOffsetX="150"
//                  itemOffsetY="3" numEntries="8" font="Font_Medium" selectedImage="Profile_Selected"
//                  textColor="#4A2E1F" selectedTextColor="#FFFFFF"/>
//
// "numEntries" is the number of rows the list has room for; the screens read it, the list itself
// draws every row that fits. Main thread.
#pragma once

#include "Graphics/ColorF.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "Widgets/FontComponent.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Corvane
{
class IImage;
}

class FixedListNode : public SceneNode, public Corvane::FontComponent
{
public:
    struct Entry
    {
        std::wstring text;
        // Room for a pointer: screens keep the object a row stands for.
        std::intptr_t value = 0;
    };

    // Key codes of the platform above the virtual-key range: make the list active, inactive.
    static constexpr int kActivateKey = 512;
    static constexpr int kDeactivateKey = 513;

    FixedListNode();

    // Appends a row; its index. The selection stays.
    int AddItem(const std::wstring& text, std::intptr_t value);
    // Removes every row, scrolls to the top and selects nothing (SetSelection (-1)).
    void Clear();
    // Stores index as given and sends "ListSelectionChange", even when it is the same.
    void SetSelection(int index);
    int GetSelection() const { return mSelected; }
    // The selected row, or null (no selection, or an index that names no row).
    const Entry* GetSelectedEntry() const;
    const std::vector<Entry>& GetEntries() const { return mEntries; }
    int GetItemCount() const { return static_cast<int>(mEntries.size()); }
    // The number of rows the layout made room for.
    int GetRowCount() const { return mRowCount; }
    void SetRowCount(int rows) { mRowCount = rows; }
    int GetFirstVisibleRow() const { return mFirstVisible; }
    bool IsActive() const { return mActive; }

    // The look: row height, where a row's text is centred (x) and starts (y) within the row, the
    // picture behind the selected row (not owned; may be null), and the text colours.
    void SetEntryHeight(float height) { mEntryHeight = height; }
    float GetEntryHeight() const { return mEntryHeight; }
    void SetItemOffset(float x, float y) { mItemOffset = {x, y}; }
    void SetSelectedImage(Corvane::IImage* image) { mSelectedImage = image; }
    void SetTextColors(const Corvane::ColorF& text, const Corvane::ColorF& selectedText);

    // Row i's rectangle in the world: the list's width, the entry height cut at the list's bottom
    // (0 or less for rows at or past it).
    Corvane::Rect<float> GetRowRect(int row);

    void OnMessage(const Corvane::ObjectMessage& message) override;
    void Draw(const Corvane::Vector2<float>& offset) override;
    bool KeyDown(int key) override;
    bool MouseDown(int button, int x, int y) override;
    bool CanTakeFocus() override { return !mEntries.empty(); }

private:
    int mRowCount = 0;
    Corvane::Vector2<float> mItemOffset{0.0f, 0.0f};
    float mEntryHeight = 0.0f;
    Corvane::IImage* mSelectedImage = nullptr;
    Corvane::ColorF mSelectedTextColor = Corvane::ColorF::OpaqueBlack();
    Corvane::ColorF mTextColor = Corvane::ColorF::OpaqueBlack();
    std::vector<Entry> mEntries;
    int mSelected = -1;
    int mFirstVisible = 0;
    bool mActive = false;
};

class FixedListNodeDescriptor : public SceneNodeDescriptor
{
public:
    float mWidth = 0.0f;
    float mHeight = 0.0f;
    float mItemOffsetX = 0.0f;
    float mItemOffsetY = 0.0f;
    float mEntryHeight = 0.0f;
    int mNumEntries = 0;
    Corvane::Label mSelectedImage;
    Corvane::Label mFont;
    Corvane::ColorF mTextColor = Corvane::ColorF::OpaqueBlack();
    Corvane::ColorF mSelectedTextColor = Corvane::ColorF::OpaqueBlack();
};

// Element "fixedlistnode": "width", "height", "entryHeight", "itemOffsetX", "itemOffsetY",
// "numEntries" (all 0 by default), "font", "selectedImage", "textColor" and "selectedTextColor"
// (opaque black by default). The game's start-up registers it.
class FixedListNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
