// The menus as a player meets them, on the built data: the first start asks for a name over the
// title, the title gives way to the main menu, and the profile list makes, deletes and chooses
// profiles, all through the real start-up and input sent through the main loop.
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/DeleteAccountMode.h"
#include "Game/Menus/EditAccountMode.h"
#include "Game/Menus/MainMenuMode.h"
#include "Game/Menus/MyAccountMode.h"
#include "GameFlow.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/FixedListNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "SceneGraph/TextEditNode.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kBackspace = 8, kEscape = 27;
const std::wstring kDefault = AccountManager::kDefaultProfileName;

Vector2<float> Location(const char* name)
{
    return ResourceManager::GetValue<Vector2<float>>(Label(name), {-1.0f, -1.0f});
}

class MenuFlow : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!GameFlow::IsDataBuilt())
            GTEST_SKIP() << "the data folder is not built: " << GameFlow::DataFolder();
        ASSERT_TRUE(game.Start()) << "the title screen never came";
    }

    std::wstring Shown(const NodePath& path) const
    {
        const auto* text = game.Find<StyledTextSpriteNode>(path);
        return text ? text->GetText() : L"(no text node)";
    }
    bool Enabled(const char* button) const
    {
        const auto* node = game.Named<ButtonNode>(button);
        return node && node->IsEnabled();
    }
    // Clicks a button of the top screen by its name; false when it is not there.
    bool Press(const char* button) { return game.ClickNode(game.Named(button)); }
    // Types name into the new-profile popup's field after emptying it, and presses OK.
    void EnterName(const std::wstring& name)
    {
        for (int i = 0; i < 20; ++i)
            game.Key(kBackspace);
        game.Type(name);
        ASSERT_TRUE(Press("OkButton"));
    }
    // Presses the button and lets the popup it opens slide into place (the player cannot click it
    // before it is on screen).
    bool OpenPopup(const char* button)
    {
        const bool pressed = Press(button);
        game.Tick(30);
        return pressed;
    }
    // Lets the popup on top slide out and the screens below settle.
    void SettleAfterPopup() { game.Tick(30); }
    std::vector<std::wstring> ListRows() const
    {
        std::vector<std::wstring> rows;
        if (const auto* list = game.Named<FixedListNode>("AccountList"))
            for (const FixedListNode::Entry& entry : list->GetEntries())
                rows.push_back(entry.text);
        return rows;
    }
    // Under the popups: whether the profile list (second on the stack) shows its panel, and the
    // cook the main menu (the bottom screen) names.
    bool ListShown() const
    {
        return dynamic_cast<SceneApplicationMode&>(*game.looper.GetModeStack().at(1))
            .GetRootNode()
            ->FindByPath(PathOf({"ProfileMode"}))
            ->IsVisible();
    }
    std::wstring CookingToday() const
    {
        const SceneNode* root = dynamic_cast<SceneApplicationMode&>(*game.looper.GetModeStack().at(0)).GetRootNode();
        return root->FindByPathAs<StyledTextSpriteNode>(ScreenPaths::MainMenu::kProfileText)->GetText();
    }
    std::wstring SelectedRow() const
    {
        const auto* list = game.Named<FixedListNode>("AccountList");
        const FixedListNode::Entry* entry = list ? list->GetSelectedEntry() : nullptr;
        return entry ? entry->text : L"(none)";
    }

    GameFlow game;
};
} // namespace

