// A lock-guarded error code carried by objects that work on other threads (load jobs, file
// transfers, HTTP streams). Negative codes are errors; 0 is fine.
#pragma once

#include "Threading.h"

#include <memory>

namespace Corvane
{
class IErrorStatus
{
public:
    virtual bool HasError() { return GetError() < 0; }
    virtual int GetError();
    virtual void ClearError();
    virtual void SetError(int code);

protected:
    IErrorStatus();
    // Deleted with the object that carries it, never through this base.
    ~IErrorStatus();
    IErrorStatus(const IErrorStatus&) = delete;
    IErrorStatus& operator=(const IErrorStatus&) = delete;

private:
    std::unique_ptr<IMutex> mLock;
    int mCode = 0;
};
} // namespace Corvane
