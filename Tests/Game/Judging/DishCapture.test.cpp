// Golden captures of the dish pictures through the program's software renderer: the plate of the
// level screen at 0.6 with the first dish's ingredients in (the plate's area of the dish panel), and the
// judges' table with the large dish in the comment panel's window after its slide-in.
//
// To renew them (Support/GoldenFrame.h), run with CORVANE_WRITE_GOLDEN=1 and review the pictures
// written into Tests/Data/Judging (named apart from every picture of the game: the folder is the
// tests' data overlay, where the game looks for pictures by file name).
#include "Framework/CommandLine.h"
#include "Game/Data/LevelProgressManager.h"
#include "Game/Judging/JudgingMode.h"
#include "Game/Kitchen/KitchenTest.h"
#include "Platform/Compat/DirectDraw/PresentedFrame.h"
#include "Support/GoldenFrame.h"

#include <algorithm>

using namespace Corvane;

namespace
{
struct SoftwareRendering
{
    SoftwareRendering() : previous(GetCommandLine()) { SetCommandLine(previous + L" -software"); }
    ~SoftwareRendering() { SetCommandLine(previous); }
    std::wstring previous;
};

Compat::PresentedFrame Crop(const Compat::PresentedFrame& frame, int x, int y, int width, int height)
{
    Compat::PresentedFrame part;
    part.width = width;
    part.height = height;
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            part.pixels.push_back(frame.pixels[static_cast<std::size_t>(row * frame.width + column)]);
    return part;
}

class DishCapture : public KitchenTest
{
protected:
    DishCapture() : KitchenTest(Testing::KitchenRig::Options{3, CORVANE_TEST_DATA "/Judging"}) {}

    SoftwareRendering software;
};
} // namespace

TEST_F(DishCapture, ThePlateOnTheLevelScreenShowsTheDishAtSixTenths)
{
    game = rig.StartLevel(0);
    ASSERT_NE(game, nullptr);
    ClosePopup();
    // The tomato soup's two ingredients, as its steps put them in.
    game->AddDishIngredient(Label("Tomato"), 4);
    game->AddDishIngredient(Label("Basil"), 1);
    rig.Step(10);
    Compat::ForgetPresentedFrames();
    rig.DrawNow();
    ASSERT_GT(Compat::CountPresentedFrames(), 0);
    const Compat::PresentedFrame& frame = Compat::GetLastPresentedFrame();
    ASSERT_GE(frame.width, 800);
    // The plate's place on the dish card, with a margin for the dish drawn past it.
    SceneNode* plate = rig.FindNode("GameScreenRoot/UI_attach/dishDisplay/plate");
    ASSERT_NE(plate, nullptr);
    const Vector2<float> at = plate->GetWorldPosition();
    const int left = std::max(0, static_cast<int>(at.x) - 43);
    const int top = std::max(0, static_cast<int>(at.y) - 14);
    Testing::CompareWithGolden(Crop(frame, left, top, 210, 90), CORVANE_TEST_DATA "/Judging/InGameDishCapture.png");
}

TEST_F(DishCapture, TheJudgesTableShowsTheLargeDishInItsWindow)
{
    game = rig.StartLevel(0);
    ASSERT_NE(game, nullptr);
    LevelProgressManager* progress = LevelProgressManager::Instance();
    const Label soup("Recipe_TomatoSoup");
    // No perfect step: the verdict (three stars, whose remark list has one line) follows the
    // slide-in by itself, so the picture holds no random remark.
    progress->RecordStepResult(soup, {false, Label("Tomato"), 4, 200});
    progress->RecordStepResult(soup, {false, Label("Basil"), 1, 160});
    progress->RecordCompletedDish(soup);
    JudgingMode::ShowAfterLevel(600);
    rig.Step();
    auto* judge = rig.TopAs<JudgingMode>();
    ASSERT_NE(judge, nullptr);
    ASSERT_GE(rig.StepUntil([&] { return judge->IsWaitingForNext(); }), 0);
    // The judged total has counted up (half a second) before the picture is taken.
    rig.Step(30);
    rig.Step(10);
    Compat::ForgetPresentedFrames();
    rig.DrawNow();
    ASSERT_GT(Compat::CountPresentedFrames(), 0);
    Testing::CompareWithGolden(Compat::GetLastPresentedFrame(), CORVANE_TEST_DATA "/Judging/JudgingScreenCapture.png");
}