TEST_F(MenuFlow, TheFirstStartAsksForANameOverTheTitleAndThenTheMainMenuReplacesTheTitle)
{
    EXPECT_EQ(game.Profiles(), std::vector<std::wstring>{kDefault});
    EXPECT_EQ(game.Starts("MUSIC_MainMenu"), 1) << "the title starts the menu music";
    game.Tick(60); // the start button has risen
    ASSERT_TRUE(game.ClickNode(game.Find(ScreenPaths::Title::kStartButton)));
    game.Tick();
    ASSERT_NE(game.Top<EditAccountMode>(), nullptr) << "the default profile asks for a name first";
    EXPECT_FALSE(game.Top<EditAccountMode>()->IsCancelAllowed());
    EXPECT_FALSE(Enabled("CancelButton"));
    EXPECT_EQ(game.Named<TextEditNode>("AccountName"), game.Top<SceneApplicationMode>()->GetFocusNode());

    // The popup flies down past its place and settles back up.
    SceneNode* popup = game.Find(ScreenPaths::Profiles::kNewProfileTextEnter)->GetParent();
    float lowest = popup->GetPosition().y;
    for (int i = 0; i < 30; ++i, game.Tick())
        lowest = std::max(lowest, popup->GetPosition().y);
    EXPECT_FLOAT_EQ(lowest, Location("PopupMode_OvershootLoc").y);
    EXPECT_EQ(popup->GetPosition(), Location("PopupMode_EndLoc"));
    EXPECT_EQ(Shown(ScreenPaths::Profiles::kNewProfileTextEnter),
              LocalizedText::GetText(Label("Profiles.EnterNameInstructions")));

    const struct
    {
        const wchar_t* name;
        const char* shows;
    } refused[] = {{L"", "Profiles.CharMinimum"}, {kDefault.c_str(), "Profiles.ProfileExists"}};
    for (const auto& attempt : refused)
    {
        EnterName(attempt.name);
        game.Tick();
        EXPECT_NE(game.Top<EditAccountMode>(), nullptr) << "the popup stays";
        EXPECT_EQ(Shown(ScreenPaths::Profiles::kNewProfileTextEnter), LocalizedText::GetText(Label(attempt.shows)));
    }
    game.Key(kEscape); // Cancel's hot key: there is no Cancel here
    game.Tick();
    EXPECT_FALSE(game.Top<EditAccountMode>()->IsClosing());
    EXPECT_EQ(game.Profiles(), std::vector<std::wstring>{kDefault});

    EnterName(L"Ann");
    ASSERT_TRUE(Press("OkButton")) << "a second OK while the popup slides out";
    EXPECT_EQ(game.Profiles(), std::vector<std::wstring>{L"Ann"}) << "the default profile is gone";
    EXPECT_EQ(game.CurrentProfile(), L"Ann");
    EXPECT_EQ(game.ProfileFiles(), 1);
    EXPECT_EQ(game.ProfileFiles("Ann"), 1);

    // The popup leaves, the cooks walk off and the main menu comes with its entrance.
    ASSERT_TRUE(game.TickUntil([&] { return game.Top<MainMenuMode>() != nullptr; }, 100));
    EXPECT_EQ(game.Stack(), std::vector<std::string>{"MainMenuMode"}) << "the title is gone";
    EXPECT_TRUE(game.Top<MainMenuMode>()->HasEntrance());
    EXPECT_EQ(Shown(ScreenPaths::MainMenu::kProfileText), L"Ann");
    game.Tick(50);
    EXPECT_EQ(game.Find(ScreenPaths::MainMenu::kProfileBubble)->GetPosition(),
              Location("MainMenu_MoveLocation_Profile"));
    EXPECT_EQ(game.Find(ScreenPaths::MainMenu::kButtons)->GetPosition(), Location("MainMenu_MoveLocation_Buttons"));
    EXPECT_EQ(game.Starts("MUSIC_MainMenu"), 1) << "the title's music goes on in the main menu";
    ASSERT_NE(GameAudioManager::GetInstance()->GetMusicChannel(), nullptr);
    EXPECT_TRUE(GameAudioManager::GetInstance()->GetMusicChannel()->IsPlaying());

    // Only the screens that exist are open to the player.
    for (const MainMenuDestination& destination : MainMenuDestinations())
        EXPECT_EQ(Enabled(destination.button), destination.IsAvailable()) << destination.button;
    for (const char* button : {"ProfileButton", "OptionsButton", "QuitButton"})
        EXPECT_TRUE(Enabled(button)) << button;
}

