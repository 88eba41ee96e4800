// Told by the account manager around every change of the current profile, in registration order.
// Main thread.
#pragma once

namespace Corvane
{
class IAccountChangeHandler
{
public:
    virtual ~IAccountChangeHandler() = default;
    // The current account is about to change (told only when one is current).
    virtual void OnAccountChanging() = 0;
    // The current account has changed (told only when one is current now).
    virtual void OnAccountChanged() = 0;
};
} // namespace Corvane
