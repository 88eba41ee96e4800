#include "Graphics/BrushDrawing.h"

#include "Graphics/DrawingFunctions.h"
#include "Graphics/IImageList.h"

#include <cmath>

namespace Corvane::Graphics
{
namespace
{
constexpr int kNothingToDraw = 1;
constexpr int kNotEnoughPieces = -1;

int Floor(float value)
{
    return static_cast<int>(std::floor(value));
}

// The list holds count pieces from first on.
bool HasPieces(const IImageList& list, int first, int count)
{
    return first >= 0 && first <= list.GetCount() - count;
}

// One three-brush along x (or y when vertical): caps at both ends, the middle repeated between.
void DrawThreeBrush(IImageList& list, int first, float x, float y, float length, bool vertical, const DrawState& state,
                    ICanvas* canvas)
{
    const auto extent = [&](int index) { return vertical ? list.GetHeight(index) : list.GetWidth(index); };
    const auto draw = [&](int index, int along, int across, const DrawState& pieceState) {
        if (vertical)
            DrawImageListItem(&list, index, static_cast<float>(across), static_cast<float>(along), pieceState, canvas);
        else
            DrawImageListItem(&list, index, static_cast<float>(along), static_cast<float>(across), pieceState, canvas);
    };
    const int start = Floor(vertical ? y : x);
    const int across = Floor(vertical ? x : y);
    int remaining = Floor((vertical ? y : x) + length) - start;

    draw(first, start, across, state);
    int cursor = start + extent(first);
    remaining -= extent(first);
    // Right- (bottom-) aligned at the end; over the start cap when the caps do not fit.
    draw(first + 2, cursor + remaining - extent(first + 2), across, state);
    remaining -= extent(first + 2);

    const int middle = extent(first + 1);
    // A middle piece without extent (a missing image) would never cover the gap.
    if (middle <= 0)
        return;
    for (; remaining > 0; remaining -= middle, cursor += middle)
    {
        if (remaining >= middle)
        {
            draw(first + 1, cursor, across, state);
            continue;
        }
        DrawState cut = state;
        cut.SetSourceRect(vertical ? Rect<int>{0, 0, list.GetWidth(first + 1), remaining}
                                   : Rect<int>{0, 0, remaining, list.GetHeight(first + 1)});
        draw(first + 1, cursor, across, cut);
    }
}

int ThreeBrush(IImageList* list, int first, float x, float y, float length, bool vertical, const DrawState& state,
               ICanvas* canvas)
{
    if (!list)
        return kNothingToDraw;
    if (!HasPieces(*list, first, 3))
        return kNotEnoughPieces;
    DrawThreeBrush(*list, first, x, y, length, vertical, state, canvas);
    return 0;
}
} // namespace

int DrawThreeBrushHorizontal(IImageList* list, int first, float x, float y, float width, const DrawState& state,
                             ICanvas* canvas)
{
    return ThreeBrush(list, first, x, y, width, false, state, canvas);
}

int DrawThreeBrushHorizontal(IImageList* list, float x, float y, float width, const DrawState& state, ICanvas* canvas)
{
    return ThreeBrush(list, 0, x, y, width, false, state, canvas);
}

int DrawThreeBrushVertical(IImageList* list, int first, float x, float y, float height, const DrawState& state,
                           ICanvas* canvas)
{
    return ThreeBrush(list, first, x, y, height, true, state, canvas);
}

int DrawThreeBrushVertical(IImageList* list, float x, float y, float height, const DrawState& state, ICanvas* canvas)
{
    return ThreeBrush(list, 0, x, y, height, true, state, canvas);
}

int DrawNineBrush(IImageList* list, int first, float x, float y, float width, float height, const DrawState& state,
                  ICanvas* canvas)
{
    if (!list)
        return kNothingToDraw;
    if (!HasPieces(*list, first, 9))
        return kNotEnoughPieces;
    const int left = Floor(x);
    const int top = Floor(y);
    const int w = Floor(x + width) - left;
    int remaining = Floor(y + height) - top;
    const auto row = [&](int rowFirst, int rowTop, const DrawState& rowState) {
        DrawThreeBrush(*list, rowFirst, static_cast<float>(left), static_cast<float>(rowTop), static_cast<float>(w),
                       false, rowState, canvas);
    };

    row(first, top, state);
    int cursor = top + list->GetHeight(first);
    remaining -= list->GetHeight(first);
    row(first + 6, cursor + remaining - list->GetHeight(first + 6), state);
    remaining -= list->GetHeight(first + 6);

    const int middle = list->GetHeight(first + 3);
    if (middle <= 0)
        return 0;
    for (; remaining > 0; remaining -= middle, cursor += middle)
    {
        if (remaining >= middle)
        {
            row(first + 3, cursor, state);
            continue;
        }
        DrawState clipped = state;
        clipped.clip = {left, cursor, w, remaining};
        row(first + 3, cursor, clipped);
    }
    return 0;
}

int DrawNineBrush(IImageList* list, float x, float y, float width, float height, const DrawState& state,
                  ICanvas* canvas)
{
    return DrawNineBrush(list, 0, x, y, width, height, state, canvas);
}

std::uint8_t GetThreeBrushPixelHorizontal(IImageList* list, int first, int px, int py, float width)
{
    if (!list || !HasPieces(*list, first, 3) || px < 0 || static_cast<float>(px) >= width || py < 0 ||
        py >= list->GetHeight(first))
        return 0;
    const int startWidth = list->GetWidth(first);
    if (px < startWidth)
        return list->GetAlpha(first, px, py);
    const int endWidth = list->GetWidth(first + 2);
    if (static_cast<float>(px) > width - static_cast<float>(endWidth))
        return list->GetAlpha(first + 2, px - (static_cast<int>(width) - endWidth), py);
    const int middle = list->GetWidth(first + 1);
    if (middle <= 0)
        return 0;
    return list->GetAlpha(first + 1, (px - startWidth) % middle, py);
}
} // namespace Corvane::Graphics
