#include "Framework/RandomNumberGenerator.h"

#include "RandomStream.h"

RandomNumberGenerator<float>::RandomNumberGenerator(float min, float max)
    : mMin(std::make_shared<ConstNumberGenerator<float>>(min)), mMax(std::make_shared<ConstNumberGenerator<float>>(max))
{
}

float RandomNumberGenerator<float>::Generate()
{
    const float hi = mMax->Generate();
    const float lo = mMin->Generate();
    Corvane::IRandomNumberStream* stream = Corvane::GetRandomStream(2);
    const float r = stream ? stream->NextFloat() : 0.0f;
    return lo + r * (hi - lo);
}

std::shared_ptr<NumberGenerator<float>> RandomNumberGenerator<float>::Clone() const
{
    return std::make_shared<RandomNumberGenerator<float>>(mMin, mMax);
}
