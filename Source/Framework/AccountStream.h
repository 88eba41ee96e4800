// A raw account value as a stream: a memory stream named "Account Value <key>" bound to one
// account and key. Reading starts from the Base64-decoded value; a replacing stream starts empty
// and stores its whole content, Base64-encoded, as the key's value when it is closed. Main thread.
#pragma once

#include "MemoryStream.h"

#include <string>

namespace Corvane
{
class Account;

class AccountStream : public MemoryStream
{
public:
    enum Mode
    {
        // Holds the value; writes are refused and nothing is ever stored.
        kRead,
        // Starts empty; Close stores the content, the key's record moved to the end of the file.
        kReplace,
    };

    // A reading stream.
    AccountStream(const Account* account, const std::string& key);
    AccountStream(Account* account, const std::string& key, Mode mode);
    // Closes.
    ~AccountStream() override;
    AccountStream(const AccountStream&) = delete;
    AccountStream& operator=(const AccountStream&) = delete;

    // A replacing stream stores its content; true when stored (always for a reading stream); a
    // content not stored is kept with the account (Account.h). Only the first call acts.
    bool Close();

    unsigned GetCapabilities() override;
    unsigned Write(const void* buffer, unsigned count) override;

private:
    // The account a replacing stream stores to; null for a reading one.
    Account* mTarget;
    std::string mKey;
    // A replacing stream; also a reading one until its constructor has filled it, so that it can.
    bool mWritable = true;
    bool mClosed = false;
    bool mStored = true;
};
} // namespace Corvane
