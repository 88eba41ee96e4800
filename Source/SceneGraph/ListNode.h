// The scene graph's framed list: single-line text entries in rows of equal height (the font's line
// height + 2) inside a nine-piece frame, one selected entry and a first visible row that scrolls.
// A press on a row selects it; while the list holds the keyboard focus, the engine's select key
// (kKeyboardModeOn) activates it, and then Up and Down move the selection, scrolling to keep the
// selected row whole; kKeyboardModeOn or kKeyboardModeOff, or the loss of the focus, ends that. Every
// selection, also of the selected entry, broadcasts "ListSelectionChange" with the list as sender.
// Layouts create it from "listnode":
//
//   <listnode nodeName="Profiles" images="ListFrame" font="Font_Small" width="200" height="120"
//             textColor="#404040" selectedTextColor="#FFFFFF"/>
//
// Screens fill it (AddEntry, Clear) and read the selection. Without a frame the rows fill the
// node; without a font there are no rows to draw or press, so a list whose resources are missing
// shows and takes nothing in their place. A list hidden in the world takes no presses.
// Main thread only.
#pragma once

#include "Graphics/ColorF.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "Widgets/FontComponent.h"

#include <string>
#include <vector>

namespace Corvane
{
class IImageList;
}

class ListNode : public SceneNode, public Corvane::FontComponent
{
public:
    struct Entry
    {
        std::wstring text;
        int value = 0;
    };

    // images (nine frame pieces) and font are not owned; either may be null.
    ListNode(Corvane::Label name, const Corvane::Vector2<float>& position, Corvane::IImageList* images, float width,
             float height, Corvane::Font* font, const Corvane::ColorF& selectedTextColor,
             const Corvane::ColorF& textColor);

    // ---- Entries ----
    int GetCount() const { return static_cast<int>(mEntries.size()); }
    const Entry& GetEntry(int index) const { return mEntries.at(static_cast<std::size_t>(index)); }
    void AddEntry(const std::wstring& text, int value = 0);
    // No entries, no selection, scrolled to the top; sends nothing.
    void Clear();

    // ---- Selection and scrolling ----
    // -1: none.
    int GetSelection() const { return mSelected; }
    // Selects index and broadcasts "ListSelectionChange", also when it is the selected one.
    void SetSelection(int index);
    int GetTop() const { return mTop; }
    // One row further, but never past the last entry.
    void ScrollDown();
    // One row back, but never before the first.
    void ScrollUp();
    // The rows from the top one to the last whole one (at least 1).
    int GetVisibleRowCount();
    bool IsActive() const { return mActive; }

    // ---- Geometry, in world coordinates ----
    // The node's rectangle inside the frame's edges.
    Corvane::Rect<float> GetListArea();
    // The font's line height + 2; 0 without a font.
    float GetRowHeight() const;
    // Entry i's row; rows past the area's bottom are cut short (to a height of 0 or below).
    Corvane::Rect<float> GetRowRect(int index);

    // ---- Scene node ----
    bool KeyDown(int key) override;
    // Any button: selects the row under the point and takes the press.
    bool MouseDown(int button, int x, int y) override;
    // Only with entries.
    bool CanTakeFocus() override { return !mEntries.empty(); }
    // "LostFocus" ends the keyboard selection mode.
    void OnMessage(const Corvane::ObjectMessage& message) override;
    void Draw(const Corvane::Vector2<float>& offset) override;

    Corvane::IImageList* GetImages() const { return mImages; }
    const Corvane::ColorF& GetTextColor() const { return mTextColor; }
    const Corvane::ColorF& GetSelectedTextColor() const { return mSelectedTextColor; }

private:
    // Width (or height) of a frame piece; 0 without the frame.
    float PieceWidth(int piece) const;
    float PieceHeight(int piece) const;

    Corvane::IImageList* mImages;
    Corvane::ColorF mSelectedTextColor;
    Corvane::ColorF mTextColor;
    std::vector<Entry> mEntries;
    int mSelected = -1;
    int mTop = 0;
    bool mActive = false;
};

class ListNodeDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label mImages;
    float mWidth = 0.0f;
    float mHeight = 0.0f;
    Corvane::Label mFont;
    Corvane::ColorF mTextColor{0.0f, 0.0f, 0.0f, 1.0f};
    Corvane::ColorF mSelectedTextColor{0.0f, 0.0f, 0.0f, 1.0f};
};

// Element "listnode": "images", "font", "width", "height" (0), "textColor" and
// "selectedTextColor" ("#RRGGBB" or "#RRGGBBAA"; opaque black when absent).
class ListNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(const Corvane::IAttributeContainer& attributes) override;
    SceneNode* CreateNode(const SceneNodeDescriptor& descriptor) override;
};
