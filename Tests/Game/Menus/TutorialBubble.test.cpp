#include "Game/Menus/TutorialMode.h"

#include "Framework/ValueResources.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/TutorialManager.h"
#include "Platform/Compat/DirectDraw/DisplayMachine.h"
#include "SceneGraph/BackgroundNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "Support/GoldenCapture.h"
#include "Support/SceneHarness.h"
#include "Support/TestFontFactory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace Corvane;
namespace Paths = ScreenPaths::Tutorial;

namespace
{
const std::filesystem::path kData = CORVANE_DATA_OUTPUT;

// The tips' texts of these tests; a test font 20 pixels high stands for "Font_Medium".
const char kTexts[] = R"(
  <string name="Tutorial.Welcome.1" value="One line."/>
  <string name="Tutorial.Timer.1" value="First&#10;second&#10;third"/>
  <string name="Tutorial.ChainingIntro.1" value="Page one."/>
  <string name="Tutorial.ChainingIntro.2" value="Page two&#10;is the&#10;tallest&#10;page"/>
  <string name="Tutorial.ChainingIntro.3" value="Page three."/>
  <string name="Tutorial.Flavor.1" value="Only page."/>
  <string name="Tutorial.Flavor.3" value="Never reached."/>
)";

// The game's bubble layout and pictures from the data folder the build makes, over a plain
// screen that stands for the kitchen. Skipped when the data folder is not built.
class TutorialBubbleTest : public ::testing::Test
{
protected:
    // hardware: the loop draws through the hardware renderer on an 800 by 600 window of a typical
    // PC (the machine running the tests may have no 3D device).
    explicit TutorialBubbleTest(bool hardware = false) : display(hardware ? TypicalHardwareScreen() : nullptr) {}
    ~TutorialBubbleTest() override
    {
        if (display)
            Compat::StandInForThisMachine(Compat::DescribeThisMachine());
    }
    static std::unique_ptr<Testing::HardwareScreen> TypicalHardwareScreen()
    {
        Compat::StandInForThisMachine(Compat::DefaultDisplayMachine());
        return std::make_unique<Testing::HardwareScreen>(800, 600);
    }

