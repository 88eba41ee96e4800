#include "Framework/RandomNumberGenerator.h"
#include "BoostRandomNumberStream.h"
#include "Framework/Vector2Generator.h"
#include "RandomStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// A generator that records when it is asked, into a shared trace.
class TracingGenerator : public NumberGenerator<float>
{
public:
    TracingGenerator(std::vector<char>& trace, char tag, float value) : mTrace(trace), mTag(tag), mValue(value) {}
    float Generate() override
    {
        mTrace.push_back(mTag);
        return mValue;
    }
    std::shared_ptr<NumberGenerator<float>> Clone() const override
    {
        return std::make_shared<TracingGenerator>(mTrace, static_cast<char>(mTag + 1), mValue);
    }

private:
    std::vector<char>& mTrace;
    char mTag;
    float mValue;
};

// Counts the floats it hands out.
class CountingStream : public Corvane::IRandomNumberStream
{
public:
    unsigned GetSeed() const override { return 0; }
    int NextInt() override { return 0; }
    float NextFloat() override
    {
        ++draws;
        return 0.5f;
    }
    int draws = 0;
};

class RandomGenerators : public testing::Test
{
protected:
    void SetUp() override { Corvane::CreateRandomStreams(); }
    void TearDown() override { Corvane::DeleteRandomStreams(); }
};
} // namespace

TEST_F(RandomGenerators, RandomValuesStayBetweenTheBounds)
{
    RandomNumberGenerator<float> fixed(3.0f, 3.0f);
    RandomNumberGenerator<float> reversed(5.0f, 1.0f);
    for (int i = 0; i < 1000; ++i)
    {
        EXPECT_EQ(fixed.Generate(), 3.0f);
        const float v = reversed.Generate();
        EXPECT_GT(v, 1.0f);
        EXPECT_LE(v, 5.0f);
    }
}

TEST_F(RandomGenerators, BoundsAreDrawnFirstMaxThenMinAndClonesShareThem)
{
    std::vector<char> trace;
    auto min = std::make_shared<TracingGenerator>(trace, 'a', 0.0f);
    auto max = std::make_shared<TracingGenerator>(trace, 'x', 10.0f);
    RandomNumberGenerator<float> random(min, max);
    auto copy = random.Clone();
    random.Generate();
    copy->Generate();
    EXPECT_EQ(trace, (std::vector<char>{'x', 'a', 'x', 'a'})) << "the clone asks the very same bounds";
}

TEST_F(RandomGenerators, EachValueTakesOneDrawFromStreamTwo)
{
    // A twin seeded like stream 2 predicts every value, so each value took exactly one draw.
    BoostRandomNumberStream twin(Corvane::GetRandomStream(2)->GetSeed());
    CountingStream current;
    Corvane::PushRandomStream(&current);
    RandomNumberGenerator<float> random(2.0f, 4.0f);
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(random.Generate(), 2.0f + twin.NextFloat() * 2.0f);
    EXPECT_EQ(current.draws, 0) << "the current stream is not the one drawn from";
    Corvane::PopRandomStream();

    Corvane::DeleteRandomStreams();
    EXPECT_EQ(random.Generate(), 2.0f) << "without stream 2 the value is min's";
}

TEST(Vector2Generator, DrawsYThenXAndClonesDeeply)
{
    std::vector<char> trace;
    Vector2ToVector2Generator<float> point(std::make_shared<TracingGenerator>(trace, 'x', 1.0f),
                                           std::make_shared<TracingGenerator>(trace, 'y', 2.0f));
    EXPECT_EQ(point.Generate(), (Corvane::Vector2<float>{1.0f, 2.0f}));
    auto copy = point.Clone();
    copy->Generate();
    EXPECT_EQ(trace, (std::vector<char>{'y', 'x', 'z', 'y'})) << "the clone holds clones (tags advanced)";

    ConstNumberGenerator<int> seven(7);
    EXPECT_EQ(seven.Clone()->Generate(), 7);
}
