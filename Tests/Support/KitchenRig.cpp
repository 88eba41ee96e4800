#include "Support/KitchenRig.h"

#include "BoostRandomNumberStream.h"
#include "FileSystem.h"
#include "Framework/ApplicationMode.h"
#include "Framework/DisplayChange.h"
#include "Framework/Engine.h"
#include "Framework/EngineHooks.h"
#include "Framework/IPlatform.h"
#include "Framework/Looper.h"
#include "Game/Application/Application.h"
#include "Framework/AccountManager.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Loading/MyLoadingMode.h"
#include "Game/Menus/TitleMode.h"
#include "Game/Menus/TutorialManager.h"
#include "Platform/Compat/User/WindowObject.h"
#include "Platform/Win32/UserDataFolder.h"
#include "Platform/Win32/Win32Platform.h"
#include "RandomStream.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "Support/KeptImageDecodes.h"
#include "Support/SdlEvents.h"
#include "TypeName.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <vector>

namespace Corvane::Testing
{
namespace
{
// One fixed update of the loop.
constexpr std::uint32_t kTickMilliseconds = 20;
// Loop passes tried for one update: a pass may draw a due frame instead of updating.
constexpr int kPassesPerUpdate = 4;
// Real time the loading screen's worker may take to load the data.
constexpr auto kLoadingLimit = std::chrono::seconds(90);

std::wstring Wide(const std::string& path)
{
    return std::wstring(path.begin(), path.end());
}
} // namespace

// The game's own application with the rig's audio recorder, data folders and random stream, and a
// count of the loop's updates.
class KitchenRig::RigApplication : public Application
{
public:
    explicit RigApplication(KitchenRig& rig) : mRig(rig) {}

