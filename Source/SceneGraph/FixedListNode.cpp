#include "SceneGraph/FixedListNode.h"

#include "Framework/ObjectMessage.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Font.h"
#include "Graphics/IImage.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"

#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
Label ListSelectionChange()
{
    static const Label label("ListSelectionChange");
    return label;
}

constexpr int kUp = 38;
constexpr int kDown = 40;
// The faint white over a focused list that is not active.
constexpr ColorF kFocusHighlight{1.0f, 1.0f, 1.0f, 0.15f};
// The selected row of an active list.
constexpr ColorF kActiveSelection{0.0f, 1.0f, 1.0f, 1.0f};
} // namespace

FixedListNode::FixedListNode() = default;

int FixedListNode::AddItem(const std::wstring& text, std::intptr_t value)
{
    mEntries.push_back({text, value});
    return static_cast<int>(mEntries.size()) - 1;
}

void FixedListNode::Clear()
{
    mEntries.clear();
    mFirstVisible = 0;
    SetSelection(-1);
}

void FixedListNode::SetSelection(int index)
{
    mSelected = index;
    BroadcastMessage(ListSelectionChange());
}

const FixedListNode::Entry* FixedListNode::GetSelectedEntry() const
{
    if (mSelected < 0 || mSelected >= GetItemCount())
        return nullptr;
    return &mEntries[static_cast<std::size_t>(mSelected)];
}

void FixedListNode::SetTextColors(const ColorF& text, const ColorF& selectedText)
{
    mTextColor = text;
    mSelectedTextColor = selectedText;
}

Rect<float> FixedListNode::GetRowRect(int row)
{
    const Vector2<float> world = GetWorldPosition();
    const float y = world.y + static_cast<float>(row - mFirstVisible) * mEntryHeight;
    const float below = world.y + GetHeight() - y;
    return {world.x, y, GetWidth(), std::min(mEntryHeight, below)};
}

void FixedListNode::OnMessage(const ObjectMessage& message)
{
    if (message.GetName() == Messages::LostFocus())
        mActive = false;
    SceneNode::OnMessage(message);
}

void FixedListNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    ICanvas* canvas = GetCurrentCanvas();
    const DrawState& current = GetRenderContext().state;
    const bool focused = HasKeyboardFocus();
    const Vector2<float> world = GetWorldPosition();
    if (focused && !mActive)
    {
        DrawState highlight = current;
        highlight.color = kFocusHighlight;
        FillRect(Rect<float>{world.x, world.y, GetWidth(), GetHeight()}, highlight, canvas);
    }
    const float alpha = GetWorldColor().alpha;
    for (int i = mFirstVisible; i < GetItemCount(); ++i)
    {
        Rect<float> row = GetRowRect(i);
        row.x += offset.x;
        row.y += offset.y;
        ColorF color = mTextColor;
        if (i == mSelected)
        {
            if (focused && mActive)
                color = kActiveSelection;
            else
            {
                if (mSelectedImage)
                {
                    const int x = (static_cast<int>(GetWidth()) - mSelectedImage->GetWidth()) / 2;
                    DrawImage(mSelectedImage, world.x + static_cast<float>(x), row.y, current, canvas);
                }
                color = mSelectedTextColor;
            }
        }
        color.alpha = alpha;
        DrawState text = current;
        text.font = GetFont();
        text.color = color;
        text.horizontalAlignment = Graphics::kAlignCenter;
        text.verticalAlignment = Graphics::kAlignLeft; // top
        text.clip = Rect<int>::FromRect(row);
        DrawText(mEntries[static_cast<std::size_t>(i)].text.c_str(), row.x + mItemOffset.x, row.y + mItemOffset.y, text,
                 canvas);
    }
}

bool FixedListNode::KeyDown(int key)
{
    if (!HasKeyboardFocus() || mEntries.empty())
        return false;
    if (!mActive)
    {
        if (key != kActivateKey)
            return false;
        mActive = true;
        return true;
    }
    switch (key)
    {
    case kActivateKey:
    case kDeactivateKey: mActive = false; return true;
    case kUp:
        if (mSelected > 0)
            SetSelection(mSelected - 1);
        if (mSelected >= 0 && mSelected < mFirstVisible)
            mFirstVisible = mSelected;
        return true;
    case kDown:
        if (mSelected < GetItemCount() - 1)
            SetSelection(mSelected + 1);
        return true;
    default: return false;
    }
}

bool FixedListNode::MouseDown(int, int x, int y)
{
    if (!IsWorldVisible())
        return false;
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    for (int i = mFirstVisible; i < GetItemCount(); ++i)
    {
        const Rect<float> row = GetRowRect(i);
        if (px >= row.x && px <= row.x + row.width && py >= row.y && py <= row.y + row.height)
        {
            SetSelection(i);
            return true;
        }
    }
    return false;
}

SceneNodeDescriptor* FixedListNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<FixedListNodeDescriptor>();
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mHeight = attributes.GetFloatAttribute(L"height", 0.0f);
    descriptor->mItemOffsetX = attributes.GetFloatAttribute(L"itemOffsetX", 0.0f);
    descriptor->mItemOffsetY = attributes.GetFloatAttribute(L"itemOffsetY", 0.0f);
    descriptor->mEntryHeight = attributes.GetFloatAttribute(L"entryHeight", 0.0f);
    descriptor->mNumEntries = attributes.GetIntAttribute(L"numEntries", 0);
    descriptor->mSelectedImage = ReadLabelAttribute(attributes, L"selectedImage");
    descriptor->mFont = ReadLabelAttribute(attributes, L"font");
    if (attributes.HasAttribute(L"textColor"))
        descriptor->mTextColor = ParseColor(attributes.GetStringAttribute(L"textColor", L""));
    if (attributes.HasAttribute(L"selectedTextColor"))
        descriptor->mSelectedTextColor = ParseColor(attributes.GetStringAttribute(L"selectedTextColor", L""));
    return descriptor.release();
}

SceneNode* FixedListNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<FixedListNodeDescriptor>(descriptor);
    auto node = std::make_unique<FixedListNode>();
    node->SetSize(own.mWidth, own.mHeight);
    node->SetItemOffset(own.mItemOffsetX, own.mItemOffsetY);
    node->SetEntryHeight(own.mEntryHeight);
    node->SetRowCount(own.mNumEntries);
    node->SetSelectedImage(FindNodeResource<IImage>(own.mSelectedImage));
    node->SetFont(FindNodeResource<Font>(own.mFont));
    node->SetTextColors(own.mTextColor, own.mSelectedTextColor);
    return node.release();
}
