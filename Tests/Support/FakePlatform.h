// A platform that records what the engine asks of it and answers as a test sets it up; it stores
// itself as the engine's platform while it lives.
#pragma once

#include "Framework/IPlatform.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane::Testing
{
class FakePlatform : public IPlatform
{
public:
    int captures = 0;
    int releases = 0;
    int waits = 0;
    int restores = 0;
    bool active = true;
    bool quitRequested = false;
    bool needsRepaint = false;
    bool pendingMessages = false;
    bool otherInstance = false;
    // What the engine last asked of the system cursor.
    bool cursorVisible = true;
    // When set, receives "platform <operation>" for set-up, window and shut-down calls.
    std::vector<std::string>* log = nullptr;
    // Runs inside HandleEvents with the loop's sink, e.g. to deliver input.
    std::function<void(IInputEventSink*)> onHandleEvents;
    // Runs inside WaitForMessage.
    std::function<void()> onWait;
    // Runs inside CreateWindow, e.g. to make it fail.
    std::function<void(const DisplaySettings&)> onCreateWindow;

    void Setup() override { Note("Setup"); }
    void Cleanup() override { Note("Cleanup"); }
    bool ActivateOtherInstance() override
    {
        Note("ActivateOtherInstance");
        return otherInstance;
    }
    void CreateWindow(const DisplaySettings& settings) override
    {
        Note("CreateWindow " + std::to_string(settings.windowMode));
        if (onCreateWindow)
            onCreateWindow(settings);
    }
    void DestroyWindow() override { Note("DestroyWindow"); }
    void RestoreIfMinimized() override { ++restores; }
    void SetCursorVisible(bool visible) override { cursorVisible = visible; }
    void SetCursor(int) override {}
    Image* GetCursorImage(int) override { return nullptr; }
    Vector2<int> GetCursorHotSpot(int) override { return {}; }
    void GetSupportedWindowConfig(const DisplaySettings&) override {}
    bool IsActive() override { return active; }
    bool IsQuitRequested() override { return quitRequested; }
    bool HasPendingMessages() override { return pendingMessages; }
    bool NeedsRepaint() override { return needsRepaint; }
    void ClearRepaint() override { needsRepaint = false; }
    void HandleEvents(IInputEventSink* sink) override
    {
        pendingMessages = false;
        if (onHandleEvents)
            onHandleEvents(sink);
    }
    void WaitForMessage() override
    {
        ++waits;
        if (onWait)
            onWait();
    }
    void CaptureMouse() override { ++captures; }
    void ReleaseMouse() override { ++releases; }
    void SetWindowTitle(const wchar_t*) override {}
    void OpenURL(const std::wstring&) override {}

private:
    void Note(const std::string& what)
    {
        if (log)
            log->push_back("platform " + what);
    }
};
} // namespace Corvane::Testing
