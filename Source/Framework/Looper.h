// The main loop: fixed updates of 20 ms over a stack of screens (application modes), drawing,
// input delivered to the top screen, queued mode requests and quit requests.
//
// Each pass pumps the platform's messages, then ticks: queued mode requests are applied first;
// then at most two fixed updates catch up with the clock (lag beyond 40 ms is dropped), or, when
// no update is due or 200 ms passed without a draw, one frame is drawn and the thread sleeps for
// the rest of the 20 ms. An update pass never draws; the next pass does, so at most 50 frames a
// second are drawn; a pass that finds the frame drawn and no update due sleeps until one is. Tick
// counts wrap at 2^32 and are only ever subtracted.
//
// The stack owns its modes. Requests are queued and applied at the start of the next tick, with
// those that the modes entered or left queue on the way; input that arrives meanwhile is dropped. Everything runs on
// the main thread, without locks. The loop catches nothing: an exception leaves it for the entry function.
#pragma once

#include "Framework/IClock.h"
#include "Framework/IPlatform.h"
#include "Graphics/Vector2.h"

#include <deque>
#include <functional>
#include <vector>

namespace Corvane
{
class ApplicationMode;
class IQuitHandler;

// Mode request operations, in the order of their codes.
enum ModeRequestOp
{
    kModeReplace = 0,
    kModePush = 1,
    kModePopTo = 2,
    kModePop = 3
};

class Looper : public IInputEventSink
{
public:
    explicit Looper(IClock& clock = GetSystemClock());
    // Deletes the modes still on the stack (top first) and those still queued, without calling
    // them: after a clean shut-down there are none.
    virtual ~Looper();
    Looper(const Looper&) = delete;
    Looper& operator=(const Looper&) = delete;

    // The loop the free functions below act on: the process's one loop unless a test installed
    // its own with SetInstance.
    static Looper& GetInstance();
    // Makes looper (not owned; null: the process's own) the one the free functions act on;
    // returns the previous one (null for the process's own).
    static Looper* SetInstance(Looper* looper);

    // Tick length = 1000 / perSecond ms (integer division), dt = 1 / perSecond s.
    void SetUpdateRate(int perSecond);
    int GetTickLength() const { return mTickLength; }

    // Queues a request; nothing runs now. mode (ops 0 to 2) must not be null; from now on the
    // loop owns it.
    void QueueRequest(ApplicationMode* mode, ModeRequestOp op);
    bool HasPendingRequests() const { return !mPending.empty(); }
    // Applies the queued requests in order. False when there were none.
    bool ApplyRequests();

    // Begin, then passes (pump, then tick, redraw or wait) until the platform's queue received its
    // quit message or a quit was granted.
    void Loop();
    // The loop's first pass: timing starts now; requests, one update and one draw run
    // unconditionally.
    void Begin();
    // One pass's tick: requests, then updates or a draw (see above).
    void Tick();
    // One fixed update: the audio platform, the application, the top mode.
    void Update(float dt);
    // One frame: the modes from the highest opaque one up, the overlay and the custom cursor.
    void Draw();
    // Asked before each frame the loop itself draws (the first pass's and those that fall due);
    // a frame it refuses is skipped, its time counted as drawn. A headless run that nobody looks
    // at refuses them; Draw still draws. Empty: every frame is drawn.
    void SetFrameFilter(std::function<bool()> filter) { mFrameFilter = std::move(filter); }
    // The top loses focus; every mode is popped (exit, delete), and queued modes are deleted.
    void Shutdown();

    // Asks the quit handlers; sets the quit flag when all agree.
    void RequestQuit();
    void AddQuitHandler(IQuitHandler* handler);
    void RemoveQuitHandler(IQuitHandler* handler);
    bool IsQuitting() const { return mQuit; }

    void OnInputEvent(const InputEvent& event) override;

    ApplicationMode* GetTopMode() const { return mStack.empty() ? nullptr : mStack.back(); }
    const std::vector<ApplicationMode*>& GetModeStack() const { return mStack; }
    Vector2<int> GetLastMousePosition() const { return mLastMouse; }
    // Seconds of updates since a mouse button last went down, on whichever screen (also one that
    // arrived while requests were queued and was dropped); very large before the first press.
    float GetSecondsSincePress() const { return mSincePress; }

private:
    struct Request
    {
        ApplicationMode* mode;
        ModeRequestOp op;
    };

    void PushMode(ApplicationMode* mode);
    void PopMode();
    void ApplyRequest(const Request& request);
    bool IsOnStack(const ApplicationMode* mode) const;
    void NoteTop();
    void RestartTiming();
    void DrawStep(std::uint32_t now);
    // Draw, unless the frame filter refuses the frame.
    void DrawDueFrame();
    void UpdateStep(bool changed, std::uint32_t elapsed, std::uint32_t now);
    // The queued modes that nobody else owns yet, each once; the queue is emptied.
    std::vector<ApplicationMode*> TakeQueuedModes();

    IClock& mClock;
    int mTickLength = 20;
    float mDt = 0.02f;
    std::uint32_t mLastUpdate = 0;
    std::uint32_t mLastDraw = 0;
    std::vector<ApplicationMode*> mStack; // bottom first
    std::deque<Request> mPending;
    // The modes deleted by the batch of requests being applied.
    std::vector<const ApplicationMode*> mPoppedInBatch;
    bool mQuit = false;
    Vector2<int> mLastMouse{-50, -50};
    float mSincePress = 1.0e9f;
    std::vector<IQuitHandler*> mQuitHandlers;
    std::function<bool()> mFrameFilter;
};

// Mode requests on the one loop, applied at the start of the next tick; the caller creates the
// mode, the loop owns it from now on. A mode already on the stack is not pushed a second time.
// Replace the top mode (pop and delete it) with mode; on an empty stack only push.
void ReplaceApplicationMode(ApplicationMode* mode);
void PushApplicationMode(ApplicationMode* mode);
// Pop until mode is on top; when the stack empties without meeting it, push it.
void PopToApplicationMode(ApplicationMode* mode);
// Pop and delete the top mode.
void PopApplicationMode();

// Ends the program unless a registered quit handler refuses (the window is then restored when it
// was minimised). The window's close button comes here.
void RequestQuit();
void AddQuitHandler(IQuitHandler* handler);
// Removes every registration of handler.
void RemoveQuitHandler(IQuitHandler* handler);
// A quit was granted.
bool IsQuitting();
// The last mouse position handed to a mode, in virtual-screen pixels; (-50, -50) before the
// first and while the pointer is outside the window.
Vector2<int> GetLastMousePosition();
} // namespace Corvane