TEST_F(MenuFlow, TheProfileListMakesDeletesAndChoosesProfilesAndReloadsTheProgressOnEveryChange)
{
    int reloads = 0;
    GetLevelFlowHooks().reloadTutorial = [&reloads] { ++reloads; };
    // Through the title with a first profile, "Ann".
    game.Tick(60);
    game.ClickNode(game.Find(ScreenPaths::Title::kStartButton));
    game.Tick(30);
    EnterName(L"Ann");
    ASSERT_TRUE(game.TickUntil([&] { return game.Top<MainMenuMode>() != nullptr; }, 100));
    game.Tick(50);
    LevelProgressManager::Instance(); // read, as the challenge select reads it
    const int reloadsBefore = reloads;

    ASSERT_TRUE(Press("ProfileButton"));
    game.Tick();
    ASSERT_NE(game.Top<MyAccountMode>(), nullptr);
    EXPECT_EQ(game.Stack(), (std::vector<std::string>{"MainMenuMode", "MyAccountMode"}));
    EXPECT_EQ(Shown(ScreenPaths::Profiles::kSelectProfileText),
              LocalizedText::GetText(Label("Profiles.SelectProfileInstructions")));
    EXPECT_EQ(ListRows(), std::vector<std::wstring>{L"Ann"});
    EXPECT_EQ(SelectedRow(), L"Ann");
    EXPECT_FALSE(Enabled("DeleteButton")) << "the only profile cannot be deleted";
    EXPECT_TRUE(Enabled("NewButton"));
    Press("DeleteButton");
    game.Tick();
    EXPECT_NE(game.Top<MyAccountMode>(), nullptr) << "a disabled Delete opens nothing";

    // A second profile, made current by its popup, which stands alone in place of the list; the
    // main menu under both names the new cook at once.
    EXPECT_TRUE(ListShown());
    OpenPopup("NewButton");
    ASSERT_NE(game.Top<EditAccountMode>(), nullptr);
    EXPECT_FALSE(ListShown()) << "one popup at a time";
    EXPECT_TRUE(Enabled("CancelButton"));
    EnterName(L"Bob");
    EXPECT_EQ(CookingToday(), L"Bob");
    SettleAfterPopup();
    ASSERT_NE(game.Top<MyAccountMode>(), nullptr);
    EXPECT_TRUE(ListShown()) << "the list comes back with the popup gone";
    EXPECT_EQ(ListRows(), (std::vector<std::wstring>{L"Ann", L"Bob"}));
    EXPECT_EQ(SelectedRow(), L"Bob");
    EXPECT_TRUE(Enabled("DeleteButton"));

    // Deleting "Ann" and making a new "Ann": same name, another profile.
    auto* list = game.Named<FixedListNode>("AccountList");
    game.Click(static_cast<int>(list->GetRowRect(0).x) + 5, static_cast<int>(list->GetRowRect(0).y) + 5);
    EXPECT_EQ(SelectedRow(), L"Ann");
    OpenPopup("DeleteButton");
    ASSERT_NE(game.Top<DeleteAccountMode>(), nullptr);
    EXPECT_EQ(game.Top<DeleteAccountMode>()->GetAccountName(), L"Ann");
    Press("OkButton");
    Press("OkButton"); // again while it slides out: nothing more is deleted
    SettleAfterPopup();
    EXPECT_EQ(ListRows(), std::vector<std::wstring>{L"Bob"});
    OpenPopup("NewButton");
    EnterName(L"Ann");
    SettleAfterPopup();
    EXPECT_EQ(ListRows(), (std::vector<std::wstring>{L"Bob", L"Ann"}));
    EXPECT_EQ(game.CurrentProfile(), L"Ann");

    // Deleting the current profile makes the first remaining one current, in the main menu's
    // bubble too from that moment.
    OpenPopup("DeleteButton");
    EXPECT_FALSE(ListShown());
    EXPECT_EQ(CookingToday(), L"Ann");
    Press("OkButton");
    EXPECT_EQ(CookingToday(), L"Bob") << "the deleted cook's name stays no longer";
    SettleAfterPopup();
    EXPECT_TRUE(ListShown());
    EXPECT_EQ(game.CurrentProfile(), L"Bob");
    EXPECT_EQ(SelectedRow(), L"Bob");
    EXPECT_FALSE(Enabled("DeleteButton"));
    OpenPopup("NewButton");
    EnterName(L"Ann");
    SettleAfterPopup();

    EXPECT_EQ(reloads, reloadsBefore) << "nothing is reloaded before the list closes";
    Press("CancelButton");
    game.Tick();
    ASSERT_NE(game.Top<MainMenuMode>(), nullptr);
    EXPECT_EQ(reloads, reloadsBefore + 1) << "the current profile changed, though its name is the one entered with";
    EXPECT_EQ(Shown(ScreenPaths::MainMenu::kProfileText), L"Ann");
    EXPECT_EQ(game.ProfileFiles(), 2);

    // Choosing the profile that is current already changes nothing: no reload.
    Press("ProfileButton");
    game.Tick();
    Press("OkButton");
    game.Tick();
    EXPECT_EQ(reloads, reloadsBefore + 1);
    EXPECT_EQ(game.Starts("MUSIC_MainMenu"), 1) << "coming back from the profiles keeps the music";
}
