// Makes the judges' table reachable: the level flow's hook that makes it (the outro's way on).
#pragma once

void RegisterJudgingScreens();
