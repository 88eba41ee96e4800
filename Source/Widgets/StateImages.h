// The pictures of a control per interaction state, shared by the widget controls
// (PressableControl) and the scene graph's control nodes (button, check box, radio button). An
// image list holds one picture per state, in state order (normal, hot, pressed, disabled,
// focused), or, when it is longer than one picture per state, three pieces per state (3s left cap,
// 3s + 1 middle, 3s + 2 right cap) drawn as a three-brush across the control's width. Two-state
// controls (check boxes) hold a second set after the first: set k starts at image k * (count /
// sets).
//
// The focused picture exists only in a complete list (5 or 15 images per set); without it a
// focused control shows the hot picture. A state whose picture or pieces are missing draws nothing.
#pragma once

#include "Graphics/DrawState.h"
#include "Graphics/ICanvas.h"

namespace Corvane
{
class IImageList;

enum ControlState
{
    kControlNormal = 0,
    kControlHot = 1,
    kControlPressed = 2,
    kControlDisabled = 3,
    kControlFocused = 4,
};
constexpr int kControlStateCount = 5;

// The state a control shows: disabled above all; the pointer over it, pressed when it holds the
// mouse capture and hot otherwise; else focused (hot without a focus picture); else normal.
ControlState PickControlState(bool enabled, bool over, bool captured, bool focused, bool hasFocusImage);

class StateImages
{
public:
    // list: not owned, may be null (nothing to draw).
    explicit StateImages(IImageList* list, int sets = 1) : mList(list), mSets(sets) {}

    IImageList* GetList() const { return mList; }
    int GetCount() const;
    // More images than one per state of every set.
    bool IsThreePiece() const;
    bool HasFocusImage() const;
    // The first image of set (0 the first set).
    int GetSetStart(int set) const;
    // The picture of state in set at (x, y); the three pieces across width. The brush's or the
    // list's result; 1 without a list.
    int Draw(int state, int set, float x, float y, float width, const Graphics::DrawState& drawState,
             Graphics::ICanvas* canvas) const;
    // The alpha (0 to 255) of the first set's normal picture at (x, y) from its top-left corner;
    // the pieces across width. 0 outside it.
    int GetNormalAlpha(int x, int y, float width) const;

private:
    IImageList* mList;
    int mSets;
};
} // namespace Corvane
