// The widget family in the shipped start-up: the program's own entry runs with an application
// whose first screen is the test's widget screen, on the real platform's window and the software
// renderer under SDL's headless driver. Start-up registers the "layout" resource and the widget
// factories; the screen is built from the test data's layout; clicks, keys and typing are injected
// as the desktop sends them; the messages the screen saw and its last frame are compared with what
// is expected and with the golden capture.
#include "FileSystem.h"
#include "Framework/IPlatform.h"
#include "Framework/ResourceManager.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Platform/Win32/Win32Platform.h"
#include "Platform/Win32/WinMain.h"
#include "Support/ProgramScript.h"
#include "Support/RecordingApplication.h"
#include "Support/TempFolder.h"
#include "Support/TestClock.h"
#include "Support/TestFont.h"
#include "Support/WidgetScreen.h"
#include "Widgets/ListObject.h"
#include "Widgets/TreeObject.h"
#include "Widgets/WidgetFocus.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

const std::string kData = CORVANE_TEST_DATA "/Widgets";

// One run of the program: the manifest and layout of its screen, what fills the screen once it is
// built, what is done on it, and what the screen must have seen and shown.
struct ProgramRun
{
    const wchar_t* manifest;
    const char* layout;
    std::string golden;
    void (*script)(const Script&);
    void (*fill)(WidgetScreen&);
    Log expected;
};

// The whole program; exits 0, or 3 after printing what went wrong.
[[noreturn]] void RunWidgetProgram(const ProgramRun& run)
{
    static const ProgramRun* current = nullptr;
    current = &run;
    static Log log;
    static Log messages;
    static std::string frameProblem = "the screen never ended";
    static const std::unique_ptr<ImageFont> font = [] {
        TestFontSpec spec;
        spec.first = 32;
        spec.lineHeight = 12;
        spec.widthBase = 4;
        return MakeTestFont(spec);
    }();
    static TempFolder userData;
    ::setenv("XDG_DATA_HOME", userData.Path().c_str(), 1);

    RecordingApplication application(log, L"Widget Screen Test");
    application.graphicsFlags = kGraphicsDirectDraw;
    application.displaySettings = {0, 1, 800, 600};
    application.runSettings = {false, true};
    // The program's data lives in the test data instead of beside the program.
    application.onPlatformCreated = [] {
        FileSystem* files = FileSystem::GetInstance();
        files->DeletePartitions();
        files->AddPartition(1, new Win32FileSystemPartition(L"", std::wstring(kData.begin(), kData.end())));
        files->OnPartitionsAdded();
    };
    application.onStart = [] {
        ResourceManager::Instance()->LoadAndWait(current->manifest, false, nullptr);
        auto* screen = new WidgetScreen(Label(current->layout), font.get(), messages);
        screen->onExit = [] {
            frameProblem = CompareWithGolden(Compat::GetLastPresentedFrame(), current->golden, "widget-screen.png");
        };
        if (current->fill)
            screen->onBuilt = current->fill;
        ReplaceApplicationMode(screen);
        auto* platform = static_cast<Win32Platform*>(IPlatform::GetInstance());
        current->script(Script(SDL_GetWindowID(Compat::GetSdlWindow(platform->GetWindow()))));
    };

    const int code = WinMain(L"fennik -software");

    const bool failed = code != 0 || !frameProblem.empty() || messages != run.expected;
    if (failed)
    {
        std::fprintf(stderr, "exit code %d\n%s\n", code, frameProblem.c_str());
        for (const std::string& message : messages)
            std::fprintf(stderr, "message: %s\n", message.c_str());
    }
    std::exit(failed ? 3 : 0);
}

// Buttons, brushes and sprites. Points on the screen (the layout sits at (20, 10)).
constexpr int kOkX = 100, kOkY = 120;         // inside the "OK" button
constexpr int kCancelX = 280, kCancelY = 122; // inside "Cancel"
constexpr int kPanelX = 400, kPanelY = 300;   // on the background only

void ClickButtons(const Script& script)
{
    script.Move(kOkX, kOkY);
    script.Click(kOkX, kOkY);                          // clicks OK
    script.Move(kCancelX, kCancelY);                   // pressed, released away: nothing
    script.Drag(kCancelX, kCancelY, kPanelX, kPanelY); //
    script.Key(SDLK_c, SDL_SCANCODE_C);                // Cancel's hot key
    script.Key(SDLK_SPACE, SDL_SCANCODE_SPACE);        // nobody has the focus: nothing
    script.Key(SDLK_TAB, SDL_SCANCODE_TAB);            // focus on OK
    script.Key(SDLK_SPACE, SDL_SCANCODE_SPACE);        // clicks OK
    script.Key(SDLK_TAB, SDL_SCANCODE_TAB);            // focus on Cancel
    script.Key(SDLK_RETURN, SDL_SCANCODE_RETURN);      // clicks Cancel
    script.Move(kOkX, kOkY);                           // OK shows hot, Cancel focused
    script.Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);      // ends the screen after its next frame
}

