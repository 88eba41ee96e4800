// The network platform: opens HTTP GET requests as read-only streams. The platform's set-up
// creates the one network platform, which stores itself engine-wide; the singleton teardown
// deletes it. Read from the download workers, so the engine-wide pointer is atomic.
#pragma once

#include <atomic>
#include <functional>

namespace Corvane
{
class IStream;
class IInterruptible;

// Bounds of one request, and the way to cut it short before it has become a stream.
struct HTTPRequestOptions
{
    // The whole request, from connecting to the body's end, may take this long (0: no limit).
    unsigned deadlineMilliseconds = 0;
    // Fewer than lowSpeedBytes a second for lowSpeedMilliseconds ends the request (0: only the
    // platform's own stall limit).
    unsigned lowSpeedBytes = 0;
    unsigned lowSpeedMilliseconds = 0;
    // Called, on the opening thread, with the request while it is being opened (connecting,
    // waiting for the headers), then with null once the open has returned: interrupting it from
    // another thread meanwhile makes the open fail at once.
    std::function<void(IInterruptible*)> whileOpening;
};

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
    virtual IStream* OpenHTTPStream(const wchar_t* url) { return OpenHTTPStream(url, HTTPRequestOptions()); }
    // The same with an 8-bit URL in the system's code page; null when it converts to nothing.
    virtual IStream* OpenHTTPStream(const char* url) = 0;
    // The same within the bounds of options; a request that passes them fails (no stream, or a
    // stream whose error status is -2).
    virtual IStream* OpenHTTPStream(const wchar_t* url, const HTTPRequestOptions& options) = 0;

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
