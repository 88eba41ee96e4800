#include "Widgets/ListObject.h"

#include "Framework/IClock.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Font.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"
#include "Platform/Compat/User/Metrics.h"
#include "Widgets/WidgetFocus.h"

#include <algorithm>
#include <memory>

namespace Corvane
{
using namespace Graphics;

namespace
{
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;
// Rows are this much taller than the font's lines.
constexpr float kRowPadding = 2.0f;

Label ListSelectionChange()
{
    static const Label label("ListSelectionChange");
    return label;
}

Label ListItemDoubleClick()
{
    static const Label label("ListItemDoubleClick");
    return label;
}
} // namespace

ListObject::ListObject(Label name) : ItemViewObject(name), mClock(&GetSystemClock()) {}

int ListObject::AddItem(const std::wstring& text, std::uint32_t data)
{
    mItems.push_back({text, data});
    return static_cast<int>(mItems.size()) - 1;
}

void ListObject::RemoveItem(int index)
{
    if (index < 0 || index >= static_cast<int>(mItems.size()))
        return;
    mItems.erase(mItems.begin() + index);
    if (mSelected == index)
        mSelected = -1;
    else if (mSelected > index)
        --mSelected;
    if (mTop > index)
        --mTop;
    mTop = std::clamp(mTop, 0, std::max(static_cast<int>(mItems.size()) - 1, 0));
}

void ListObject::ClearItems()
{
    mItems.clear();
    mSelected = -1;
    mTop = 0;
}

const ListObject::Item* ListObject::GetItem(int index) const
{
    return index >= 0 && index < static_cast<int>(mItems.size()) ? &mItems[index] : nullptr;
}

void ListObject::SetSelection(int index)
{
    mSelected = index;
    BroadcastFrom(*this, ListSelectionChange());
}

void ListObject::SetClock(IClock* clock)
{
    mClock = clock ? clock : &GetSystemClock();
}

float ListObject::GetLineHeight() const
{
    const Font* font = GetFont();
    return font ? static_cast<float>(font->GetLineHeight()) + kRowPadding : 0.0f;
}

Rect<float> ListObject::GetItemRect(int index) const
{
    const Rect<float> content = GetContentArea();
    const float height = GetLineHeight();
    const float offset = static_cast<float>(index - mTop) * height;
    return {content.x, content.y + offset, content.width, std::min(height, content.height - offset)};
}

int ListObject::GetVisibleCount() const
{
    const Rect<float> content = GetContentArea();
    const float height = GetLineHeight();
    int last = mTop;
    for (int i = mTop; i < static_cast<int>(mItems.size()); ++i)
        if (Rect<float>::Intersect(GetItemRect(i), content).height == height)
            last = i;
    return std::max(last - mTop + 1, 1);
}

void ListObject::Draw()
{
    if (!IsVisible())
        return;
    DrawFrame();
    if (!GetFont())
        return;
    RenderContext items = GetRenderContext();
    items.state.font = GetFont();
    items.state.color = GetColor();
    ScopedDrawState itemState(items);
    for (int i = mTop; i < static_cast<int>(mItems.size()); ++i)
    {
        const Rect<float> row = GetItemRect(i);
        RenderContext clipped = GetRenderContext();
        clipped.state.clip = Rect<int>::FromRect(row);
        ScopedDrawState rowState(clipped);
        DrawState& state = GetRenderContext().state;
        if (i == mSelected)
        {
            state.color = GetSelectedTextColor();
            DrawState fill = state;
            fill.color = GetSelectedBackgroundColor();
            FillRect(row, fill, GetCurrentCanvas());
        }
        DrawState text = state;
        text.horizontalAlignment = kAlignLeft;
        text.verticalAlignment = kAlignLeft;
        DrawText(mItems[i].text.c_str(), row.x, row.y + 1.0f, text, GetCurrentCanvas());
    }
}

bool ListObject::KeyDown(int key)
{
    if (!HasFocus(this) || mItems.empty())
        return false;
    if (mSelected == -1 && (key == kKeyUp || key == kKeyDown))
    {
        mTop = 0;
        SetSelection(0);
        return true;
    }
    if (key == kKeyUp)
    {
        if (mSelected > 0)
            SetSelection(mSelected - 1);
        if (mSelected < mTop)
            mTop = mSelected;
        return true;
    }
    if (key == kKeyDown)
    {
        const int count = static_cast<int>(mItems.size());
        if (mSelected < count - 1)
        {
            SetSelection(mSelected + 1);
            while (mSelected - mTop >= GetVisibleCount() && mTop < count - 1)
                mTop = std::min(mTop + 1, count - 1);
        }
        return true;
    }
    return false;
}

bool ListObject::MouseDown(int, int x, int y)
{
    // Every press is offered to every control: only one on the list gives it the focus.
    if (!HitTestPoint(x, y))
        return false;
    SetFocus(this);
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    for (int i = mTop; i < static_cast<int>(mItems.size()); ++i)
    {
        if (!GetItemRect(i).Contains(px, py))
            continue;
        const int previous = mSelected;
        const std::uint32_t now = mClock->GetTickCount();
        const std::uint32_t elapsed = now - mLastClickTime;
        SetSelection(i);
        mLastClickTime = now;
        if (i == previous && elapsed <= GetDoubleClickTime())
            BroadcastFrom(*this, ListItemDoubleClick());
        return true;
    }
    return false;
}

Object* ListObjectFactory::Create(Label name, const IAttributeContainer& attributes)
{
    auto list = std::make_unique<ListObject>(name);
    ReadItemViewAttributes(*list, attributes);
    return list.release();
}
} // namespace Corvane
