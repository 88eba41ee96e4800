// The game's application through the engine's real start-up (with a fake platform, renderers and
// audio): the profiles it opens and the display they ask for, the types it registers, the loading
// screen it queues with the start-up groups, and the settings it keeps per profile.
#include "Game/Application/Application.h"

#include "FileSystem.h"
#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Framework/AudioSettings.h"
#include "Framework/DisplayChange.h"
#include "Framework/Engine.h"
#include "Game/Loading/MyLoadingMode.h"
#include "Game/Loading/MyResourceLoadTask.h"
#include "SceneGraph/SceneNodeFactory.h"
#include "Support/EngineHarness.h"
#include "Support/FakeAudioPlatform.h"
#include "Support/ResourceFolder.h"
#include "Support/TempFolder.h"
#include "Utf8.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
const std::string kWindowMode = "Corvane::Window::Mode";
const std::string kMasterVolume = "Corvane::Audio::MasterControls::Volume";

// The game's application with a fake audio platform in place of the real one.
class TestApplication : public Application
{
public:
    TestApplication(std::unique_ptr<FakeAudioPlatform>& audio, std::vector<std::string>& log) : mAudio(audio), mLog(log)
    {
    }
    void OnPlatformCreated() override { mAudio = std::make_unique<FakeAudioPlatform>(mLog); }

private:
    std::unique_ptr<FakeAudioPlatform>& mAudio;
    std::vector<std::string>& mLog;
};

class ApplicationTest : public testing::Test, public FakeEngine
{
protected:
    ApplicationTest()
    {
        FileSystem::GetInstance()->AddPartition(2, new Win32FileSystemPartition(L"", profiles.WidePath()));
    }
    ~ApplicationTest() override
    {
        looper.Shutdown();
        delete AccountManager::GetIfCreated();
    }
    // The loading screen, entered (its worker finds none of the groups in the empty folder).
    MyLoadingMode* EnterLoadingScreen()
    {
        looper.ApplyRequests();
        return dynamic_cast<MyLoadingMode*>(looper.GetTopMode());
    }
    float MasterVolume(const wchar_t* profile)
    {
        return Account::ReadFloat(AccountManager::Get()->FindAccount(profile), kMasterVolume, -1.0f);
    }

    ResourceFolder resources;
    TempFolder profiles;
    std::unique_ptr<FakeAudioPlatform> audio;
};

TEST_F(ApplicationTest, StartRegistersTheGameTypesAndQueuesTheLoadingScreenWithTheStartUpGroups)
{
    TestApplication application(audio, log);
    StartEngine();
    for (const wchar_t* node : {L"sceneref", L"scenenode", L"staticspritenode", L"animatedspritenode", L"meterbarnode",
                                L"discretemeterbarnode", L"rectnode", L"ellipsenode"})
        EXPECT_NE(FindNodeFactory(node), nullptr) << Utf8::FromWide(node);
    for (const wchar_t* kind : {L"scenelayout", L"spritetype", L"spriteanimationlist", L"randomrange",
                                L"LevelDescriptor", L"LevelProgressionData", L"RecipeData", L"CutsceneData",
                                L"CookingIngredient", L"KitchenLevelData", L"IngredientCombo"})
        EXPECT_TRUE(ResourceManager::Instance()->HasFactory(kind)) << Utf8::FromWide(kind);

    MyLoadingMode* loading = EnterLoadingScreen();
    ASSERT_NE(loading, nullptr) << "the loading screen is the first screen";
    std::vector<std::wstring> groups;
    std::uint64_t total = 0;
    for (const MyLoadingMode::Entry& entry : loading->GetEntries())
    {
        const auto* task = dynamic_cast<const MyResourceLoadTask*>(entry.task.get());
        ASSERT_NE(task, nullptr);
        groups.push_back(task->GetGroupName());
        total += entry.weight;
    }
    ASSERT_EQ(groups.size(), 44u);
    EXPECT_EQ(total, 581u);
    EXPECT_EQ(groups.front(), L"resources");
    EXPECT_EQ(groups[5], L"TitleMainMenuMode");
    EXPECT_EQ(loading->GetEntries()[15].weight, 127u) << "ComponentDisplay, the heaviest";
    EXPECT_EQ(groups[15], L"ComponentDisplay");
    // The two groups named twice are loaded in both places.
    EXPECT_EQ(groups[37], L"RecipeData");
    EXPECT_EQ(groups[41], L"RecipeData");
    EXPECT_EQ(groups[38], L"IngredientData");
    EXPECT_EQ(groups[42], L"IngredientData");
    EXPECT_EQ(groups.back(), L"AudioResources");
}

