// The network platform on WinINet: each request opens its own session and asks for the URL with
// the engine's user agent, bypassing every cache and without cookies. Keeps no state; streams are
// opened and read on the download workers.
#pragma once

#include "Framework/INetworkPlatform.h"
#include "Singleton.h"

namespace Corvane
{
class Win32NetworkPlatform final : public INetworkPlatform
{
public:
    // Becomes the engine-wide network platform and registers for singleton teardown.
    Win32NetworkPlatform();
    ~Win32NetworkPlatform() override;
    Win32NetworkPlatform(const Win32NetworkPlatform&) = delete;
    Win32NetworkPlatform& operator=(const Win32NetworkPlatform&) = delete;

    // Null when the URL has no "scheme://" or no response arrives; otherwise the stream, also for
    // an error status (its error status tells).
    using INetworkPlatform::OpenHTTPStream;
    IStream* OpenHTTPStream(const char* url) override;
    IStream* OpenHTTPStream(const wchar_t* url, const HTTPRequestOptions& options) override;

private:
    Internal::OwnedSingletonDestructor<Win32NetworkPlatform>* mTeardown;
};
} // namespace Corvane
