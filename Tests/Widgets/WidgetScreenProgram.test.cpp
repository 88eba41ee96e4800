// The widget family in the shipped start-up: the program's own entry runs with an application
// whose first screen is the test's widget screen, on the real platform's window and the software
// renderer under SDL's headless driver. Start-up registers the "layout" resource and the widget
// factories; the screen is built from the test data's layout; clicks and keys are injected as the
// desktop sends them; the messages the screen saw and its last frame are compared with what is
// expected and with the golden capture.
#include "FileSystem.h"
#include "Framework/IPlatform.h"
#include "Framework/ResourceManager.h"
#include "Graphics/ImageFileDecoding.h"
#include "MemoryStream.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Platform/Win32/Win32Platform.h"
#include "Platform/Win32/WinMain.h"
#include "Support/RecordingApplication.h"
#include "Support/SdlEvents.h"
#include "Support/TempFolder.h"
#include "Support/TestFont.h"
#include "Support/WidgetScreen.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
using Log = std::vector<std::string>;

const std::string kData = CORVANE_TEST_DATA "/Widgets";
const std::string kGolden = kData + "/screen.golden.png";

// Points on the screen (the layout sits at (20, 10)).
constexpr int kOkX = 100, kOkY = 120;         // inside the "OK" button
constexpr int kCancelX = 280, kCancelY = 122; // inside "Cancel"
constexpr int kPanelX = 400, kPanelY = 300;   // on the background only

void PushEvents(Uint32 window)
{
    const auto push = [](SDL_Event event) { SDL_PushEvent(&event); };
    const auto click = [&](int x, int y, int releaseX, int releaseY) {
        push(ButtonEvent(window, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y));
        if (releaseX != x || releaseY != y)
            push(MotionEvent(window, releaseX, releaseY));
        push(ButtonEvent(window, SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, releaseX, releaseY));
    };
    const auto key = [&](SDL_Keycode sym, SDL_Scancode scancode) {
        push(KeyEvent(window, SDL_KEYDOWN, sym, scancode));
        push(KeyEvent(window, SDL_KEYUP, sym, scancode));
    };
    push(MotionEvent(window, kOkX, kOkY));
    click(kOkX, kOkY, kOkX, kOkY); // clicks OK
    push(MotionEvent(window, kCancelX, kCancelY));
    click(kCancelX, kCancelY, kPanelX, kPanelY); // pressed, released away: nothing
    key(SDLK_c, SDL_SCANCODE_C);                 // Cancel's hot key
    key(SDLK_SPACE, SDL_SCANCODE_SPACE);         // nobody has the focus: nothing
    key(SDLK_TAB, SDL_SCANCODE_TAB);             // focus on OK
    key(SDLK_SPACE, SDL_SCANCODE_SPACE);         // clicks OK
    key(SDLK_TAB, SDL_SCANCODE_TAB);             // focus on Cancel
    key(SDLK_RETURN, SDL_SCANCODE_RETURN);       // clicks Cancel
    push(MotionEvent(window, kOkX, kOkY));       // OK shows hot, Cancel focused
    key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);       // ends the screen after its next frame
}

// What differs between the frame and the golden capture, or "" when nothing does. With
// CORVANE_UPDATE_GOLDEN set, the frame becomes the golden capture instead.
std::string CompareWithGolden(const Compat::PresentedFrame& frame)
{
    if (std::getenv("CORVANE_UPDATE_GOLDEN"))
        return Compat::SavePresentedFrame(kGolden.c_str()) ? "" : "could not write " + kGolden;
    std::ifstream file(kGolden, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    MemoryStream stream(L"golden");
    stream.Write(bytes.data(), static_cast<unsigned>(bytes.size()));
    stream.Seek(IStream::kFromStart, 0);
    const DecodedImage golden = Internal::DecodeImageStream(stream, L".png", false);
    if (!golden || golden.width != frame.width || golden.height != frame.height)
        return "no golden capture of the frame's size at " + kGolden;
    int different = 0;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i)
        different += (golden.pixels[i] | 0xFF000000u) != frame.pixels[i];
    if (different == 0)
        return "";
    const std::string actual = ::testing::TempDir() + "widget-screen.png";
    Compat::SavePresentedFrame(actual.c_str());
    return std::to_string(different) + " pixels differ from the golden capture; the frame is at " + actual;
}

// The whole program; exits 0, or 3 after printing what went wrong.
[[noreturn]] void RunWidgetProgram()
{
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
        ResourceManager::Instance()->LoadAndWait(L"widgets", false, nullptr);
        auto* screen = new WidgetScreen(Label("TestScreen"), font.get(), messages);
        screen->onExit = [] { frameProblem = CompareWithGolden(Compat::GetLastPresentedFrame()); };
        ReplaceApplicationMode(screen);
        auto* platform = static_cast<Win32Platform*>(IPlatform::GetInstance());
        PushEvents(SDL_GetWindowID(Compat::GetSdlWindow(platform->GetWindow())));
    };

    const int code = WinMain(L"fennik -software");

    const Log expected = {"ControlEnter Ok",     "ButtonClick Ok",     "ControlLeave Ok",    "ControlEnter Cancel",
                          "ControlLeave Cancel", "ControlEnter Panel", "ButtonClick Cancel", "ButtonClick Ok",
                          "ButtonClick Cancel",  "ControlLeave Panel", "ControlEnter Ok"};
    bool failed = code != 0 || !frameProblem.empty() || messages != expected;
    if (failed)
    {
        std::fprintf(stderr, "exit code %d\n%s\n", code, frameProblem.c_str());
        for (const std::string& message : messages)
            std::fprintf(stderr, "message: %s\n", message.c_str());
    }
    std::exit(failed ? 3 : 0);
}
} // namespace

TEST(WidgetScreenProgram, ClicksAndKeysReachTheWidgetsAndTheFrameMatchesTheGoldenCapture)
{
    // The shut-down destroys the label table: only a process of its own may do that.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunWidgetProgram(), testing::ExitedWithCode(0), "");
}
