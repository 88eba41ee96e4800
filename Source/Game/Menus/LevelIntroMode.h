// The level intro, pushed over a new level screen: a fixed row of cards advanced by "NextButton".
//   0 title card: "DC" (with "FIRST" or "SECOND") for an episode's quick challenges, "EC" for its
//     elimination and for a level of no episode; a press on it advances too, and so does the
//     "AutoSkipTimer" after "IntroCardSkipTimer" seconds (every advance ends that timer, so only
//     the title card advances by itself);
//   1 the host's lines, one per advance;
//   2 the player's flavour thought with up to four ingredient pictures ("None" or no flavour goes
//     straight on to the combo card);
//   3 the combo thought: each combo's ingredients in its row of pictures;
//   4 the ready line; the next advance pops the intro.
// Hovering an ingredient picture shows its name in a popup after "PopupDelayTime"; leaving it
// first means it never shows. The cards come from the record "<level ID>_LevelIntro"; a level
// without one has no host lines, flavour or combos: its title card is followed by an empty combo
// card, then the ready card. The kitchen stays visible below (not opaque); the intro music plays while on top.
// Main thread only.
#pragma once

#include "Game/Menus/MenuMode.h"

#include <deque>

struct LevelIntroData;
class StaticSpriteNode;

class LevelIntroMode : public MenuMode
{
public:
    enum Card
    {
        kTitleCard,
        kHostLineCard,
        kFlavorCard,
        kComboCard,
        kReadyCard,
        kClose,
    };

    LevelIntroMode() = default;

    void OnEnter() override;
    // Music state 4, kept playing when it is on already.
    void OnGainFocus() override;
    bool IsOpaque() override { return false; }

    // Ends the title card's timer and shows the card the index names.
    void AdvanceCard();

    // The card the next advance shows.
    int GetCardIndex() const { return mCardIndex; }
    // Null when the level has no intro record.
    const LevelIntroData* GetIntroRecord() const { return mRecord; }
    std::size_t GetPendingLineCount() const { return mPendingLines.size(); }

protected:
    void OnControl(Corvane::Label message, Corvane::Label sender) override;

private:
    void ShowTitleCard();
    void ShowHostLine();
    void ShowFlavorCard();
    void ShowComboCard();
    void ShowReadyCard();
    void FillComboRow(Corvane::Label combo, const NodePath& row);
    // The picture shows the ingredient's image, takes the pointer and opens the info popup; false
    // (and nothing changed) when there is no "<ingredient>_Image".
    bool ShowIngredient(StaticSpriteNode& picture, Corvane::Label ingredient);
    SceneNode* PopupRoot() const;
    void OnIngredientEnter(SceneNode& picture, Corvane::Label ingredient);
    void OnIngredientLeave();
    void PlaceIngredientPopup(Corvane::Label ingredient, float x, float y);

    int mCardIndex = kTitleCard;
    const LevelIntroData* mRecord = nullptr;
    std::deque<Corvane::Label> mPendingLines;
};
