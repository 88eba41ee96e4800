// A rectangle {x, y, width, height}; right and bottom (x + width, y + height) are exclusive.
#pragma once

#include <algorithm>
#include <type_traits>

namespace Corvane
{
template <typename T> struct Rect
{
    T x = T();
    T y = T();
    T width = T();
    T height = T();

    constexpr Rect() = default;
    constexpr Rect(T x_, T y_, T width_, T height_) : x(x_), y(y_), width(width_), height(height_) {}

    constexpr T Right() const { return x + width; }
    constexpr T Bottom() const { return y + height; }

    // Overlap of a and b; a negative width or height becomes 0.
    static constexpr Rect Intersect(const Rect& a, const Rect& b)
    {
        const T left = std::max(a.x, b.x);
        const T top = std::max(a.y, b.y);
        const T right = std::min(a.Right(), b.Right());
        const T bottom = std::min(a.Bottom(), b.Bottom());
        return {left, top, std::max(right - left, T()), std::max(bottom - top, T())};
    }

    // Empty when width or height is below 1 (int) or not above 0 (float).
    constexpr bool IsEmpty() const
    {
        if constexpr (std::is_integral_v<T>)
            return width < 1 || height < 1;
        else
            return width <= 0 || height <= 0;
    }

    constexpr bool Contains(T px, T py) const { return px >= x && py >= y && px < Right() && py < Bottom(); }

    // Both corners of other lie inside (so an empty other is never contained).
    constexpr bool ContainsRect(const Rect& other) const
    {
        return !other.IsEmpty() && Contains(other.x, other.y) &&
               Contains(other.x + other.width - 1, other.y + other.height - 1);
    }

    // Each field truncated toward zero.
    template <typename U> static constexpr Rect FromRect(const Rect<U>& r)
    {
        return {static_cast<T>(r.x), static_cast<T>(r.y), static_cast<T>(r.width), static_cast<T>(r.height)};
    }
    static constexpr Rect FromRectF(const Rect<float>& r) { return FromRect(r); }

    constexpr bool operator==(const Rect& o) const = default;
};

using RectF = Rect<float>;
using RectI = Rect<int>;

inline constexpr RectF IntersectRects(const RectF& a, const RectF& b)
{
    return RectF::Intersect(a, b);
}
} // namespace Corvane
