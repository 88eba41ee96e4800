#include "ErrorStatus.h"

namespace Corvane
{
IErrorStatus::IErrorStatus() : mLock(CreateMutex()) {}

IErrorStatus::~IErrorStatus() = default;

int IErrorStatus::GetError()
{
    ScopedLock lock(*mLock);
    return mCode;
}

void IErrorStatus::ClearError()
{
    ScopedLock lock(*mLock);
    mCode = 0;
}

void IErrorStatus::SetError(int code)
{
    ScopedLock lock(*mLock);
    mCode = code;
}
} // namespace Corvane
