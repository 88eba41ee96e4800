// The network platform: opens HTTP GET requests as read-only streams. The platform's set-up
// creates the one network platform, which stores itself engine-wide; the singleton teardown
// deletes it. Read from the download workers, so the engine-wide pointer is atomic.
#pragma once

#include <atomic>

namespace Corvane
{
class IStream;

class INetworkPlatform
{
public:
    // Clears the engine-wide pointer when it still points here.
    virtual ~INetworkPlatform()
    {
        INetworkPlatform* self = this;
        sInstance.compare_exchange_strong(self, nullptr);
    }
    // A stream on the response to a GET of url, owned by the caller; null when no request could be
    // made. The stream is also an IErrorStatus: -2 when the server answered with a status other
    // than 200 or the body could not be read whole. Its size is the announced length
    // (0xFFFFFFFF when none); it reports its end once the body has ended cleanly.
    virtual IStream* OpenHTTPStream(const wchar_t* url) = 0;
    // The same with an 8-bit URL in the system's code page; null when it converts to nothing.
    virtual IStream* OpenHTTPStream(const char* url) = 0;

    static INetworkPlatform* GetInstance() { return sInstance.load(); }

protected:
    INetworkPlatform() { sInstance = this; }

private:
    static inline std::atomic<INetworkPlatform*> sInstance{nullptr};
};

// A stream whose reads may wait on the network: another thread can cut them short (cancelling a
// download). The read waiting, and every later one, then fails.
class IInterruptible
{
public:
    virtual void Interrupt() = 0;

protected:
    ~IInterruptible() = default;
};
} // namespace Corvane
