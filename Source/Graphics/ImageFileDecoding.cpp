#include "Graphics/ImageFileDecoding.h"

#include "Debug.h"
#include "Framework/ResourceProblems.h"
#include "Graphics/GifDecoder.h"
#include "Graphics/ImageDecoders.h"
#include "Label.h"

namespace Corvane::Internal
{
DecodedImage DecodeImageStream(IStream& stream, const std::wstring& extension, bool maskMode)
{
    DecodedImage image;
    const wchar_t* ext = extension.c_str();
    if (EqualsNoCase(ext, L".jpg"))
    {
        image.pixels = DecodeJpeg(stream, image.width, image.height);
    }
    else if (EqualsNoCase(ext, L".png"))
    {
        image.pixels = DecodePng(stream, image.width, image.height);
        image.hasAlpha = true;
    }
    else if (EqualsNoCase(ext, L".gif"))
    {
        bool transparent = false;
        int frames = 0;
        image.pixels = DecodeGif(stream, maskMode, image.width, image.height, transparent, frames);
        image.hasAlpha = image.binaryAlpha = transparent;
    }
    if (!image.pixels)
        return {};
    return image;
}

DecodedImage DecodeImageFile(const std::wstring& name, IStream& image, const std::wstring& extension, IStream* mask,
                             const std::wstring& maskExtension)
{
    DecodedImage pixels = DecodeImageStream(image, extension, false);
    if (!pixels)
    {
        ReportResourceProblem("Image %ls could not be loaded.\n", name.c_str());
        return {};
    }
    if (!mask)
        return pixels;

    const DecodedImage alpha = DecodeImageStream(*mask, maskExtension, true);
    if (!alpha)
    {
        DebugPrint("Image Mask %ls could not be loaded.\n", name.c_str());
    }
    else if (alpha.width != pixels.width || alpha.height != pixels.height)
    {
        DebugPrint("Image %ls had an alpha mask that was the wrong size.\n", name.c_str());
    }
    else
    {
        ApplyAlphaMask(pixels.pixels.get(), alpha.pixels.get(), std::size_t(pixels.width) * std::size_t(pixels.height));
        pixels.hasAlpha = true;
        pixels.binaryAlpha = false;
    }
    return pixels;
}
} // namespace Corvane::Internal
