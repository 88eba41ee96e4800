#include "Platform/Compat/Shell/Shell.h"

#include "Graphics/ImageFileWriters.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

using Corvane::Testing::TempFolder;

namespace
{
struct Icons
{
    HICON large = nullptr;
    HICON small = nullptr;
    UINT made = 0;

    explicit Icons(const std::wstring& program) { made = ExtractIconExW(program.c_str(), 0, &large, &small, 1); }
    ~Icons()
    {
        DestroyIcon(large);
        DestroyIcon(small);
    }
};

std::uint32_t Pixel(HICON icon, int x, int y)
{
    int size = 0;
    const std::vector<std::uint32_t> pixels = Compat::IconPixels(icon, size);
    return pixels.at(static_cast<std::size_t>(y * size + x));
}
} // namespace

TEST(Icons, WithoutAPictureInTheDataFolderTheBuiltInOneIsMadeInBothSizes)
{
    TempFolder folder;
    folder.Write("bin/fennik", "");
    Icons icons(folder.WidePath() + L"/bin/fennik");
    ASSERT_EQ(icons.made, 1u);
    int large = 0, small = 0;
    EXPECT_EQ(Compat::IconPixels(icons.large, large).size(), 32u * 32u);
    EXPECT_EQ(Compat::IconPixels(icons.small, small).size(), 16u * 16u);
    EXPECT_EQ(Compat::IconPictureFile(icons.large), L"");
    EXPECT_EQ(Pixel(icons.large, 0, 0) >> 24, 0u) << "a round picture: the corners are clear";
    EXPECT_EQ(Pixel(icons.large, 12, 17) >> 24, 255u);
    EXPECT_EQ(Pixel(icons.small, 6, 8) >> 24, 255u);

    HICON other = nullptr;
    EXPECT_EQ(ExtractIconExW(L"/nowhere/fennik", 1, &other, nullptr, 1), 0u) << "one icon, at index 0";
    EXPECT_EQ(other, nullptr);
}

TEST(Icons, ThePictureInTheDataFolderBesideTheProgramOrItsFolderIsScaledDown)
{
    TempFolder folder;
    // 64 x 64: the left half red, the right half half-transparent blue.
    std::vector<Corvane::PackedColor> pixels(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            pixels[y * 64 + x] = x < 32 ? 0xFFFF0000 : 0x800000FF;
    folder.Write("Data/Icon.png", Corvane::Testing::EncodePng(64, 64, pixels));
    folder.Write("Source/fennik", "");
    folder.Write("fennik", "");
    for (const std::wstring program : {L"/Source/fennik", L"/fennik"})
    {
        Icons icons(folder.WidePath() + program);
        EXPECT_EQ(Compat::IconPictureFile(icons.large), folder.WidePath() + L"/Data/Icon.png");
        EXPECT_EQ(Pixel(icons.large, 3, 5), 0xFFFF0000u);
        EXPECT_EQ(Pixel(icons.small, 12, 2), 0x800000FFu);
    }
}
