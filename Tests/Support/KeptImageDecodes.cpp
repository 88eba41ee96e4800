#include "Support/KeptImageDecodes.h"

#include "Graphics/ImageFile.h"
#include "Graphics/ImageFileDecoding.h"
#include "MemoryStream.h"
#include "StreamUtil.h"
#include "Support/XMLNodes.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace Corvane::Testing
{
namespace
{
std::string ReadAll(IStream& stream)
{
    std::vector<std::uint8_t> storage;
    const StreamBytes bytes = ReadAllBytes(stream, storage);
    return std::string(reinterpret_cast<const char*>(bytes.data), bytes.size);
}

DecodedImage Copy(const DecodedImage& image)
{
    DecodedImage copy;
    const std::size_t count = std::size_t(image.width) * image.height;
    copy.pixels = std::make_unique<PackedColor[]>(count);
    std::copy_n(image.pixels.get(), count, copy.pixels.get());
    copy.width = image.width;
    copy.height = image.height;
    copy.hasAlpha = image.hasAlpha;
    copy.binaryAlpha = image.binaryAlpha;
    return copy;
}

struct Kept
{
    std::mutex lock;
    // By the extensions and the bytes of the file and its mask.
    std::unordered_map<std::string, DecodedImage> images;
};

Kept& TheKept()
{
    static Kept kept;
    return kept;
}

DecodedImage DecodeKeeping(const std::wstring& name, IStream& image, const std::wstring& extension, IStream* mask,
                           const std::wstring& maskExtension)
{
    const std::string imageBytes = ReadAll(image);
    const std::string maskBytes = mask ? ReadAll(*mask) : std::string();
    const auto narrow = [](const std::wstring& text) { return std::string(text.begin(), text.end()); };
    const std::string key = narrow(extension) + '\n' + std::to_string(imageBytes.size()) + '\n' + imageBytes +
                            narrow(maskExtension) + '\n' + (mask ? "mask\n" : "none\n") + maskBytes;
    Kept& kept = TheKept();
    {
        const std::lock_guard<std::mutex> hold(kept.lock);
        if (const auto found = kept.images.find(key); found != kept.images.end())
            return Copy(found->second);
    }
    MemoryStream imageStream(name);
    Fill(imageStream, imageBytes);
    MemoryStream maskStream(name);
    Fill(maskStream, maskBytes);
    DecodedImage decoded =
        Internal::DecodeImageFile(name, imageStream, extension, mask ? &maskStream : nullptr, maskExtension);
    if (!decoded)
        return decoded;
    const std::lock_guard<std::mutex> hold(kept.lock);
    return Copy(kept.images.emplace(key, std::move(decoded)).first->second);
}
} // namespace

void KeepImageDecodes()
{
    Internal::SetImageFileDecoder(&DecodeKeeping);
}
} // namespace Corvane::Testing
