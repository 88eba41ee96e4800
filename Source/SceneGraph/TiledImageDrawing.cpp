#include "SceneGraph/TiledImageDrawing.h"

#include "Graphics/DrawingFunctions.h"
#include "Graphics/IImage.h"

#include <algorithm>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
constexpr int kNothingDrawn = 1;

// v brought into [0, n); n > 0.
int Wrap(int v, int n)
{
    if (v >= n || v < 0)
    {
        v %= n;
        if (v < 0)
            v += n;
    }
    return v;
}
} // namespace

int DrawTiledImage(IImage* image, const Rect<float>& area, int startX, int startY, const DrawState& state,
                   ICanvas* canvas)
{
    if (!image || !(area.width > 0.0f) || !(area.height > 0.0f))
        return kNothingDrawn;
    const int imageWidth = image->GetWidth();
    const int imageHeight = image->GetHeight();
    // An image without pixels would never cover the area (and cannot be wrapped into).
    if (imageWidth <= 0 || imageHeight <= 0)
        return kNothingDrawn;

    int rowOffset = Wrap(startY, imageHeight);
    int y = static_cast<int>(area.y);
    for (int remainingHeight = static_cast<int>(area.height); remainingHeight > 0;)
    {
        const int rowHeight = std::min(imageHeight - rowOffset, remainingHeight);
        int columnOffset = Wrap(startX, imageWidth);
        int x = static_cast<int>(area.x);
        for (int remainingWidth = static_cast<int>(area.width); remainingWidth > 0;)
        {
            const int columnWidth = std::min(imageWidth - columnOffset, remainingWidth);
            DrawState piece = state;
            if (columnOffset != 0 || rowOffset != 0 || columnWidth < imageWidth || rowHeight < imageHeight)
                piece.SetSourceRect({columnOffset, rowOffset, columnWidth, rowHeight});
            DrawImage(image, static_cast<float>(x), static_cast<float>(y), piece, canvas);
            remainingWidth -= columnWidth;
            x += columnWidth;
            columnOffset = 0;
        }
        remainingHeight -= rowHeight;
        y += rowHeight;
        rowOffset = 0;
    }
    return 0;
}

int DrawTiledStripH(float x, float y, float length, int startX, const DrawState& state, ICanvas* canvas, IImage* image)
{
    if (!image)
        return kNothingDrawn;
    return DrawTiledImage(image, {x, y, length, static_cast<float>(image->GetHeight())}, startX, 0, state, canvas);
}

int DrawTiledStripV(float x, float y, float length, int startY, const DrawState& state, ICanvas* canvas, IImage* image)
{
    if (!image)
        return kNothingDrawn;
    return DrawTiledImage(image, {x, y, static_cast<float>(image->GetWidth()), length}, 0, startY, state, canvas);
}

PackedColor GetTiledPixel(IImage* image, int x, int y, const Vector2<float>& areaSize, const Vector2<int>& start)
{
    constexpr PackedColor kOutside = 0xFFFFFFFFu;
    if (!image || x < 0 || y < 0 || x >= static_cast<int>(areaSize.x) || y >= static_cast<int>(areaSize.y))
        return kOutside;
    const int width = image->GetWidth();
    const int height = image->GetHeight();
    if (width <= 0 || height <= 0)
        return 0;
    return image->GetPixel(Wrap(x + start.x, width), Wrap(y + start.y, height));
}
