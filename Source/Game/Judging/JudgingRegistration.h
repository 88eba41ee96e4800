// Makes the judges' table reachable: the level flow's judging hook (the outro's way on).
#pragma once

void RegisterJudgingScreens();
