// The level's power-ups: how many charges of each of the six kinds the player holds (0 Skills,
// 1 HilightAtt, 2 HilightCombo, 3 Shuffle_M, 4 Shuffle_F, 5 Shuffle_V, in the order of a level's
// "PowerUpSettings"). One object of the level screen's database, named "POWERUP_MANAGER".
//
// Still to come with the power-up piece: using a charge and its effects (the progress boost, the
// bin highlights, the pantry shuffles).
#pragma once

#include "Framework/Object.h"

#include <array>

class PowerUpManager : public Corvane::Object
{
public:
    static constexpr int kKinds = 6;

    Corvane::Label GetName() const override;

    // One more charge of the kind; a kind outside 0..5 adds nothing.
    void AddCharge(int kind);
    // The charges of the kind; 0 outside 0..5.
    int GetCount(int kind) const;
    // The cooking speed factor: 1 while no progress boost runs.
    float GetProgressMultiplier() const { return 1.0f; }

private:
    std::array<int, kKinds> mCounts{};
};

// The current database's power-up manager, created and registered there on first use; null when
// there is no current database.
PowerUpManager* GetPowerUpManager();
