// Hands the level flow (LevelFlowHooks.h) the story screens it opens: the episode's cutscenes and
// the level intro. The application's Start calls it, so that starting a level plays them in the
// shipped program.
#pragma once

void RegisterStoryScreens();
