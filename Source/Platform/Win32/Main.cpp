// The program's main: joins the arguments into the command line the engine expects.
#include "Platform/Win32/WinMain.h"
#include "TextConversion.h"

#include <clocale>

int main(int argc, char** argv)
{
    // Text from the system is decoded in the user's locale; numbers in files stay in "C".
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    std::wstring commandLine;
    for (int i = 0; i < argc; ++i)
    {
        if (i > 0)
            commandLine += L' ';
        commandLine += NarrowToWide(argv[i]);
    }
    return WinMain(commandLine);
}
