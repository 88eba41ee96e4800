#include "Game/Menus/TitleMode.h"

#include "Debug.h"

void TitleMode::OnEnter()
{
    SceneApplicationMode::OnEnter();
    InstantiateLayout(Corvane::Label("TitleModeLayout"));
    // Start-up checks and timings watch for this line.
    Corvane::DebugPrint("TitleMode: the title screen is up\n");
}
