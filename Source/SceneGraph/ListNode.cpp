#include "SceneGraph/ListNode.h"

#include "Framework/KeyNames.h"
#include "Framework/ObjectMessage.h"
#include "Graphics/BrushDrawing.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Font.h"
#include "Graphics/IImageList.h"
#include "Graphics/ImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"

#include <algorithm>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
enum FramePiece
{
    kTop = 1,
    kLeft = 3,
    kRight = 5,
    kBottom = 7,
};

constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;

Label SelectionChangeMessage()
{
    static const Label label("ListSelectionChange");
    return label;
}

Label LostFocusMessage()
{
    static const Label label("LostFocus");
    return label;
}
} // namespace

ListNode::ListNode(Label name, const Vector2<float>& position, IImageList* images, float width, float height,
                   Font* font, const ColorF& selectedTextColor, const ColorF& textColor)
    : SceneNode(name), mImages(images), mSelectedTextColor(selectedTextColor), mTextColor(textColor)
{
    FontComponent::SetFont(font);
    SetPosition(position);
    SetSize(width, height);
}

void ListNode::AddEntry(const std::wstring& text, int value)
{
    mEntries.push_back({text, value});
}

void ListNode::Clear()
{
    mEntries.clear();
    mSelected = -1;
    mTop = 0;
}

void ListNode::SetSelection(int index)
{
    mSelected = index;
    BroadcastMessage(SelectionChangeMessage());
}

void ListNode::ScrollDown()
{
    mTop = std::max(std::min(mTop + 1, GetCount() - 1), 0);
}

void ListNode::ScrollUp()
{
    mTop = std::max(mTop - 1, 0);
}

float ListNode::PieceWidth(int piece) const
{
    return mImages ? static_cast<float>(mImages->GetWidth(piece)) : 0.0f;
}

float ListNode::PieceHeight(int piece) const
{
    return mImages ? static_cast<float>(mImages->GetHeight(piece)) : 0.0f;
}

Rect<float> ListNode::GetListArea()
{
    const Vector2<float> world = GetWorldPosition();
    return {world.x + PieceWidth(kLeft), world.y + PieceHeight(0),
            GetWidth() - (PieceWidth(kRight) + PieceWidth(kLeft)),
            GetHeight() - (PieceHeight(kBottom) + PieceHeight(kTop))};
}

float ListNode::GetRowHeight() const
{
    return GetFont() ? static_cast<float>(GetFont()->GetLineHeight() + 2) : 0.0f;
}

Rect<float> ListNode::GetRowRect(int index)
{
    const Rect<float> area = GetListArea();
    const float h = GetRowHeight();
    const float above = static_cast<float>(index - mTop) * h;
    return {area.x, area.y + above, area.width, std::min(area.height - above, h)};
}

int ListNode::GetVisibleRowCount()
{
    const float h = GetRowHeight();
    int lastWhole = -1;
    for (int i = mTop; i < GetCount(); ++i)
        if (GetRowRect(i).height == h)
            lastWhole = i;
    return lastWhole < 0 ? 1 : 1 + lastWhole - mTop;
}

bool ListNode::MouseDown(int, int x, int y)
{
    if (!IsWorldVisible())
        return false;
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    for (int i = std::max(mTop, 0); i < GetCount(); ++i)
        if (GetRowRect(i).Contains(px, py))
        {
            SetSelection(i);
            return true;
        }
    return false;
}

bool ListNode::KeyDown(int key)
{
    if (!HasKeyboardFocus() || mEntries.empty())
        return false;
    if (!mActive)
    {
        mActive = key == kKeyboardModeOn;
        return mActive;
    }
    if (key == kKeyboardModeOn || key == kKeyboardModeOff)
    {
        mActive = false;
        return true;
    }
    if (key != kKeyUp && key != kKeyDown)
        return false;
    if (mSelected == -1)
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
    if (mSelected < GetCount() - 1)
    {
        SetSelection(mSelected + 1);
        // ScrollDown stops at the last entry, so the loop ends even when no row is whole.
        while (mSelected - mTop >= GetVisibleRowCount() && mTop < GetCount() - 1)
            ScrollDown();
    }
    return true;
}

void ListNode::OnMessage(const ObjectMessage& message)
{
    if (message.GetName() == LostFocusMessage())
    {
        mActive = false;
        return;
    }
    SceneNode::OnMessage(message);
}

void ListNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    const Vector2<float> world = GetWorldPosition();
    const Vector2<float> p{world.x + offset.x, world.y + offset.y};
    ICanvas* canvas = GetCurrentCanvas();
    const float alpha = GetWorldColor().alpha;

    DrawState frame = NodeDrawState(*this);
    frame.tint.alpha = alpha;
    DrawNineBrush(mImages, 0, p.x, p.y, GetWidth(), GetHeight(), frame, canvas);

    const bool focused = HasKeyboardFocus();
    if (!mActive && focused)
    {
        // The focus highlight is white at a fixed alpha whatever the node's own.
        DrawState highlight = GetRenderContext().state;
        highlight.color = {1.0f, 1.0f, 1.0f, 0.15f};
        FillRect({p.x, p.y, GetWidth(), GetHeight()}, highlight, canvas);
    }

    if (!GetFont())
        return;
    DrawState text = frame;
    text.font = GetFont();
    text.horizontalAlignment = kAlignLeft;
    text.verticalAlignment = kAlignLeft;
    for (int i = std::max(mTop, 0); i < GetCount(); ++i)
    {
        Rect<float> row = GetRowRect(i);
        row.x += offset.x;
        row.y += offset.y;
        if (row.height <= 0.0f)
            break; // this row and the ones after it lie below the area
        ColorF color =
            i != mSelected ? mTextColor : (mActive && focused ? ColorF{0.0f, 1.0f, 1.0f, 1.0f} : mSelectedTextColor);
        color.alpha = alpha;
        text.color = color;
        const Rect<int> rowClip{static_cast<int>(row.x), static_cast<int>(row.y), static_cast<int>(row.width),
                                static_cast<int>(row.height)};
        // The row cuts the text; a clip the node has cuts it too.
        text.clip = IsClipRectUsed() ? Rect<int>::Intersect(rowClip, GetClipRect()) : rowClip;
        DrawText(mEntries[static_cast<std::size_t>(i)].text.c_str(), row.x, row.y, text, canvas);
    }
}

SceneNodeDescriptor* ListNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto* descriptor = new ListNodeDescriptor;
    descriptor->mSelectedTextColor = ParseColor(attributes.GetStringAttribute(L"selectedTextColor", L""));
    descriptor->mTextColor = ParseColor(attributes.GetStringAttribute(L"textColor", L""));
    descriptor->mFont = ReadLabelAttribute(attributes, L"font");
    descriptor->mHeight = attributes.GetFloatAttribute(L"height", 0.0f);
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mImages = ReadLabelAttribute(attributes, L"images");
    return descriptor;
}

SceneNode* ListNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<ListNodeDescriptor>(descriptor);
    return new ListNode(Label(), {0.0f, 0.0f}, FindNodeResource<ImageList>(own.mImages), own.mWidth, own.mHeight,
                        FindNodeResource<Font>(own.mFont), own.mSelectedTextColor, own.mTextColor);
}
