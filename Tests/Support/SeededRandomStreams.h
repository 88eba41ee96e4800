// Random streams 0, 1 and 2 for a test, stream 2 restarted from a fixed seed so that what draws
// from it (particle emission, unique file names) repeats from run to run. Streams that existed
// before stay and are only reseeded; streams made here are deleted at the end.
#pragma once

#include "RandomStream.h"

namespace Corvane::Testing
{
class SeededRandomStreams
{
public:
    explicit SeededRandomStreams(unsigned seed) : mOwned(GetRandomStream(2) == nullptr)
    {
        if (mOwned)
            CreateRandomStreams();
        SeedRandomStream(2, seed);
    }
    ~SeededRandomStreams()
    {
        if (mOwned)
            DeleteRandomStreams();
    }
    SeededRandomStreams(const SeededRandomStreams&) = delete;
    SeededRandomStreams& operator=(const SeededRandomStreams&) = delete;

private:
    bool mOwned;
};
} // namespace Corvane::Testing