    void OnPlatformCreated() override
    {
        switch (mRig.mOptions.sound)
        {
        case Options::Sound::kRecorded:
            mRig.mAudio = std::make_unique<RecordingAudioPlatform>(mRig.mClock);
            break;
        case Options::Sound::kReal:
            Application::OnPlatformCreated();
            break;
        case Options::Sound::kNone:
            break;
        }
        const std::wstring data = Wide(KITCHEN_RIG_DATA);
        FileSystem* files = FileSystem::GetInstance();
        files->DeletePartitions();
        files->AddPartition(0, new Win32FileSystemPartition(L"", data));
        if (!mRig.mOptions.overlay.empty())
            files->AddPartition(1, new Win32FileSystemPartition(L"", Wide(mRig.mOptions.overlay)));
        files->AddPartition(1, new Win32FileSystemPartition(L"", data));
        files->AddPartition(
            2, new Win32FileSystemPartition(L"", CreateUserDataFolder(GetInfo().companyName, GetInfo().productName)));
        files->OnPartitionsAdded();
        // The random streams exist by now; everything after start-up draws from the test's.
        mRig.mRandom = std::make_unique<BoostRandomNumberStream>(mRig.mOptions.seed);
        PushRandomStream(mRig.mRandom.get());
    }
    void Update(float dt) override
    {
        ++mRig.mUpdates;
        Application::Update(dt);
    }

private:
    KitchenRig& mRig;
};

KitchenRig::KitchenRig() : KitchenRig(Options{}) {}

KitchenRig::KitchenRig(const Options& options) : mOptions(options)
{
    Start();
}

KitchenRig::~KitchenRig()
{
    TearDown();
}

void KitchenRig::Restart()
{
    TearDown();
    Start();
}

void KitchenRig::TearDown()
{
    Stop();
    mApplication.reset();
    Looper::SetInstance(mPreviousLooper);
    mLooper.reset();
    Internal::GetEngineHooks() = Internal::DefaultEngineHooks();
    mAudio.reset();
}

void KitchenRig::Start()
{
    ::setenv("XDG_DATA_HOME", mUserData.Path().c_str(), 1);
    // An error box would wait for a click nobody makes: errors go to the standard error instead.
    ::setenv("CORVANE_ERROR_BOX", "stderr", 1);
    if (mOptions.keepDecodes)
        KeepImageDecodes();
    mLooper = std::make_unique<Looper>(mClock);
    mPreviousLooper = Looper::SetInstance(mLooper.get());
    mLooper->SetFrameFilter([this] { return mOptions.drawEvery > 0 && ++mDueFrames % mOptions.drawEvery == 0; });
    mApplication = std::make_unique<RigApplication>(*this);
    StartEngine();
    mRunning = true;
    // The texts are loaded once per process; an earlier rig's engine released them.
    LocalizedText::Load();
    mLooper->Begin();
    const auto deadline = std::chrono::steady_clock::now() + kLoadingLimit;
    while (!TopAs<TitleMode>() && std::chrono::steady_clock::now() < deadline)
    {
        Step();
        // The worker loads in real time.
        if (TopAs<MyLoadingMode>())
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    EXPECT_NE(TopAs<TitleMode>(), nullptr) << "the start-up did not reach the title screen";
    if (mOptions.tipsSeen)
    {
        const std::vector<std::uint8_t> seen(kTutorialDataSize, 1);
        WriteTutorialBytes(AccountManager::Get()->GetCurrentAccount(), kTutorialDataKey, seen.data());
        TutorialManager::Instance()->LoadFromAccount();
    }
    mUpdates = 0;
    mLastPress = -1;
    if (mAudio)
        mAudio->RestartCount();
}

void KitchenRig::Stop()
{
    if (!mRunning)
        return;
    mRunning = false;
    mLooper->Shutdown();
    StopEngineKeepingLabels();
    PopRandomStream();
    DeleteRandomStreams();
}

void KitchenRig::Pass()
{
    IPlatform* platform = IPlatform::GetInstance();
    if (platform && platform->HasPendingMessages())
        platform->HandleEvents(mLooper.get());
    mLooper->Tick();
}

void KitchenRig::Step(int updates)
{
    for (int i = 0; i < updates && mRunning; ++i)
    {
        mClock.Advance(kTickMilliseconds);
        const int before = mUpdates;
        for (int pass = 0; pass < kPassesPerUpdate && mUpdates == before; ++pass)
            Pass();
        if (mWatch && mUpdates != before)
            mWatch();
    }
}

void KitchenRig::DrawNow()
{
    mLooper->Draw();
}

int KitchenRig::StepUntil(const std::function<bool()>& done, int limit)
{
    for (int steps = 0; steps < limit; ++steps)
    {
        if (done())
            return steps;
        Step();
    }
    return done() ? limit : -1;
}

GameMode* KitchenRig::StartLevel(int index)
{
    LevelProgressManager* progress = LevelProgressManager::Instance();
    progress->SetCurrentLevelIndex(index);
    EXPECT_EQ(progress->GetCurrentLevelIndex(), index) << "there is no level at index " << index;
    // A level started from the end of another has the old level screen on the stack until the
    // new one replaces it.
    const auto levelScreen = [this]() -> ApplicationMode* {
        for (ApplicationMode* mode : mLooper->GetModeStack())
            if (dynamic_cast<GameMode*>(mode))
                return mode;
        return nullptr;
    };
    ApplicationMode* const previous = levelScreen();
    progress->StartLevel();
    const auto onStack = [&] {
        ApplicationMode* screen = levelScreen();
        return screen && screen != previous;
    };
    if (StepUntil(onStack, 10) < 0)
    {
        ADD_FAILURE() << "no level screen came for the level at index " << index;
        return nullptr;
    }
    while (Top() && !TopAs<GameMode>())
        PopTop();
    return TopAs<GameMode>();
}

std::vector<std::string> KitchenRig::Modes() const
{
    std::vector<std::string> names;
    for (ApplicationMode* mode : mLooper->GetModeStack())
        names.push_back(GetTypeName(typeid(*mode)));
    return names;
}

ApplicationMode* KitchenRig::Top() const
{
    return mLooper->GetTopMode();
}

void KitchenRig::PopTop()
{
    PopApplicationMode();
    Step();
}

SceneNode* KitchenRig::FindNode(const std::string& path, SceneNode* root) const
{
    std::vector<NodePathElement> steps;
    std::stringstream text(path);
    for (std::string name; std::getline(text, name, '/');)
        steps.emplace_back(name);
    steps.emplace_back(NodePathEnd{});
    if (!root)
        root = SceneApplicationMode::GetCurrentRootNode();
    return root ? root->FindByPath(NodePath(std::move(steps))) : nullptr;
}

void KitchenRig::ToClient(int& x, int& y) const
{
    auto* platform = dynamic_cast<Win32Platform*>(IPlatform::GetInstance());
    SDL_Window* window = platform ? Compat::GetSdlWindow(platform->GetWindow()) : nullptr;
    int width = 0;
    int height = 0;
    if (window)
        SDL_GetWindowSize(window, &width, &height);
    const DisplaySettings& display = GetDisplaySettings();
    if (width <= 0 || height <= 0 || display.width <= 0 || display.height <= 0)
        return;
    // The first window pixel that the platform maps onto the virtual point.
    const auto toClient = [](int value, int client, int virtualSize) {
        int result = static_cast<int>(static_cast<long long>(value) * client / virtualSize);
        while (static_cast<long long>(result) * virtualSize / client < value)
            ++result;
        return result;
    };
    x = toClient(x, width, display.width);
    y = toClient(y, height, display.height);
}

void KitchenRig::SendMouse(unsigned type, int x, int y)
{
    auto* platform = dynamic_cast<Win32Platform*>(IPlatform::GetInstance());
    SDL_Window* window = platform ? Compat::GetSdlWindow(platform->GetWindow()) : nullptr;
    ASSERT_NE(window, nullptr) << "the program has no window";
    ToClient(x, y);
    SDL_Event event{};
    if (type == SDL_MOUSEMOTION)
    {
        event.motion.type = type;
        event.motion.windowID = SDL_GetWindowID(window);
        event.motion.x = x;
        event.motion.y = y;
    }
    else
    {
        event.button.type = type;
        event.button.windowID = SDL_GetWindowID(window);
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = 1;
        event.button.x = x;
        event.button.y = y;
    }
    SDL_PushEvent(&event);
    if (type == SDL_MOUSEBUTTONDOWN)
        mLastPress = mUpdates;
    // Handed on now, as the loop's next pass would before its tick.
    if (platform->HasPendingMessages())
        platform->HandleEvents(mLooper.get());
}

namespace
{
std::pair<int, int> CentreOf(const KitchenRig& rig, const std::string& path)
{
    SceneNode* node = rig.FindNode(path);
    EXPECT_NE(node, nullptr) << "no node at " << path;
    if (!node)
        return {-100, -100};
    const Vector2<float> centre = node->GetWorldCenter();
    return {static_cast<int>(centre.x), static_cast<int>(centre.y)};
}
} // namespace

void KitchenRig::MoveTo(int x, int y)
{
    SendMouse(SDL_MOUSEMOTION, x, y);
}

void KitchenRig::PressAt(int x, int y)
{
    SendMouse(SDL_MOUSEBUTTONDOWN, x, y);
}

void KitchenRig::ReleaseAt(int x, int y)
{
    SendMouse(SDL_MOUSEBUTTONUP, x, y);
}

void KitchenRig::Move(const std::string& path)
{
    const auto [x, y] = CentreOf(*this, path);
    MoveTo(x, y);
}

void KitchenRig::Press(const std::string& path)
{
    const auto [x, y] = CentreOf(*this, path);
    PressAt(x, y);
}

void KitchenRig::Release(const std::string& path)
{
    const auto [x, y] = CentreOf(*this, path);
    ReleaseAt(x, y);
}

void KitchenRig::Click(const std::string& path)
{
    const auto [x, y] = CentreOf(*this, path);
    MoveTo(x, y);
    PressAt(x, y);
    ReleaseAt(x, y);
}

void KitchenRig::Key(int symbol, int scancode)
{
    auto* platform = dynamic_cast<Win32Platform*>(IPlatform::GetInstance());
    SDL_Window* window = platform ? Compat::GetSdlWindow(platform->GetWindow()) : nullptr;
    ASSERT_NE(window, nullptr) << "the program has no window";
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP})
    {
        SDL_Event event = KeyEvent(SDL_GetWindowID(window), type, symbol, static_cast<SDL_Scancode>(scancode));
        SDL_PushEvent(&event);
    }
    if (platform->HasPendingMessages())
        platform->HandleEvents(mLooper.get());
}

void KitchenRig::Type(const std::string& text)
{
    auto* platform = dynamic_cast<Win32Platform*>(IPlatform::GetInstance());
    SDL_Window* window = platform ? Compat::GetSdlWindow(platform->GetWindow()) : nullptr;
    ASSERT_NE(window, nullptr) << "the program has no window";
    ASSERT_LT(text.size(), sizeof(SDL_TextInputEvent::text)) << "too long for one text event";
    SDL_Event event{};
    event.text.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(window);
    text.copy(event.text.text, text.size());
    SDL_PushEvent(&event);
    if (platform->HasPendingMessages())
        platform->HandleEvents(mLooper.get());
}

void KitchenRig::KeyCode(int code)
{
    for (int type : {InputEvent::kKeyDown, InputEvent::kKeyUp})
    {
        InputEvent event{};
        event.type = type;
        event.code = code;
        mLooper->OnInputEvent(event);
    }
}
} // namespace Corvane::Testing
