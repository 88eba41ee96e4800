#include "SceneGraph/MeterBarNodes.h"

#include "SceneGraph/NodeDrawState.h"
#include "SceneGraph/TiledImageDrawing.h"

#include <algorithm>
#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
// value / max of count, rounded down and kept within [0, count]; 0 for a maximum of 0.
int FilledPart(float value, float max, int count)
{
    if (!(max > 0.0f))
        return 0;
    const float part = value / max * static_cast<float>(count);
    if (!(part > 0.0f))
        return 0;
    return part >= static_cast<float>(count) ? count : static_cast<int>(part);
}

int KnownDirection(int direction)
{
    return direction >= kMeterLeftToRight && direction <= kMeterBottomToTop ? direction : kMeterLeftToRight;
}

bool IsHorizontalDirection(int direction)
{
    return direction == kMeterLeftToRight || direction == kMeterRightToLeft;
}

// The state a bar draws with: tinted by the node's world colour.
DrawState BarState(SceneNode& node)
{
    DrawState state = MakeNodeDrawState(node);
    state.tint = node.GetWorldColor();
    return state;
}

void ReadMeterAttributes(const IAttributeContainer& attributes, MeterBarNodeDescriptor& descriptor)
{
    descriptor.mImages = ReadLabelAttribute(attributes, L"images");
    std::wstring direction;
    attributes.GetAttribute(direction, L"direction");
    descriptor.mDirection = ParseMeterDirection(direction);
    descriptor.mSize = std::max(0, attributes.GetIntAttribute(L"size", 0));
    descriptor.mMax = attributes.GetFloatAttribute(L"max", 0.0f);
    descriptor.mStart = attributes.GetFloatAttribute(L"start", 0.0f);
}

// The start value is clamped to the maximum, so the maximum goes first.
SceneNode* StartMeter(SceneNode* node, IMeter& meter, const MeterBarNodeDescriptor& descriptor)
{
    meter.SetMax(descriptor.mMax);
    meter.SetValue(descriptor.mStart);
    return node;
}
} // namespace

int ParseMeterDirection(const std::wstring& text)
{
    static const wchar_t* const kWords[] = {L"leftToRight", L"rightToLeft", L"topToBottom", L"bottomToTop"};
    for (int i = 0; i < 4; ++i)
        if (text == kWords[i])
            return i;
    return kMeterLeftToRight;
}

// ---- MeterBarNode ----

MeterBarNode::MeterBarNode(IImageList* list, int direction, int size)
    : mImages(list), mDirection(KnownDirection(direction)), mSize(size)
{
    UpdateSize();
}

void MeterBarNode::SetImageList(IImageList* list)
{
    mImages = ImageListItems(list);
    UpdateSize();
}

void MeterBarNode::UpdateSize()
{
    IImageList* list = mImages.GetList();
    if (!list || list->GetCount() == 0)
    {
        mLength = 0;
        SetSize(0.0f, 0.0f);
        return;
    }
    if (IsHorizontal())
    {
        mLength = mSize >= 1 ? mSize : list->GetWidth(0);
        SetSize(static_cast<float>(mLength), static_cast<float>(list->GetHeight(0)));
    }
    else
    {
        mLength = mSize >= 1 ? mSize : list->GetHeight(0);
        SetSize(static_cast<float>(list->GetWidth(0)), static_cast<float>(mLength));
    }
}

int MeterBarNode::GetFillLength() const
{
    return FilledPart(GetValue(), GetMax(), mLength);
}

void MeterBarNode::Draw(const Vector2<float>& offset)
{
    if (mImages.GetCount() == 0 || !IsWorldVisible())
        return;
    const DrawState state = BarState(*this);
    const Vector2<float> world = GetWorldPosition();
    const float x = world.x + offset.x;
    const float y = world.y + offset.y;
    if (mImages.GetCount() >= 2)
        DrawStrip(1, x, y, mLength, 0, state);

    const int fill = GetFillLength();
    if (fill <= 0)
        return;
    const int rest = mLength - fill;
    switch (mDirection)
    {
    case kMeterRightToLeft: DrawStrip(0, x + static_cast<float>(rest), y, fill, rest, state); break;
    case kMeterBottomToTop: DrawStrip(0, x, y + static_cast<float>(rest), fill, rest, state); break;
    default: DrawStrip(0, x, y, fill, 0, state); break;
    }
}

