#include "Graphics/FontMetrics.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace Corvane
{
namespace
{
bool IsTokenSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

// Reads tokens the way a stream of numbers would: once a number is missing or damaged, nothing
// after it is read.
class MetricsReader
{
public:
    explicit MetricsReader(const std::wstring& text) : mText(text) {}

    // The next integer (saturated far outside the int range), or 0 once reading has stopped.
    std::int64_t Number()
    {
        SkipSpace();
        std::size_t at = mAt;
        const bool negative = at < mText.size() && mText[at] == L'-';
        if (at < mText.size() && (mText[at] == L'-' || mText[at] == L'+'))
            ++at;
        const std::size_t digits = at;
        constexpr std::int64_t kLimit = std::int64_t(1) << 40;
        std::int64_t value = 0;
        for (; at < mText.size() && mText[at] >= L'0' && mText[at] <= L'9'; ++at)
            value = std::min(kLimit, value * 10 + (mText[at] - L'0'));
        if (mStopped || at == digits)
        {
            mStopped = true;
            return 0;
        }
        mAt = at;
        return negative ? -value : value;
    }

    bool Stopped() const { return mStopped; }

    int Int() { return static_cast<int>(std::clamp<std::int64_t>(Number(), INT_MIN, INT_MAX)); }

    // The next non-white-space character; false once reading has stopped or the text has ended.
    bool Character(wchar_t& out)
    {
        SkipSpace();
        if (mStopped || mAt >= mText.size())
        {
            mStopped = true;
            return false;
        }
        out = mText[mAt++];
        return true;
    }

    // Where reading stopped, for the report: the end of the text, or the token that is no number.
    std::string StopReason(const char* atEnd) const
    {
        if (mAt >= mText.size())
            return atEnd;
        std::string token;
        for (std::size_t at = mAt; at < mText.size() && !IsTokenSpace(mText[at]) && token.size() < 16; ++at)
            token.push_back(mText[at] < 0x80 ? static_cast<char>(mText[at]) : '?');
        return "'" + token + "' is not a number";
    }

    // The line of the reading position, from 1.
    int Line() const
    {
        return 1 + static_cast<int>(std::count(mText.begin(), mText.begin() + static_cast<std::ptrdiff_t>(mAt), L'\n'));
    }

private:
    void SkipSpace()
    {
        while (mAt < mText.size() && IsTokenSpace(mText[mAt]))
            ++mAt;
    }

    const std::wstring& mText;
    std::size_t mAt = 0;
    bool mStopped = false;
};

// Notes the first problem only: later ones often follow from it.
void Report(FontMetrics& metrics, const MetricsReader& reader, const std::string& problem)
{
    if (!metrics.problem.empty())
        return;
    metrics.problem = problem;
    metrics.problemLine = reader.Line();
}

// Notes a value that lies out of range.
void Check(FontMetrics& metrics, const MetricsReader& reader, const char* what, std::int64_t value)
{
    if (value >= -kLargestFontValue && value <= kLargestFontValue)
        return;
    char text[96];
    std::snprintf(text, sizeof text, "%s %lld is out of range", what, static_cast<long long>(value));
    Report(metrics, reader, text);
}

void ReadKerning(MetricsReader& reader, std::int64_t count, FontMetrics& metrics)
{
    metrics.kerning = std::make_unique<std::int8_t[]>(kFontKerningPairs);
    const auto listed = static_cast<std::int64_t>(metrics.glyphs.size());
    for (std::int64_t row = 0; row < count; ++row)
        for (std::int64_t column = 0; column < count; ++column)
        {
            const std::int64_t value = reader.Number();
            if (reader.Stopped())
            {
                char text[128];
                std::snprintf(text, sizeof text, "%lld of the %lld kerning values are missing",
                              static_cast<long long>(count * count - row * count - column),
                              static_cast<long long>(count * count));
                Report(metrics, reader, reader.StopReason(text));
                return;
            }
            if (row < listed && column < listed) // only the low 8 bits count, signed
                metrics.kerning[metrics.glyphs[row].code * 256 + metrics.glyphs[column].code] =
                    static_cast<std::int8_t>(static_cast<std::uint8_t>(value & 0xFF));
        }
}
} // namespace

std::wstring DecodeFontMetricsText(const std::uint8_t* bytes, std::size_t size)
{
    std::wstring text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i)
    {
        const std::uint8_t byte = bytes[i];
        if ((byte == 0xC2 || byte == 0xC3) && i + 1 < size)
        {
            text.push_back(static_cast<wchar_t>(bytes[i + 1] + (byte == 0xC3 ? 0x40 : 0)));
            ++i;
        }
        else
        {
            text.push_back(static_cast<wchar_t>(byte));
        }
    }
    return text;
}

FontMetrics ReadFontMetrics(const std::uint8_t* bytes, std::size_t size)
{
    const std::wstring text = DecodeFontMetricsText(bytes, size);
    MetricsReader reader(text);
    FontMetrics metrics;
    metrics.stripTop = reader.Int();
    metrics.cellHeight = reader.Int();
    metrics.spacing = reader.Int();
    metrics.version = reader.Int();
    metrics.spaceWidth = reader.Int();
    const std::int64_t count = reader.Number();
    if (reader.Stopped())
    {
        Report(metrics, reader, reader.StopReason(size == 0 ? "the file is empty" : "the header is cut short"));
        return metrics;
    }
    Check(metrics, reader, "the strip top", metrics.stripTop);
    Check(metrics, reader, "the cell height", metrics.cellHeight);
    Check(metrics, reader, "the spacing", metrics.spacing);
    Check(metrics, reader, "the space width", metrics.spaceWidth);
    if (count < 0)
        Report(metrics, reader, "the character count " + std::to_string(count) + " is out of range");

    wchar_t character = 0;
    for (std::int64_t i = 0; i < count; ++i)
    {
        FontGlyphEntry entry;
        const bool listed = reader.Character(character);
        entry.code = static_cast<int>(character) & 0xFF;
        entry.rect.x = reader.Int();
        entry.rect.width = std::max(reader.Int(), 0);
        const bool placed = metrics.version >= 3;
        entry.rect.y = placed ? reader.Int() : metrics.stripTop;
        entry.rect.height = std::max(placed ? reader.Int() : metrics.cellHeight, 0);
        if (!listed || reader.Stopped())
        {
            // Checked against the file's length, not allocated up front: the count may be anything.
            Report(metrics, reader,
                   reader.StopReason(
                       ("the file declares " + std::to_string(count) + " characters but defines " + std::to_string(i))
                           .c_str()));
            return metrics;
        }
        Check(metrics, reader, "a glyph's x", entry.rect.x);
        Check(metrics, reader, "a glyph's width", entry.rect.width);
        Check(metrics, reader, "a glyph's y", entry.rect.y);
        Check(metrics, reader, "a glyph's height", entry.rect.height);
        metrics.glyphs.push_back(entry);
    }
    if (metrics.version >= 2)
        ReadKerning(reader, count, metrics);
    return metrics;
}
} // namespace Corvane