// One of each control. The list's double clicks are timed by a clock that stands still.
void FillControls(WidgetScreen& screen)
{
    static TestClock clock;
    auto* list = dynamic_cast<ListObject*>(screen.FindByName(Label("Dishes")));
    auto* tree = dynamic_cast<TreeObject*>(screen.FindByName(Label("Kitchen")));
    if (!list || !tree)
        return;
    list->SetClock(&clock);
    for (const wchar_t* dish : {L"Soup", L"Salad", L"Pasta", L"Curry", L"Stew", L"Pie", L"Tart", L"Cake"})
        list->AddItem(dish);
    TreeNode* stations = tree->AddChild(new TextTreeNode(L"Stations"));
    stations->AddChild(new TextTreeNode(L"Oven"));
    TreeNode* grill = stations->AddChild(new TextTreeNode(L"Grill"));
    grill->AddChild(new TextTreeNode(L"Left"));
    grill->AddChild(new TextTreeNode(L"Right"));
    tree->AddChild(new TextTreeNode(L"Pantry"))->AddChild(new TextTreeNode(L"Flour"));
}

// Points on the control screen.
constexpr int kNameX = 100, kNameY = 62;    // in the text field
constexpr int kPastaX = 100, kPastaY = 152; // the list's third row
constexpr int kThumbX = 65, kThumbY = 278;  // on the slider's thumb at value 0
constexpr int kSoundX = 68, kSoundY = 328;  // on the "Sound" box
constexpr int kMusicX = 90, kMusicY = 358;  // on the "Music" label
constexpr int kEasyX = 68, kHardX = 168, kLevelY = 398;
constexpr int kLeftX = 330, kLeftY = 166; // the tree's "Left" row
constexpr int kScrollDownX = 232, kScrollDownY = 202;

void UseControls(const Script& script)
{
    script.MoveAndClick(kNameX, kNameY); // the field takes the focus
    script.Type("Kimx");
    script.Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    script.MoveAndClick(kPastaX, kPastaY); // the list takes the focus and selects "Pasta"
    script.Click(kPastaX, kPastaY);        // a double click
    for (int i = 0; i < 5; ++i)            // down to "Cake", scrolling by two rows
        script.Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
    script.Move(kThumbX, kThumbY);
    script.Press(kThumbX, kThumbY);
    script.Move(kThumbX + 100, kThumbY);
    script.Move(400, kThumbY); // held at the right end
    script.Move(120, kThumbY);
    script.Release(120, kThumbY);
    script.MoveAndClick(kSoundX, kSoundY); // ticked
    script.MoveAndClick(kMusicX, kMusicY); // ticked by its label
    script.MoveAndClick(kSoundX, kSoundY); // unticked
    script.MoveAndClick(kEasyX, kLevelY);
    script.MoveAndClick(kHardX, kLevelY); // unchecks "Easy"
    script.MoveAndClick(kLeftX, kLeftY);
    script.MoveAndClick(kScrollDownX, kScrollDownY);
    script.Move(600, 500);
    script.Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
}
} // namespace

TEST(WidgetScreenProgram, ClicksAndKeysReachTheWidgetsAndTheFrameMatchesTheGoldenCapture)
{
    // The shut-down destroys the label table: only a process of its own may do that.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const ProgramRun run{L"widgets",
                         "TestScreen",
                         kData + "/screen.golden.png",
                         &ClickButtons,
                         nullptr,
                         {"ControlEnter Ok", "ButtonClick Ok", "ControlLeave Ok", "ControlEnter Cancel",
                          "ControlLeave Cancel", "ControlEnter Panel", "ButtonClick Cancel", "ButtonClick Ok",
                          "ButtonClick Cancel", "ControlLeave Panel", "ControlEnter Ok"}};
    EXPECT_EXIT(RunWidgetProgram(run), testing::ExitedWithCode(0), "");
}

TEST(WidgetScreenProgram, TypingPickingDraggingAndTickingReportInOrderAndTheFrameMatchesTheGoldenCapture)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Log edits(5, "TextEditChange Name"); // four letters typed, one deleted
    const Log listKeys(5, "ListSelectionChange Dishes");
    const Log drag(3, "SliderValueChange Volume");
    Log expected{"ControlEnter Name"};
    expected.insert(expected.end(), edits.begin(), edits.end());
    expected.insert(expected.end(), {"ControlLeave Name", "ControlEnter Dishes", "ListSelectionChange Dishes",
                                     "ListSelectionChange Dishes", "ListItemDoubleClick Dishes"});
    expected.insert(expected.end(), listKeys.begin(), listKeys.end());
    // The hover is found before the thumb follows the pointer: the drag leaves the thumb at once.
    expected.insert(expected.end(),
                    {"ControlLeave Dishes", "ControlEnter Volume", "ControlLeave Volume", "ControlEnter Panel"});
    expected.insert(expected.end(), drag.begin(), drag.end());
    expected.insert(expected.end(),
                    {"SliderReleased Volume",       "ControlLeave Panel",          "ControlEnter Sound",
                     "CheckBoxClick Sound",         "ControlLeave Sound",          "ControlEnter Music",
                     "CheckBoxClick Music",         "ControlLeave Music",          "ControlEnter Sound",
                     "CheckBoxClick Sound",         "ControlLeave Sound",          "ControlEnter Easy",
                     "RadioButtonClick Easy",       "ControlLeave Easy",           "ControlEnter Hard",
                     "RadioButtonClick Hard",       "ControlLeave Hard",           "ControlEnter Kitchen",
                     "TreeSelectionChange Kitchen", "ControlLeave Kitchen",        "ControlEnter DishScrollDown",
                     "ButtonClick DishScrollDown",  "ControlLeave DishScrollDown", "ControlEnter Panel"});
    const ProgramRun run{L"controls",  "ControlScreen", kData + "/controls.golden.png",
                         &UseControls, &FillControls,   expected};
    EXPECT_EXIT(RunWidgetProgram(run), testing::ExitedWithCode(0), "");
}
