#include "Game/Data/RandomShuffle.h"

#include "RandomStream.h"

int RandomShuffleFunctor(int n)
{
    Corvane::IRandomNumberStream* stream = Corvane::GetCurrentRandomStream();
    return stream ? RandomInt(*stream, 0, n) : 0;
}
