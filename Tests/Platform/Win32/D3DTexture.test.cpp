#include "Platform/Win32/D3DTexture.h"

#include "Graphics/Image.h"
#include "Support/Direct3DTestDisplay.h"
#include "Support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Corvane;
using Testing::ReadSurfacePixel;

namespace
{
// A picture whose every pixel tells where it is: 0xFF, x, y, 0x5A.
std::unique_ptr<Image> Numbered(int width, int height)
{
    auto image = std::make_unique<Image>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->SetPixel(x, y, 0xFF000000u | PackedColor(x & 0xFF) << 16 | PackedColor(y & 0xFF) << 8 | 0x5A);
    return image;
}

PackedColor At(int x, int y)
{
    return 0xFF000000u | PackedColor(x & 0xFF) << 16 | PackedColor(y & 0xFF) << 8 | 0x5A;
}

// Every device of the machine with the texture caps and textures of up to 2048 pixels.
auto TextureRules(DWORD caps)
{
    return [=](Compat::DisplayMachine& machine) {
        for (auto& device : machine.drivers[0].devices)
        {
            device.caps.dpcTriCaps.dwTextureCaps = caps;
            device.caps.dwMaxTextureWidth = device.caps.dwMaxTextureHeight = 2048;
        }
    };
}
} // namespace

TEST(D3DTexture, PadsTheImageToTheDevicesSizeByRepeatingTheLastColumnAndRow)
{
    struct Case
    {
        DWORD caps;
        int width, height;
    };
    const Case cases[] = {{D3DPTEXTURECAPS_POW2, 512, 256},
                          {D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY, 512, 512}};
    for (const Case& c : cases)
    {
        Testing::Direct3DTestDisplay display(256, 128, TextureRules(c.caps));
        const std::unique_ptr<Image> image = Numbered(300, 200);
        D3DTexture* texture = D3DTexture::GetTextureForImage(image.get());
        ASSERT_NE(texture, nullptr);
        const TextureInfo& info = texture->GetInfo();
        EXPECT_EQ(info.width, c.width);
        EXPECT_EQ(info.height, c.height);
        EXPECT_FLOAT_EQ(info.uScale, 300.0f / float(c.width));
        EXPECT_FLOAT_EQ(info.vScale, 200.0f / float(c.height));
        EXPECT_EQ(info.source, Rect<int>(0, 0, 300, 200));

        IDirectDrawSurface7* surface = texture->GetSurface();
        ASSERT_NE(surface, nullptr);
        DDSURFACEDESC2 desc{};
        surface->GetSurfaceDesc(&desc);
        EXPECT_EQ(desc.ddsCaps.dwCaps & DDSCAPS_TEXTURE, DWORD(DDSCAPS_TEXTURE));
        EXPECT_EQ(desc.ddsCaps.dwCaps2, DWORD(DDSCAPS2_TEXTUREMANAGE)) << "a hardware device manages textures";
        EXPECT_EQ(ReadSurfacePixel(surface, 7, 9), At(7, 9));
        EXPECT_EQ(ReadSurfacePixel(surface, 299, 150), At(299, 150));
        EXPECT_EQ(ReadSurfacePixel(surface, 300, 150), At(299, 150)) << "the last column repeats";
        EXPECT_EQ(ReadSurfacePixel(surface, 511, 3), At(299, 3));
        EXPECT_EQ(ReadSurfacePixel(surface, 40, 200), At(40, 199)) << "the last row repeats";
        EXPECT_EQ(ReadSurfacePixel(surface, 511, c.height - 1), At(299, 199));
    }
}

TEST(D3DTexture, EachImageHasOneTextureRefilledWhenItsPixelsChange)
{
    Testing::Direct3DTestDisplay display;
    const std::size_t before = D3DTexture::Count();
    {
        const std::unique_ptr<Image> image = Numbered(4, 4);
        D3DTexture* texture = D3DTexture::GetTextureForImage(image.get());
        EXPECT_EQ(D3DTexture::GetTextureForImage(image.get()), texture);
        EXPECT_EQ(D3DTexture::Count(), before + 1);
        EXPECT_EQ(texture->GetImage(), image.get());
        IDirectDrawSurface7* surface = texture->GetSurface();
        EXPECT_EQ(ReadSurfacePixel(surface, 1, 1), At(1, 1));

        image->SetPixel(1, 1, 0xFF123456);
        EXPECT_EQ(ReadSurfacePixel(surface, 1, 1), At(1, 1)) << "refilled only when next used";
        EXPECT_EQ(D3DTexture::GetTextureForImage(image.get()), texture);
        EXPECT_EQ(texture->GetSurface(), surface) << "the same surface is filled again";
        EXPECT_EQ(ReadSurfacePixel(surface, 1, 1), 0xFF123456u);

        // The loader gives an empty image its pixels: the texture takes their size.
        image->Assign(std::make_unique<PackedColor[]>(20 * 10), 20, 10, true, false);
        D3DTexture::GetTextureForImage(image.get());
        ASSERT_NE(texture->GetSurface(), nullptr);
        EXPECT_EQ(texture->GetInfo().width, 32);
        EXPECT_EQ(texture->GetInfo().height, 16);
    }
    EXPECT_EQ(D3DTexture::Count(), before) << "the image held the only reference";
    EXPECT_EQ(D3DTexture::GetTextureForImage(nullptr), nullptr);
}

