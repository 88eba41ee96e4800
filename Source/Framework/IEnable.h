// Whether a widget takes input; a disabled widget is passed over by the object database's routing.
#pragma once

namespace Corvane
{
class IEnable
{
public:
    virtual bool IsEnabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual ~IEnable() = default;
};
} // namespace Corvane
