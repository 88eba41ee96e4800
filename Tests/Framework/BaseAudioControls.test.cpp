#include "Framework/BaseAudioControls.h"

#include <gtest/gtest.h>

using namespace Corvane;
using Corvane::Internal::BaseAudioControls;

namespace
{
constexpr float kStep = 0.02f; // one fixed update

// root -> master -> category -> sound, as the audio platform and a play build them.
struct Tree
{
    RefPtr<IAudioControls> root = RefPtr<IAudioControls>::Adopt(new BaseAudioControls(nullptr));
    RefPtr<IAudioControls> master = RefPtr<IAudioControls>::Adopt(new BaseAudioControls(root.Get()));
    RefPtr<IAudioControls> category = RefPtr<IAudioControls>::Adopt(new BaseAudioControls(master.Get()));
    RefPtr<IAudioControls> sound = RefPtr<IAudioControls>::Adopt(new BaseAudioControls(category.Get()));

    void Update(float dt = kStep)
    {
        for (IAudioControls* node : {root.Get(), master.Get(), category.Get(), sound.Get()})
            node->Update(dt);
    }
    void UpdateFor(float seconds)
    {
        for (int i = 0; i < static_cast<int>(seconds / kStep + 0.5f); ++i)
            Update();
    }
};

TEST(BaseAudioControlsTest, ValuesAndFlagsResolveThroughTheAncestors)
{
    struct Case
    {
        const char* name;
        void (*set)(Tree&);
        float volume, rate, pan;
        bool muted, paused;
    };
    const Case cases[] = {
        {"nothing set", [](Tree&) {}, 1.0f, 1.0f, 0.0f, false, false},
        {"category at half volume", [](Tree& t) { t.category->SetVolume(0.5f); }, 0.5f, 1.0f, 0.0f, false, false},
        {"volumes multiply", [](Tree& t) { t.master->SetVolume(0.5f), t.category->SetVolume(0.5f), t.sound->SetVolume(0.8f); }, 0.2f, 1.0f, 0.0f, false, false},
        {"rates multiply", [](Tree& t) { t.master->SetRate(2.0f), t.sound->SetRate(1.5f); }, 1.0f, 3.0f, 0.0f, false, false},
        {"pans add and stay within -1..1", [](Tree& t) { t.category->SetPan(0.5f), t.sound->SetPan(0.8f); }, 1.0f, 1.0f, 1.0f, false, false},
        {"pans cancel", [](Tree& t) { t.category->SetPan(-0.25f), t.sound->SetPan(0.5f); }, 1.0f, 1.0f, 0.25f, false, false},
        {"master mute holds below", [](Tree& t) { t.master->SetMuted(true); }, 1.0f, 1.0f, 0.0f, true, false},
        {"root pause holds below", [](Tree& t) { t.root->Pause(); }, 1.0f, 1.0f, 0.0f, false, true},
        {"resume after pause", [](Tree& t) { t.category->Pause(), t.category->Resume(); }, 1.0f, 1.0f, 0.0f, false, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Tree tree;
        c.set(tree);
        EXPECT_FLOAT_EQ(tree.sound->GetVolume(), c.volume);
        EXPECT_FLOAT_EQ(tree.sound->GetRate(), c.rate);
        EXPECT_FLOAT_EQ(tree.sound->GetPan(), c.pan);
        EXPECT_EQ(tree.sound->IsMuted(), c.muted);
        EXPECT_EQ(tree.sound->IsPaused(), c.paused);
    }
}

TEST(BaseAudioControlsTest, MuteKeepsTheVolumeThatUnmutingRestores)
{
    Tree tree;
    tree.category->SetVolume(0.5f);
    tree.master->SetMuted(true);
    EXPECT_TRUE(tree.sound->IsMuted());
    EXPECT_FLOAT_EQ(tree.sound->GetVolume(), 0.5f);
    EXPECT_TRUE(tree.master->GetSettings().muted);
    tree.master->SetMuted(false);
    EXPECT_FALSE(tree.sound->IsMuted());
    EXPECT_FLOAT_EQ(tree.sound->GetVolume(), 0.5f);
}

TEST(BaseAudioControlsTest, AFadeIsHalfWayAtHalfTimeAndEndsExactlyOnItsTarget)
{
    Tree tree;
    tree.sound->FadeVolume(0.0f, 2.0f);
    EXPECT_FLOAT_EQ(tree.sound->GetSettings().volume, 0.0f) << "settings give a running fade's target";
    tree.UpdateFor(1.0f);
    EXPECT_NEAR(tree.sound->GetVolume(), 0.5f, 1e-4f);
    tree.UpdateFor(1.0f);
    EXPECT_EQ(tree.sound->GetVolume(), 0.0f);
    tree.Update();
    EXPECT_FALSE(tree.sound->HasChanged()) << "the fade is over";
    EXPECT_EQ(tree.sound->GetVolume(), 0.0f);
}

TEST(BaseAudioControlsTest, FadesStartedTogetherRunTogether)
{
    Tree tree;
    tree.sound->FadeVolume(0.0f, 1.0f);
    tree.sound->FadeRate(2.0f, 1.0f);
    tree.sound->FadePan(-1.0f, 0.5f);
    tree.UpdateFor(0.5f);
    EXPECT_NEAR(tree.sound->GetVolume(), 0.5f, 1e-4f);
    EXPECT_NEAR(tree.sound->GetRate(), 1.5f, 1e-4f);
    EXPECT_EQ(tree.sound->GetPan(), -1.0f);
    // A set value ends its fade at once.
    tree.sound->SetVolume(0.9f);
    tree.UpdateFor(0.5f);
    EXPECT_FLOAT_EQ(tree.sound->GetVolume(), 0.9f);
    EXPECT_EQ(tree.sound->GetRate(), 2.0f);
}

TEST(BaseAudioControlsTest, DelayedActionsFireInTheUpdateTheirTimeRunsOutAndHoldFadesThatUpdate)
{
    Tree tree;
    tree.Update();
    tree.sound->PauseAfter(1.0f);
    tree.sound->FadeVolume(0.0f, 10.0f);
    for (int update = 1; update < 50; ++update)
        tree.Update();
    EXPECT_FALSE(tree.sound->IsPaused()) << "after 49 updates";
    const float volumeBefore = tree.sound->GetVolume();
    tree.Update();
    EXPECT_TRUE(tree.sound->IsPaused()) << "after 50 updates, one second";
    EXPECT_TRUE(tree.sound->HasChanged());
    EXPECT_EQ(tree.sound->GetVolume(), volumeBefore) << "no fade moves in the update a delayed action fired";
    tree.sound->ResumeAfter(0.0f);
    tree.Update();
    EXPECT_FALSE(tree.sound->IsPaused());
}

TEST(BaseAudioControlsTest, AStopRequestLastsUntilTheNodesNextUpdate)
{
    Tree tree;
    tree.Update();
    EXPECT_FALSE(tree.sound->HasChanged());
    tree.category->Stop();
    EXPECT_TRUE(tree.sound->IsStopRequested());
    EXPECT_TRUE(tree.sound->HasChanged());
    tree.Update();
    EXPECT_FALSE(tree.sound->IsStopRequested());
    tree.category->StopAfter(0.04f);
    tree.Update();
    EXPECT_FALSE(tree.sound->IsStopRequested());
    tree.Update();
    EXPECT_TRUE(tree.sound->IsStopRequested());
}

TEST(BaseAudioControlsTest, SettingsCarryTheOwnValuesWithoutFades)
{
    Tree tree;
    tree.category->SetVolume(0.5f);
    tree.sound->SetSettings({0.25f, 1.5f, -0.5f, true});
    const AudioControlSettings own = tree.sound->GetSettings();
    EXPECT_EQ(own.volume, 0.25f);
    EXPECT_EQ(own.rate, 1.5f);
    EXPECT_EQ(own.pan, -0.5f);
    EXPECT_TRUE(own.muted);
    EXPECT_FLOAT_EQ(tree.sound->GetVolume(), 0.125f);
}

TEST(BaseAudioControlsTest, ANodeHoldsItsParentAlive)
{
    IAudioControls* parent = new BaseAudioControls(nullptr);
    parent->SetVolume(0.5f);
    RefPtr<IAudioControls> child = RefPtr<IAudioControls>::Adopt(new BaseAudioControls(parent));
    parent->Release();
    EXPECT_FLOAT_EQ(child->GetVolume(), 0.5f);
}
} // namespace