void MeterBarNode::DrawStrip(int item, float x, float y, int length, int source, const DrawState& state)
{
    IImage* image = mImages.Get(item);
    if (!image)
        return;
    if (IsHorizontal())
        DrawTiledStripH(x, y, static_cast<float>(length), source, state, GetCurrentCanvas(), image);
    else
        DrawTiledStripV(x, y, static_cast<float>(length), source, state, GetCurrentCanvas(), image);
}

// ---- DiscreteMeterBarNode ----

DiscreteMeterBarNode::DiscreteMeterBarNode(IImageList* list, int direction, int size, int offset)
    : mImages(list), mDirection(KnownDirection(direction)), mSize(std::max(0, size)), mOffset(std::max(0, offset))
{
    if (!mImages || mImages->GetCount() == 0)
    {
        SetSize(0.0f, 0.0f);
        return;
    }
    const int cellWidth = mImages->GetWidth(0);
    const int cellHeight = mImages->GetHeight(0);
    const int gaps = mSize > 0 ? (mSize - 1) * mOffset : 0;
    if (IsHorizontalDirection(mDirection))
        SetSize(static_cast<float>(cellWidth * mSize + gaps), static_cast<float>(cellHeight));
    else
        SetSize(static_cast<float>(cellWidth), static_cast<float>(cellHeight * mSize + gaps));
}

int DiscreteMeterBarNode::GetFilledCells() const
{
    return FilledPart(GetValue(), GetMax(), mSize);
}

void DiscreteMeterBarNode::Draw(const Vector2<float>& offset)
{
    if (!mImages || mImages->GetCount() == 0 || !IsWorldVisible() || !(GetMax() > 0.0f))
        return;
    const DrawState state = BarState(*this);
    ICanvas* canvas = GetCurrentCanvas();
    const bool horizontal = IsHorizontalDirection(mDirection);
    const float step = static_cast<float>((horizontal ? mImages->GetWidth(0) : mImages->GetHeight(0)) + mOffset);
    const Vector2<float> world = GetWorldPosition();
    Vector2<float> point{world.x + offset.x, world.y + offset.y};

    const int filled = GetFilledCells();
    const bool filledFirst = mDirection == kMeterLeftToRight || mDirection == kMeterTopToBottom;
    const int firstItem = filledFirst ? 0 : 1;
    const int firstCount = filledFirst ? filled : mSize - filled;
    for (int cell = 0; cell < mSize; ++cell)
    {
        const int item = cell < firstCount ? firstItem : 1 - firstItem;
        mImages->Draw(item, point.x, point.y, state, canvas);
        (horizontal ? point.x : point.y) += step;
    }
}

// ---- Factories ----

SceneNodeDescriptor* MeterBarNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<MeterBarNodeDescriptor>();
    ReadMeterAttributes(attributes, *descriptor);
    return descriptor.release();
}

SceneNode* MeterBarNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& bar = DescriptorAs<MeterBarNodeDescriptor>(descriptor);
    auto* node = new MeterBarNode(FindNodeResource<IImageList>(bar.mImages), bar.mDirection, bar.mSize);
    return StartMeter(node, *node, bar);
}

SceneNodeDescriptor* DiscreteMeterBarNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<DiscreteMeterBarNodeDescriptor>();
    ReadMeterAttributes(attributes, *descriptor);
    descriptor->mOffset = std::max(0, attributes.GetIntAttribute(L"offset", 0));
    return descriptor.release();
}

SceneNode* DiscreteMeterBarNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& bar = DescriptorAs<DiscreteMeterBarNodeDescriptor>(descriptor);
    auto* node =
        new DiscreteMeterBarNode(FindNodeResource<IImageList>(bar.mImages), bar.mDirection, bar.mSize, bar.mOffset);
    return StartMeter(node, *node, bar);
}
