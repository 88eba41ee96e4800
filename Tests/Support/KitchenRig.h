// The kitchen test rig: the whole game as a player starts it, in the test's process, driven one
// fixed update at a time. Every test of the level screen and of the kitchen's pieces builds on it.
//
//   KitchenRig rig;                          // real start-up on the built data, to the title
//   GameMode* game = rig.StartLevel(0);      // the level at index 0 of the level order
//   rig.Click("GameScreenRoot/FX_Layer/NextRecipePopup/BG");   // at the node's world centre
//   rig.Step(50);                            // one second of play
//   EXPECT_EQ(rig.Modes(), (std::vector<std::string>{"GameMode"}));
//   EXPECT_EQ(rig.Audio().Log("VO_Veyla_Begin"), (std::vector<std::string>{"1234 start VO_Veyla_Begin"}));
//
// What is real: the engine's start-up and shut-down with the game's own application (its
// registration, profiles, settings and loading screen), the platform's window on SDL's dummy
// video driver and its renderer, the built data folder (Data/ of the build) and a fresh profile in
// a temporary folder (which has seen every tutorial tip unless the options say otherwise). What is
// not: the audio platform records instead of playing (RecordingAudioPlatform.h), the loop's clock
// moves 20 ms per update instead of with the wall clock, the current random stream is seeded by
// the test, the frames the loop draws are skipped unless Options::drawEvery asks for them (DrawNow
// draws the screens for a test that reads them), and the pictures are decoded once per process
// (KeptImageDecodes.h).
//
// Updates are counted from the title screen (the rig's count and the sound log's): the loading
// before it takes as many updates as its worker needs in real time.
//
// Driver: Step runs loop passes as the main loop does (the window's input pumped, then a tick:
// queued mode requests applied first, then the update, or a frame drawn when one is due) on a
// clock advanced by one update's 20 ms, until exactly one more update has run; dt is 1/50 s and
// nothing sleeps. Input: Move, Press, Release and Click go through the window as the desktop sends
// them (SDL events, the platform's window procedure, the loop), at the world centre of the node a
// path names below the current screen's root ("a/b/c": node names); Key goes through the window
// too, KeyCode hands a key code straight to the loop's input as the window procedure would.
//
// Data: Options::overlay names a folder asked before the built data (its Manifests/ and Levels/
// replace or add files of the same names), so that tests bring their own level order and levels.
// Main thread; one rig at a time.
#pragma once

#include "Support/RecordingAudioPlatform.h"
#include "Support/TempFolder.h"
#include "Support/TestClock.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
class ApplicationMode;
class IRandomNumberStream;
class Looper;
} // namespace Corvane
class GameMode;
class SceneNode;

namespace Corvane::Testing
{
class KitchenRig
{
public:
    struct Options
    {
        // The seed of the random stream made current for the whole run.
        unsigned seed = 1;
        // A folder asked before the built data folder; empty for none.
        std::string overlay;
        // The fresh profile has seen every tutorial tip, so that no tip's bubble stops a level;
        // false: a new player's profile, who is shown the tips.
        bool tipsSeen = true;
        // The audio platform: the recorder (Audio()), the program's own (over SDL's dummy audio
        // driver), or none at all.
        enum class Sound
        {
            kRecorded,
            kReal,
            kNone,
        } sound = Sound::kRecorded;
        // Of the frames the loop draws while stepping, every drawEvery-th is drawn: 1 draws them
        // all, as the program does; 0 none, since nobody looks at the rig's window (a test that
        // reads the screen draws it with DrawNow). Updates run the same either way.
        int drawEvery = 0;
        // The pictures decoded once per process (KeptImageDecodes.h); false: as the program
        // decodes them, for a process that measures its memory.
        bool keepDecodes = true;
    };

    // Starts the engine and runs to the title screen (the loading screen's worker loads the
    // data meanwhile). A start that does not reach the title fails the test.
    KitchenRig();
    explicit KitchenRig(const Options& options);
    // Stops the engine if Stop has not run.
    ~KitchenRig();
    KitchenRig(const KitchenRig&) = delete;
    KitchenRig& operator=(const KitchenRig&) = delete;

