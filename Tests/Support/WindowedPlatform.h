// The game's real platform with a real window on SDL's headless video driver: an application
// named for this test process, fake renderers, a loop of its own, the per-user folder in a
// temporary folder, and a sink that writes every input event the pump delivers as text.
#pragma once

#include "Framework/DisplayChange.h"
#include "Platform/Compat/User/MessageQueue.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Platform/Win32/Win32ApplicationPlatform.h"
#include "Support/EngineHarness.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/RecordingApplication.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace Corvane::Testing
{
// "key down 65", "key up 65", "char 97", "move 10,20", "down 0 10,20", "up 1 10,20",
// "wheel 5,6 -240 120", "leave", "activated", "deactivated".
class RecordingSink : public IInputEventSink
{
public:
    void OnInputEvent(const InputEvent& e) override
    {
        const std::string at = std::to_string(e.x) + "," + std::to_string(e.y);
        switch (e.type)
        {
        case InputEvent::kMouseMove: events.push_back("move " + at); break;
        case InputEvent::kButtonUp: events.push_back("up " + std::to_string(e.code) + " " + at); break;
        case InputEvent::kButtonDown: events.push_back("down " + std::to_string(e.code) + " " + at); break;
        case InputEvent::kKeyUp: events.push_back("key up " + std::to_string(e.code)); break;
        case InputEvent::kKeyDown: events.push_back("key down " + std::to_string(e.code)); break;
        case InputEvent::kMouseLeave: events.push_back("leave"); break;
        case InputEvent::kActivated: events.push_back("activated"); break;
        case InputEvent::kDeactivated: events.push_back("deactivated"); break;
        case InputEvent::kCharacter:
        {
            std::string codes;
            for (const wchar_t* c = e.GetText(); *c; ++c)
                codes += (codes.empty() ? "" : "+") + std::to_string(static_cast<unsigned>(*c));
            events.push_back("char " + codes);
            break;
        }
        case InputEvent::kWheel:
            events.push_back("wheel " + at + " " + std::to_string(e.code) + " " + std::to_string(e.extra));
            break;
        default: events.push_back("type " + std::to_string(e.type)); break;
        }
    }

    std::vector<std::string> events;
};

class WindowedPlatform : public EngineHarness
{
public:
    explicit WindowedPlatform(DisplaySettings settings = {0, 1, 800, 600})
        : product(L"CorvaneWindowTest" + std::to_wstring(::getpid())), application(log, product.c_str()),
          mCurrentFolder(std::filesystem::current_path())
    {
        const char* dataHome = std::getenv("XDG_DATA_HOME");
        mDataHome = dataHome ? dataHome : "";
        mHadDataHome = dataHome != nullptr;
        ::setenv("XDG_DATA_HOME", userData.Path().c_str(), 1);
        platform = std::make_unique<Win32ApplicationPlatform>();
        platform->Setup();
        ApplyDisplaySettings(settings, true);
        Drain();
        sink.events.clear();
    }
    ~WindowedPlatform()
    {
        platform.reset();
        if (mHadDataHome)
            ::setenv("XDG_DATA_HOME", mDataHome.c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
        std::filesystem::current_path(mCurrentFolder);
    }

    HWND Window() const { return platform->GetWindow(); }
    SDL_Window* Sdl() const { return Compat::GetSdlWindow(Window()); }
    // One pass of the pump.
    void Pump() { platform->HandleEvents(&sink); }
    // Passes until nothing waits.
    void Drain()
    {
        for (int pass = 0; pass < 100 && platform->HasPendingMessages(); ++pass)
            Pump();
    }
    // Queues an SDL event as the window system would, for the window unless it names another.
    void Push(SDL_Event event)
    {
        if (SDL_PushEvent(&event) != 1)
            ADD_FAILURE() << SDL_GetError();
    }
    Uint32 WindowId() const { return SDL_GetWindowID(Sdl()); }

    std::wstring product;
    TempFolder userData;
    RecordingApplication application;
    std::unique_ptr<Win32ApplicationPlatform> platform;
    RecordingSink sink;

private:
    std::filesystem::path mCurrentFolder;
    std::string mDataHome;
    bool mHadDataHome = false;
};
} // namespace Corvane::Testing
