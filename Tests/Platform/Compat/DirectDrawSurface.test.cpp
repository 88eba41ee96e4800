#include "Platform/Compat/DirectDraw/DirectDraw.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/DirectDraw/Presenter.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Support/SdlEvents.h"
#include "Support/SurfacePixels.h"
#include "Support/TempFolder.h"
#include "Support/TestWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace
{
using Corvane::Testing::TestWindow;
namespace Testing = Corvane::Testing;

class DirectDrawSurfaceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(mWindow.Get(), nullptr);
        void* object = nullptr;
        ASSERT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirectDraw7, nullptr), DD_OK);
        mDraw = static_cast<IDirectDraw7*>(object);
        ASSERT_EQ(mDraw->SetCooperativeLevel(mWindow.Get(), DDSCL_NORMAL), DD_OK);
    }
    void TearDown() override
    {
        ASSERT_NE(mDraw, nullptr);
        EXPECT_EQ(mDraw->Release(), 0u);
    }

    // An off-screen surface; bits 0 takes the display's format.
    IDirectDrawSurface7* Plain(int width, int height, int bits = 0, DWORD caps = DDSCAPS_OFFSCREENPLAIN)
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = width;
        desc.dwHeight = height;
        desc.ddsCaps.dwCaps = caps;
        if (bits)
        {
            desc.dwFlags |= DDSD_PIXELFORMAT;
            desc.ddpfPixelFormat = bits == 16 ? Compat::RgbFormat(16, 0, 0xF800, 0x07E0, 0x001F)
                                              : Compat::RgbFormat(bits, 0, 0xFF0000, 0xFF00, 0xFF);
        }
        IDirectDrawSurface7* surface = nullptr;
        EXPECT_EQ(mDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }
    // The pixel at (x, y) of the window's own memory, where it shows frames from memory.
    std::uint32_t ShownPixel(int x, int y)
    {
        SDL_Surface* surface = SDL_GetWindowSurface(Compat::GetSdlWindow(mWindow.Get()));
        std::uint32_t pixel = 0;
        if (surface && x >= 0 && y >= 0 && x < surface->w && y < surface->h)
            std::memcpy(&pixel, static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch + x * 4, 4);
        return pixel;
    }
    // The window's primary surface, clipped to the window; null (and a failure) when refused.
    IDirectDrawSurface7* WindowedPrimary()
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        IDirectDrawSurface7* primary = nullptr;
        IDirectDrawClipper* clipper = nullptr;
        if (mDraw->CreateSurface(&desc, &primary, nullptr) != DD_OK || mDraw->CreateClipper(0, &clipper, nullptr) != DD_OK)
        {
            ADD_FAILURE() << "no primary surface or clipper";
            return primary;
        }
        EXPECT_EQ(clipper->SetHWnd(0, mWindow.Get()), DD_OK);
        EXPECT_EQ(primary->SetClipper(clipper), DD_OK);
        clipper->Release();
        return primary;
    }
    // The flipping primary of an exclusive mode with backBuffers back buffers (caps added to its
    // own), and its first back buffer.
    std::pair<IDirectDrawSurface7*, IDirectDrawSurface7*> FlippingChain(DWORD backBuffers, DWORD caps = 0)
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | caps;
        desc.dwBackBufferCount = backBuffers;
        IDirectDrawSurface7* primary = nullptr;
        EXPECT_EQ(mDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
        DDSCAPS2 backCaps{DDSCAPS_BACKBUFFER, 0, 0, 0};
        IDirectDrawSurface7* back = nullptr;
        if (primary)
        {
            EXPECT_EQ(primary->GetAttachedSurface(&backCaps, &back), DD_OK);
        }
        return {primary, back};
    }
    // The window's 800x600 client area in screen coordinates, where a windowed primary is blitted.
    RECT ClientOnScreen() const
    {
        POINT topLeft{0, 0}, bottomRight{800, 600};
        ClientToScreen(mWindow.Get(), &topLeft);
        ClientToScreen(mWindow.Get(), &bottomRight);
        return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    }

    TestWindow mWindow;
    IDirectDraw7* mDraw = nullptr;
};
} // namespace

