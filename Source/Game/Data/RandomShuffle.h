// The game's random index pick.
#pragma once

// A uniform whole number from 0 to n, both included, drawn from the current random stream; 0 when
// there is no stream yet.
int RandomShuffleFunctor(int n);
