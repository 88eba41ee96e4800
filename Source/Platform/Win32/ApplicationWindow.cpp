#include "Platform/Win32/ApplicationWindow.h"

#include "Framework/IPlatform.h"

namespace Corvane
{
IApplicationWindow* GetApplicationWindow()
{
    return dynamic_cast<IApplicationWindow*>(IPlatform::GetInstance());
}
} // namespace Corvane
