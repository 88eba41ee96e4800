// The program's icons: a picture from its data folder, or one drawn here.
#include "Platform/Compat/Image/StbImage.h"
#include "Platform/Compat/Kernel/Handles.h"
#include "Platform/Compat/Kernel/NativePath.h"
#include "Platform/Compat/Shell/Shell.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
constexpr int kLargeSize = 32;
constexpr int kSmallSize = 16;
constexpr std::int64_t kLargestPicture = 1024 * 1024;

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB
};

class IconObject final : public Compat::KernelObject
{
public:
    IconObject(std::vector<std::uint32_t> pixels, int size, std::wstring file)
        : mPixels(std::move(pixels)), mSize(size), mFile(std::move(file))
    {
    }
    const std::vector<std::uint32_t>& Pixels() const { return mPixels; }
    int Size() const { return mSize; }
    const std::wstring& File() const { return mFile; }

private:
    std::vector<std::uint32_t> mPixels;
    int mSize;
    std::wstring mFile;
};

// The built-in picture: a copper pan with a wooden handle on a warm round tile, drawn at any size.
Picture BuiltInPicture()
{
    constexpr int side = 64;
    Picture picture{side, side, std::vector<std::uint32_t>(side * side, 0)};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            const double px = x + 0.5, py = y + 0.5;
            const double tile = std::hypot(px - 32, py - 32);
            const double pan = std::hypot(px - 26, py - 34);
            const bool handle = px > 38 && px < 58 && std::abs(py - 26 + (px - 38) * 0.45) < 3.5;
            std::uint32_t color = 0;
            if (tile < 31)
                color = 0xFFF2C14E; // the tile
            if (handle)
                color = 0xFF7A4A24;
            if (pan < 20)
                color = 0xFF3A3A40; // the rim
            if (pan < 16.5)
                color = pan < 6 ? 0xFFFFE08A : 0xFFB8643A; // the copper, an egg yolk in the middle
            picture.pixels[static_cast<std::size_t>(y * side + x)] = color;
        }
    return picture;
}

// A PNG file read whole into a picture; empty when it cannot be read.
Picture LoadPicture(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Picture picture;
    std::uint8_t* rgba = Compat::DecodeStbImage(bytes.data(), bytes.size(), Compat::StbImageFormat::Png,
                                                kLargestPicture, picture.width, picture.height);
    if (!rgba)
        return {};
    const std::size_t count = std::size_t(picture.width) * std::size_t(picture.height);
    picture.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::uint8_t* p = rgba + i * 4;
        picture.pixels[i] = std::uint32_t(p[3]) << 24 | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
    }
    Compat::FreeStbImage(rgba);
    return picture;
}

// The picture scaled to size x size by averaging the pixels each target pixel covers (alpha
// weighted, so transparent pixels do not darken the edges).
std::vector<std::uint32_t> Scaled(const Picture& picture, int size)
{
    std::vector<std::uint32_t> out(static_cast<std::size_t>(size * size), 0);
    for (int ty = 0; ty < size; ++ty)
        for (int tx = 0; tx < size; ++tx)
        {
            const int x0 = tx * picture.width / size, x1 = std::max(x0 + 1, (tx + 1) * picture.width / size);
            const int y0 = ty * picture.height / size, y1 = std::max(y0 + 1, (ty + 1) * picture.height / size);
            double a = 0, r = 0, g = 0, b = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                {
                    const std::uint32_t c = picture.pixels[static_cast<std::size_t>(y * picture.width + x)];
                    const double alpha = (c >> 24) / 255.0;
                    a += alpha;
                    r += alpha * ((c >> 16) & 0xFF);
                    g += alpha * ((c >> 8) & 0xFF);
                    b += alpha * (c & 0xFF);
                }
            const double n = double(x1 - x0) * double(y1 - y0);
            if (a <= 0)
                continue;
            const auto channel = [](double v) {
                return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 255.0)));
            };
            out[static_cast<std::size_t>(ty * size + tx)] =
                channel(a / n * 255) << 24 | channel(r / a) << 16 | channel(g / a) << 8 | channel(b / a);
        }
    return out;
}

std::filesystem::path FindIconPicture(const wchar_t* program)
{
    if (!program || !*program)
        return {};
    const std::filesystem::path folder = std::filesystem::path(Compat::NativePath(program)).parent_path();
    for (const std::filesystem::path& candidate :
         {folder / "Data" / "Icon.png", folder.parent_path() / "Data" / "Icon.png"})
    {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}
} // namespace

UINT ExtractIconExW(const wchar_t* file, int index, HICON* large, HICON* small, UINT)
{
    if (large)
        *large = nullptr;
    if (small)
        *small = nullptr;
    if (index != 0)
        return 0;
    const std::filesystem::path found = FindIconPicture(file);
    Picture picture = found.empty() ? Picture{} : LoadPicture(found);
    std::wstring source = picture.pixels.empty() ? L"" : Corvane::Utf8::ToWide(found.string());
    if (picture.pixels.empty())
        picture = BuiltInPicture();
    if (large)
        *large = Compat::ToHandle(new IconObject(Scaled(picture, kLargeSize), kLargeSize, source));
    if (small)
        *small = Compat::ToHandle(new IconObject(Scaled(picture, kSmallSize), kSmallSize, source));
    return 1;
}

BOOL DestroyIcon(HICON icon)
{
    IconObject* object = Compat::HandleAs<IconObject>(icon);
    delete object;
    return object ? TRUE : FALSE;
}

namespace Compat
{
std::vector<std::uint32_t> IconPixels(HICON icon, int& size)
{
    const IconObject* object = HandleAs<IconObject>(icon);
    size = object ? object->Size() : 0;
    return object ? object->Pixels() : std::vector<std::uint32_t>();
}

std::wstring IconPictureFile(HICON icon)
{
    const IconObject* object = HandleAs<IconObject>(icon);
    return object ? object->File() : std::wstring();
}
} // namespace Compat
