// A screen that writes every call the main loop makes on it into a shared log, as
// "<name> <operation>", and can be told to act during its update.
#pragma once

#include "Framework/ApplicationMode.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane::Testing
{
class LoggingMode : public ApplicationMode
{
public:
    LoggingMode(std::vector<std::string>& log, std::string name, bool opaque = true)
        : mLog(log), mName(std::move(name)), mOpaque(opaque)
    {
    }
    ~LoggingMode() override { Note("deleted"); }

    void Update(float dt) override
    {
        ++updates;
        lastDt = dt;
        if (logUpdates)
            Note("Update");
        if (onUpdate)
            onUpdate();
    }
    void Draw() override { Note(std::string("Draw") + (GetCurrentApplicationMode() == this ? "" : " (not current)")); }
    void OnEnter() override
    {
        Note(std::string("OnEnter") + (GetCurrentApplicationMode() == this ? "" : " (not current)"));
        if (onEnter)
            onEnter();
    }
    void OnExit() override
    {
        Note("OnExit");
        if (onExit)
            onExit();
    }
    void OnGainFocus() override { Note("OnGainFocus"); }
    void OnLoseFocus() override { Note("OnLoseFocus"); }
    bool IsOpaque() override
    {
        Note("IsOpaque");
        return mOpaque;
    }
    void DrawUnderlay() override { Note("DrawUnderlay"); }

    bool OnKeyDown(int key) override { return Note("OnKeyDown " + std::to_string(key)); }
    bool OnKeyUp(int key) override { return Note("OnKeyUp " + std::to_string(key)); }
    bool OnMouseMove(int x, int y) override { return Note("OnMouseMove " + Point(x, y)); }
    bool OnMouseDown(int button, int x, int y) override
    {
        return Note("OnMouseDown " + std::to_string(button) + " " + Point(x, y));
    }
    bool OnMouseUp(int button, int x, int y) override
    {
        return Note("OnMouseUp " + std::to_string(button) + " " + Point(x, y));
    }
    bool OnMouseWheel(float notches, int x, int y) override
    {
        return Note("OnMouseWheel " + std::to_string(notches) + " " + Point(x, y));
    }
    bool OnMouseLeave() override { return Note("OnMouseLeave"); }
    bool OnText(const std::wstring& text) override
    {
        std::string narrow;
        for (wchar_t c : text)
            narrow += static_cast<char>(c);
        return Note("OnText " + narrow);
    }

    int updates = 0;
    float lastDt = 0;
    bool logUpdates = false;
    std::function<void()> onUpdate;
    std::function<void()> onEnter;
    std::function<void()> onExit;

private:
    static std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    bool Note(const std::string& what)
    {
        mLog.push_back(mName + " " + what);
        return true;
    }

    std::vector<std::string>& mLog;
    std::string mName;
    bool mOpaque;
};
} // namespace Corvane::Testing
