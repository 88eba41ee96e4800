#include "Widgets/StateImages.h"

#include "Graphics/BrushDrawing.h"
#include "Graphics/IImageList.h"

namespace Corvane
{
ControlState PickControlState(bool enabled, bool over, bool captured, bool focused, bool hasFocusImage)
{
    if (!enabled)
        return kControlDisabled;
    if (over)
        return captured ? kControlPressed : kControlHot;
    if (focused)
        return hasFocusImage ? kControlFocused : kControlHot;
    return kControlNormal;
}

int StateImages::GetCount() const
{
    return mList ? mList->GetCount() : 0;
}

bool StateImages::IsThreePiece() const
{
    return GetCount() > kControlStateCount * mSets;
}

bool StateImages::HasFocusImage() const
{
    const int count = GetCount();
    return count == kControlStateCount * mSets || count == 3 * kControlStateCount * mSets;
}

int StateImages::GetSetStart(int set) const
{
    return set * (GetCount() / mSets);
}

int StateImages::Draw(int state, int set, float x, float y, float width, const Graphics::DrawState& drawState,
                      Graphics::ICanvas* canvas) const
{
    if (!mList)
        return 1;
    if (IsThreePiece())
        return Graphics::DrawThreeBrushHorizontal(mList, GetSetStart(set) + 3 * state, x, y, width, drawState, canvas);
    return mList->Draw(GetSetStart(set) + state, x, y, drawState, canvas);
}

int StateImages::GetNormalAlpha(int x, int y, float width) const
{
    if (IsThreePiece())
        return Graphics::GetThreeBrushPixelHorizontal(mList, 0, x, y, width);
    return GetCount() > 0 ? mList->GetAlpha(0, x, y) : 0;
}
} // namespace Corvane