TEST(D3DTexture, ASetUpOfTheDisplayKeepsTheTextureAndGivesItANewSurface)
{
    Testing::Direct3DTestDisplay display;
    const std::unique_ptr<Image> image = Numbered(8, 8);
    D3DTexture* texture = D3DTexture::GetTextureForImage(image.get());
    IDirectDrawSurface7* first = texture->GetSurface();
    first->AddRef();

    display.SetUp(256, 128);
    EXPECT_EQ(D3DTexture::GetTextureForImage(image.get()), texture);
    IDirectDrawSurface7* second = texture->GetSurface();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(first->Release(), 0u) << "the old surface was released with the old device";
    EXPECT_EQ(ReadSurfacePixel(second, 5, 6), At(5, 6));

    // A lost device leaves the managed texture as it was.
    Compat::LoseDisplaySurfaces();
    EXPECT_EQ(second->IsLost(), DD_OK);
    EXPECT_EQ(texture->GetSurface(), second);
}

TEST(D3DTexture, ImagesLargerThanTheLargestTextureAndEmptyImagesFillSafely)
{
    // Textures of at most 4096 pixels: a 5000 x 10 image keeps its first 4096 columns.
    Testing::Direct3DTestDisplay display;
    const std::unique_ptr<Image> large = Numbered(5000, 10);
    D3DTexture* texture = D3DTexture::GetTextureForImage(large.get());
    EXPECT_EQ(texture->GetInfo().width, 4096);
    EXPECT_EQ(texture->GetInfo().height, 16);
    IDirectDrawSurface7* surface = texture->GetSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(ReadSurfacePixel(surface, 4095, 9), At(4095, 9));
    EXPECT_EQ(ReadSurfacePixel(surface, 4095, 15), At(4095, 9));

    // A 0 x 0 image draws nothing: one transparent texel.
    auto empty = std::make_unique<Image>();
    texture = D3DTexture::GetTextureForImage(empty.get());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->GetInfo().width, 1);
    surface = texture->GetSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(ReadSurfacePixel(surface, 0, 0), 0u);
}

TEST(D3DTexture, FailuresAreLoggedAndTriedAgainAtTheNextUse)
{
    Testing::Direct3DTestDisplay display;
    const std::unique_ptr<Image> image = Numbered(8, 8);
    D3DTexture* texture = D3DTexture::GetTextureForImage(image.get());

    Compat::DisplayMachine machine = Compat::GetDisplayMachine();
    machine.failures[Compat::DisplayCall::CreateTextureSurface] = DDERR_OUTOFVIDEOMEMORY;
    Compat::SetDisplayMachine(machine);
    EXPECT_EQ(texture->GetSurface(), nullptr);
    EXPECT_NE(display.debug.Text().find("TextureContainer::Restore - IDirectDraw7::CreateSurface returned "
                                        "0x8876012C - DDERR_OUTOFVIDEOMEMORY\n"),
              std::string::npos)
        << display.debug.Text();

    machine.failures = {{Compat::DisplayCall::Lock, DDERR_SURFACEBUSY}};
    Compat::SetDisplayMachine(machine);
    IDirectDrawSurface7* surface = texture->GetSurface();
    ASSERT_NE(surface, nullptr);
    EXPECT_NE(display.debug.Text().find("D3DTexture::RebuildSurface - IDirectDrawSurface7::Lock returned "),
              std::string::npos);

    machine.failures.clear();
    Compat::SetDisplayMachine(machine);
    EXPECT_EQ(texture->GetSurface(), surface);
    EXPECT_EQ(ReadSurfacePixel(surface, 3, 2), At(3, 2)) << "filled at the next use";
}
