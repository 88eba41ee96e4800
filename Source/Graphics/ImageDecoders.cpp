#include "Graphics/ImageDecoders.h"

#include "Debug.h"
#include "Graphics/DecodedImage.h"
#include "Platform/Compat/Image/StbImage.h"
#include "StreamUtil.h"

#include <vector>

namespace Corvane
{
namespace
{
std::unique_ptr<PackedColor[]> DecodeWithStb(IStream& stream, Compat::StbImageFormat format, int& width, int& height)
{
    width = height = 0;
    std::vector<std::uint8_t> storage;
    const StreamBytes bytes = ReadAllBytes(stream, storage);
    if (!bytes.complete)
        return nullptr;
    int w = 0, h = 0;
    const std::unique_ptr<std::uint8_t, decltype(&Compat::FreeStbImage)> rgba(
        Compat::DecodeStbImage(bytes.data, bytes.size, format, kMaxDecodedPixels, w, h), &Compat::FreeStbImage);
    if (!rgba)
        return nullptr;
    const std::size_t count = std::size_t(w) * std::size_t(h);
    std::unique_ptr<PackedColor[]> pixels(new PackedColor[count]);
    const std::uint8_t* in = rgba.get();
    for (std::size_t i = 0; i < count; ++i, in += 4)
        pixels[i] = (PackedColor(in[3]) << 24) | (PackedColor(in[0]) << 16) | (PackedColor(in[1]) << 8) | in[2];
    width = w;
    height = h;
    return pixels;
}
} // namespace

std::unique_ptr<PackedColor[]> DecodeJpeg(IStream& stream, int& width, int& height)
{
    return DecodeWithStb(stream, Compat::StbImageFormat::Jpeg, width, height);
}

std::unique_ptr<PackedColor[]> DecodePng(IStream& stream, int& width, int& height)
{
    auto pixels = DecodeWithStb(stream, Compat::StbImageFormat::Png, width, height);
    if (!pixels)
    {
        std::wstring name;
        DebugPrint("PNGLoader: Failed to load file: %ls\r\n", stream.GetName(name).c_str());
    }
    return pixels;
}

void ApplyAlphaMask(PackedColor* pixels, const PackedColor* mask, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        pixels[i] = (pixels[i] & 0x00FFFFFFu) | (mask[i] << 24);
}
} // namespace Corvane
