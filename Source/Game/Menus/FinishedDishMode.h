// The finished-dish popup, pushed by the level screen when a dish is done, with that screen and
// the dish's plate type. For now a screen without content that keeps its two values; popping it
// lets the level go on.
//
// Still to come with the finished-dish popup piece: the dish's picture, name and stars, and its
// way out.
#pragma once

#include "SceneGraph/SceneApplicationMode.h"

class FinishedDishMode : public SceneApplicationMode
{
public:
    FinishedDishMode(Corvane::ApplicationMode* levelScreen, int plateType)
        : mLevelScreen(levelScreen), mPlateType(plateType)
    {
    }

    Corvane::ApplicationMode* GetLevelScreen() const { return mLevelScreen; }
    int GetPlateType() const { return mPlateType; }

private:
    Corvane::ApplicationMode* mLevelScreen;
    int mPlateType;
};
