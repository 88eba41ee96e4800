// Turning an image file and its optional mask file, once found, into pixels: the decoder is chosen
// by the file's extension and the mask gives the alpha. Used by the image loader; the file
// finding lives beside it (ImageFile.h).
#pragma once

#include "Graphics/DecodedImage.h"
#include "Stream.h"

#include <string>

namespace Corvane::Internal
{
// Decodes by extension (".gif", ".jpg", ".png", in any case): JPEG opaque, PNG with alpha, GIF
// with binary alpha exactly when it names a transparent colour or leaves pixels uncovered.
// maskMode decodes a GIF into grey levels. Empty for another extension or a failed decode.
DecodedImage DecodeImageStream(IStream& stream, const std::wstring& extension, bool maskMode);

// The pixels of image name from its file and, when mask is given, the alpha from the mask's lowest
// byte. A mask that cannot be decoded or differs in size is reported and left out; a file that
// cannot be decoded is reported and gives an empty result.
DecodedImage DecodeImageFile(const std::wstring& name, IStream& image, const std::wstring& extension, IStream* mask,
                             const std::wstring& maskExtension);
} // namespace Corvane::Internal
