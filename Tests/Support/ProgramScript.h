// For tests that run the whole program (WinMain) on SDL's headless video driver: input scripted as
// the desktop sends it to the program's window, and the comparison of the last presented frame
// with a golden capture.
#pragma once

#include "Graphics/ImageFileDecoding.h"
#include "MemoryStream.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Support/SdlEvents.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace Corvane::Testing
{
// Input queued for the program's window; the program's message pump takes it in order.
class Script
{
public:
    explicit Script(Uint32 window) : mWindow(window) {}

    void Move(int x, int y) const { Push(MotionEvent(mWindow, x, y)); }
    void Press(int x, int y) const { Push(ButtonEvent(mWindow, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y)); }
    void Release(int x, int y) const { Push(ButtonEvent(mWindow, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y)); }
    // Pressed at (x, y) and released at (releaseX, releaseY), moving there in between.
    void Drag(int x, int y, int releaseX, int releaseY) const
    {
        Press(x, y);
        if (releaseX != x || releaseY != y)
            Move(releaseX, releaseY);
        Release(releaseX, releaseY);
    }
    void Click(int x, int y) const { Drag(x, y, x, y); }
    // Moved to (x, y) first.
    void MoveAndClick(int x, int y) const
    {
        Move(x, y);
        Click(x, y);
    }
    void Key(SDL_Keycode sym, SDL_Scancode scancode) const
    {
        Push(KeyEvent(mWindow, SDL_KEYDOWN, sym, scancode));
        Push(KeyEvent(mWindow, SDL_KEYUP, sym, scancode));
    }
    void Type(const char* text) const { Push(TextEvent(mWindow, text)); }

private:
    void Push(SDL_Event event) const { SDL_PushEvent(&event); }

    Uint32 mWindow;
};

// What differs between the frame and the golden capture at path, or "" when nothing does; the
// differing frame is written into the test's temporary folder as actualName. With
// CORVANE_UPDATE_GOLDEN set, the frame becomes the golden capture instead.
inline std::string CompareWithGolden(const Compat::PresentedFrame& frame, const std::string& path,
                                     const std::string& actualName)
{
    if (std::getenv("CORVANE_UPDATE_GOLDEN"))
        return Compat::SavePresentedFrame(path.c_str()) ? "" : "could not write " + path;
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    MemoryStream stream(L"golden");
    stream.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
    stream.Seek(IStream::kFromStart, 0);
    const DecodedImage golden = Internal::DecodeImageStream(stream, L".png", false);
    if (!golden || golden.width != frame.width || golden.height != frame.height)
        return "no golden capture of the frame's size at " + path;
    int different = 0;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i)
        different += (golden.pixels[i] | 0xFF000000u) != frame.pixels[i];
    if (different == 0)
        return "";
    const std::string actual = ::testing::TempDir() + actualName;
    Compat::SavePresentedFrame(actual.c_str());
    return std::to_string(different) + " pixels differ from the golden capture; the frame is at " + actual;
}
} // namespace Corvane::Testing
