// The loading screen's splash sequence with 0 to 3 pictures: each picture fades in over the one
// before, the logo sound plays once when the second has faded in, the background goes when the
// last picture's stay is over, and the sequence ends when that picture has faded out.
#include "Framework/ResourceManager.h"
#include "Game/Loading/LoadingScreen.h"
#include "SceneGraph/StaticSpriteNode.h"

using namespace Corvane;

namespace
{
// Splash times of 5 ticks' stay and 5 ticks' fade.
constexpr float kVisible = 0.1f;
constexpr float kFade = 0.1f;

struct SplashRun
{
    // Pictures in the order they became fully visible.
    std::vector<IImage*> shown;
    int logoPlays = 0;
    // Whether the second picture was fully visible when the logo sound started.
    bool logoAfterSecondFadedIn = false;
    int backgroundHiddenTick = -1;
    // Whether a picture still showed when the background went.
    bool pictureOverBackgroundWhenHidden = false;
    int finishedTick = -1;
};

class SplashSequenceTest : public LoadingScreenTest, public testing::WithParamInterface<int>
{
protected:
    // Runs the sequence of the given number of pictures tick by tick, the worker held meanwhile.
    SplashRun Play(int pictures)
    {
        WriteLoading(kVisible, kFade, pictures);
        auto* mode = new MyLoadingMode;
        mode->AddTask(gate.Step(), 1);
        Enter(mode);
        auto* first = Node<StaticSpriteNode>("Splash1");
        auto* second = Node<StaticSpriteNode>("Splash2");
        auto* background = Node<SceneNode>("splashBG");
        EXPECT_TRUE(first && second && background);
        if (!first || !second || !background)
            return {};

        SplashRun run;
        IImage* secondPicture = ResourceManager::Get<IImage>("Splash2").Get();
        for (int tick = 1; tick <= 200 && run.finishedTick < 0; ++tick)
        {
            const std::size_t channels = audio.channels.size();
            scene.Update();
            for (StaticSpriteNode* node : {first, second})
                if (node->GetColor().alpha == 1.0f && node->GetImage() &&
                    (run.shown.empty() || run.shown.back() != node->GetImage()))
                    run.shown.push_back(node->GetImage());
            if (audio.channels.size() > channels)
            {
                run.logoPlays += static_cast<int>(audio.channels.size() - channels);
                run.logoAfterSecondFadedIn = !run.shown.empty() && run.shown.back() == secondPicture;
            }
            if (run.backgroundHiddenTick < 0 && !background->IsVisible())
            {
                run.backgroundHiddenTick = tick;
                run.pictureOverBackgroundWhenHidden = (first->GetImage() && first->GetColor().alpha > 0.0f) ||
                                                      (second->GetImage() && second->GetColor().alpha > 0.0f);
            }
            if (mode->IsSplashFinished())
                run.finishedTick = tick;
        }
        gate.open = true;
        return run;
    }
};
} // namespace

TEST_P(SplashSequenceTest, PicturesFadeInTurnAndTheLogoSoundsOnceAfterTheSecond)
{
    const int pictures = GetParam();
    const SplashRun run = Play(pictures);

    std::vector<IImage*> expected;
    for (int i = 1; i <= pictures; ++i)
        expected.push_back(ResourceManager::Get<IImage>(Label::Format("Splash%d", i)).Get());
    EXPECT_EQ(run.shown, expected);

    EXPECT_EQ(run.logoPlays, pictures >= 2 ? 1 : 0);
    EXPECT_EQ(run.logoAfterSecondFadedIn, pictures >= 2);

    // Each picture fades in and stays; the last then fades out: (n + 1) fades and n stays, plus a
    // tick for each step that takes its whole update (the sound, the cue point). The tick that
    // entered the screen ran the first update.
    const int ticks = (pictures + 1) * 5 + pictures * 5;
    EXPECT_GE(run.finishedTick + 1, ticks);
    EXPECT_LE(run.finishedTick + 1, ticks + 3);

    ASSERT_GT(run.backgroundHiddenTick, 0);
    EXPECT_LT(run.backgroundHiddenTick, run.finishedTick);
    EXPECT_EQ(run.pictureOverBackgroundWhenHidden, pictures > 0)
        << "the last picture fades out over the loading screen, not over nothing";
}

INSTANTIATE_TEST_SUITE_P(Loading, SplashSequenceTest, testing::Values(0, 1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "Pictures";
                         });
