// Numbered random streams. Streams 0, 1 and 2 exist for the whole run: stream 2 makes unique file
// names, gameplay draws from the current stream, the top of a stack that starts with stream 0. A
// caller that needs a reproducible sequence pushes its own seeded stream and pops it afterwards.
//
// Streams take no locks: gameplay draws on the main thread; the file system draws from stream 2
// under its own lock.
#pragma once

namespace Corvane
{
class IRandomNumberStream
{
public:
    // The seed the stream was created with.
    virtual unsigned GetSeed() const = 0;
    // Uniform over 0 to 2,147,483,647.
    virtual int NextInt() = 0;
    // Uniform over [0, 1); never 1.
    virtual float NextFloat() = 0;
    virtual ~IRandomNumberStream() = default;
};

// Creates streams 0, 1 and 2, each seeded with the calendar time in seconds, and makes stream 0
// the only entry of the current-stream stack. Streams made by an earlier call are deleted first.
void CreateRandomStreams();
// Deletes streams 0, 1 and 2 and empties the current-stream stack.
void DeleteRandomStreams();
// The stream filed under n, or null.
IRandomNumberStream* GetRandomStream(int n);
// Restarts stream n from seed, so that what draws from it repeats from run to run (tests, replays
// of effects). False when there is no such stream.
bool SeedRandomStream(int n, unsigned seed);

// Makes stream (not owned; it must outlive its time on the stack) the current one.
void PushRandomStream(IRandomNumberStream* stream);
// Returns to the stream that was current before the last push. The bottom entry stays, so an
// unbalanced pop cannot leave the game without a current stream.
void PopRandomStream();
// The top of the stack, or null before CreateRandomStreams.
IRandomNumberStream* GetCurrentRandomStream();
} // namespace Corvane

// Uniform over lo to hi inclusive: lo + the whole part of NextFloat () × (hi − lo + 1), computed
// in 64 bits so that wide ranges neither overflow nor round up to hi + 1. An empty range
// (hi < lo) gives lo.
int RandomInt(Corvane::IRandomNumberStream& stream, int lo, int hi);
