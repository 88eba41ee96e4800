// The player's cook in the kitchen. For now it stands where the playfield put it and can be made
// to think (while the next-recipe popup is open). One object of the level screen's database,
// named "PlayerAvatar".
//
// Still to come with the avatar piece: its node tree and animations, walking between the
// stations and working at them.
#pragma once

#include "Framework/Object.h"
#include "Graphics/Vector2.h"

class PlayerAvatar : public Corvane::Object
{
public:
    explicit PlayerAvatar(const Corvane::Vector2<float>& worldPosition) : mWorldPosition(worldPosition) {}

    Corvane::Label GetName() const override;
    static Corvane::Label Name();

    bool IsThinking() const { return mThinking; }
    void SetThinking(bool thinking) { mThinking = thinking; }
    // The avatar stands in the right half of the 800-unit-wide screen (world x above 400).
    bool IsOnRightSide() const { return mWorldPosition.x > 400.0f; }

private:
    Corvane::Vector2<float> mWorldPosition;
    bool mThinking = false;
};
