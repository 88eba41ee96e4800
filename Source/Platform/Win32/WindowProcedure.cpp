#include "Platform/Win32/WindowProcedure.h"

#include "Platform/Compat/User/Messages.h"
#include "Platform/Compat/User/Window.h"
#include "Platform/Win32/Win32Platform.h"

namespace Corvane
{
LRESULT SharedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    // Messages before WM_NCCREATE find no platform yet.
    if (auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        return platform->HandleMessage(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace Corvane
