// The pause menu, pushed over the level screen by Escape or its pause button. For now a screen
// without content: the level below stands still while it is on top, and popping it resumes the
// level.
//
// Still to come with the pause menu piece: its popup, its slide and its buttons.
#pragma once

#include "SceneGraph/SceneApplicationMode.h"

class InGameMenuMode : public SceneApplicationMode
{
};