    void SetUp() override
    {
        if (!std::filesystem::exists(kData / "Manifests" / "TutorialMode.xml"))
            GTEST_SKIP() << "the data folder is not built";
        RegisterValueResourceFactories();
        scene.Manager().RegisterFactory(L"testfont", new Testing::TestFontFactory);
        const std::filesystem::path folder = scene.Folder().Path();
        std::filesystem::create_directories(folder / "Art");
        std::filesystem::copy(kData / "Art" / "Tutorial", folder / "Art" / "Tutorial",
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(kData / "Manifests" / "TutorialMode.xml", folder / "TutorialMode.xml");
        scene.Load(R"(<testfont name="Font_Medium" lineHeight="20" widthBase="7"/>)");
        scene.Manager().LoadAndWait(L"TutorialMode", true, nullptr);
        scene.WriteManifest("LocalizedText", kTexts);
        LocalizedText::Load();
    }

    // The bubble for tip at the point, pushed and entered.
    TutorialMode* Open(int tip, Vector2<float> at)
    {
        PushApplicationMode(new TutorialMode(tip, at));
        scene.Update();
        return Bubble();
    }
    TutorialMode* Bubble() const { return dynamic_cast<TutorialMode*>(scene.looper.GetTopMode()); }
    template <typename T = SceneNode> T* Node(const NodePath& path) const
    {
        return Bubble() ? Bubble()->GetRootNode()->FindByPathAs<T>(path) : nullptr;
    }
    std::wstring Text() const { return Node<StyledTextSpriteNode>(Paths::kText)->GetText(); }
    bool MoreShown() const { return Node(Paths::kMoreButton)->IsVisible(); }
    // A click as the player makes it: on More, or on the bubble's paper away from text and button.
    void ClickMore()
    {
        const Vector2<float> middle = Node(Paths::kMoreButton)->GetWorldCenter();
        scene.Click(int(middle.x), int(middle.y));
        scene.Update();
    }
    void ClickBubble()
    {
        const Vector2<float> corner = Node(Paths::kBubble)->GetWorldPosition();
        scene.Click(int(corner.x) + 6, int(corner.y) + 6);
        scene.Update();
    }
    // The visible tails, by node name.
    std::vector<std::string> ShownTails() const
    {
        std::vector<std::string> shown;
        for (const NodePath& tail : Paths::kTails)
            if (SceneNode* node = Node(tail); node && node->IsVisible())
                shown.push_back(node->GetNodeName().c_str());
        return shown;
    }

    // The renderer outlives the screens' textures.
    std::unique_ptr<Testing::HardwareScreen> display;
    Testing::SceneHarness scene;
};

TEST_F(TutorialBubbleTest, PagesTurnUntilTheFirstMissingTextAndTheLastClickCloses)
{
    struct Case
    {
        int tip;
        std::vector<std::wstring> pages;
        bool byButton; // turn pages with More while it shows
    };
    const Case cases[] = {
        {kTipWelcome, {L"One line."}, true},
        {kTipFlavor, {L"Only page."}, true},
        {kTipChainingIntro, {L"Page one.", L"Page two\nis the\ntallest\npage", L"Page three."}, true},
        {kTipChainingIntro, {L"Page one.", L"Page two\nis the\ntallest\npage", L"Page three."}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.tip);
        ASSERT_NE(Open(c.tip, {-1, -1}), nullptr);
        for (std::size_t page = 0; page < c.pages.size(); ++page)
        {
            ASSERT_NE(Bubble(), nullptr) << "closed before page " << page + 1;
            EXPECT_EQ(Text(), c.pages[page]);
            const bool last = page + 1 == c.pages.size();
            EXPECT_EQ(MoreShown(), !last);
            if (c.byButton && !last)
                ClickMore();
            else
                ClickBubble();
        }
        EXPECT_EQ(Bubble(), nullptr);
    }
}

TEST_F(TutorialBubbleTest, ATipWithoutTextClosesAtOnce)
{
    for (const int tip : {int(kTipPantry), 33, -1})
    {
        SCOPED_TRACE(tip);
        Open(tip, {300, 300});
        scene.Update();
        EXPECT_EQ(Bubble(), nullptr);
        EXPECT_EQ(scene.looper.GetModeStack().size(), 1u);
    }
}

TEST_F(TutorialBubbleTest, TheBubbleIsAsTallAsItsTallestPageAndNeverBelow85)
{
    // Requested height max(85, lines x 20 + 46), then grown so that the 16-pixel middle pieces fit
    // whole between the 16-pixel top and bottom rows.
    const std::pair<int, float> cases[] = {
        {kTipWelcome, 96.0f},       // 66 -> 85 -> 96
        {kTipTimer, 112.0f},        // 106 -> 112
        {kTipChainingIntro, 128.0f} // page 2: 126 -> 128
    };
    for (const auto& [tip, height] : cases)
    {
        SCOPED_TRACE(tip);
        Open(tip, {-1, -1});
        EXPECT_EQ(Node(Paths::kBubble)->GetHeight(), height);
        EXPECT_EQ(Node(Paths::kBubble)->GetWidth(), 320.0f);
        PopApplicationMode();
        scene.Update();
    }
}

TEST_F(TutorialBubbleTest, TheBubbleSitsBesideThePointWithItsTailTowardsIt)
{
    // Tip 0 makes a bubble of 320 by 96: half sizes 160 and 48, plus the 42 pixels of the tail.
    struct Case
    {
        Vector2<float> point;
        Vector2<float> centre;
        const char* tail;
        std::optional<Vector2<float>> tailAt; // for the up and down tails
    };
    const Case cases[] = {
        {{-1, -1}, {400, 300}, nullptr, {}},
        {{0, 250}, {400, 300}, nullptr, {}},
        {{250, 0}, {400, 300}, nullptr, {}},
        {{100, 100}, {240, 190}, "tail_up", Vector2<float>{20, 2}},
        {{199, 100}, {339, 190}, "tail_up", Vector2<float>{20, 2}},
        {{200, 100}, {200, 190}, "tail_up", Vector2<float>{160, 2}},
        {{600, 100}, {600, 190}, "tail_up", Vector2<float>{160, 2}},
        {{601, 100}, {461, 190}, "tail_up", Vector2<float>{300, 2}},
        {{300, 199}, {300, 289}, "tail_up", Vector2<float>{160, 2}},
        {{300, 200}, {502, 200}, "tail_left", {}},
        {{399, 300}, {601, 300}, "tail_left", {}},
        {{400, 300}, {198, 300}, "tail_right", {}},
        {{500, 300}, {298, 300}, "tail_right", {}},
        {{300, 400}, {502, 400}, "tail_left", {}},
        {{300, 401}, {300, 311}, "tail_down", Vector2<float>{160, -5}},
        {{700, 500}, {560, 410}, "tail_down", Vector2<float>{300, -5}},
        {{150, 550}, {290, 460}, "tail_down", Vector2<float>{20, -5}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        ASSERT_NE(Open(kTipWelcome, c.point), nullptr);
        EXPECT_EQ(Node(Paths::kBubble)->GetParent()->GetPosition(), c.centre);
        EXPECT_EQ(ShownTails(), c.tail ? std::vector<std::string>{c.tail} : std::vector<std::string>{});
        if (c.tail)
        {
            SceneNode* tail = Bubble()->GetRootNode()->FindByPath(PathOf({"TutorialBubble", "bubbleBG", c.tail}));
            if (c.tailAt)
            {
                EXPECT_EQ(tail->GetPosition(), *c.tailAt);
            }
            // The layout's tail reaches the point (within its outline).
            scene.Update();
            const Vector2<float> at = tail->GetWorldPosition();
            const Rect<float> reach{at.x, at.y, tail->GetWidth(), tail->GetHeight()};
            EXPECT_GE(c.point.x, reach.x - 3);
            EXPECT_LE(c.point.x, reach.x + reach.width + 3);
            EXPECT_GE(c.point.y, reach.y - 3);
            EXPECT_LE(c.point.y, reach.y + reach.height + 3);
        }
        PopApplicationMode();
        scene.Update();
    }
}

// A popup that keeps the screen's default underlay, as the game's menus do.
class DimmingPopup : public SceneApplicationMode
{
public:
    bool IsOpaque() override { return false; }
};

class TutorialBubbleDrawingTest : public TutorialBubbleTest
{
protected:
    TutorialBubbleDrawingTest() : TutorialBubbleTest(true) {}

    // The point's colour, made opaque; channels compared within 2.
    PackedColor Pixel(int x, int y)
    {
        const Compat::PresentedFrame& frame = display->Present(scene);
        return frame.pixels[std::size_t(y) * frame.width + x] | 0xFF000000u;
    }
    static bool Near(PackedColor a, PackedColor b)
    {
        for (const int shift : {0, 8, 16})
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2)
                return false;
        return true;
    }

    static constexpr PackedColor kKitchen = 0xFF3C8C5A;
    static constexpr PackedColor kHalfKitchen = 0xFF1E462D;
    static constexpr PackedColor kPaper = 0xFFFFFAF0; // the bubble's "flour"
};

// On the hardware renderer a popup dims what lies below it; the bubble leaves the kitchen as it is.
TEST_F(TutorialBubbleDrawingTest, APopupDimsTheKitchenAndTheBubbleDoesNot)
{
    scene.AddSolidImage("Kitchen", 800, 600, kKitchen);
    scene.Show(R"(<staticspritenode src="Kitchen"/>)");
    EXPECT_PRED2(Near, Pixel(20, 20), kKitchen);

    PushApplicationMode(new DimmingPopup);
    scene.Update();
    EXPECT_PRED2(Near, Pixel(20, 20), kHalfKitchen);
    PopApplicationMode();

    ASSERT_NE(Open(kTipWelcome, {-1, -1}), nullptr);
    EXPECT_PRED2(Near, Pixel(20, 20), kKitchen);
    const Vector2<float> paper = Node(Paths::kBubble)->GetWorldPosition();
    EXPECT_PRED2(Near, Pixel(int(paper.x) + 24, int(paper.y) + 8), kPaper);
}
} // namespace
