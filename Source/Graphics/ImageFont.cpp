#include "Graphics/ImageFont.h"

#include "Framework/ResourceFiles.h"
#include "Framework/ResourceProblems.h"
#include "Graphics/FontPacking.h"
#include "Graphics/Image.h"
#include "Graphics/ImageFile.h"
#include "RuntimeError.h"
#include "StreamUtil.h"
#include "TextConversion.h"

#include <algorithm>
#include <climits>

namespace Corvane
{
namespace
{
constexpr std::uint32_t kCharacters = 256;

bool InFont(wchar_t c)
{
    return static_cast<std::uint32_t>(c) < kCharacters;
}

// The metrics file of name, read whole; false when it cannot be opened. Damaged metrics throw,
// naming the file and the line.
bool ReadMetricsFile(const std::wstring& name, FontMetrics& metrics)
{
    FileLocation location;
    if (!MakeResourceLocation(name, L".txt", location))
        return false;
    const ResourceStream stream(OpenResourceStream(location));
    if (!stream)
        return false;
    std::vector<std::uint8_t> storage;
    const StreamBytes bytes = ReadAllBytes(*stream, storage);
    metrics = ReadFontMetrics(bytes.data, bytes.size);
    if (!bytes.complete && metrics.problem.empty())
        metrics.problem = "the file could not be read whole";
    if (!metrics.problem.empty())
    {
        std::wstring path;
        stream->GetName(path);
        throw RuntimeError(FormatErrorLocation(path, metrics.problemLine, NarrowToWide(metrics.problem.c_str())),
                           __FILE__, __LINE__, "Corvane::ImageFont::Load");
    }
    return true;
}
} // namespace

ImageFont::ImageFont(FontMetrics&& metrics, std::unique_ptr<Image> image)
    : mStripTop(metrics.stripTop), mLineHeight(metrics.cellHeight), mSpacing(metrics.spacing),
      mProportional(metrics.version >= 1), mSpaceWidth(metrics.spaceWidth), mKerning(std::move(metrics.kerning)),
      mImage(std::move(image))
{
    for (const FontGlyphEntry& glyph : metrics.glyphs)
        mGlyphs[glyph.code & 0xFF] = glyph.rect;
}

ImageFont::ImageFont(ImageFont&&) noexcept = default;
ImageFont::~ImageFont() = default;

std::unique_ptr<ImageFont> ImageFont::Load(const std::wstring& name)
{
    std::unique_ptr<Image> strip(LoadImage(name));
    if (!strip)
        return nullptr;
    FontMetrics metrics;
    if (!ReadMetricsFile(name, metrics))
    {
        ReportResourceProblem("Font %ls: the metrics file %ls.txt was not found.\n", name.c_str(), name.c_str());
        return nullptr;
    }
    if (metrics.version < 3)
    {
        strip = PackFontGlyphs(name, *strip, metrics.cellHeight, metrics.glyphs);
        if (!strip)
            return nullptr;
    }
    return std::make_unique<ImageFont>(std::move(metrics), std::move(strip));
}

void ImageFont::GetGlyph(wchar_t c, GlyphInfo* out) const
{
    if (!out)
        return;
    if (!InFont(c))
    {
        *out = GlyphInfo();
        return;
    }
    out->image = mImage.get();
    out->rect = mGlyphs[static_cast<std::size_t>(c)];
}

int ImageFont::GetAdvance(wchar_t c, wchar_t next) const
{
    if (!InFont(c) || !InFont(next))
        return 0;
    if (!mProportional)
        return mSpacing;
    std::int64_t advance = (c == L' ' ? mSpaceWidth : mGlyphs[static_cast<std::size_t>(c)].width);
    advance += mSpacing;
    if (mKerning)
        advance += mKerning[static_cast<std::size_t>(c) * kCharacters + static_cast<std::size_t>(next)];
    return static_cast<int>(std::clamp<std::int64_t>(advance, INT_MIN, INT_MAX));
}
} // namespace Corvane
