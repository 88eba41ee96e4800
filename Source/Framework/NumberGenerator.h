// Produces the numbers a task uses: a fixed value, or a random one (RandomNumberGenerator.h).
// Held by shared pointer, so one generator may serve several tasks and their clones.
#pragma once

#include <memory>

template <typename T> class NumberGenerator
{
public:
    virtual ~NumberGenerator() = default;
    virtual T Generate() = 0;
    virtual std::shared_ptr<NumberGenerator<T>> Clone() const = 0;
};

template <typename T> class ConstNumberGenerator : public NumberGenerator<T>
{
public:
    explicit ConstNumberGenerator(T value) : mValue(value) {}

    T Generate() override { return mValue; }
    std::shared_ptr<NumberGenerator<T>> Clone() const override
    {
        return std::make_shared<ConstNumberGenerator<T>>(mValue);
    }

private:
    T mValue;
};
