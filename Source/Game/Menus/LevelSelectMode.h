// The challenge select: the episodes three at a time as episode frames, each with its number,
// title and thumbnail, a radio button per playable challenge (every cleared one, in its rating's
// look, and exactly the next uncompleted one in play order) and buttons replaying the episode's
// intro and outro cutscenes. Choosing a challenge makes it the level progress's current level;
// "PlayButton" starts it. A row of contestant figures stands along the bottom: each episode's
// contestant has left once a challenge of that episode is completed, and the contestant of an
// episode just won blinks out when the screen opens.
//
// Frames are built from "EpisodeFrameLayout" under the three attach points of
// "LevelSelectModeLayout"; paging rebuilds them (the old ones are removed from the screen and
// deleted after the next update). Episode numbers without a descriptor get no frame, so data with
// fewer than three episodes shows empty places. Main thread only.
#pragma once

#include "Game/Menus/MenuMode.h"

namespace Corvane
{
class ApplicationMode;
}

class LevelSelectMode : public MenuMode
{
public:
    // The screen shows one figure per episode number from 1 to this.
    static constexpr int kFigureCount = 15;

    // eliminatedEpisode: the episode whose last challenge was just won (its contestant is animated
    // out), or -1.
    explicit LevelSelectMode(int eliminatedEpisode) : mEliminatedEpisode(eliminatedEpisode) {}

    // The focused control first, then the others (not the scene routing).
    bool OnKeyDown(int key) override;
    void OnEnter() override;
    // The main-menu music, kept playing when it is on already.
    void OnGainFocus() override;
    bool IsOpaque() override { return false; }

    // The episode number shown in the first frame.
    int GetPage() const { return mPage; }
    int GetEliminatedEpisode() const { return mEliminatedEpisode; }

protected:
    bool AcceptsMessage(Corvane::Label message) const override;
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    // Clamps the page, rebuilds the frames and the highlights.
    void ShowPage();
    void BuildFrames();
    // Frame k (0 to 2) showing the episode numbered episode, when there is such an episode.
    void BuildFrame(int k, int episode, Corvane::Label current, Corvane::Label firstUncompleted);
    // Each frame's highlight: whether the current level is one of its episode's challenges.
    void UpdateHighlights();
    // The figure of the episode blinks for 3.2 s and then stays hidden.
    void AnimateElimination(int episode);
    // The contestant figure of an episode number; null outside the figure table.
    SceneNode* Figure(int episode) const;

    int mPage = 1;
    int mEliminatedEpisode;
};

// Hands the level flow (LevelFlowHooks.h) the challenge select, which enables the main menu's
// Play button and lets a finished episode come back to it. The application's Start calls it.
void RegisterChallengeSelect();
