#include "BoostRandomNumberStream.h"

#include <boost/random/uniform_01.hpp>

BoostRandomNumberStream::BoostRandomNumberStream(unsigned seed)
    : mGenerator(seed), mIntegers(0, 2147483647), mSeed(seed)
{
}

void BoostRandomNumberStream::Reseed(unsigned seed)
{
    mGenerator.seed(seed);
    mIntegers.reset();
    mSeed = seed;
}

int BoostRandomNumberStream::NextInt()
{
    return mIntegers(mGenerator);
}

float BoostRandomNumberStream::NextFloat()
{
    // The conversion to float can round up to 1.0; such draws are taken again.
    boost::random::uniform_01<float> unit;
    float value;
    do
        value = unit(mGenerator);
    while (value < 0.0f || value >= 1.0f);
    return value;
}
