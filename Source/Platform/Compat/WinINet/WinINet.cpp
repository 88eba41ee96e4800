#include "Platform/Compat/WinINet/WinINet.h"

#include "Platform/Compat/Kernel/LastError.h"
#include "Platform/Compat/WinINet/HttpRequest.h"
#include "Utf8.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace
{
using Compat::WinINet::HttpRequest;
using Compat::WinINet::RequestOptions;

struct InternetObject
{
    virtual ~InternetObject() = default;
};

struct Request final : InternetObject
{
    explicit Request(const RequestOptions& options) : http(options) {}
    HttpRequest http;
};

struct Session final : InternetObject
{
    std::string agent;
    bool direct = false;
    long deadlineMilliseconds = 0;
    long lowSpeedBytes = 0;
    long lowSpeedSeconds = 0;

    // Closing the session cuts short every request opened on it, in whatever phase.
    std::mutex lock;
    bool closed = false;
    std::vector<std::weak_ptr<Request>> requests;

    // A request opened on a session closed meanwhile is cut short at once.
    void Adopt(const std::shared_ptr<Request>& request)
    {
        std::lock_guard<std::mutex> guard(lock);
        std::erase_if(requests, [](const std::weak_ptr<Request>& held) { return held.expired(); });
        if (closed)
            request->http.Interrupt();
        else
            requests.push_back(request);
    }
    void Close()
    {
        std::vector<std::weak_ptr<Request>> open;
        {
            std::lock_guard<std::mutex> guard(lock);
            closed = true;
            open.swap(requests);
        }
        for (const std::weak_ptr<Request>& held : open)
            if (const std::shared_ptr<Request> request = held.lock())
                request->http.Interrupt();
    }
};

// Handles by number. A call holds its own reference for its whole length, so a handle closed by
// another thread meanwhile lives until that call returns.
std::mutex gHandlesLock;
std::map<std::uintptr_t, std::shared_ptr<InternetObject>> gHandles;
std::uintptr_t gNextHandle = 0x1000;

HINTERNET Register(std::shared_ptr<InternetObject> object)
{
    std::lock_guard<std::mutex> lock(gHandlesLock);
    const std::uintptr_t number = gNextHandle++;
    gHandles.emplace(number, std::move(object));
    return reinterpret_cast<HINTERNET>(number);
}

template <typename T> std::shared_ptr<T> Find(HINTERNET handle)
{
    std::lock_guard<std::mutex> lock(gHandlesLock);
    const auto found = gHandles.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == gHandles.end())
        return nullptr;
    return std::dynamic_pointer_cast<T>(found->second);
}

std::string ToUtf8(const wchar_t* text, std::size_t length)
{
    std::string out;
    for (std::size_t i = 0; i < length && text[i]; ++i)
        Corvane::Utf8::Append(out, static_cast<std::uint32_t>(text[i]));
    return out;
}

std::string ToUtf8(const wchar_t* text)
{
    return text ? ToUtf8(text, std::wstring_view(text).size()) : std::string();
}

