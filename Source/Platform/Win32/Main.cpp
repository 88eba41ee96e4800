// The program fennik.
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Win32/WinMain.h"

int main(int argc, char** argv)
{
    // A player's terminal stays quiet: diagnostics go to the log beside the profiles.
    Compat::UseDebugLog();
    // Nothing in the program reads the frames back: each goes straight to the window.
    Compat::KeepPresentedFrames(false);
    return RunWithArguments(argc, argv);
}
