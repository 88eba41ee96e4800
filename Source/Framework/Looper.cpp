#include "Framework/Looper.h"

#include "Debug.h"
#include "Framework/ApplicationMode.h"
#include "Framework/EngineHooks.h"
#include "Framework/IApplication.h"
#include "Framework/IAudioPlatform.h"
#include "Framework/IQuitHandler.h"
#include "RuntimeError.h"

#include <algorithm>
#include <memory>

namespace Corvane
{
namespace
{
// Past this a frame is drawn even when updates are behind.
constexpr std::uint32_t kMaxTimeWithoutDraw = 200;
// The catch-up limit, in ticks: lag beyond it is dropped.
constexpr std::uint32_t kMaxUpdatesPerPass = 2;
// Wheel events carry 120 per notch.
constexpr float kWheelDelta = 120.0f;
// Far more than any chain of screens needs in one pass.
constexpr int kMaxRequestsPerBatch = 1000;
const Vector2<int> kMouseOutside{-50, -50};

Looper* gInstalled = nullptr;

// Tick counts wrap, so "a is later than b" is a signed look at their difference.
bool IsLater(std::uint32_t a, std::uint32_t b)
{
    return static_cast<std::int32_t>(a - b) > 0;
}
} // namespace

Looper::Looper(IClock& clock) : mClock(clock)
{
    SetUpdateRate(50);
}

Looper::~Looper()
{
    std::vector<ApplicationMode*> queued = TakeQueuedModes();
    while (!mStack.empty())
    {
        delete mStack.back();
        mStack.pop_back();
    }
    for (ApplicationMode* mode : queued)
        delete mode;
}

Looper& Looper::GetInstance()
{
    if (gInstalled)
        return *gInstalled;
    // Never deleted: modes left on the stack by an unhandled error stay reachable until exit.
    static Looper* const processLoop = new Looper();
    return *processLoop;
}

Looper* Looper::SetInstance(Looper* looper)
{
    Looper* previous = gInstalled;
    gInstalled = looper;
    Internal::SetTopApplicationMode(GetInstance().GetTopMode());
    return previous;
}

void Looper::SetUpdateRate(int perSecond)
{
    if (perSecond <= 0)
        throw RuntimeError("The update rate must be positive.", __FILE__, __LINE__, "Corvane::Looper::SetUpdateRate");
    mTickLength = 1000 / perSecond;
    mDt = 1.0f / static_cast<float>(perSecond);
}

void Looper::QueueRequest(ApplicationMode* mode, ModeRequestOp op)
{
    if (!mode && op != kModePop)
    {
        DebugPrint("Looper: a mode request without a mode was ignored.\n");
        return;
    }
    mPending.push_back({mode, op});
    // A mode made after another of this batch was deleted may have that one's address.
    std::erase(mPoppedInBatch, mode);
}

void Looper::NoteTop()
{
    // Only the loop in use tells the engine what the top mode is.
    if (&GetInstance() == this)
        Internal::SetTopApplicationMode(GetTopMode());
}

bool Looper::IsOnStack(const ApplicationMode* mode) const
{
    return std::find(mStack.begin(), mStack.end(), mode) != mStack.end();
}

void Looper::PushMode(ApplicationMode* mode)
{
    mStack.push_back(mode);
    NoteTop();
    Internal::CurrentApplicationModeScope current(mode);
    mode->OnEnter();
}

void Looper::PopMode()
{
    // Deleted even when its exit throws: it is off the stack, so nobody else would.
    std::unique_ptr<ApplicationMode> mode(mStack.back());
    mStack.pop_back();
    mPoppedInBatch.push_back(mode.get());
    NoteTop();
    Internal::CurrentApplicationModeScope current(mode.get());
    mode->OnExit();
}

void Looper::ApplyRequest(const Request& request)
{
    // An earlier request of this batch popped and deleted the mode.
    if (request.mode && std::find(mPoppedInBatch.begin(), mPoppedInBatch.end(), request.mode) != mPoppedInBatch.end())
    {
        DebugPrint("Looper: refused a request for a mode that was popped before it.\n");
        return;
    }
    switch (request.op)
    {
    case kModeReplace:
    case kModePush:
        // The stack would hold the mode twice and delete it twice.
        if (IsOnStack(request.mode))
        {
            DebugPrint("Looper: refused to push a mode that is already on the stack.\n");
            return;
        }
        if (request.op == kModeReplace && !mStack.empty())
            PopMode();
        PushMode(request.mode);
        return;
    case kModePopTo:
        while (!mStack.empty() && mStack.back() != request.mode)
            PopMode();
        if (mStack.empty())
            PushMode(request.mode);
        return;
    case kModePop:
        if (!mStack.empty())
            PopMode();
        return;
    }
}

bool Looper::ApplyRequests()
{
    if (mPending.empty())
        return false;
    if (ApplicationMode* top = GetTopMode())
        top->OnLoseFocus();
    mPoppedInBatch.clear();
    // Requests that the modes entered or left here queue join this batch, in queue order. A chain
    // of modes that never stops queueing is cut off, so the loop goes on.
    for (int taken = 0; !mPending.empty(); ++taken)
    {
        if (taken == kMaxRequestsPerBatch)
        {
            DebugPrint("Looper: the modes keep queueing requests; the rest waits for the next tick.\n");
            break;
        }
        const Request request = mPending.front();
        mPending.pop_front();
        ApplyRequest(request);
    }
    mPoppedInBatch.clear();
    if (ApplicationMode* top = GetTopMode())
    {
        top->OnGainFocus();
        top->OnMouseMove(mLastMouse.x, mLastMouse.y);
        if (IApplication* application = IApplication::GetInstance())
            application->OnModeStackChanged();
    }
    return true;
}

void Looper::RestartTiming()
{
    const std::uint32_t now = mClock.GetTickCount();
    mLastDraw = now;
    mLastUpdate = now - static_cast<std::uint32_t>(mTickLength);
}

void Looper::Loop()
{
    IPlatform* platform = IPlatform::GetInstance();
    if (!platform)
        throw RuntimeError("The main loop needs a platform.", __FILE__, __LINE__, "Corvane::Looper::Loop");
    Begin();
    while (!platform->IsQuitRequested())
    {
        if (mQuit)
            break;
        if (platform->HasPendingMessages())
        {
            platform->HandleEvents(this);
            // A quit granted in the pump (the close button) ends the pass here: an inactive
            // window would otherwise wait for yet another message before the loop saw it.
            if (mQuit || platform->IsQuitRequested())
                break;
        }
        IApplication* application = IApplication::GetInstance();
        // A change of screen is made at once even behind other windows: a screen that finished
        // its work there (the loading screen) hands over without waiting for the focus.
        if (platform->IsActive() || (application && application->GetRunSettings().runWhileInactive) ||
            HasPendingRequests())
            Tick();
        else if (platform->NeedsRepaint())
            Draw();
        else
        {
            // Any message ends the wait, a stop signal's close request among them.
            platform->WaitForMessage();
            // The first tick after waking makes one update, not a catch-up of the time asleep.
            RestartTiming();
        }
    }
}

void Looper::Begin()
{
    RestartTiming();
    ApplyRequests();
    Update(mDt);
    DrawDueFrame();
}

void Looper::Tick()
{
    const bool changed = ApplyRequests();
    const std::uint32_t tick = static_cast<std::uint32_t>(mTickLength);
    const std::uint32_t now = mClock.GetTickCount();
    const std::uint32_t elapsed = now - mLastUpdate;
    const bool overdue = now - mLastDraw >= kMaxTimeWithoutDraw;
    const bool drawnSinceUpdate = IsLater(mLastDraw, mLastUpdate);

    if (!changed && elapsed < tick)
    {
        if (overdue || !drawnSinceUpdate)
            DrawStep(now);
        else
        {
            // The frame is shown and the next update is not due: a pass now would only spin (a
            // sleep may end a little early), so the thread waits for it.
            mClock.Sleep(tick - elapsed);
        }
        return;
    }
    if (!changed && overdue)
    {
        DrawStep(now);
        return;
    }
    UpdateStep(changed, elapsed, now);
}

void Looper::DrawDueFrame()
{
    if (!mFrameFilter || mFrameFilter())
        Draw();
}

void Looper::DrawStep(std::uint32_t now)
{
    DrawDueFrame();
    mLastDraw = now;
    // Sleep away what remains of the tick, counted from the last update.
    const std::uint32_t sinceUpdate = mClock.GetTickCount() - mLastUpdate;
    const std::uint32_t tick = static_cast<std::uint32_t>(mTickLength);
    if (sinceUpdate < tick)
        mClock.Sleep(tick - sinceUpdate);
}

void Looper::UpdateStep(bool changed, std::uint32_t elapsed, std::uint32_t now)
{
    const std::uint32_t tick = static_cast<std::uint32_t>(mTickLength);
    std::uint32_t lag = std::min(elapsed, kMaxUpdatesPerPass * tick);
    if (changed && lag < tick)
    {
        // Right after a mode change, a partial step brings the new top up to the clock.
        Update(static_cast<float>(lag) * 0.001f);
        lag = 0;
    }
    while (lag >= tick)
    {
        // A request made during an update is applied before anything else runs.
        if (HasPendingRequests())
            break;
        Update(mDt);
        lag -= tick;
    }
    mLastUpdate = now - lag;
}

void Looper::Update(float dt)
{
    mSincePress = std::min(mSincePress + dt, 1.0e9f);
    if (IAudioPlatform* audio = IAudioPlatform::GetInstance())
        audio->Update(dt);
    if (IApplication* application = IApplication::GetInstance())
        application->Update(dt);
    if (ApplicationMode* top = GetTopMode())
        top->Update(dt);
}

void Looper::Draw()
{
    IPlatform* platform = IPlatform::GetInstance();
    if (platform)
        platform->ClearRepaint();
    // Without a renderer (none could be started) there is nothing to draw through.
    IGraphicsPlatform* graphics = IGraphicsPlatform::GetInstance();
    if (!graphics || graphics->BeginScene() != 0)
        return;
    if (graphics->GetCanvas() && !mStack.empty())
    {
        const std::size_t top = mStack.size() - 1;
        std::size_t first = top;
        while (first > 0 && !mStack[first]->IsOpaque())
            --first;
        for (std::size_t i = first; i < top; ++i)
        {
            Internal::CurrentApplicationModeScope current(mStack[i]);
            mStack[i]->Draw();
        }
        Internal::CurrentApplicationModeScope current(mStack[top]);
        if (first < top)
            mStack[top]->DrawUnderlay();
        mStack[top]->Draw();
    }
    if (IApplication* application = IApplication::GetInstance())
        application->DrawOverlay();
    if (platform && platform->IsActive())
        Internal::RunHook(Internal::GetEngineHooks().drawCustomCursor);
    graphics->EndScene();
}

std::vector<ApplicationMode*> Looper::TakeQueuedModes()
{
    std::vector<ApplicationMode*> modes;
    for (const Request& request : mPending)
    {
        ApplicationMode* mode = request.mode;
        if (mode && !IsOnStack(mode) && std::find(modes.begin(), modes.end(), mode) == modes.end())
            modes.push_back(mode);
    }
    mPending.clear();
    return modes;
}

void Looper::Shutdown()
{
    // Queued modes were never entered: they are deleted without being called.
    std::vector<ApplicationMode*> queued = TakeQueuedModes();
    if (ApplicationMode* top = GetTopMode())
        top->OnLoseFocus();
    while (!mStack.empty())
        PopMode();
    mPoppedInBatch.clear();
    for (ApplicationMode* mode : queued)
        delete mode;
}

void Looper::RequestQuit()
{
    // Copied: a handler may remove itself while it is asked.
    const std::vector<IQuitHandler*> handlers = mQuitHandlers;
    for (IQuitHandler* handler : handlers)
    {
        if (!handler->CanQuit())
        {
            if (IPlatform* platform = IPlatform::GetInstance())
                platform->RestoreIfMinimized();
            return;
        }
    }
    mQuit = true;
}

void Looper::AddQuitHandler(IQuitHandler* handler)
{
    mQuitHandlers.push_back(handler);
}

void Looper::RemoveQuitHandler(IQuitHandler* handler)
{
    std::erase(mQuitHandlers, handler);
}

void Looper::OnInputEvent(const InputEvent& event)
{
    if (event.type == InputEvent::kButtonDown)
        mSincePress = 0.0f;
    ApplicationMode* top = GetTopMode();
    if (!top || HasPendingRequests())
        return;
    switch (event.type)
    {
    case InputEvent::kMouseMove:
        mLastMouse = {event.x, event.y};
        top->OnMouseMove(event.x, event.y);
        break;
    case InputEvent::kButtonUp: top->OnMouseUp(event.code, event.x, event.y); break;
    case InputEvent::kButtonDown: top->OnMouseDown(event.code, event.x, event.y); break;
    case InputEvent::kKeyUp: top->OnKeyUp(event.code); break;
    case InputEvent::kKeyDown: top->OnKeyDown(event.code); break;
    case InputEvent::kMouseLeave:
        mLastMouse = kMouseOutside;
        top->OnMouseLeave();
        break;
    case InputEvent::kCharacter: top->OnText(event.GetText()); break;
    case InputEvent::kWheel:
    {
        // A wheel event without its notch size counts in standard notches.
        const float perNotch = event.extra != 0 ? static_cast<float>(event.extra) : kWheelDelta;
        top->OnMouseWheel(static_cast<float>(event.code) / perNotch, event.x, event.y);
        break;
    }
    default: // activation changes reach no mode
        break;
    }
}

void ReplaceApplicationMode(ApplicationMode* mode)
{
    Looper::GetInstance().QueueRequest(mode, kModeReplace);
}

void PushApplicationMode(ApplicationMode* mode)
{
    Looper::GetInstance().QueueRequest(mode, kModePush);
}

void PopToApplicationMode(ApplicationMode* mode)
{
    Looper::GetInstance().QueueRequest(mode, kModePopTo);
}

void PopApplicationMode()
{
    Looper::GetInstance().QueueRequest(nullptr, kModePop);
}

void RequestQuit()
{
    Looper::GetInstance().RequestQuit();
}

void AddQuitHandler(IQuitHandler* handler)
{
    Looper::GetInstance().AddQuitHandler(handler);
}

void RemoveQuitHandler(IQuitHandler* handler)
{
    Looper::GetInstance().RemoveQuitHandler(handler);
}

bool IsQuitting()
{
    return Looper::GetInstance().IsQuitting();
}

Vector2<int> GetLastMousePosition()
{
    return Looper::GetInstance().GetLastMousePosition();
}
} // namespace Corvane