bool HasHeader(const std::vector<std::string>& lines, std::string_view name)
{
    for (const std::string& line : lines)
        if (line.size() > name.size() && line[name.size()] == ':' &&
            std::equal(name.begin(), name.end(), line.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return true;
    return false;
}

// "A: 1\r\nB: 2\r\n" -> {"A: 1", "B: 2"}.
std::vector<std::string> SplitHeaderLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size())
    {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

BOOL Fail(DWORD code)
{
    SetLastError(code);
    return FALSE;
}
} // namespace

HINTERNET InternetOpenW(const wchar_t* agent, DWORD accessType, const wchar_t*, const wchar_t*, DWORD)
{
    auto session = std::make_shared<Session>();
    session->agent = ToUtf8(agent);
    session->direct = accessType == INTERNET_OPEN_TYPE_DIRECT;
    return Register(std::move(session));
}

HINTERNET InternetOpenUrlW(HINTERNET internet, const wchar_t* url, const wchar_t* headers, DWORD headersLength,
                           DWORD flags, DWORD_PTR)
{
    const std::shared_ptr<Session> session = Find<Session>(internet);
    if (!session)
    {
        Fail(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!url || !*url)
    {
        Fail(ERROR_INTERNET_INVALID_URL);
        return nullptr;
    }
    RequestOptions options;
    options.url = ToUtf8(url);
    options.agent = session->agent;
    options.direct = session->direct;
    {
        std::lock_guard<std::mutex> guard(session->lock);
        options.deadlineMilliseconds = session->deadlineMilliseconds;
        options.lowSpeedBytes = session->lowSpeedBytes;
        options.lowSpeedSeconds = session->lowSpeedSeconds;
    }
    if (headers)
        options.headers =
            SplitHeaderLines(headersLength == 0xFFFFFFFF ? ToUtf8(headers) : ToUtf8(headers, headersLength));
    if (flags & INTERNET_FLAG_PRAGMA_NOCACHE)
    {
        if (!HasHeader(options.headers, "Pragma"))
            options.headers.push_back("Pragma: no-cache");
        if (!HasHeader(options.headers, "Cache-Control"))
            options.headers.push_back("Cache-Control: no-cache");
    }

    auto request = std::make_shared<Request>(options);
    // Registered before the wait, so that another thread can cancel it by closing either handle.
    const HINTERNET handle = Register(request);
    session->Adopt(request);
    if (const DWORD failure = request->http.WaitForHeaders())
    {
        InternetCloseHandle(handle);
        Fail(failure);
        return nullptr;
    }
    return handle;
}

BOOL InternetSetOptionW(HINTERNET internet, DWORD option, void* buffer, DWORD bufferLength)
{
    const std::shared_ptr<Session> session = Find<Session>(internet);
    if (!session)
        return Fail(Find<InternetObject>(internet) ? ERROR_INTERNET_INCORRECT_HANDLE_TYPE : ERROR_INVALID_HANDLE);
    if (!buffer || bufferLength < sizeof(DWORD))
        return Fail(ERROR_INVALID_PARAMETER);
    const long value = static_cast<long>(*static_cast<const DWORD*>(buffer));
    std::lock_guard<std::mutex> guard(session->lock);
    switch (option)
    {
    case INTERNET_OPTION_DEADLINE: session->deadlineMilliseconds = value; break;
    case INTERNET_OPTION_LOW_SPEED_LIMIT: session->lowSpeedBytes = value; break;
    // Whole seconds, rounded up, as the transfer measures its speed.
    case INTERNET_OPTION_LOW_SPEED_TIME: session->lowSpeedSeconds = (value + 999) / 1000; break;
    default: return Fail(ERROR_INTERNET_INVALID_OPTION);
    }
    return TRUE;
}

BOOL HttpQueryInfoW(HINTERNET handle, DWORD infoLevel, void* buffer, DWORD* bufferLength, DWORD*)
{
    const std::shared_ptr<Request> request = Find<Request>(handle);
    if (!request)
        return Fail(Find<InternetObject>(handle) ? ERROR_INTERNET_INCORRECT_HANDLE_TYPE : ERROR_INVALID_HANDLE);
    if (!buffer || !bufferLength)
        return Fail(ERROR_INVALID_PARAMETER);

    std::int64_t value = 0;
    switch (infoLevel & ~HTTP_QUERY_FLAG_NUMBER)
    {
    case HTTP_QUERY_STATUS_CODE: value = request->http.GetStatus(); break;
    case HTTP_QUERY_CONTENT_LENGTH:
        value = request->http.GetContentLength();
        if (value < 0 || value > 0xFFFFFFFFLL)
            return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
        break;
    default: return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
    }

    if (infoLevel & HTTP_QUERY_FLAG_NUMBER)
    {
        if (*bufferLength < sizeof(DWORD))
        {
            *bufferLength = sizeof(DWORD);
            return Fail(ERROR_INVALID_PARAMETER);
        }
        *static_cast<DWORD*>(buffer) = static_cast<DWORD>(value);
        *bufferLength = sizeof(DWORD);
        return TRUE;
    }
    const std::wstring text = std::to_wstring(value);
    const DWORD needed = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (*bufferLength < needed)
    {
        *bufferLength = needed;
        return Fail(ERROR_INVALID_PARAMETER);
    }
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(buffer));
    *bufferLength = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    return TRUE;
}

BOOL InternetReadFile(HINTERNET handle, void* buffer, DWORD toRead, DWORD* read)
{
    if (read)
        *read = 0;
    const std::shared_ptr<Request> request = Find<Request>(handle);
    if (!request)
        return Fail(ERROR_INVALID_HANDLE);
    if (!read || (!buffer && toRead > 0))
        return Fail(ERROR_INVALID_PARAMETER);
    if (toRead == 0)
        return TRUE; // nothing asked for: not to be taken for the end of the body
    if (const DWORD failure = request->http.Read(buffer, toRead, *read))
        return Fail(failure);
    return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle)
{
    std::shared_ptr<InternetObject> object;
    {
        std::lock_guard<std::mutex> lock(gHandlesLock);
        const auto found = gHandles.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found == gHandles.end())
            return Fail(ERROR_INVALID_HANDLE);
        object = std::move(found->second);
        gHandles.erase(found);
    }
    // A call still waiting on it fails at once; the object goes when that call lets go.
    if (auto* request = dynamic_cast<Request*>(object.get()))
        request->http.Interrupt();
    else if (auto* session = dynamic_cast<Session*>(object.get()))
        session->Close();
    return TRUE;
}