struct ProfileWindow
{
    const char* what;
    int storedMode; // -1: the profile holds no window mode
    int expectedMode;
};

void PrintTo(const ProfileWindow& profile, std::ostream* out)
{
    *out << profile.what;
}

class ApplicationDisplayTest : public ApplicationTest, public testing::WithParamInterface<ProfileWindow>
{
};

TEST_P(ApplicationDisplayTest, TheProfileChoosesTheFirstDisplay)
{
    if (GetParam().storedMode >= 0)
    {
        // An earlier run left a profile behind (profiles are named from the random streams).
        CreateRandomStreams();
        Account::WriteInt(AccountManager::Get()->GetCurrentAccount(), kWindowMode, GetParam().storedMode);
        delete AccountManager::GetIfCreated();
    }
    // The display left by an earlier test is the other one: the start-up must change it.
    DisplaySettings other{1 - GetParam().expectedMode, 1, 800, 600};
    ApplyDisplaySettings(other, true);
    log.clear();
    TestApplication application(audio, log);
    StartEngine();
    EXPECT_NE(AccountManager::Get()->FindAccount(AccountManager::kDefaultProfileName), nullptr);
    EXPECT_EQ(GetDisplaySettings(), (DisplaySettings{GetParam().expectedMode, 1, 800, 600}));
    EXPECT_NE(std::find(log.begin(), log.end(), "platform CreateWindow " + std::to_string(GetParam().expectedMode)),
              log.end());
}

INSTANTIATE_TEST_SUITE_P(Application, ApplicationDisplayTest,
                         testing::Values(ProfileWindow{"FirstStart", -1, 1}, ProfileWindow{"Windowed", 0, 0},
                                         ProfileWindow{"FullScreen", 1, 1}),
                         [](const testing::TestParamInfo<ProfileWindow>& info) { return info.param.what; });

TEST_F(ApplicationTest, EachProfileChangeSavesTheOldProfilesSettingsBeforeApplyingTheNewOnes)
{
    TestApplication application(audio, log);
    StartEngine();
    AccountManager& accounts = *AccountManager::Get();
    const std::wstring first = AccountManager::kDefaultProfileName;
    accounts.CreateAccount(L"Ann");

    GetMasterAudioControls()->SetVolume(0.25f);
    accounts.SetCurrentAccount(L"Ann");
    EXPECT_FLOAT_EQ(MasterVolume(first.c_str()), 0.25f);
    EXPECT_FLOAT_EQ(GetMasterAudioControls()->GetVolume(), 0.25f) << "a new profile keeps the present settings";

    GetMasterAudioControls()->SetVolume(0.75f);
    accounts.SetCurrentAccount(first);
    EXPECT_FLOAT_EQ(MasterVolume(L"Ann"), 0.75f);
    EXPECT_FLOAT_EQ(GetMasterAudioControls()->GetVolume(), 0.25f);

    // Stop saves once more and leaves the handlers: later changes save nothing.
    GetMasterAudioControls()->SetVolume(0.5f);
    application.Stop();
    EXPECT_FLOAT_EQ(MasterVolume(first.c_str()), 0.5f);
    GetMasterAudioControls()->SetVolume(0.1f);
    accounts.SetCurrentAccount(L"Ann");
    EXPECT_FLOAT_EQ(MasterVolume(first.c_str()), 0.5f);
    EXPECT_FLOAT_EQ(GetMasterAudioControls()->GetVolume(), 0.1f);
}
} // namespace
