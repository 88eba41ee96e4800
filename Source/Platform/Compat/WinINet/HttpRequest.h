// One HTTP GET on libcurl, read by pulling: the transfer is driven (curl's multi interface) only
// while a reader waits for bytes, which go straight into its buffer; what does not fit waits in
// ours for the next reads, so memory stays bounded by what one drive delivers. One thread at a time reads; Interrupt
// may come from any thread.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace Compat::WinINet
{
struct RequestOptions
{
    std::string url;                  // UTF-8
    std::vector<std::string> headers; // "Name: value" lines
    std::string agent;                // empty: none
    bool direct = false;              // no proxy, whatever the environment says
    // The whole request, connecting and headers included, ends after this long (0: no limit).
    long deadlineMilliseconds = 0;
    // Fewer than lowSpeedBytes a second for lowSpeedSeconds ends it (0 bytes: the stall limit
    // alone, no byte at all for a minute).
    long lowSpeedBytes = 0;
    long lowSpeedSeconds = 0;
};

class HttpRequest
{
public:
    explicit HttpRequest(const RequestOptions& options);
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // Drives the transfer until the final response's headers have arrived. 0 when they did, else
    // the last-error code of the failure.
    DWORD WaitForHeaders();
    long GetStatus() const { return mStatus; }
    // -1 when the response announced no length.
    std::int64_t GetContentLength() const;

    // Copies up to count bytes, waiting for at least one. 0 and read = 0 at the clean end; else
    // the last-error code of the failure (once the bytes that did arrive are read).
    DWORD Read(void* buffer, DWORD count, DWORD& read);

    // Makes the waiting call, and every later one, fail. Any thread.
    void Interrupt();

private:
    // One step of the transfer: lets curl move what it can, then waits (bounded) for the socket.
    // False when nothing more will come.
    bool Drive();
    DWORD Failure() const;

    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);

    void* mEasy = nullptr;    // CURL*
    void* mMulti = nullptr;   // CURLM*
    void* mHeaders = nullptr; // curl_slist*
    // Bytes that arrived while no reader had room, and how many of them were read.
    std::vector<char> mBody;
    std::size_t mBodyRead = 0;
    // The buffer of the read waiting for bytes.
    char* mTarget = nullptr;
    std::size_t mTargetSize = 0;
    std::size_t mTargetFilled = 0;
    std::uint64_t mDelivered = 0;
    long mStatus = 0;
    long mHeaderStatus = 0;
    bool mSawLocation = false;
    bool mHeadersDone = false;
    bool mFinished = false;
    int mResult = 0; // CURLcode once finished
    std::atomic<bool> mInterrupted{false};
};
} // namespace Compat::WinINet
