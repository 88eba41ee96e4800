#include "Graphics/ColorF.h"

#include "TextConversion.h"

#include <algorithm>

namespace Corvane
{
namespace
{
PackedColor Channel(float c)
{
    // Compare first: a float beyond int's range would make the conversion undefined.
    const float scaled = c * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= 255.0f)
        return 255;
    return static_cast<PackedColor>(static_cast<int>(scaled));
}

float ParseChannel(const std::wstring& text, std::size_t at)
{
    const int value = DigitValue(text[at]) * 16 + DigitValue(text[at + 1]);
    return static_cast<float>(value) * 0.003921568859368563f;
}
} // namespace

PackedColor ColorF::ToPacked() const
{
    return (Channel(alpha) << 24) | (Channel(red) << 16) | (Channel(green) << 8) | Channel(blue);
}

ColorF ColorF::FromPacked(PackedColor packed)
{
    constexpr float kScale = 1.0f / 255.0f;
    return {static_cast<float>((packed >> 16) & 0xFF) * kScale, static_cast<float>((packed >> 8) & 0xFF) * kScale,
            static_cast<float>(packed & 0xFF) * kScale, static_cast<float>(packed >> 24) * kScale};
}

const ColorF& ColorF::OpaqueBlack()
{
    static const ColorF black(0.0f, 0.0f, 0.0f, 1.0f);
    return black;
}

const ColorF& ColorF::OpaqueWhite()
{
    static const ColorF white(1.0f, 1.0f, 1.0f, 1.0f);
    return white;
}

ColorF ParseColor(const std::wstring& text)
{
    if ((text.size() != 9 && text.size() != 7) || text[0] != L'#')
        return ColorF::OpaqueBlack();
    const float alpha = text.size() == 9 ? ParseChannel(text, 7) : 1.0f;
    return {ParseChannel(text, 1), ParseChannel(text, 3), ParseChannel(text, 5), alpha};
}
} // namespace Corvane
