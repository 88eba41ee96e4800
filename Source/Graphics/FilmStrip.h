// One image cut into a grid of equal cells, numbered row by row from the top left (right to left
// within a row when the columns are reversed).
#pragma once

#include "Graphics/IImageList.h"
#include "Graphics/Image.h"

#include <memory>

namespace Corvane
{
class FilmStrip : public IImageList
{
public:
    FilmStrip() = default;
    // Takes the strip; see SetStrip.
    FilmStrip(std::unique_ptr<Image> strip, int columns, int rows, bool reverseColumns = false);
    ~FilmStrip() override;

    // Takes the strip image. Columns and rows below 1 count as 1, so every strip has a cell.
    void SetStrip(std::unique_ptr<Image> strip, int columns, int rows, bool reverseColumns = false);
    Image* GetStripImage() const { return mStrip.get(); }
    int GetColumns() const { return mColumns; }
    int GetRows() const { return mRows; }

    // Where cell index lies on the strip: {cell width * column, cell height * row, cell width,
    // cell height}. Computed for any index; only valid ones are drawn.
    Rect<int> GetFrameRect(int index) const;

    int GetCount() const override;
    int GetWidth(int index) const override;
    int GetHeight(int index) const override;
    std::uint8_t GetAlpha(int index, int x, int y) const override;
    PackedColor GetPixel(int index, int x, int y) const override;
    int Draw(int index, float x, float y, const Graphics::DrawState& state, Graphics::ICanvas* canvas) override;
    int DrawInRect(int index, const Rect<float>& destination, const Graphics::DrawState& state,
                   Graphics::ICanvas* canvas) override;

private:
    bool IsValid(int index) const;
    int GetCellWidth() const;
    int GetCellHeight() const;

    bool mReverseColumns = false;
    std::unique_ptr<Image> mStrip;
    int mColumns = 1;
    int mRows = 1;
};
} // namespace Corvane
