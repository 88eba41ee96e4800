// The program fennik.
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Win32/WinMain.h"

int main(int argc, char** argv)
{
    // Nothing in the program reads the frames back: each goes straight to the window.
    Compat::KeepPresentedFrames(false);
    return RunWithArguments(argc, argv);
}
