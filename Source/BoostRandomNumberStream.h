// The engine's random stream: a 32-bit Mersenne Twister (MT19937) behind IRandomNumberStream.
#pragma once

#include "RandomStream.h"

#include <boost/random/mersenne_twister.hpp>
#include <boost/random/uniform_int_distribution.hpp>

class BoostRandomNumberStream : public Corvane::IRandomNumberStream
{
public:
    explicit BoostRandomNumberStream(unsigned seed);

    unsigned GetSeed() const override { return mSeed; }
    int NextInt() override;
    float NextFloat() override;
    // Starts the sequence again from seed, as a new stream of that seed would.
    void Reseed(unsigned seed);

private:
    boost::random::mt19937 mGenerator;
    boost::random::uniform_int_distribution<int> mIntegers;
    unsigned mSeed;
};
