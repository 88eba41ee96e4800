// The pictures the DirectDraw layer shows in windows, kept for tests and tools: the last frame
// presented, as opaque 0xAARRGGBB pixels of the presented surface's size, and a frame count.
// Main thread.
#pragma once

#include "Platform/Compat/User/UserTypes.h"

#include <cstdint>
#include <vector>

namespace Compat
{
struct PresentedFrame
{
    HWND window = nullptr;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width * height, rows top to bottom
};

// The last frame; with frames not kept, its window and size without pixels.
const PresentedFrame& GetLastPresentedFrame();
// Whether the pixels of frames presented from memory are kept (the default; tests read them).
// The program does without: each frame then goes straight into the memory the window shows it
// from (its own pixels, or its texture), one copy of the whole frame fewer a step.
void KeepPresentedFrames(bool keep);
// Frames presented since the start or the last ForgetPresentedFrames.
int CountPresentedFrames();
void ForgetPresentedFrames();
// Writes the last frame as a PNG file; false when there is none or the file cannot be written.
bool SavePresentedFrame(const char* path);
// Writes frame (one kept earlier) as a PNG file; false when it is empty or cannot be written.
bool SaveFrame(const PresentedFrame& frame, const char* path);
} // namespace Compat
