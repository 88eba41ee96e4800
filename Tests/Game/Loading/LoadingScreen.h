// The setting of the loading screen's tests: a scene harness whose "Loading" group the test writes,
// the screen entered through the loop as the program enters it, loading steps scripted by the test,
// and a fake audio platform that the logo sound plays on.
#pragma once

#include "Framework/CustomCursor.h"
#include "Framework/Looper.h"
#include "Framework/ValueResources.h"
#include "Game/Loading/MyLoadingMode.h"
#include "Game/Menus/TitleMode.h"
#include "Support/DebugCapture.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/SceneHarness.h"
#include "Support/TestSoundFactory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

// A loading step that runs the test's function on the worker.
class ScriptedTask : public ILoadingTask
{
public:
    using Body = std::function<void(Corvane::IResourceLoadProgress&)>;
    explicit ScriptedTask(Body body) : mBody(std::move(body)) {}
    void Run(Corvane::IResourceLoadProgress* progress) override { mBody(*progress); }

private:
    Body mBody;
};

// A step that holds the worker until the test opens the gate or the loading is cancelled (at most
// 20 s, so that a fault cannot hang the suite).
struct Gate
{
    std::atomic<bool> open{false};
    std::atomic<bool> entered{false};
    std::atomic<bool> sawCancel{false};

    std::unique_ptr<ILoadingTask> Step()
    {
        return std::make_unique<ScriptedTask>([this](Corvane::IResourceLoadProgress& progress) {
            entered = true;
            for (int i = 0; i < 20000 && !open && !progress.IsCancelled(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            sawCancel = progress.IsCancelled();
        });
    }
};

class LoadingScreenTest : public testing::Test
{
protected:
    LoadingScreenTest()
    {
        Corvane::RegisterValueResourceFactories();
        Corvane::Testing::LoadTestSounds(scene, R"(<testsound name="SFX_LogoEffect"/>)");
    }
    ~LoadingScreenTest() override { Corvane::SetCustomCursor(nullptr, {0, 0}); }

    // The "Loading" group: the splash times (none when visible < 0), the pictures "Splash1" to
    // "Splash<pictures>" and the screen's layout (left out when not wanted); and an empty first
    // step, "resources", which every loading screen loads.
    void WriteLoading(float visible, float fade, int pictures, bool layout = true)
    {
        scene.WriteManifest("resources", "");
        for (int i = 1; i <= pictures; ++i)
            scene.AddSolidImage("Splash" + std::to_string(i), 8, 8, 0xFF000000u + i);
        std::string body;
        if (visible >= 0)
            body += "<float name=\"SplashScreenVisibleTime\" value=\"" + std::to_string(visible) +
                    "\"/><float name=\"SplashScreenCrossFadeTime\" value=\"" + std::to_string(fade) + "\"/>";
        if (layout)
            body += R"(<scenelayout name="LoadingLayout">
                         <scenenode name="LoadingScreen" width="800" height="600">
                           <meterbarnode name="loadingMeter" max="100"/>
                           <rectnode name="splashBG" width="800" height="600" color="#FBF1DC"/>
                           <staticspritenode name="Splash1"/>
                           <staticspritenode name="Splash2"/>
                         </scenenode>
                       </scenelayout>)";
        scene.WriteManifest("Loading", body);
    }
    // Queues mode as the first screen and runs the tick that enters it.
    MyLoadingMode* Enter(MyLoadingMode* mode)
    {
        Corvane::ReplaceApplicationMode(mode);
        scene.Update();
        return mode;
    }
    // Ticks (letting the worker run between them) until done answers true; the ticks it took, or
    // -1 when it never did within limit.
    int UpdateUntil(const std::function<bool()>& done, int limit = 3000)
    {
        for (int ticks = 0; ticks < limit; ++ticks)
        {
            if (done())
                return ticks;
            scene.Update();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return -1;
    }
    bool OnTitle() const { return dynamic_cast<TitleMode*>(scene.looper.GetTopMode()) != nullptr; }
    template <typename T> T* Node(const char* name) const
    {
        return dynamic_cast<T*>(scene.Screen().FindByName(Corvane::Label(name)));
    }

    Corvane::Testing::DebugCapture debug;
    // The step the worker is held in; it outlives the screen, whose end waits for the worker.
    Gate gate;
    Corvane::Testing::SceneHarness scene;
    std::vector<std::string> audioLog;
    Corvane::Testing::FakeAudioPlatform audio{audioLog};
};
