// The play bot: plays the game's levels as a player does, by mouse on the kitchen rig's real loop
// (KitchenRig.h). A level is started as the challenge select starts it, the episode's cutscene and
// the level intro clicked through; after the level the outro's button leads to the judges' table,
// whose Next is clicked for every dish until the verdict. In the kitchen each move is what an
// attentive player would do next: a tip's bubble read page by page with its More button, a
// finished dish's card watched until it leaves by itself, the dish's popup closed once its click
// guard is over, the next dish sent when the list can take it, each waiting step served from the
// pantry bin whose ingredient best carries the flavours the step asks for (press on the bin, move,
// press on the step's request display), and the idle cook sent to work a cooking step (a press on
// its station's display or stove). One seed plays one game.
//
//   KitchenRig rig(options);
//   PlayBot bot(rig);
//   const PlayBot::Outcome outcome = bot.PlayLevel(index, true);   // or false: only the popups
//   EXPECT_TRUE(outcome.cleared);
//
// Main thread; the rig must outlive the bot.
#pragma once

#include "Label.h"

#include <string>
#include <vector>

class GameMode;
class LevelOutroMode;
class RecipeStep;

namespace Corvane::Testing
{
class KitchenRig;

class PlayBot
{
public:
    // What one level came to.
    struct Outcome
    {
        std::string level;
        // The level ended (the outro came) within the updates allowed.
        bool ended = false;
        // The score of the dishes, the whole seconds left, and the two with the time bonus: the
        // level's score as the game records it.
        int score = 0;
        int timeLeft = 0;
        int total = 0;
        // The level's record: cleared at or above its win score; and the judges' verdict (0 lost,
        // 1 won, 2 expert, -1 none).
        bool cleared = false;
        int verdict = -1;
        int winScore = 0;
        int expertScore = 0;
        // Updates from the level screen's start to the outro.
        int updates = 0;
    };

    explicit PlayBot(KitchenRig& rig);

    // Starts the level at index of the level order, plays it to its outro (serve false: only the
    // popups are closed, nothing is cooked) and on through the judges' table to its verdict.
    // Fails the test when the level does not end within limit updates.
    Outcome PlayLevel(int index, bool serve, int limit = 30000);
    // Plays the level whose screen is on top (started by the game's own flow: the challenge
    // select's Play, the judges' Ok) as PlayLevel does.
    Outcome PlayStartedLevel(bool serve, int limit = 30000);
    // Starts the level at index as the challenge select does and clicks through the cutscene and
    // the level intro to the level screen; null (test failed) when none came.
    GameMode* StartLevel(int index);
    // From the screens a level's start puts over its level screen (the episode's cutscene, the
    // level intro, a tip) to the level screen on top, clicking each as a player does; null (test
    // failed) when they never closed.
    GameMode* EnterTheKitchen();
    // From the outro on top: its button, then Next for every dish at the judges' table until the
    // verdict (0 lost, 1 won, 2 expert); -1 (test failed) when the table never decided.
    int GoToTheJudges();
    // Updates the bot's hand takes between the presses of one move (and between the press and the
    // release of a button) as a player's does; 0, the default, makes each move at once. A bubble
    // that comes up meanwhile takes the second press: the move then fails the test.
    void SetHandTime(int updates) { mHandTime = updates; }
    // Where the bot presses to send the cook to a cooking step: its card (the default) or, true,
    // the station's stove above it. Either press must send the cook there or, when he stands there
    // already, put him to work.
    void SetPressStoves(bool stoves) { mPressStoves = stoves; }
    // The updates from the press that closes a tip's bubble or a dish's card to the hand's next
    // press, taken in turn (none, the default: the bot looks first and moves when it is due). The
    // hand does not wait to see what comes up meanwhile: it makes the kitchen move it would make,
    // or, with nothing to do, picks an ingredient up and puts it back; the press must take effect.
    void SetPressesAfterClose(std::vector<int> updates) { mAfterClose = std::move(updates); }
    // The closes that the hand's next press followed so, and those after which a dish's finished
    // card or the level's end came over the kitchen before the press was due (the hand held).
    int GetPressesAfterClose() const { return mPressesAfterClose; }
    int GetClosesOvertaken() const { return mClosesOvertaken; }
    // The presses that sent the cook walking to a station, and those that put him to work where
    // he stood.
    int GetCookWalks() const { return mCookWalks; }
    int GetCookWorksAtOnce() const { return mCookWorksAtOnce; }
    // The level screen being played (set by PlayLevel, or by the test that started it).
    void SetGame(GameMode* game) { mGame = game; }
    GameMode* GetGame() const { return mGame; }

    // Plays until the outro comes (or limit updates); serve false only closes the popups.
    const LevelOutroMode* PlayToTheOutro(bool serve, int limit);
    // One move of the player, if one is due; false when there was nothing to do.
    bool Move();
    // Waits out the dish popup's click guard and closes it with a click on its bubble.
    void ClosePopup();
    // Turns the page of the tip's bubble on top with its More button (the last page closes it).
    void ReadTip();

    // The level's recipe steps, in the level screen's order.
    std::vector<RecipeStep*> AllSteps() const;
    // The cook works a step now.
    bool IsCookBusy() const;

private:
    // The kitchen's moves, each pressed by mouse and checked to have taken effect; false when it
    // had nothing to do.
    bool SendSteps();
    bool ServeWaitingStep();
    bool SendCookToWork();
    // Picks the first shown bin's ingredient up and puts it back with a press on the floor.
    void LookAtAnIngredient();
    // After a close: the next press at its time (SetPressesAfterClose).
    void PressAfterClose();
    // The level screen's object of that name.
    template <typename T> T* Find(Corvane::Label name) const;

    KitchenRig& mRig;
    GameMode* mGame = nullptr;
    int mHandTime = 0;
    bool mPressStoves = false;
    int mCookWalks = 0;
    int mCookWorksAtOnce = 0;
    std::vector<int> mAfterClose;
    int mPressesAfterClose = 0;
    int mClosesOvertaken = 0;
};
} // namespace Corvane::Testing
