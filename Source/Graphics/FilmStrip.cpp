#include "Graphics/FilmStrip.h"

#include "Graphics/DrawingFunctions.h"

#include <algorithm>
#include <climits>

namespace Corvane
{
namespace
{
constexpr int kNothingToDraw = 1;
} // namespace

FilmStrip::FilmStrip(std::unique_ptr<Image> strip, int columns, int rows, bool reverseColumns)
{
    SetStrip(std::move(strip), columns, rows, reverseColumns);
}

FilmStrip::~FilmStrip() = default;

void FilmStrip::SetStrip(std::unique_ptr<Image> strip, int columns, int rows, bool reverseColumns)
{
    // A grid of zero or negative cells would divide by zero or number its cells backwards.
    mStrip = std::move(strip);
    mColumns = std::max(columns, 1);
    mRows = std::max(rows, 1);
    mReverseColumns = reverseColumns;
}

int FilmStrip::GetCellWidth() const
{
    return mStrip ? mStrip->GetWidth() / mColumns : 0;
}

int FilmStrip::GetCellHeight() const
{
    return mStrip ? mStrip->GetHeight() / mRows : 0;
}

Rect<int> FilmStrip::GetFrameRect(int index) const
{
    int column = index % mColumns;
    const int row = index / mColumns;
    if (mReverseColumns)
        column = mColumns - 1 - column;
    const int width = GetCellWidth();
    const int height = GetCellHeight();
    return {width * column, height * row, width, height};
}

int FilmStrip::GetCount() const
{
    if (!mStrip)
        return 0;
    return static_cast<int>(std::min<std::int64_t>(std::int64_t(mColumns) * mRows, INT_MAX));
}

bool FilmStrip::IsValid(int index) const
{
    return index >= 0 && index < GetCount() && GetCellWidth() > 0 && GetCellHeight() > 0;
}

int FilmStrip::GetWidth(int index) const
{
    return IsValid(index) ? GetCellWidth() : 0;
}

int FilmStrip::GetHeight(int index) const
{
    return IsValid(index) ? GetCellHeight() : 0;
}

std::uint8_t FilmStrip::GetAlpha(int index, int x, int y) const
{
    return static_cast<std::uint8_t>(GetPixel(index, x, y) >> 24);
}

PackedColor FilmStrip::GetPixel(int index, int x, int y) const
{
    // Outside its cell a frame has no pixels: the neighbouring frame is not part of it.
    if (!IsValid(index) || x < 0 || y < 0 || x >= GetCellWidth() || y >= GetCellHeight())
        return 0;
    const Rect<int> frame = GetFrameRect(index);
    return mStrip->GetPixel(x + frame.x, y + frame.y);
}

int FilmStrip::Draw(int index, float x, float y, const Graphics::DrawState& state, Graphics::ICanvas* canvas)
{
    if (!IsValid(index))
        return kNothingToDraw;
    Graphics::DrawState cell = state;
    cell.SetSourceRect(GetFrameRect(index));
    return Graphics::DrawImage(mStrip.get(), x, y, cell, canvas);
}

int FilmStrip::DrawInRect(int index, const Rect<float>& destination, const Graphics::DrawState& state,
                          Graphics::ICanvas* canvas)
{
    if (!IsValid(index))
        return kNothingToDraw;
    Graphics::DrawState cell = state;
    cell.SetSourceRect(GetFrameRect(index));
    return Graphics::DrawImageInRect(mStrip.get(), Internal::FloorRect(destination), cell, canvas);
}
} // namespace Corvane