    // The game's shut-down as the program runs it at its end: every screen popped, then the
    // engine stopped. The recorder stays readable.
    void Stop();
    // Stop, then the start-up again on the same profile folder, as a player starting the program
    // a second time.
    void Restart();

    // Runs updates fixed updates (see the note above).
    void Step(int updates = 1);
    // Steps until done answers true (asked before each step); the steps taken, or -1 when done
    // never answered true within limit steps.
    int StepUntil(const std::function<bool()>& done, int limit = 3000);
    // Draws and presents the screens as they stand now, without an update: the frame a test
    // reads (a step's own frames are skipped unless Options::drawEvery asks for them).
    void DrawNow();
    // Updates run since the title screen came.
    int GetUpdateCount() const { return mUpdates; }
    // The update count when a mouse button last went down on the window (-1: never), so that a
    // test can tell how long after a press something came.
    int GetLastPressUpdate() const { return mLastPress; }
    // Runs watch after every update Step runs (an empty function: none), so that a test can look
    // at every screen the game shows, also while a bot drives it.
    void WatchEachUpdate(std::function<void()> watch) { mWatch = std::move(watch); }

    // Starts the level at index of the level order through the level progress, as the challenge
    // select does, and steps until its level screen is the top screen: screens the start puts over
    // it (the level intro, an episode's cutscene) are popped. Null (test failed) when no level
    // screen came.
    GameMode* StartLevel(int index);

    // The mode stack, bottom first, by type name ("GameMode", "FinishedDishMode").
    std::vector<std::string> Modes() const;
    ApplicationMode* Top() const;
    template <typename T> T* TopAs() const { return dynamic_cast<T*>(Top()); }
    // Pops the top screen as its own way out would, and applies it.
    void PopTop();

    // The node at path ("a/b/c", node names) below root (the current screen's root when null), or
    // null.
    SceneNode* FindNode(const std::string& path, SceneNode* root = nullptr) const;
    // Input at the world centre of the node at path; the test fails when there is no such node.
    void Move(const std::string& path);
    void Press(const std::string& path);
    void Release(const std::string& path);
    // Move, press and release.
    void Click(const std::string& path);
    // Input at a point of the virtual screen.
    void MoveTo(int x, int y);
    void PressAt(int x, int y);
    void ReleaseAt(int x, int y);
    // A key pressed and released on the window (an SDL key symbol and scan code).
    void Key(int symbol, int scancode);
    // A key code pressed and released, handed to the loop as the window procedure hands it on
    // (27 Escape...): for codes no key of the window makes.
    void KeyCode(int code);
    // Text typed on the window (UTF-8), as the desktop's text input sends it.
    void Type(const std::string& text);

    // The recorder; only with the recorded sound (the default).
    RecordingAudioPlatform& Audio() { return *mAudio; }
    const RecordingAudioPlatform& Audio() const { return *mAudio; }
    // The temporary folder that holds the player's profiles.
    const TempFolder& UserData() const { return mUserData; }

private:
    class RigApplication;

    void Start();
    // Everything Start made, gone.
    void TearDown();
    // One pass of the loop: the window's input, then a tick.
    void Pass();
    // Pushes a mouse event of the window at the virtual point and hands it on at once.
    void SendMouse(unsigned type, int x, int y);
    // The virtual point's window (client) coordinates.
    void ToClient(int& x, int& y) const;

    Options mOptions;
    TempFolder mUserData;
    TestClock mClock;
    std::unique_ptr<Looper> mLooper;
    Looper* mPreviousLooper = nullptr;
    std::unique_ptr<RecordingAudioPlatform> mAudio;
    std::unique_ptr<IRandomNumberStream> mRandom;
    std::unique_ptr<RigApplication> mApplication;
    int mUpdates = 0;
    int mLastPress = -1;
    // Frames the loop has drawn or skipped, for Options::drawEvery.
    int mDueFrames = 0;
    bool mRunning = false;
    std::function<void()> mWatch;
};
} // namespace Corvane::Testing
