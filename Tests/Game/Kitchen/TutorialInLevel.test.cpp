// A new player's first level on the game's own data: the tips come up one bubble at a time while
// the clock stands, each is read to its end with clicks, and the profile remembers them, so that
// the next play of the level shows none of them again. And the first two levels played as a
// player's hand plays them: each tip comes up when what it says is true, points at what it names,
// and never under a hand that is still clicking.
#include "KitchenTest.h"

#include "Framework/Account.h"
#include "Framework/AccountManager.h"
#include "Game/Data/KitchenLevelData.h"
#include "Game/Data/LevelRecord.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/CookingStation.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Kitchen/PlayerAvatar.h"
#include "Game/Kitchen/ScoreManager.h"
#include "Game/Menus/LevelOutroMode.h"
#include "Game/Menus/TutorialManager.h"
#include "Game/Menus/TutorialMode.h"
#include "Graphics/IImage.h"
#include "SceneGraph/SceneNode.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "Support/PlayBot.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <typeinfo>
#include <vector>

using namespace Corvane;
using namespace Corvane::Testing;
namespace Paths = KitchenPaths;

namespace
{
const std::string kMore = "TutorialBubble/bubbleBG/MoreButton";
const std::string kBubble = "TutorialBubble/bubbleBG";

// Every shown node of tree under point, each by its names and those of the nodes above it
// ("a/b/c"), topmost last; layers as large as the screen and the floating feedback are passed over.
std::vector<std::string> NodesAt(SceneNode& tree, const Vector2<float>& point)
{
    std::vector<std::string> found;
    const std::function<void(SceneNode&, const std::string&)> walk = [&](SceneNode& node, const std::string& path) {
        if (!node.IsVisible() || node.GetNodeName() == Label("FX_Layer"))
            return;
        const char* name = node.GetNodeName() ? node.GetNodeName().c_str() : node.GetName().c_str();
        // Node names are labels, spelt as first met: compared in small letters.
        std::string here = path + "/" + (name ? name : "");
        std::transform(here.begin(), here.end(), here.begin(), [](char c) { return std::tolower(c); });
        const Vector2<float> at = node.GetWorldPosition();
        const bool layer = node.GetWidth() >= 800.0f && node.GetHeight() >= 600.0f;
        if (!layer && node.GetWidth() > 0.0f && node.GetHeight() > 0.0f && point.x >= at.x && point.y >= at.y &&
            point.x < at.x + node.GetWidth() && point.y < at.y + node.GetHeight())
            found.push_back(here);
        for (SceneNode* child : node.GetChildren())
            walk(*child, here);
    };
    walk(tree, "");
    return found;
}

// A tip as it came up: its number, the seconds of play before it, the kitchen then and the nodes
// under the point it points at.
struct ShownTip
{
    int tip;
    float second;
    std::string state;
    std::vector<std::string> pointsAt;
};

// The game's own levels, with a new player's profile.
class TutorialInLevel : public KitchenTest
{
protected:
    TutorialInLevel() : KitchenTest({1, "", false}) {}

