// The title screen: the game's screen after loading. For now it shows the "TitleModeLayout" scene
// of the "TitleMainMenuMode" group.
#pragma once

#include "SceneGraph/SceneApplicationMode.h"

class TitleMode : public SceneApplicationMode
{
public:
    void OnEnter() override;
};
