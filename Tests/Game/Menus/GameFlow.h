// The game as it starts, headless, on the data folder the build makes: the real application and
// start-up (fake platform, renderers and a recording audio platform; sounds are fake sounds of the
// data's names), the loading screen loading every start-up group, and then the screens, driven by
// fixed 20 ms updates and by input events sent through the main loop as the platform sends them.
// Profiles live in a fresh folder; the test may write some before Start.
//
//     GameFlow game;
//     game.Start();                        // up to the title screen
//     game.ClickNode(ScreenPaths::Title::kStartButton);
//     game.Tick(50);
//     game.EnterMainMenu(L"Ann");          // or all the way to the main menu
//
// Skips the test when the data folder is not built.
#pragma once

#include "FileSystem.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/CustomCursor.h"
#include "Framework/Engine.h"
#include "Framework/ISoundChannel.h"
#include "Framework/SoundListResourceFactory.h"
#include "Framework/ValueResources.h"
#include "Game/Application/Application.h"
#include "Game/Audio/GameAudioManager.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/MainMenuMode.h"
#include "Game/Menus/TitleMode.h"
#include "Graphics/FilmStripResourceFactory.h"
#include "Graphics/FontResourceFactory.h"
#include "Graphics/ImageListResourceFactory.h"
#include "Graphics/ImageResourceFactory.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "Support/EngineHarness.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/ResourceFolder.h"
#include "Support/TempFolder.h"
#include "Support/TestSoundFactory.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

namespace Corvane::Testing
{
// The game's application with the recording audio platform in place of the real one.
class RecordingAudioApplication : public Application
{
public:
    RecordingAudioApplication(std::unique_ptr<FakeAudioPlatform>& audio, std::vector<std::string>& log)
        : mAudio(audio), mLog(log)
    {
    }
    void OnPlatformCreated() override { mAudio = std::make_unique<FakeAudioPlatform>(mLog); }

private:
    std::unique_ptr<FakeAudioPlatform>& mAudio;
    std::vector<std::string>& mLog;
};

class GameFlow : public FakeEngine
{
public:
    static std::filesystem::path DataFolder() { return CORVANE_DATA_OUTPUT; }
    static bool IsDataBuilt() { return std::filesystem::exists(DataFolder() / "Manifests" / "ProfileModes.xml"); }

    GameFlow()
    {
        FileSystem::GetInstance()->AddPartition(1, new Win32FileSystemPartition(L"", DataFolder().wstring()));
        FileSystem::GetInstance()->AddPartition(2, new Win32FileSystemPartition(L"", profiles.WidePath()));
    }
    ~GameFlow()
    {
        looper.Shutdown();
        if (mStarted)
            application->Stop();
        SetCustomCursor(nullptr, {0, 0});
        delete LevelProgressManager::InstanceIfCreated();
        delete AccountManager::GetIfCreated();
        GameAudioManager::GetInstance()->ReleaseChannels();
        GetLevelFlowHooks() = LevelFlowHooks();
    }
    GameFlow(const GameFlow&) = delete;
    GameFlow& operator=(const GameFlow&) = delete;

