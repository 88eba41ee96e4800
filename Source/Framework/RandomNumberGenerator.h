// A random float between two bounds that are themselves generators: lo + r × (hi − lo), r a
// uniform float in [0, 1) from random stream 2. The bounds are drawn first (max, then min), then
// one number from the stream. Clones share the bound generators.
#pragma once

#include "Framework/NumberGenerator.h"

template <typename T> class RandomNumberGenerator;

template <> class RandomNumberGenerator<float> : public NumberGenerator<float>
{
public:
    RandomNumberGenerator(float min, float max);
    RandomNumberGenerator(std::shared_ptr<NumberGenerator<float>> min, std::shared_ptr<NumberGenerator<float>> max)
        : mMin(std::move(min)), mMax(std::move(max))
    {
    }

    // Without random stream 2, r is 0 and the value is min's.
    float Generate() override;
    std::shared_ptr<NumberGenerator<float>> Clone() const override;

private:
    std::shared_ptr<NumberGenerator<float>> mMin;
    std::shared_ptr<NumberGenerator<float>> mMax;
};
