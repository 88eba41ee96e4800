// Whether a widget shows; an invisible widget is passed over by the object database's routing.
#pragma once

namespace Corvane
{
class IVisible
{
public:
    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual ~IVisible() = default;
};
} // namespace Corvane
