#include "RandomStream.h"
#include "BoostRandomNumberStream.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace Corvane;

namespace
{
// Hands out a fixed float, to probe the arithmetic of RandomInt at its edges.
class FixedStream : public IRandomNumberStream
{
public:
    explicit FixedStream(float value) : mValue(value) {}
    unsigned GetSeed() const override { return 0; }
    int NextInt() override { return 0; }
    float NextFloat() override { return mValue; }

private:
    float mValue;
};
} // namespace

TEST(RandomStream, StreamsZeroToTwoExistAndTheCurrentOneCanBeSwapped)
{
    CreateRandomStreams();
    IRandomNumberStream* zero = GetRandomStream(0);
    ASSERT_NE(zero, nullptr);
    ASSERT_NE(GetRandomStream(1), nullptr);
    ASSERT_NE(GetRandomStream(2), nullptr);
    EXPECT_EQ(GetRandomStream(3), nullptr);
    EXPECT_EQ(GetCurrentRandomStream(), zero);

    BoostRandomNumberStream seeded(1234);
    PushRandomStream(&seeded);
    EXPECT_EQ(GetCurrentRandomStream(), &seeded);
    PopRandomStream();
    EXPECT_EQ(GetCurrentRandomStream(), zero);
    PopRandomStream();
    EXPECT_EQ(GetCurrentRandomStream(), zero) << "the bottom stream stays";

    // A seeded stream restarts in place and repeats a fresh stream of that seed.
    IRandomNumberStream* two = GetRandomStream(2);
    two->NextFloat();
    ASSERT_TRUE(SeedRandomStream(2, 77));
    EXPECT_EQ(GetRandomStream(2), two);
    EXPECT_EQ(two->GetSeed(), 77u);
    BoostRandomNumberStream twin(77);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(two->NextFloat(), twin.NextFloat());
    EXPECT_EQ(two->NextInt(), twin.NextInt());
    EXPECT_FALSE(SeedRandomStream(3, 77));

    CreateRandomStreams(); // again: the old streams go (AddressSanitizer would report them)
    DeleteRandomStreams();
    EXPECT_EQ(GetRandomStream(0), nullptr);
    EXPECT_EQ(GetCurrentRandomStream(), nullptr);
}

TEST(RandomStream, ASeedGivesAReproducibleSequence)
{
    BoostRandomNumberStream a(42), b(42), c(43);
    EXPECT_EQ(a.GetSeed(), 42u);
    bool differs = false;
    for (int i = 0; i < 100; ++i)
    {
        const int x = a.NextInt();
        EXPECT_EQ(x, b.NextInt());
        EXPECT_GE(x, 0);
        differs = differs || x != c.NextInt();
        const float f = a.NextFloat();
        EXPECT_EQ(f, b.NextFloat());
        c.NextFloat();
        EXPECT_GE(f, 0.0f);
        EXPECT_LT(f, 1.0f);
    }
    EXPECT_TRUE(differs) << "another seed, another sequence";
}

TEST(RandomStream, RandomIntStaysInsideItsRange)
{
    BoostRandomNumberStream stream(7);
    std::vector<int> seen(6, 0);
    for (int i = 0; i < 6000; ++i)
    {
        EXPECT_EQ(RandomInt(stream, 0, 0), 0);
        const int v = RandomInt(stream, 1, 6);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 6);
        ++seen[v - 1];
    }
    for (int count : seen)
        EXPECT_GT(count, 800) << "roughly uniform";

    // The largest float below 1 over the widest ranges: a float product would round up to hi + 1.
    FixedStream top(0.99999994f);
    EXPECT_EQ(RandomInt(top, INT_MIN, INT_MAX), INT_MAX - 255);
    EXPECT_EQ(RandomInt(top, 0, INT_MAX), INT_MAX - 127);
    EXPECT_EQ(RandomInt(top, -5, 5), 5);
    FixedStream bottom(0.0f);
    EXPECT_EQ(RandomInt(bottom, INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(RandomInt(top, 3, 2), 3) << "an empty range gives lo";
}
