#include "Framework/AccountStream.h"

#include "Base64.h"
#include "Framework/Account.h"
#include "Framework/AccountFile.h"
#include "TextConversion.h"

namespace Corvane
{
namespace
{
std::wstring StreamName(const std::string& key)
{
    std::wstring wide;
    Narrow::ToWide(wide, key.c_str());
    return L"Account Value " + wide;
}
} // namespace

AccountStream::AccountStream(const Account* account, const std::string& key)
    : MemoryStream(StreamName(key)), mTarget(nullptr), mKey(key)
{
    if (account)
    {
        Base64Decode(Account::ReadString(account, key, L""), *this);
        Seek(kFromStart, 0);
    }
    mWritable = false;
}

AccountStream::AccountStream(Account* account, const std::string& key, Mode mode)
    : AccountStream(mode == kRead ? account : nullptr, key)
{
    if (mode == kReplace)
    {
        mTarget = account;
        mWritable = true;
    }
}

AccountStream::~AccountStream()
{
    Close();
}

bool AccountStream::Close()
{
    if (mClosed)
        return mStored;
    mClosed = true;
    if (mWritable)
    {
        std::wstring key;
        Narrow::ToWide(key, mKey.c_str());
        Seek(kFromStart, 0);
        mStored = mTarget && mTarget->Store({key, Internal::RecordEditKind::kMoveToEnd, Base64Encode(*this)});
    }
    return mStored;
}

unsigned AccountStream::GetCapabilities()
{
    const unsigned all = MemoryStream::GetCapabilities();
    return mWritable ? all : all & ~static_cast<unsigned>(kCanWrite);
}

unsigned AccountStream::Write(const void* buffer, unsigned count)
{
    return mWritable && !mClosed ? MemoryStream::Write(buffer, count) : 0;
}
} // namespace Corvane
