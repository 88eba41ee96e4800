// A platform that does nothing but count what the engine asks of it; it stores itself as the
// engine's platform while it lives.
#pragma once

#include "Framework/IPlatform.h"

namespace Corvane::Testing
{
class FakePlatform : public IPlatform
{
public:
    int captures = 0;
    int releases = 0;
    bool active = true;
    bool quitRequested = false;
    bool needsRepaint = false;

    void Setup() override {}
    void Cleanup() override {}
    bool ActivateOtherInstance() override { return false; }
    void CreateWindow(const DisplaySettings&) override {}
    void DestroyWindow() override {}
    void RestoreIfMinimized() override {}
    void SetCursorVisible(bool) override {}
    void SetCursor(int) override {}
    Image* GetCursorImage(int) override { return nullptr; }
    Vector2<int> GetCursorHotSpot(int) override { return {}; }
    void GetSupportedWindowConfig(const DisplaySettings&) override {}
    bool IsActive() override { return active; }
    bool IsQuitRequested() override { return quitRequested; }
    bool HasPendingMessages() override { return false; }
    bool NeedsRepaint() override { return needsRepaint; }
    void ClearRepaint() override { needsRepaint = false; }
    void HandleEvents(IInputEventSink*) override {}
    void WaitForMessage() override {}
    void CaptureMouse() override { ++captures; }
    void ReleaseMouse() override { ++releases; }
    void SetWindowTitle(const wchar_t*) override {}
    void OpenURL(const std::wstring&) override {}
};
} // namespace Corvane::Testing
