// The scene graph's control nodes in the shipped start-up: the program's own entry runs with an
// application that registers the scene types as the game's start does and whose first screen is
// built from the test data's layout of two check boxes, radio buttons, sliders, lists and scroll
// bars, on the real platform's window and the software renderer under SDL's headless driver.
// Clicks, drags and keys are sent as the desktop sends them; the messages the screen saw, the
// controls' states at the end and the last frame are compared with what is expected and with the
// golden capture (renew it with CORVANE_UPDATE_GOLDEN=1 after an intended change of the drawing).
#include "FileSystem.h"
#include "Framework/IPlatform.h"
#include "Framework/KeyNames.h"
#include "Framework/KeyboardFocusController.h"
#include "Framework/Looper.h"
#include "Framework/ResourceManager.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Platform/Win32/Win32Platform.h"
#include "Platform/Win32/WinMain.h"
#include "SceneGraph/CheckBoxNode.h"
#include "SceneGraph/ListNode.h"
#include "SceneGraph/RadioButtonNode.h"
#include "SceneGraph/SceneGraphRegistration.h"
#include "SceneGraph/SliderNode.h"
#include "Support/ControlScene.h"
#include "Support/ProgramScript.h"
#include "Support/RecordingApplication.h"
#include "Support/TempFolder.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

const std::string kData = CORVANE_TEST_DATA "/SceneGraph";
constexpr int kF2 = 113;
constexpr int kEscape = 27;

// The screen as a game screen is written: its layout under the root, a focus controller for Tab,
// the lists filled and scrolled by their bars' arrows. Every message it sees is logged as
// "<message> <sender's node name>"; at the end it logs the controls' states. F2 is its key for the
// engine's keyboard mode of lists and sliders; Escape ends it after its next frame.
class ControlScreen : public SceneApplicationMode
{
public:
    ControlScreen(Log& log, std::string& frameProblem) : mLog(log), mFrameProblem(frameProblem) {}

    void OnEnter() override
    {
        SceneApplicationMode::OnEnter();
        mPanel = InstantiateLayout(Label("ControlScreen"));
        Add(new KeyboardFocusController);
        for (const wchar_t* dish : {L"Soup", L"Salad", L"Pasta", L"Curry", L"Stew", L"Pie"})
            List("Dishes")->AddEntry(dish);
        for (const wchar_t* guest : {L"Ada", L"Bo", L"Cy", L"Di", L"Ed"})
            List("Guests")->AddEntry(guest);
    }
    void OnMessage(const ObjectMessage& message) override
    {
        const SceneNode* sender = NodeFromID(message.GetSender());
        mLog.push_back(std::string(message.GetName().c_str()) + " " +
                       (sender && sender->GetNodeName() ? sender->GetNodeName().c_str() : "-"));
        if (message.GetName() != Label("ButtonClick") || !sender)
            return;
        const Label arrow = sender->GetNodeName();
        ListNode* list =
            List(arrow == Label("DishBarScrollDown") || arrow == Label("DishBarScrollUp") ? "Dishes" : "Guests");
        if (arrow == Label("DishBarScrollDown") || arrow == Label("GuestBarScrollDown"))
            list->ScrollDown();
        else
            list->ScrollUp();
    }
    bool OnKeyDown(int key) override
    {
        if (key == kF2)
            return SceneApplicationMode::OnKeyDown(kKeyboardModeOn);
        mFinished = mFinished || key == kEscape;
        return SceneApplicationMode::OnKeyDown(key);
    }
    void Draw() override
    {
        SceneApplicationMode::Draw();
        if (mFinished)
            RequestQuit();
    }
    void OnExit() override
    {
        mFrameProblem =
            CompareWithGolden(Compat::GetLastPresentedFrame(), kData + "/controls.golden.png", "scene-controls.png");
        for (const char* name : {"Sound", "Music", "Easy", "Hard"})
            mLog.push_back(std::string(name) +
                           (mPanel->FindByPathAs<ToggleNode>({name})->IsChecked() ? " on" : " off"));
        for (const char* name : {"Volume", "Speed"})
            mLog.push_back(std::string(name) + " " +
                           std::to_string(mPanel->FindByPathAs<SliderNode>({name})->GetValue()).substr(0, 5));
        for (const char* name : {"Dishes", "Guests"})
            mLog.push_back(std::string(name) + " " + std::to_string(List(name)->GetSelection()) + " from " +
                           std::to_string(List(name)->GetTop()));
        SceneApplicationMode::OnExit();
    }

private:
    ListNode* List(const char* name) const { return mPanel->FindByPathAs<ListNode>({name}); }

    Log& mLog;
    std::string& mFrameProblem;
    SceneNode* mPanel = nullptr;
    bool mFinished = false;
};

