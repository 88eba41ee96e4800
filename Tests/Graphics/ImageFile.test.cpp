#include "Graphics/ImageFile.h"
#include "Graphics/Image.h"
#include "ImageFileWriters.h"
#include "Support/DebugCapture.h"
#include "Support/ResourceFolder.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
const PackedColor kRed = 0xFF0000;
const PackedColor kGreen = 0x00FF00;
const PackedColor kBlue = 0x0000FF;

std::string SolidPng(int w, int h, PackedColor argb)
{
    return EncodePng(w, h, std::vector<PackedColor>(std::size_t(w) * std::size_t(h), argb));
}

std::unique_ptr<Image> Load(const std::wstring& name)
{
    return std::unique_ptr<Image>(LoadImage(name));
}
} // namespace

TEST(ImageFile, GifThenJpegThenPng)
{
    ResourceFolder files;
    const TempFolder& folder = files.Folder();
    folder.Write("both.gif", SolidGif(2, 2, kRed));
    folder.Write("both.png", SolidPng(2, 2, 0xFF00FF00));
    folder.Write("late.png", SolidPng(2, 2, 0xFF00FF00));
    folder.Write("late.jpg", LoadImageFixture("solid-8x8.jpg"));
    folder.Write("only.png", SolidPng(3, 1, 0x800000FF));

    auto image = Load(L"both");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetPixel(0, 0), 0xFFFF0000u);
    image = Load(L"late");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetWidth(), 8); // the JPEG
    EXPECT_FALSE(image->HasAlpha());
    image = Load(L"only");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetPixel(2, 0), 0x800000FFu);
    EXPECT_TRUE(image->HasAlpha());
    EXPECT_FALSE(image->HasBinaryAlpha());

    FileLocation location;
    EXPECT_TRUE(FindImageFile(L"late", location));
    EXPECT_STREQ(location.GetExtension(), L".jpg");
}

TEST(ImageFile, NamesWithAndWithoutFolders)
{
    ResourceFolder files;
    files.Folder().Write("Art/Kitchen/pot.gif", SolidGif(1, 1, kBlue));
    files.Folder().Write("Art/Kitchen/pan.gif", SolidGif(1, 1, kGreen));
    // With its folders the file is looked for there; without, anywhere below the root.
    EXPECT_TRUE(Load(L"Art/Kitchen/pot"));
    EXPECT_TRUE(Load(L"Art\\Kitchen\\pot"));
    EXPECT_TRUE(Load(L"pan"));

    DebugCapture capture;
    EXPECT_FALSE(Load(L"Art/pot"));
    EXPECT_FALSE(Load(L"nothing"));
    EXPECT_FALSE(Load(std::wstring(600, L'x'))); // longer than any location: no such file
    EXPECT_EQ(capture.Writes()[0], "Image Art/pot was not found.\n");
    EXPECT_EQ(capture.Writes()[1], "Image nothing was not found.\n");
    EXPECT_FALSE(IsImageFileAvailable(L"nothing"));
    EXPECT_TRUE(IsImageFileAvailable(L"pan"));
}

TEST(ImageFile, MaskRules)
{
    ResourceFolder files;
    const TempFolder& folder = files.Folder();
    // A GIF mask is taken before a PNG mask.
    folder.Write("a.gif", SolidGif(2, 2, kRed));
    folder.Write("a_mask.gif", SolidGif(2, 2, 0x404040));
    folder.Write("a_mask.png", SolidPng(2, 2, 0xFF808080));
    // A PNG mask when there is no GIF one.
    folder.Write("b.gif", SolidGif(2, 2, kRed));
    folder.Write("b_mask.png", SolidPng(2, 2, 0xFF808080));
    // A JPEG with a JPEG mask of its size, and one with a mask of another size.
    folder.Write("c.jpg", LoadImageFixture("solid-8x8.jpg"));
    folder.Write("c_mask.jpg", LoadImageFixture("grey-mask-8x8.jpg"));
    folder.Write("d.jpg", LoadImageFixture("solid-8x8.jpg"));
    folder.Write("d_mask.jpg", LoadImageFixture("grey-mask-16x8.jpg"));

    auto a = Load(L"a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->GetPixel(1, 1), 0x40FF0000u);
    EXPECT_TRUE(a->HasAlpha());
    EXPECT_FALSE(a->HasBinaryAlpha());
    EXPECT_EQ(Load(L"b")->GetPixel(0, 0), 0x80FF0000u);

    auto c = Load(L"c");
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->HasAlpha());
    EXPECT_NEAR(int(c->GetPixel(3, 3) >> 24), 0x80, 3);

    DebugCapture capture;
    auto d = Load(L"d");
    ASSERT_TRUE(d);
    EXPECT_FALSE(d->HasAlpha());
    EXPECT_EQ(d->GetPixel(3, 3) >> 24, 0xFFu);
    EXPECT_EQ(capture.Text(), "Image d had an alpha mask that was the wrong size.\n");
}

TEST(ImageFile, FailedLoadsLeaveTheImageAsItWas)
{
    ResourceFolder files;
    files.Folder().Write("broken.gif", "GIF88a and then nothing useful");
    files.Folder().Write("good.gif", SolidGif(1, 1, kGreen));
    DebugCapture capture;
    EXPECT_FALSE(Load(L"broken"));
    EXPECT_EQ(capture.Text(), "Image broken could not be loaded.\n");

    Image image(3, 3);
    image.SetPixel(1, 1, 0x12345678);
    EXPECT_EQ(image.LoadFromFile(L"broken"), nullptr);
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetPixel(1, 1), 0x12345678u);
    EXPECT_EQ(image.LoadFromFile(L"good"), &image);
    EXPECT_EQ(image.GetWidth(), 1);
    EXPECT_EQ(image.GetPixel(0, 0), 0xFF00FF00u);
}

TEST(ImageFile, DependencyRecords)
{
    const ResourceDependency image = ImageFileDependency(L"Art/pot");
    EXPECT_EQ(image.location, L"Art/pot");
    EXPECT_EQ(image.candidates, (std::vector<std::wstring>{L".jpg", L".gif", L".png"}));
    const ResourceDependency mask = ImageMaskFileDependency(L"Art/pot");
    EXPECT_EQ(mask.location, L"Art/pot_mask");
    EXPECT_EQ(mask.candidates, (std::vector<std::wstring>{L".gif", L".png", L".jpg"}));
}
