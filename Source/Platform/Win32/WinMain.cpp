#include "Platform/Win32/WinMain.h"

#include "Framework/Engine.h"
#include "Framework/IGraphicsPlatform.h"
#include "Framework/IPlatform.h"
#include "Framework/ProfileNotice.h"
#include "Platform/Compat/Kernel/StopSignals.h"
#include "Platform/Compat/User/DisplayConnection.h"
#include "Platform/Win32/GraphicsPlatformMakers.h"
#include "Platform/Win32/UnhandledException.h"
#include "Platform/Win32/Win32ApplicationPlatform.h"
#include "RuntimeError.h"
#include "TextConversion.h"
#include "Utf8.h"

#include <clocale>
#include <cstdio>

namespace Corvane
{
namespace Internal
{
GraphicsPlatformMakers& GetGraphicsPlatformMakers()
{
    static GraphicsPlatformMakers makers = DefaultGraphicsPlatformMakers();
    return makers;
}
} // namespace Internal

IGraphicsPlatform* IGraphicsPlatform::Create(int flags)
{
    const Internal::GraphicsPlatformMakers& makers = Internal::GetGraphicsPlatformMakers();
    if (!makers.createDisplay || !makers.createDisplay())
        throw RuntimeError("Could not create display", __FILE__, __LINE__, "Corvane::IGraphicsPlatform::Create");
    if ((flags & kGraphicsExtraRequest) && makers.addDisplayFlags)
        makers.addDisplayFlags(kGraphicsExtraRequest);
    // Direct3D first: flags holding both ask for the better renderer.
    const std::function<IGraphicsPlatform*()>* make = nullptr;
    if (flags & kGraphicsDirect3D)
        make = &makers.makeDirect3D;
    else if (flags & kGraphicsDirectDraw)
        make = &makers.makeDirectDraw;
    return make && *make ? (*make)() : nullptr;
}

IPlatform* CreatePlatform()
{
    return new Win32ApplicationPlatform();
}
} // namespace Corvane

int WinMain(const std::wstring& commandLine)
{
    Corvane::SetCommandLine(commandLine);
    const int code = Corvane::RunGuarded([] { Corvane::Run(); });
    Compat::StopSignalsEndedInOrder();
    // Without its display the game ended as a quit ends, shut down in order; but nobody asked it
    // to, so whoever started it hears why, and whether its last save was written.
    if (code == 0 && Compat::IsDisplayLost())
    {
        std::fprintf(stderr, "%s: %s; %s\n", Corvane::Utf8::FromWide(Corvane::GetErrorBoxCaption()).c_str(),
                     Compat::DisplayLossReason().c_str(),
                     Corvane::LastSaveFailed() ? "the game ended without saving (the log says what)."
                                               : "the game saved and ended.");
        return 1;
    }
    return code != 0 ? code : Corvane::GetExitCode();
}

int RunWithArguments(int argc, char** argv)
{
    // Before any other thread starts: SIGTERM and SIGINT become a quit in order (StopSignals.h).
    Compat::CatchStopSignals();
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
