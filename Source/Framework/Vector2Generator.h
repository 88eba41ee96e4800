// Produces the points a task uses, from one number generator per axis. The clone is deep: it
// holds clones of both axis generators.
#pragma once

#include "Framework/NumberGenerator.h"
#include "Graphics/Vector2.h"

template <typename T> class Vector2Generator
{
public:
    virtual ~Vector2Generator() = default;
    virtual Corvane::Vector2<T> Generate() = 0;
    virtual std::shared_ptr<Vector2Generator<T>> Clone() const = 0;
};

template <typename T> class Vector2ToVector2Generator : public Vector2Generator<T>
{
public:
    Vector2ToVector2Generator(std::shared_ptr<NumberGenerator<T>> x, std::shared_ptr<NumberGenerator<T>> y)
        : mX(std::move(x)), mY(std::move(y))
    {
    }

    // y is drawn first, then x.
    Corvane::Vector2<T> Generate() override
    {
        const T y = mY->Generate();
        const T x = mX->Generate();
        return {x, y};
    }
    std::shared_ptr<Vector2Generator<T>> Clone() const override
    {
        return std::make_shared<Vector2ToVector2Generator<T>>(mX->Clone(), mY->Clone());
    }

private:
    std::shared_ptr<NumberGenerator<T>> mX;
    std::shared_ptr<NumberGenerator<T>> mY;
};
