// The response to one HTTP GET as a read-only stream (the network platform opens it). Its error
// status is -2 when the server answered with another status than 200 or the body could not be read
// whole. Its size is the announced content length, 0xFFFFFFFF when the response has none; it
// reaches its end after that many bytes, or, without a length, when the body ends cleanly. Used
// by one thread at a time; Interrupt may come from another.
#pragma once

#include "ErrorStatus.h"
#include "Framework/INetworkPlatform.h"
#include "Platform/Compat/WinINet/WinINet.h"
#include "Stream.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace Corvane
{
class WinINetHTTPStream final : public IStream, public IErrorStatus, public IInterruptible
{
public:
    static constexpr std::uint32_t kUnknownLength = 0xFFFFFFFF;

    // Owns both handles; reads the response's length and status.
    WinINetHTTPStream(const std::wstring& url, HINTERNET internet, HINTERNET request);
    // Closes the request, then the session.
    ~WinINetHTTPStream() override;
    WinINetHTTPStream(const WinINetHTTPStream&) = delete;
    WinINetHTTPStream& operator=(const WinINetHTTPStream&) = delete;

    std::wstring& GetName(std::wstring& out) override;
    unsigned GetCapabilities() override { return kCanRead; }
    std::uint32_t GetSize() override { return mContentLength; }
    bool IsEOF() override { return mEnd; }
    unsigned Read(void* buffer, unsigned count) override;
    unsigned ReadOptimized(const void** data, unsigned count) override;
    unsigned Write(const void* buffer, unsigned count) override;
    void Seek(int origin, std::int64_t offset) override;
    std::uint32_t Tell() override;

    // Closes the request: a read waiting for the network fails at once, and so do later ones.
    void Interrupt() override;

    std::uint32_t GetStatusCode() const { return mStatus; }

private:
    // Reads and drops whatever follows the announced length.
    void DropSurplus();

    std::wstring mUrl;
    HINTERNET mInternet;
    HINTERNET mRequest;
    std::atomic<bool> mRequestClosed{false};
    bool mEnd = false;
    std::uint32_t mTotal = 0;
    std::uint32_t mContentLength = kUnknownLength;
    std::uint32_t mStatus = 0;
};
} // namespace Corvane
