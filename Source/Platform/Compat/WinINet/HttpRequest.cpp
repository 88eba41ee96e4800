#include "Platform/Compat/WinINet/HttpRequest.h"

#include "Platform/Compat/WinINet/WinINet.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string_view>

namespace Compat::WinINet
{
namespace
{
// No bytes for this long ends a transfer: a stalled server cannot hold a reader forever.
constexpr long kConnectSeconds = 30;
constexpr long kStallSeconds = 60;
// The longest single wait for the socket; an interruption wakes it at once.
constexpr int kPollMilliseconds = 1000;

void InitializeCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURL* Easy(void* handle)
{
    return static_cast<CURL*>(handle);
}

CURLM* Multi(void* handle)
{
    return static_cast<CURLM*>(handle);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

bool IsFinalResponse(long status, bool sawLocation)
{
    if (status >= 100 && status < 200)
        return false; // an interim response: the real one follows
    const bool followed = status >= 300 && status < 400 && status != 304 && sawLocation;
    return !followed;
}
} // namespace

HttpRequest::HttpRequest(const RequestOptions& options)
{
    InitializeCurlOnce();
    mEasy = curl_easy_init();
    mMulti = curl_multi_init();
    if (!mEasy || !mMulti)
        return;
    CURL* easy = Easy(mEasy);
    curl_slist* headers = nullptr;
    for (const std::string& line : options.headers)
        headers = curl_slist_append(headers, line.c_str());
    mHeaders = headers;

    curl_easy_setopt(easy, CURLOPT_URL, options.url.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    if (options.deadlineMilliseconds > 0)
        curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, options.deadlineMilliseconds);
    const bool lowSpeed = options.lowSpeedBytes > 0 && options.lowSpeedSeconds > 0;
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, lowSpeed ? options.lowSpeedBytes : 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, lowSpeed ? options.lowSpeedSeconds : kStallSeconds);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    if (!options.agent.empty())
        curl_easy_setopt(easy, CURLOPT_USERAGENT, options.agent.c_str());
    if (options.direct)
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpRequest::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpRequest::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_multi_add_handle(Multi(mMulti), easy);
}

HttpRequest::~HttpRequest()
{
    if (mMulti && mEasy)
        curl_multi_remove_handle(Multi(mMulti), Easy(mEasy));
    if (mEasy)
        curl_easy_cleanup(Easy(mEasy));
    if (mMulti)
        curl_multi_cleanup(Multi(mMulti));
    curl_slist_free_all(static_cast<curl_slist*>(mHeaders));
}

std::size_t HttpRequest::OnHeader(char* data, std::size_t size, std::size_t count, void* self)
{
    auto* request = static_cast<HttpRequest*>(self);
    const std::string_view line(data, size * count);
    if (StartsWithNoCase(line, "HTTP/"))
    {
        // A new response begins (after an interim one or a redirect).
        const std::size_t space = line.find(' ');
        request->mHeaderStatus =
            space == std::string_view::npos ? 0 : std::atol(std::string(line.substr(space + 1, 3)).c_str());
        request->mSawLocation = false;
    }
    else if (StartsWithNoCase(line, "Location:"))
    {
        request->mSawLocation = true;
    }
    else if (line == "\r\n" || line == "\n")
    {
        if (IsFinalResponse(request->mHeaderStatus, request->mSawLocation))
        {
            request->mStatus = request->mHeaderStatus;
            request->mHeadersDone = true;
        }
    }
    return size * count;
}

std::size_t HttpRequest::OnBody(char* data, std::size_t size, std::size_t count, void* self)
{
    auto* request = static_cast<HttpRequest*>(self);
    std::size_t left = size * count;
    request->mDelivered += left;
    // Straight into the waiting reader's buffer while it has room; the rest waits in ours.
    if (request->mTargetFilled < request->mTargetSize)
    {
        const std::size_t direct = std::min(left, request->mTargetSize - request->mTargetFilled);
        std::memcpy(request->mTarget + request->mTargetFilled, data, direct);
        request->mTargetFilled += direct;
        data += direct;
        left -= direct;
    }
    request->mBody.insert(request->mBody.end(), data, data + left);
    return size * count;
}

bool HttpRequest::Drive()
{
    if (!mEasy || !mMulti)
    {
        mFinished = true;
        mResult = CURLE_FAILED_INIT;
        return false;
    }
    if (mFinished || mInterrupted.load())
        return false;
    const std::uint64_t before = mDelivered;
    const bool headersBefore = mHeadersDone;
    int running = 0;
    if (curl_multi_perform(Multi(mMulti), &running) != CURLM_OK)
    {
        mFinished = true;
        mResult = CURLE_FAILED_INIT;
        return false;
    }
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(Multi(mMulti), &left))
        if (message->msg == CURLMSG_DONE)
        {
            mFinished = true;
            mResult = message->data.result;
        }
    if (mFinished)
        return false;
    if (mDelivered == before && mHeadersDone == headersBefore)
        curl_multi_poll(Multi(mMulti), nullptr, 0, kPollMilliseconds, nullptr);
    return true;
}

DWORD HttpRequest::WaitForHeaders()
{
    while (!mHeadersDone && Drive())
    {
    }
    if (mInterrupted.load())
        return ERROR_INTERNET_OPERATION_CANCELLED;
    if (mHeadersDone)
        return 0;
    return Failure();
}

std::int64_t HttpRequest::GetContentLength() const
{
    curl_off_t length = -1;
    if (!mEasy || curl_easy_getinfo(Easy(mEasy), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK)
        return -1;
    return length;
}

DWORD HttpRequest::Read(void* buffer, DWORD count, DWORD& read)
{
    read = 0;
    if (mBodyRead == mBody.size())
    {
        // Drained: the next bytes go straight to the caller, and ours is reused from its start.
        mBody.clear();
        mBodyRead = 0;
        mTarget = static_cast<char*>(buffer);
        mTargetSize = count;
        mTargetFilled = 0;
        while (mTargetFilled == 0 && Drive())
        {
        }
        read = static_cast<DWORD>(mTargetFilled);
        mTarget = nullptr;
        mTargetSize = 0;
        mTargetFilled = 0;
        if (mInterrupted.load())
            return ERROR_INTERNET_OPERATION_CANCELLED;
        if (read > 0)
            return 0;
    }
    if (mInterrupted.load())
        return ERROR_INTERNET_OPERATION_CANCELLED;
    const std::size_t available = mBody.size() - mBodyRead;
    if (available > 0)
    {
        const std::size_t n = std::min<std::size_t>(available, count);
        std::memcpy(buffer, mBody.data() + mBodyRead, n);
        mBodyRead += n;
        read = static_cast<DWORD>(n);
        return 0;
    }
    return mFinished && mResult == CURLE_OK ? 0 : Failure();
}

void HttpRequest::Interrupt()
{
    mInterrupted = true;
    if (mMulti)
        curl_multi_wakeup(Multi(mMulti));
}

DWORD HttpRequest::Failure() const
{
    if (mInterrupted.load())
        return ERROR_INTERNET_OPERATION_CANCELLED;
    switch (mResult)
    {
    case CURLE_OK: return 0;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL: return ERROR_INTERNET_INVALID_URL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
    case CURLE_FAILED_INIT:
    case CURLE_OUT_OF_MEMORY: return ERROR_INTERNET_INTERNAL_ERROR;
    default: return ERROR_INTERNET_CONNECTION_ABORTED;
    }
}
} // namespace Compat::WinINet
