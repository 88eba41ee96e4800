// A second program for the single-instance tests: finds the window of the class named on the
// command line in another process and asks it to come back and to the front.
#include "Platform/Compat/User/Window.h"
#include "Utf8.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 3;
    const std::wstring className = Corvane::Utf8::ToWide(argv[1]);
    HWND other = FindWindowW(className.c_str(), nullptr);
    if (!other)
        return 1;
    return ShowWindow(other, SW_RESTORE) && SetForegroundWindow(other) ? 0 : 2;
}