TEST_F(DirectDrawSurfaceTest, LocksGiveFormatPitchAndOneLockAtATime)
{
    for (const int bits : {16, 24, 32})
    {
        IDirectDrawSurface7* surface = Plain(13, 5, bits);
        ASSERT_NE(surface, nullptr);
        DDSURFACEDESC2 desc{};
        ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
        EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, DWORD(bits));
        EXPECT_GE(desc.lPitch, 13 * bits / 8);
        EXPECT_EQ(desc.dwWidth, 13u);
        DDSURFACEDESC2 again{};
        EXPECT_EQ(surface->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
        EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
        EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

        RECT part{2, 3, 4, 5};
        DDSURFACEDESC2 partial{};
        ASSERT_EQ(surface->Lock(&part, &partial, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(static_cast<std::uint8_t*>(partial.lpSurface),
                  static_cast<std::uint8_t*>(desc.lpSurface) + 3 * desc.lPitch + 2 * bits / 8);
        surface->Unlock(nullptr);
        RECT outside{10, 0, 14, 1};
        EXPECT_EQ(surface->Lock(&outside, &partial, DDLOCK_WAIT, nullptr), DDERR_INVALIDRECT);
        surface->Release();
    }
}

TEST_F(DirectDrawSurfaceTest, BlitsCopyScaleAndRefuseWhatDoesNotFit)
{
    IDirectDrawSurface7* src = Plain(4, 4, 32);
    IDirectDrawSurface7* dst = Plain(8, 8, 32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            Testing::WriteSurfacePixel(src, x, y, 0x00010000u * x + y);

    EXPECT_EQ(dst->BltFast(3, 2, src, nullptr, DDBLTFAST_NOCOLORKEY), DD_OK);
    EXPECT_EQ(Testing::ReadSurfacePixel(dst, 3, 2), 0u);
    EXPECT_EQ(Testing::ReadSurfacePixel(dst, 6, 5), 0x00030003u);
    EXPECT_EQ(Testing::ReadSurfacePixel(dst, 2, 2), 0u);
    // BltFast does not clip.
    EXPECT_EQ(dst->BltFast(6, 0, src, nullptr, 0), DDERR_INVALIDRECT);

    RECT whole{0, 0, 8, 8};
    EXPECT_EQ(dst->Blt(&whole, src, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Testing::ReadSurfacePixel(dst, 0, 0), 0u);
    EXPECT_EQ(Testing::ReadSurfacePixel(dst, 1, 1), 0u);
    EXPECT_EQ(Testing::ReadSurfacePixel(dst, 2, 7), 0x00010003u);
    EXPECT_EQ(Testing::ReadSurfacePixel(dst, 7, 6), 0x00030003u);

    IDirectDrawSurface7* narrow = Plain(4, 4, 16);
    EXPECT_EQ(dst->Blt(&whole, narrow, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPIXELFORMAT);
    narrow->Release();
    src->Release();
    dst->Release();
}

TEST_F(DirectDrawSurfaceTest, LostSurfacesRefuseWorkUntilRestored)
{
    IDirectDrawSurface7* src = Plain(4, 4, 32);
    IDirectDrawSurface7* dst = Plain(4, 4, 32);
    Testing::WriteSurfacePixel(src, 1, 1, 0x123456);
    Compat::LoseDisplaySurfaces();

    DDSURFACEDESC2 desc{};
    EXPECT_EQ(src->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(src->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(dst->BltFast(0, 0, src, nullptr, 0), DDERR_SURFACELOST);
    EXPECT_EQ(dst->Blt(nullptr, src, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);

    EXPECT_EQ(src->Restore(), DD_OK);
    EXPECT_EQ(src->IsLost(), DD_OK);
    EXPECT_EQ(Testing::ReadSurfacePixel(src, 1, 1), 0u) << "a restored surface has lost its pixels";
    EXPECT_EQ(dst->BltFast(0, 0, src, nullptr, 0), DDERR_SURFACELOST) << "the target is still lost";
    EXPECT_EQ(mDraw->RestoreAllSurfaces(), DD_OK);
    EXPECT_EQ(dst->BltFast(0, 0, src, nullptr, 0), DD_OK);
    src->Release();
    dst->Release();
}

TEST_F(DirectDrawSurfaceTest, AWindowedPrimaryShowsWhatIsBlittedOntoItThroughItsClipper)
{
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* primary = nullptr;
    ASSERT_EQ(mDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
    IDirectDrawSurface7* second = nullptr;
    EXPECT_EQ(mDraw->CreateSurface(&desc, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(mDraw->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, mWindow.Get()), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    EXPECT_EQ(clipper->Release(), 1u) << "the primary holds the clipper";

    IDirectDrawSurface7* back = Plain(800, 600, 16, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE);
    DDSURFACEDESC2 locked{};
    ASSERT_EQ(back->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    auto* row = static_cast<std::uint16_t*>(locked.lpSurface);
    row[0] = 0xF800;   // red
    row[1] = 0x07E0;   // green
    row[799] = 0x001F; // blue
    back->Unlock(nullptr);

    RECT screen = ClientOnScreen();
    ASSERT_EQ(primary->Blt(&screen, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);

    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    EXPECT_EQ(Compat::CountPresentedFrames(), 1);
    EXPECT_EQ(frame.window, mWindow.Get());
    ASSERT_EQ(frame.width, 800);
    ASSERT_EQ(frame.height, 600);
    EXPECT_EQ(frame.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(frame.pixels[1], 0xFF00FF00u);
    EXPECT_EQ(frame.pixels[799], 0xFF0000FFu);
    EXPECT_EQ(frame.pixels[800], 0xFF000000u);

    Corvane::Testing::TempFolder folder;
    const std::string path = (folder.Path() / "frame.png").string();
    ASSERT_TRUE(Compat::SavePresentedFrame(path.c_str()));
    std::ifstream file(path, std::ios::binary);
    char signature[8] = {};
    file.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");

    Compat::LoseDisplaySurfaces();
    EXPECT_EQ(primary->Blt(&screen, back, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(Compat::CountPresentedFrames(), 1);
    back->Release();
    primary->Release();
}

// A frame is presented every step: each takes the buffer of the frame before the last instead of
// a new one, and the last frame stays whole whatever is done with the buffer given out.
TEST_F(DirectDrawSurfaceTest, PresentedFramesTakeTurnsInTwoBuffersAndEachKeepsItsOwnPixels)
{
    IDirectDrawSurface7* primary = WindowedPrimary();
    ASSERT_NE(primary, nullptr);
    IDirectDrawSurface7* back = Plain(800, 600, 32);
    RECT screen = ClientOnScreen();

    std::vector<const std::uint32_t*> buffers;
    for (const std::uint32_t colour : {0x00102030u, 0x00405060u, 0x00708090u, 0x00A0B0C0u})
    {
        Testing::WriteSurfacePixel(back, 799, 599, colour);
        ASSERT_EQ(primary->Blt(&screen, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
        const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
        ASSERT_EQ(frame.pixels.size(), 800u * 600u);
        EXPECT_EQ(frame.pixels.back(), 0xFF000000u | colour);
        buffers.push_back(frame.pixels.data());
    }
    EXPECT_NE(buffers[0], buffers[1]);
    EXPECT_EQ(buffers[2], buffers[0]);
    EXPECT_EQ(buffers[3], buffers[1]);

    std::vector<std::uint32_t> next = Compat::TakeFramePixels(800 * 600);
    ASSERT_EQ(next.size(), 800u * 600u);
    EXPECT_EQ(next.data(), buffers[2]) << "the frame before the last gives its buffer";
    std::fill(next.begin(), next.end(), 0u);
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels.back(), 0xFFA0B0C0u);
    EXPECT_EQ(Compat::TakeFramePixels(4).size(), 4u) << "with none to give, a new buffer";

    back->Release();
    primary->Release();
}

// The program does not keep the frames' pixels: each goes straight into the window's own memory,
// and the window shows it all the same.
TEST_F(DirectDrawSurfaceTest, FramesNotKeptAreShownAndCountedWithoutTheirPixels)
{
    IDirectDrawSurface7* primary = WindowedPrimary();
    ASSERT_NE(primary, nullptr);
    IDirectDrawSurface7* back = Plain(800, 600, 32);
    RECT screen = ClientOnScreen();
    const auto shown = [&](int x, int y) { return ShownPixel(x, y) | 0xFF000000u; };

    Compat::ForgetPresentedFrames();
    Compat::KeepPresentedFrames(false);
    Testing::WriteSurfacePixel(back, 10, 20, 0x00123456u);
    ASSERT_EQ(primary->Blt(&screen, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Compat::CountPresentedFrames(), 1);
    EXPECT_EQ(Compat::GetLastPresentedFrame().width, 800);
    EXPECT_EQ(Compat::GetLastPresentedFrame().height, 600);
    EXPECT_TRUE(Compat::GetLastPresentedFrame().pixels.empty());
    EXPECT_EQ(shown(10, 20), 0xFF123456u);

    Compat::KeepPresentedFrames(true);
    Testing::WriteSurfacePixel(back, 10, 20, 0x00654321u);
    ASSERT_EQ(primary->Blt(&screen, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Compat::CountPresentedFrames(), 2);
    ASSERT_EQ(Compat::GetLastPresentedFrame().pixels.size(), 800u * 600u);
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[20 * 800 + 10], 0xFF654321u);
    EXPECT_EQ(shown(10, 20), 0xFF654321u);

    back->Release();
    primary->Release();
}

// A windowed back buffer shown over the whole window moves its pixels into the window's memory:
// drawing into it draws into the window, showing it again copies nothing. Another surface shown
// there takes the window back, and the buffer keeps its pixels.
TEST_F(DirectDrawSurfaceTest, AWindowedBackBufferLivesInTheWindowUntilAnotherSurfaceIsShown)
{
    IDirectDrawSurface7* primary = WindowedPrimary();
    ASSERT_NE(primary, nullptr);
    IDirectDrawSurface7* back = Plain(800, 600, 32, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE);
    IDirectDrawSurface7* other = Plain(800, 600, 32);
    RECT screen = ClientOnScreen();
    SDL_Surface* window = SDL_GetWindowSurface(Compat::GetSdlWindow(mWindow.Get()));
    const auto inWindow = [&](IDirectDrawSurface7* surface) {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        surface->Unlock(nullptr);
        return desc.lpSurface == window->pixels && desc.lPitch == window->pitch;
    };

    Testing::WriteSurfacePixel(back, 10, 20, 0x00123456u);
    ASSERT_EQ(primary->Blt(&screen, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_TRUE(inWindow(back));
    Testing::WriteSurfacePixel(back, 11, 20, 0x00654321u);
    ASSERT_EQ(primary->Blt(&screen, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Compat::GetLastPresentedFrame().pixels[20 * 800 + 11], 0xFF654321u);
    EXPECT_EQ(ShownPixel(10, 20), 0x00123456u);
    EXPECT_EQ(ShownPixel(11, 20), 0x00654321u);

    Testing::WriteSurfacePixel(other, 10, 20, 0x00ABCDEFu);
    ASSERT_EQ(primary->Blt(&screen, other, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(ShownPixel(10, 20), 0x00ABCDEFu);
    EXPECT_FALSE(inWindow(back));
    EXPECT_EQ(Testing::ReadSurfacePixel(back, 10, 20), 0x00123456u) << "the buffer kept its pixels";
    EXPECT_EQ(Testing::ReadSurfacePixel(back, 11, 20), 0x00654321u);
    other->Release();
    back->Release();
    primary->Release();
}

TEST_F(DirectDrawSurfaceTest, AFullScreenChainFlipsItsBuffersIntoTheWindowAtTheModeSize)
{
    EXPECT_EQ(mDraw->SetDisplayMode(800, 600, 32, 0, 0), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(mDraw->SetCooperativeLevel(mWindow.Get(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT), DD_OK);
    EXPECT_EQ(mDraw->SetDisplayMode(801, 600, 32, 0, 0), DDERR_INVALIDMODE);
    ASSERT_EQ(mDraw->SetDisplayMode(640, 480, 32, 0, 0), DD_OK);
    RECT client{};
    GetClientRect(mWindow.Get(), &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    DDSURFACEDESC2 mode{};
    ASSERT_EQ(mDraw->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.dwWidth, 640u);

    const auto [primary, back] = FlippingChain(2, DDSCAPS_3DDEVICE);
    ASSERT_NE(back, nullptr);

    for (const std::uint32_t colour : {0x00112233u, 0x00445566u, 0x00778899u, 0x00AABBCCu})
    {
        Testing::WriteSurfacePixel(back, 5, 7, colour);
        ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
        const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
        ASSERT_EQ(frame.width, 640);
        EXPECT_EQ(frame.pixels[7 * 640 + 5], 0xFF000000u | colour);
    }
    // The window shows the mode scaled 1.6 times; each flip shows what changed since the frame
    // shown before (a block of four pixels, then nothing), and what did not stays.
    int shownWidth = 0;
    SDL_GetWindowSize(Compat::GetSdlWindow(mWindow.Get()), &shownWidth, nullptr);
    ASSERT_EQ(shownWidth, 1024);
    for (const std::uint32_t colour : {0x00336699u, 0x00996633u, 0x00996633u})
    {
        for (int y = 100; y < 104; ++y)
            for (int x = 200; x < 204; ++x)
                Testing::WriteSurfacePixel(back, x, y, colour);
        ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
        EXPECT_EQ(ShownPixel(323, 163) & 0xFFFFFFu, colour) << "the block's middle";
        EXPECT_EQ(ShownPixel(900, 700) & 0xFFFFFFu, 0u) << "never drawn";
    }
    Compat::LoseDisplaySurfaces();
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(primary->Restore(), DD_OK);
    EXPECT_EQ(back->IsLost(), DD_OK) << "restoring the primary restores its chain";

    EXPECT_EQ(back->Release(), 1u) << "the chain keeps its buffer";
    EXPECT_EQ(primary->Release(), 0u);
    ASSERT_EQ(mDraw->SetCooperativeLevel(mWindow.Get(), DDSCL_NORMAL), DD_OK);
    GetClientRect(mWindow.Get(), &client);
    EXPECT_EQ(client.right, 800) << "the window is given back at its own size";
}

// A mode of another shape than the display (16:9 on the headless 4:3 desktop): the window covers
// the display, the picture fills its width with its shape kept, black bars above and below, and a
// click lands on the mode pixel drawn under it.
TEST_F(DirectDrawSurfaceTest, AModeFillsTheDisplayWithItsShapeKeptAndClicksLandWhereItsPixelsAre)
{
    SDL_Rect display;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0);
    ASSERT_EQ(display.w * 3, display.h * 4) << "the headless desktop is 4:3";
    ASSERT_EQ(mDraw->SetCooperativeLevel(mWindow.Get(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT), DD_OK);
    ASSERT_EQ(mDraw->SetDisplayMode(1280, 720, 32, 0, 0), DD_OK);
    const auto [primary, back] = FlippingChain(1);
    ASSERT_NE(back, nullptr);
    DDSURFACEDESC2 locked{};
    ASSERT_EQ(back->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    for (DWORD y = 0; y < locked.dwHeight; ++y)
        std::memset(static_cast<std::uint8_t*>(locked.lpSurface) + y * locked.lPitch, 0xFF, locked.dwWidth * 4);
    back->Unlock(nullptr);
    SDL_Window* sdl = Compat::GetSdlWindow(mWindow.Get());
    const auto shown = [&](int x, int y) { return ShownPixel(x, y) & 0xFFFFFFu; };
    const auto clickedAt = [&](int x, int y) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
        }
        SDL_Event click = Corvane::Testing::ButtonEvent(SDL_GetWindowID(sdl), SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y);
        SDL_PushEvent(&click);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message == WM_LBUTTONDOWN)
                return std::make_pair(GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam));
        return std::make_pair(-999, -999);
    };

    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl, &width, &height);
    EXPECT_EQ(width, display.w) << "the window covers the display";
    EXPECT_EQ(height, display.h);
    RECT client{};
    GetClientRect(mWindow.Get(), &client);
    EXPECT_EQ(client.right, 1280) << "the game sees its mode";
    EXPECT_EQ(client.bottom, 720);
    // The picture is width x (width * 9 / 16), between equal bars.
    const int bar = (height - width * 9 / 16) / 2;
    EXPECT_EQ(shown(0, bar - 1), 0u);
    EXPECT_EQ(shown(width - 1, height - bar), 0u);
    EXPECT_EQ(shown(0, bar), 0xFFFFFFu);
    EXPECT_EQ(shown(width - 1, height - bar - 1), 0xFFFFFFu);
    EXPECT_EQ(clickedAt(width / 2, height / 2), std::make_pair(640, 360));
    EXPECT_EQ(clickedAt(width - 1, height - bar - 1), std::make_pair(1279, 719));
    EXPECT_LT(clickedAt(0, 0).second, 0) << "a click on a bar is outside the picture";
    back->Release();
    primary->Release();
    ASSERT_EQ(mDraw->SetCooperativeLevel(mWindow.Get(), DDSCL_NORMAL), DD_OK);
    GetClientRect(mWindow.Get(), &client);
    EXPECT_EQ(client.right, 800) << "the window is given back at its own size";
}
