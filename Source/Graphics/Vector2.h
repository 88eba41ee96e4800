// A point or size {x, y}, for T = float and int.
#pragma once

namespace Corvane
{
template <typename T> struct Vector2
{
    T x = T();
    T y = T();

    constexpr Vector2() = default;
    constexpr Vector2(T x_, T y_) : x(x_), y(y_) {}

    constexpr Vector2 operator+(const Vector2& o) const { return {x + o.x, y + o.y}; }
    constexpr Vector2 operator-(const Vector2& o) const { return {x - o.x, y - o.y}; }
    constexpr Vector2 operator*(T s) const { return {x * s, y * s}; }
    constexpr Vector2& operator+=(const Vector2& o)
    {
        x += o.x;
        y += o.y;
        return *this;
    }
    constexpr Vector2& operator-=(const Vector2& o)
    {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    constexpr bool operator==(const Vector2& o) const = default;
};

using Vector2f = Vector2<float>;
using Vector2i = Vector2<int>;
} // namespace Corvane
