#include "Platform/Win32/WinMain.h"

#include "Framework/Engine.h"
#include "Framework/IGraphicsPlatform.h"
#include "Framework/IPlatform.h"
#include "Platform/Win32/GraphicsPlatformMakers.h"
#include "Platform/Win32/UnhandledException.h"
#include "RuntimeError.h"

namespace Corvane
{
namespace Internal
{
GraphicsPlatformMakers& GetGraphicsPlatformMakers()
{
    static GraphicsPlatformMakers makers;
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
    throw RuntimeError("This program has no application platform.", __FILE__, __LINE__, "Corvane::CreatePlatform");
}
} // namespace Corvane

int WinMain(const std::wstring& commandLine)
{
    Corvane::SetCommandLine(commandLine);
    return Corvane::RunGuarded([] { Corvane::Run(); });
}
