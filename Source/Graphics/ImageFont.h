// A bitmap font: the glyphs of character codes 0 to 255 as rectangles of one image, built from a
// strip image and the metrics file beside it (FontMetrics.h). The resource manager holds it as a
// ResourceWrapper<ImageFont>; users convert the resource to Font.
#pragma once

#include "Graphics/Font.h"
#include "Graphics/FontMetrics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace Corvane
{
class Image;

class ImageFont : public Font
{
public:
    // The glyph table from metrics (a character listed twice keeps its later entry), its kerning
    // and image, which holds the glyphs where the entries say.
    ImageFont(FontMetrics&& metrics, std::unique_ptr<Image> image);
    ImageFont(ImageFont&&) noexcept;
    ~ImageFont() override;

    // The font of the files of name: the strip image name (LoadImage) and the metrics name + ".txt".
    // Glyphs of files before version 3 are packed into a fresh power-of-two image (FontPacking.h).
    // Null when a file is missing or the glyphs fit no texture (reported on the debug output).
    // Damaged or cut metrics throw RuntimeError naming the file and line. Loader thread.
    static std::unique_ptr<ImageFont> Load(const std::wstring& name);

    void GetGlyph(wchar_t c, GlyphInfo* out) const override;
    int GetLineHeight() const override { return mLineHeight; }
    // Fixed pitch: the spacing. Proportional: the glyph's width (the space width for ' ') plus the
    // spacing plus the pair's kerning.
    int GetAdvance(wchar_t c, wchar_t next) const override;

    Image* GetImage() const { return mImage.get(); }
    bool IsProportional() const { return mProportional; }
    int GetStripTop() const { return mStripTop; }

private:
    int mStripTop = 0; // where the glyph row lay in the file's strip; kept for reference only
    int mLineHeight = 0;
    int mSpacing = 0;
    bool mProportional = false;
    int mSpaceWidth = 0;
    std::unique_ptr<std::int8_t[]> mKerning; // left * 256 + right; null without kerning
    std::array<Rect<int>, 256> mGlyphs{};    // all zero for characters the font lacks
    std::unique_ptr<Image> mImage;
};
} // namespace Corvane