    // The start-up, then updates until the title screen is on top (false when it never came).
    bool Start()
    {
        application = std::make_unique<RecordingAudioApplication>(audio, log);
        StartEngine();
        mStarted = true;
        // What the real platform and audio platform register (the engine's hooks are the harness's).
        ResourceManager& manager = *ResourceManager::Instance();
        RegisterValueResourceFactories();
        manager.RegisterFactory(L"image", new ImageResourceFactory);
        manager.RegisterFactory(L"imagelist", new ImageListResourceFactory);
        manager.RegisterFactory(L"filmstrip", new FilmStripResourceFactory);
        manager.RegisterFactory(L"font", new FontResourceFactory);
        manager.RegisterFactory(L"sound", new TestSoundFactory);
        manager.RegisterFactory(L"soundlist", new SoundListResourceFactory);
        LocalizedText::Load();
        // The worker loads in real time: on a busy machine it needs seconds, however few updates.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
        while (Top<TitleMode>() == nullptr && std::chrono::steady_clock::now() < deadline)
        {
            Tick();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return Top<TitleMode>() != nullptr;
    }

    // From the title, through the first start's name popup (profile typed into it), to the main
    // menu with its entrance played; false when the main menu never came.
    bool EnterMainMenu(const std::wstring& profile)
    {
        Tick(60);
        if (!ClickNode(Find(ScreenPaths::Title::kStartButton)))
            return false;
        Tick(30);
        for (int i = 0; i < 20; ++i)
            Key(8); // Backspace
        Type(profile);
        if (!ClickNode(Named("OkButton")) || !TickUntil([this] { return Top<MainMenuMode>() != nullptr; }, 100))
            return false;
        Tick(50);
        return true;
    }

    // Fixed updates as the loop runs them (queued mode requests first), each followed by a draw.
    void Tick(int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i)
        {
            looper.ApplyRequests();
            looper.Update(0.02f);
            DrawFrame();
        }
    }
    // Draws the screens as the loop does (from the highest opaque one up, the top one over its
    // underlay) onto a recording canvas; the number of drawing calls.
    std::size_t DrawFrame()
    {
        RecordingCanvas canvas({"IQuadDrawingCanvas", "ISpriteDrawingCanvas"}, {0, 0, 800, 600});
        Graphics::RenderContext context = Graphics::GetRenderContext();
        context.target = &canvas;
        Graphics::ScopedDrawState target(context);
        const std::vector<ApplicationMode*>& stack = looper.GetModeStack();
        if (stack.empty())
            return 0;
        std::size_t first = stack.size() - 1;
        while (first > 0 && !stack[first]->IsOpaque())
            --first;
        for (std::size_t i = first; i < stack.size(); ++i)
        {
            Internal::CurrentApplicationModeScope current(stack[i]);
            if (i > first && i + 1 == stack.size())
                stack[i]->DrawUnderlay();
            stack[i]->Draw();
        }
        return canvas.calls.size();
    }
    // Ticks (letting the loading worker run between them) until done; false when it never was.
    bool TickUntil(const std::function<bool()>& done, int limit = 500)
    {
        for (int i = 0; i < limit; ++i)
        {
            if (done())
                return true;
            Tick();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return done();
    }

    template <typename T> T* Top() const { return dynamic_cast<T*>(looper.GetTopMode()); }
    // The stack as the names of the screens' classes, bottom first.
    std::vector<std::string> Stack() const
    {
        std::vector<std::string> names;
        for (ApplicationMode* mode : looper.GetModeStack())
        {
            std::string name = typeid(*mode).name();
            names.push_back(name.substr(name.find_first_not_of("0123456789")));
        }
        return names;
    }
    // Below the top screen's root.
    template <typename T = SceneNode> T* Find(const NodePath& path) const
    {
        auto* screen = dynamic_cast<SceneApplicationMode*>(looper.GetTopMode());
        return screen && screen->GetRootNode() ? screen->GetRootNode()->FindByPathAs<T>(path) : nullptr;
    }
    // The top screen's object of that name.
    template <typename T = SceneNode> T* Named(const char* name) const
    {
        ApplicationMode* top = looper.GetTopMode();
        return top ? dynamic_cast<T*>(top->FindByName(Label(name))) : nullptr;
    }

    // Input through the loop, as the platform delivers it.
    void Send(InputEvent event) { looper.OnInputEvent(event); }
    void Click(int x, int y)
    {
        Send(Event(InputEvent::kMouseMove, x, y, 0));
        Send(Event(InputEvent::kButtonDown, x, y, 0));
        Send(Event(InputEvent::kButtonUp, x, y, 0));
    }
    // A click in the middle of the node; false when there is no such node.
    bool ClickNode(SceneNode* node)
    {
        if (!node)
            return false;
        const Vector2<float> middle = node->GetWorldCenter();
        Click(static_cast<int>(middle.x), static_cast<int>(middle.y));
        return true;
    }
    void Key(int key)
    {
        Send(Event(InputEvent::kKeyDown, 0, 0, key));
        Send(Event(InputEvent::kKeyUp, 0, 0, key));
    }
    // One character event per character, as typing does.
    void Type(const std::wstring& text)
    {
        for (const wchar_t c : text)
        {
            const wchar_t one[2] = {c, 0};
            Send(InputEvent::Character(one));
        }
    }

    // The names of the profiles, in the account manager's order, and the current one.
    std::vector<std::wstring> Profiles() const
    {
        std::vector<std::wstring> names;
        for (const Account* account : AccountManager::Get()->GetAccounts())
            names.push_back(account->GetName());
        return names;
    }
    std::wstring CurrentProfile() const
    {
        const Account* current = AccountManager::Get()->GetCurrentAccount();
        return current ? current->GetName() : std::wstring();
    }
    // How many account files the profile folder holds, and how many of them hold text.
    int ProfileFiles(const std::string& text = "") const
    {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(profiles.Path()))
            if (entry.path().extension() == ".act")
            {
                std::ifstream in(entry.path());
                const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                count += content.find(text) != std::string::npos ? 1 : 0;
            }
        return count;
    }
    // How many times the named sound was started.
    int Starts(const char* sound) const
    {
        int count = 0;
        for (const auto& channel : audio->channels)
            if (channel->GetSound() == ResourceManager::Get<ISound>(Label(sound)).Get())
                ++count;
        return count;
    }

    ResourceFolder resources;
    TempFolder profiles;
    std::unique_ptr<FakeAudioPlatform> audio;
    std::unique_ptr<RecordingAudioApplication> application;

private:
    static InputEvent Event(std::int32_t type, int x, int y, int code)
    {
        InputEvent event;
        event.type = type;
        event.x = x;
        event.y = y;
        event.code = code;
        return event;
    }

    bool mStarted = false;
};
} // namespace Corvane::Testing
