#include "Platform/Win32/WinInetHTTPStream.h"

#include "Debug.h"
#include "RuntimeError.h"

namespace Corvane
{
namespace
{
constexpr int kSourceError = -2;

[[noreturn]] void Unsupported(const char* operation, const char* function)
{
    throw RuntimeError(std::string("WinINetHTTPStream does not implement ") + operation + ".", __FILE__, __LINE__,
                       function);
}

bool QueryNumber(HINTERNET request, DWORD level, std::uint32_t& value)
{
    DWORD number = 0;
    DWORD length = sizeof(number);
    if (!HttpQueryInfoW(request, level | HTTP_QUERY_FLAG_NUMBER, &number, &length, nullptr))
        return false;
    value = number;
    return true;
}
} // namespace

WinINetHTTPStream::WinINetHTTPStream(const std::wstring& url, HINTERNET internet, HINTERNET request)
    : mUrl(url), mInternet(internet), mRequest(request)
{
    if (!QueryNumber(mRequest, HTTP_QUERY_CONTENT_LENGTH, mContentLength))
        mContentLength = kUnknownLength;
    QueryNumber(mRequest, HTTP_QUERY_STATUS_CODE, mStatus);
    if (mStatus != 200)
        SetError(kSourceError);
    // An empty body is whole before the first read; a copy that reads nothing must see its end.
    if (mContentLength == 0)
        mEnd = true;
    DebugPrint("WinInetHTTPStream(): Ctor: %ls HTTP Status Code = %u\r\n", mUrl.c_str(), mStatus);
}

WinINetHTTPStream::~WinINetHTTPStream()
{
    if (!mRequestClosed.exchange(true))
        InternetCloseHandle(mRequest);
    InternetCloseHandle(mInternet);
}

std::wstring& WinINetHTTPStream::GetName(std::wstring& out)
{
    out = mUrl;
    return out;
}

unsigned WinINetHTTPStream::Read(void* buffer, unsigned count)
{
    if (count == 0 || mEnd)
        return 0;
    DWORD read = 0;
    if (!InternetReadFile(mRequest, buffer, count, &read))
    {
        SetError(kSourceError);
        return 0;
    }
    mTotal += read;
    if (mContentLength != kUnknownLength && mTotal >= mContentLength)
    {
        DropSurplus();
        mEnd = true;
    }
    else if (read == 0)
    {
        // The body ended cleanly: without an announced length that is its end; before the
        // announced length it is a body cut short.
        if (mContentLength == kUnknownLength)
            mEnd = true;
        else
            SetError(kSourceError);
    }
    return read;
}

void WinINetHTTPStream::DropSurplus()
{
    char scratch[128];
    DWORD read = 0;
    while (InternetReadFile(mRequest, scratch, sizeof(scratch), &read) && read > 0)
        DebugPrint("Warning: WinINetHTTPStream still had more data after entire reported content size was read! "
                   "(%u bytes)\r\n",
                   static_cast<unsigned>(read));
}

void WinINetHTTPStream::Interrupt()
{
    if (!mRequestClosed.exchange(true))
        InternetCloseHandle(mRequest);
}

unsigned WinINetHTTPStream::ReadOptimized(const void**, unsigned)
{
    Unsupported("ReadOptimized", "Corvane::WinINetHTTPStream::ReadOptimized");
}

unsigned WinINetHTTPStream::Write(const void*, unsigned)
{
    Unsupported("Write", "Corvane::WinINetHTTPStream::Write");
}

void WinINetHTTPStream::Seek(int, std::int64_t)
{
    Unsupported("Seek", "Corvane::WinINetHTTPStream::Seek");
}

std::uint32_t WinINetHTTPStream::Tell()
{
    Unsupported("Tell", "Corvane::WinINetHTTPStream::Tell");
}
} // namespace Corvane