// Points on the screen (the layout's coordinates are the window's).
void UseControls(const Script& script)
{
    script.MoveAndClick(24, 24);                // the "Sound" box
    script.MoveAndClick(42, 48);                // the "Music" label
    script.MoveAndClick(24, 80);                // "Easy"
    script.MoveAndClick(96, 80);                // "Hard", which clears "Easy"
    script.Move(24, 24);                        // pressed on "Sound", released away: nothing
    script.Drag(24, 24, 150, 230);              //
    script.MoveAndClick(116, 115);              // the "Volume" channel: the thumb jumps to the pointer
    script.Move(50, 152);                       // the "Speed" thumb (at 0.25), dragged past the end and back
    script.Press(50, 152);                      //
    script.Move(80, 152);                       //
    script.Move(300, 152);                      //
    script.Move(120, 155);                      //
    script.Release(120, 155);                   // released over the slider
    script.MoveAndClick(200, 42);               // the second dish
    script.MoveAndClick(286, 66);               // the dishes' down arrow
    script.MoveAndClick(286, 170);              // the guests' down arrow, twice
    script.Click(286, 170);                     //
    script.MoveAndClick(286, 128);              // and their up arrow
    script.Move(150, 225);                      // away from everything
    script.Key(SDLK_TAB, SDL_SCANCODE_TAB);     // "Sound" has the focus
    script.Key(SDLK_SPACE, SDL_SCANCODE_SPACE); // and is unchecked again
    for (int i = 0; i < 4; ++i)                 // "Music", "Easy", "Hard", "Volume"
        script.Key(SDLK_TAB, SDL_SCANCODE_TAB);
    script.Key(SDLK_F2, SDL_SCANCODE_F2);       // "Volume" in keyboard mode
    script.Key(SDLK_RIGHT, SDL_SCANCODE_RIGHT); //
    script.Key(SDLK_RIGHT, SDL_SCANCODE_RIGHT); //
    script.Key(SDLK_F2, SDL_SCANCODE_F2);       // and out of it
    script.Key(SDLK_TAB, SDL_SCANCODE_TAB);     // "Speed"
    script.Key(SDLK_TAB, SDL_SCANCODE_TAB);     // "Dishes"
    script.Key(SDLK_F2, SDL_SCANCODE_F2);       // in keyboard mode: Down three times
    for (int i = 0; i < 3; ++i)
        script.Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
    script.Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
}

// The whole program; exits 0, or 3 after printing what went wrong.
[[noreturn]] void RunControlProgram(const Log& expected)
{
    static Log log;
    static Log messages;
    static std::string frameProblem = "the screen never ended";
    static TempFolder userData;
    ::setenv("XDG_DATA_HOME", userData.Path().c_str(), 1);

    RecordingApplication application(log, L"Scene Control Test");
    application.graphicsFlags = kGraphicsDirectDraw;
    application.displaySettings = {0, 1, 320, 240};
    application.runSettings = {false, true};
    application.onPlatformCreated = [] {
        FileSystem* files = FileSystem::GetInstance();
        files->DeletePartitions();
        files->AddPartition(1, new Win32FileSystemPartition(L"", std::wstring(kData.begin(), kData.end())));
        files->OnPartitionsAdded();
    };
    application.onStart = [] {
        RegisterSceneGraphTypes();
        ResourceManager::Instance()->RegisterFactory(L"testfont", new TestFontFactory);
        ResourceManager::Instance()->LoadAndWait(L"controls", false, nullptr);
        ReplaceApplicationMode(new ControlScreen(messages, frameProblem));
        auto* platform = static_cast<Win32Platform*>(IPlatform::GetInstance());
        UseControls(Script(SDL_GetWindowID(Compat::GetSdlWindow(platform->GetWindow()))));
    };

    const int code = WinMain(L"fennik -software");

    const bool failed = code != 0 || !frameProblem.empty() || messages != expected;
    if (failed)
    {
        std::fprintf(stderr, "exit code %d\n%s\n", code, frameProblem.c_str());
        for (const std::string& message : messages)
            std::fprintf(stderr, "message: %s\n", message.c_str());
    }
    std::exit(failed ? 3 : 0);
}
} // namespace

TEST(ControlScreenProgram, ClicksDragsAndKeysReachTwoOfEachControlInOrderAndTheFrameMatchesTheCapture)
{
    // The shut-down destroys the label table: only a process of its own may do that.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Log expected{
        "CheckBoxClick Sound",
        "CheckBoxClick Music",
        "RadioButtonClick Easy",
        "RadioButtonClick Hard",
        "SliderValueChange Volume",
        "SliderValueChange Speed", // the drag: three moves
        "SliderValueChange Speed",
        "SliderValueChange Speed",
        "SliderReleased Speed",
        "ListSelectionChange Dishes",
        "ButtonClick DishBarScrollDown",
        "ButtonClick GuestBarScrollDown",
        "ButtonClick GuestBarScrollDown",
        "ButtonClick GuestBarScrollUp",
        "CheckBoxClick Sound",
        "SliderValueChange Volume",
        "SliderValueChange Volume",
        "ListSelectionChange Dishes",
        "ListSelectionChange Dishes",
        "ListSelectionChange Dishes",
        // At the end.
        "Sound off",
        "Music on",
        "Easy off",
        "Hard on",
        "Volume 0.939", // (116 - 16 - 6) / 112 and two steps of 0.05
        "Speed 0.875",  // (120 - 16 - 6) / 112
        "Dishes 4 from 2",
        "Guests -1 from 1",
    };
    EXPECT_EXIT(RunControlProgram(expected), testing::ExitedWithCode(0), "");
}
