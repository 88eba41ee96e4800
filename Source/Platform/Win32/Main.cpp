// The program fennik.
#include "Platform/Win32/WinMain.h"

int main(int argc, char** argv)
{
    return RunWithArguments(argc, argv);
}
