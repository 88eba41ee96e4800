#include "Framework/CustomCursor.h"

#include "Framework/IPlatform.h"
#include "Framework/Looper.h"
#include "Graphics/DrawingFunctions.h"
#include "Graphics/Image.h"
#include "Graphics/RenderContext.h"

namespace Corvane
{
namespace
{
CustomCursor gCursor;
} // namespace

const CustomCursor& GetCustomCursor()
{
    return gCursor;
}

void SetCustomCursor(Image* image, Vector2<int> hotSpot)
{
    gCursor.image = image;
    gCursor.hotSpot = hotSpot;
}

void SetCustomCursorEnabled(bool enabled)
{
    gCursor.enabled = enabled;
    if (IPlatform* platform = IPlatform::GetInstance())
        platform->SetCursorVisible(!enabled);
}

bool IsCustomCursorEnabled()
{
    return gCursor.enabled;
}

void DrawCustomCursor()
{
    const Vector2<int> mouse = GetLastMousePosition();
    // The loop parks the position at (-50, -50) while the mouse is outside the window.
    if (!gCursor.enabled || !gCursor.image || mouse.x < 0 || mouse.y < 0)
        return;
    Graphics::DrawImage(gCursor.image, static_cast<float>(mouse.x - gCursor.hotSpot.x),
                        static_cast<float>(mouse.y - gCursor.hotSpot.y), Graphics::GetRenderContext().state,
                        Graphics::GetCurrentCanvas());
}
} // namespace Corvane