    // Closes the next-dish popup once its click guard is over (a tip may stop the clock then).
    void CloseFirstPopup()
    {
        rig.Step(60);
        rig.Click(Paths::kPopupBG);
        ASSERT_FALSE(game->IsPaused()) << "the popup did not close";
    }
    // Plays seconds of the level, reading every bubble that comes up to its end (More while it
    // shows, then the bubble) and checking that the clock stands meanwhile; the tips shown, in order.
    std::vector<int> PlayReadingTips(int seconds)
    {
        std::vector<int> shown;
        const int end = rig.GetUpdateCount() + seconds * 50;
        while (rig.GetUpdateCount() < end && !game->HasEnded())
        {
            auto* bubble = rig.TopAs<TutorialMode>();
            if (!bubble)
            {
                rig.Step();
                continue;
            }
            shown.push_back(bubble->GetTip());
            const float time = game->GetTimeLeft();
            const std::wstring clock = Clock();
            for (int page = 0; rig.TopAs<TutorialMode>() == bubble && page < 10; ++page)
            {
                rig.Step(25);
                EXPECT_EQ(game->GetTimeLeft(), time) << "tip " << shown.back();
                EXPECT_EQ(Clock(), clock);
                SceneNode* more = rig.FindNode(kMore);
                rig.Click(more && more->IsVisible() ? kMore : kBubble);
                rig.Step();
            }
            EXPECT_NE(rig.TopAs<TutorialMode>(), bubble) << "tip " << shown.back() << " did not close";
        }
        return shown;
    }
    // What the kitchen is doing, in a few words: the dishes done, each station's step and the
    // chain.
    std::string State() const
    {
        static const char* const kStates[] = {"listed", "waiting", "cooking", "finishing", "done"};
        std::ostringstream state;
        int done = 0;
        for (ObjectID id : game->GetGroup(Recipe::Group()))
            done += dynamic_cast<Recipe*>(game->Get(id))->IsDone();
        state << "dishes done " << done << ", stations:";
        for (ObjectID id : game->GetGroup(CookingStation::Group()))
        {
            const auto* station = dynamic_cast<CookingStation*>(game->Get(id));
            const auto* step = dynamic_cast<RecipeStep*>(game->Get(station->GetStep()));
            state << " " << (step ? kStates[step->GetState()] : "free");
        }
        const auto* score = dynamic_cast<ScoreManager*>(game->FindByName(Label("SCORE_MANAGER")));
        state << ", chain " << (score ? score->GetComboCount() : 0);
        auto* list = dynamic_cast<RecipeList*>(game->FindByName(RecipeList::Name()));
        state << ", Cook next " << (list && list->CanSendFirstEntry() ? "on" : "off");
        return state.str();
    }
    // Whether what the tip says holds now.
    bool IsTrueNow(int tip) const
    {
        std::vector<RecipeStep*> steps;
        for (ObjectID id : game->GetGroup(RecipeStep::Group()))
            steps.push_back(dynamic_cast<RecipeStep*>(game->Get(id)));
        const auto any = [&](const std::function<bool(const RecipeStep&)>& holds) {
            return std::any_of(steps.begin(), steps.end(), [&](const RecipeStep* step) { return holds(*step); });
        };
        const auto served = [](const RecipeStep& step) { return step.GetState() >= RecipeStep::kCooking; };
        const auto finished = [](const RecipeStep& step) { return step.GetState() >= RecipeStep::kFinishing; };
        switch (tip)
        {
        case kTipProgressMeter:
            return any([](const RecipeStep& step) { return step.GetState() == RecipeStep::kCooking; });
        case kTipAddStep: return State().find("free") != std::string::npos;
        case kTipIngredientRequest:
        case kTipFlames:
        case kTipWorking: return any([](const RecipeStep& step) { return step.GetState() >= RecipeStep::kAtStation; });
        case kTipStepComplete:
        case kTipChainingIntro:
        case kTipChainingComplete: return any(finished);
        case kTipWrongAttribute:
            return any([&](const RecipeStep& step) {
                return served(step) && (!step.IsRequestMatched(0) || (step.GetRequest2() && !step.IsRequestMatched(1)));
            });
        case kTipMeatStep:
            return any([&](const RecipeStep& step) { return served(step) && step.GetCategory() == kCategoryMeat; });
        case kTipMeats:
        {
            // The bubble's screen is the current one: the pantry and its bins are the level screen's.
            const auto* pantry = dynamic_cast<IngredientPantry*>(game->FindByName(IngredientPantry::Name()));
            const std::vector<IngredientPantry::Place> places =
                pantry ? pantry->GetPlaces() : std::vector<IngredientPantry::Place>{};
            return std::any_of(places.begin(), places.end(), [&](const IngredientPantry::Place& place) {
                const auto* bin = dynamic_cast<IngredientBin*>(game->Get(place.bin));
                return bin && bin->GetIngredient()->GetCategory() == kCategoryMeat && bin->GetNode()->IsWorldVisible();
            });
        }
        default: return true;
        }
    }
    static std::vector<std::uint8_t> SavedTips()
    {
        std::vector<std::uint8_t> bytes(64);
        bytes.resize(Corvane::Account::ReadBinary(Corvane::AccountManager::Get()->GetCurrentAccount(), kTutorialDataKey,
                                                  bytes.data(), 64));
        return bytes;
    }
};

TEST_F(TutorialInLevel, ANewPlayerReadsTheFirstLevelsTipsOnceAndTheProfileKeepsThem)
{
    EXPECT_TRUE(SavedTips().empty()) << "a new profile has seen no tip";
    game = rig.StartLevel(0);
    ASSERT_NE(game, nullptr);
    CloseFirstPopup();
    const std::vector<int> shown = PlayReadingTips(20);

    // Tips 0 to 4 once each and in that order, among the others.
    std::vector<int> firstLevel;
    std::copy_if(shown.begin(), shown.end(), std::back_inserter(firstLevel), [](int tip) { return tip <= 4; });
    EXPECT_EQ(firstLevel, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(std::set<int>(shown.begin(), shown.end()).size(), shown.size()) << "no tip twice";
    EXPECT_LT(game->GetTimeLeft(), static_cast<float>(game->GetLevelData()->time)) << "the clock ran between tips";

    // The profile's file holds exactly the tips shown.
    std::vector<std::uint8_t> expected(kTutorialDataSize, 0);
    for (const int tip : shown)
        expected[tip] = 1;
    EXPECT_EQ(SavedTips(), expected);

    // The next play of the level shows none of them (the rig starts a level over another screen).
    rig.PopTop();
    game = rig.StartLevel(0);
    ASSERT_NE(game, nullptr);
    CloseFirstPopup();
    for (const int tip : PlayReadingTips(20))
        EXPECT_EQ(std::count(shown.begin(), shown.end(), tip), 0) << "tip " << tip << " came again";
    EXPECT_EQ(SavedTips().size(), kTutorialDataSize);
}
} // namespace

namespace
{
// What each tip points at: a node whose path holds these names (tips without a point are centred).
const std::map<int, std::string> kPointedAt = {
    {kTipTimer, "/timer"},
    {kTipRecipe, "/dishdisplay"},
    {kTipSteps, "/recipelist"},
    {kTipNextStep, "/nextstepbutton"},
    {kTipAddStep, "/nextstepbutton"},
    {kTipPantry, "/pantryroot"},
    {kTipFlavor, "/ingredientbin"},
    {kTipMeats, "/ingredientbin"},
    {kTipIngredientRequest, "/actionstep_attach"},
    {kTipFlames, "/flameattach"},
    {kTipProgressMeter, "/progmeter/meter"},
    {kTipWorking, "/cookingstation/stove"},
    {kTipStepComplete, "/cookingstation/stove"},
    {kTipChainingIntro, "/actionstep_attach"},
    {kTipChainingComplete, "/actionstep_attach"},
    {kTipClassicCombo, "/actionstep_attach"},
    {kTipFlavorSet, "/actionstep_attach"},
    {kTipTwoFlavors, "/actionstep_attach"},
    {kTipWrongAttribute, "/actionstep_attach"},
    {kTipWrongCategory, "/actionstep_attach"},
    {kTipMeatStep, "/actionstep_attach"},
    {kTipFlameBlinkIngredient, "/flameattach"},
    {kTipFlameBlinkWork, "/flameattach"},
    {kTipThreeStars, "/dishdisplay/meter"},
};

bool Overlap(const Rect<float>& a, const Rect<float>& b)
{
    return !Rect<float>::Intersect(a, b).IsEmpty();
}

// The shown tail of the tip's bubble on top, and where its picture ends: 2 inside the middle of
// its side that points away from the bubble.
std::pair<SceneNode*, Vector2<float>> TipTail(const KitchenRig& rig)
{
    static const char* const kTails[] = {"tail_up", "tail_down", "tail_left", "tail_right"};
    for (int kind = 0; kind < 4; ++kind)
        if (SceneNode* tail = rig.FindNode(kBubble + "/" + kTails[kind]); tail && tail->IsVisible())
        {
            const Rect<float> r = tail->GetBounds();
            const Vector2<float> ends[] = {{r.x + r.width / 2, r.y + 2},
                                           {r.x + r.width / 2, r.Bottom() - 2},
                                           {r.x + 2, r.y + r.height / 2},
                                           {r.Right() - 2, r.y + r.height / 2}};
            return {tail, ends[kind]};
        }
    return {nullptr, {}};
}

// A new player's first two levels played as a player's hand plays them, by mouse through the
// window: a quarter of a second between the presses of one move, the cook sent to work by a press
// on the station's stove, as the tip says, and the hand's next press 0.3 to 0.7 s after each
// press that closed a tip or a dish's card, whatever comes up meanwhile; every such press takes
// effect. Each tip comes up when what it says is true (the meat tip only while the pantry shows
// meat bins), points at what it names with its tail ending there (the clock's tip clear of its
// digits), and comes no sooner than a second after the last press, also the press that closed the
// bubble before it, so that no bubble comes up under a hand that is still clicking. Each dish's
// card points at the cook where he stands, clear of him, and the host's bubble at the level's end
// at the host, the bubble, its button and the host clear of the cook at every station.
TEST_F(TutorialInLevel, ANewPlayersFirstTwoLevelsBringEachTipWhenItIsTrueAndNeverUnderAClickingHand)
{
    constexpr int kQuietUpdates = 50; // a second
    constexpr float kTailSlack = 4.0f;
    PlayBot bot(rig);
    bot.SetHandTime(12);
    bot.SetPressStoves(true);
    bot.SetPressesAfterClose({15, 25, 35, 20, 30});
    std::map<int, std::vector<ShownTip>> shownOn;
    int level = -1;
    float levelTime = 0.0f;
    int bubblesShown = 0;
    std::set<ObjectID> cards;
    const auto cookFigure = [&] {
        const auto* cook = dynamic_cast<PlayerAvatar*>(game->FindByName(PlayerAvatar::Name()));
        return cook->GetNode()->FindByPath(ObjectPaths::PlayerAvatar::kAnimation)->GetBounds();
    };
    rig.WatchEachUpdate([&] {
        if (!game)
            return;
        if (const ObjectID card = game->GetPopup(); card != kNoObject && cards.insert(card).second)
        {
            // The tail's picture ends 4 in from its lower corner on the side it points to.
            SceneNode* tail = rig.FindNode("GameScreenRoot/FX_Layer/NextRecipePopup/attachBubble", game->GetRootNode());
            const Rect<float> r = tail->GetBounds();
            const Vector2<float> end{tail->GetDrawFlag4() ? r.x + 4 : r.Right() - 4, r.Bottom() - 4};
            EXPECT_TRUE(cookFigure().Contains(end.x, end.y))
                << "1-" << level + 1 << ": a dish's card points at (" << end.x << ", " << end.y << "), not at the cook";
            SceneNode* body = rig.FindNode("GameScreenRoot/FX_Layer/NextRecipePopup/BG", game->GetRootNode());
            EXPECT_FALSE(Overlap(body->GetBounds(), cookFigure()))
                << "1-" << level + 1 << ": a dish's card covers the cook";
        }
        const auto* bubble = rig.TopAs<TutorialMode>();
        std::vector<ShownTip>& shown = shownOn[level];
        if (!bubble || (!shown.empty() && shown.back().tip == bubble->GetTip()))
            return;
        ++bubblesShown;
        const Vector2<float> point = bubble->GetPoint();
        shown.push_back(
            {bubble->GetTip(), levelTime - game->GetTimeLeft(), State(),
             point.x > 0.0f && point.y > 0.0f ? NodesAt(*game->GetRootNode(), point) : std::vector<std::string>{}});
        const ShownTip& tip = shown.back();
        const int sincePress = rig.GetUpdateCount() - rig.GetLastPressUpdate();
        std::printf("1-%d %5.1f s  tip %2d \"%.40ls...\" %d updates after a press; %s; points at %s\n", level + 1,
                    tip.second, tip.tip, TutorialMode::GetPageText(tip.tip, 1).c_str(), sincePress, tip.state.c_str(),
                    tip.pointsAt.empty() ? "nothing (centred)" : tip.pointsAt.back().c_str());
        EXPECT_GE(sincePress, kQuietUpdates) << "tip " << tip.tip << " came up under a hand still clicking";
        EXPECT_TRUE(IsTrueNow(tip.tip)) << "tip " << tip.tip << " came up when it is not true: " << tip.state;
        if (const auto target = kPointedAt.find(tip.tip); target != kPointedAt.end())
        {
            EXPECT_TRUE(
                std::any_of(tip.pointsAt.begin(), tip.pointsAt.end(),
                            [&](const std::string& at) { return at.find(target->second) != std::string::npos; }))
                << "tip " << tip.tip << " does not point at " << target->second;
            const auto [tail, end] = TipTail(rig);
            ASSERT_NE(tail, nullptr) << "tip " << tip.tip << " shows no tail";
            EXPECT_LE(std::hypot(end.x - point.x, end.y - point.y), kTailSlack)
                << "tip " << tip.tip << "'s tail ends at (" << end.x << ", " << end.y << ")";
            const std::string timer = "GameScreenRoot/UI_attach/timer/";
            if (tip.tip == kTipTimer)
                for (const char* digits : {"Text_Min", "Text_Sec"})
                    EXPECT_FALSE(
                        Overlap(tail->GetBounds(), rig.FindNode(timer + digits, game->GetRootNode())->GetBounds()))
                        << "the clock tip's tail covers " << digits;
        }
    });
    for (level = 0; level < 2; ++level)
    {
        game = bot.StartLevel(level);
        ASSERT_NE(game, nullptr);
        levelTime = game->GetTimeLeft();
        for (int updates = 0; !rig.TopAs<LevelOutroMode>() && updates < 20000; ++updates)
        {
            bot.Move();
            rig.Step();
        }
        ASSERT_NE(rig.TopAs<LevelOutroMode>(), nullptr) << "1-" << level + 1 << " never ended";
        // The host has come in and speaks: her bubble's tail (its picture ends 4 in from its lower
        // right corner) ends on her; her bubble, its button and she leave the cook in sight wherever
        // he may stand.
        SceneNode* said = rig.FindNode("LevelOutro/bubbleBG");
        ASSERT_GE(rig.StepUntil([&] { return said->IsVisible(); }, 100), 0);
        SceneNode* tailNode = rig.FindNode("LevelOutro/bubbleBG/bubbleTail");
        ASSERT_NE(tailNode, nullptr) << "the host's bubble has no tail";
        const Rect<float> tail = tailNode->GetBounds();
        const Vector2<float> end{tail.Right() - 4, tail.Bottom() - 4};
        auto* host = dynamic_cast<StaticSpriteNode*>(rig.FindNode("LevelOutro/outroVeyla"));
        const Vector2<float> in{end.x - host->GetWorldPosition().x, end.y - host->GetWorldPosition().y};
        EXPECT_TRUE(host->GetBounds().Contains(end.x, end.y) &&
                    host->GetImage()->GetPixel(static_cast<int>(in.x), static_cast<int>(in.y)) >> 24 != 0)
            << "the host's bubble ends at (" << end.x << ", " << end.y << "), off the host";
        const Vector2<float> at = said->GetWorldPosition();
        const Rect<float> outro[] = {{at.x, at.y, said->GetWidth(), said->GetHeight()},
                                     rig.FindNode("LevelOutro/JudgesTableButton")->GetBounds(),
                                     host->GetBounds()};
        // The cook's figure where he would stand at each of the kitchen's four stations (his node
        // takes the station's x); a level uses one to four of them.
        const Rect<float> figure = cookFigure();
        const auto* cook = dynamic_cast<PlayerAvatar*>(game->FindByName(PlayerAvatar::Name()));
        for (const std::string station : {"1", "2", "3", "4"})
        {
            SceneNode* place = rig.FindNode("GameScreenRoot/Playfield_attach/FennikPlayfield/CookingStation_" + station,
                                            game->GetRootNode());
            const float x = figure.x + place->GetWorldPosition().x - cook->GetNode()->GetWorldPosition().x;
            for (const Rect<float>& shown : outro)
                EXPECT_FALSE(Overlap({x, figure.y, figure.width, figure.height}, shown))
                    << "the outro covers the cook at station " << station;
        }
        game = nullptr;
        EXPECT_GE(bot.GoToTheJudges(), 0);
    }
    rig.WatchEachUpdate({});
    EXPECT_GT(bot.GetCookWalks(), 0) << "no press on a stove sent the cook walking";
    EXPECT_GT(bot.GetCookWorksAtOnce(), 0) << "no press on a stove put the cook to work where he stood";
    EXPECT_EQ(bot.GetPressesAfterClose() + bot.GetClosesOvertaken(), bubblesShown + static_cast<int>(cards.size()))
        << "a press followed every close of a tip and of a dish's card";
    EXPECT_LE(bot.GetClosesOvertaken(), 2) << "the dishes' ends took the hand's moment too often to tell";

    const std::vector<ShownTip>& first = shownOn[0];
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front().tip, kTipNewRecipe) << "the first dish's card is the first thing a player closes";
    EXPECT_NE(first.front().state.find("dishes done 0"), std::string::npos) << "the first tip comes before any dish";
    EXPECT_EQ(TutorialMode::GetPageText(first.front().tip, 1).find(L"plated"), std::wstring::npos)
        << "the first tip, before any dish is done, speaks of a plated dish";
    std::vector<int> firstLevel;
    for (const ShownTip& tip : first)
        if (tip.tip <= kTipNextStep)
            firstLevel.push_back(tip.tip);
    EXPECT_EQ(firstLevel, (std::vector<int>{0, 1, 2, 3, 4}));
    // 1-2 serves a dish with meat: its tip comes there, and only there.
    const auto meatTips = [&](int on) {
        return std::count_if(shownOn[on].begin(), shownOn[on].end(),
                             [](const ShownTip& tip) { return tip.tip == kTipMeats; });
    };
    EXPECT_EQ(meatTips(0), 0);
    EXPECT_EQ(meatTips(1), 1);
}
} // namespace
