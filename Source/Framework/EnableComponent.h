// The enable flag of controls. The object database offers input only to objects that are enabled
// (or have no flag); a control that must react to the change overrides SetEnabled.
#pragma once

#include "Framework/IEnable.h"

namespace Corvane
{
class EnableComponent : public IEnable
{
public:
    bool IsEnabled() const override { return mEnabled; }
    // Stores the flag and does nothing else.
    void SetEnabled(bool enabled) override { mEnabled = enabled; }

private:
    bool mEnabled = true;
};
} // namespace Corvane
