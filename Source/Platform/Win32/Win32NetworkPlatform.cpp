#include "Platform/Win32/Win32NetworkPlatform.h"

#include "Debug.h"
#include "Platform/Compat/WinINet/WinINet.h"
#include "Platform/Win32/WinInetHTTPStream.h"
#include "Utf8.h"

#include <cstring>
#include <string>

namespace Corvane
{
namespace
{
constexpr std::size_t kMaxHost = 1023;
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                                INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE;
static_assert(kRequestFlags == 0x84080300);

void SetOption(HINTERNET internet, DWORD option, DWORD value)
{
    if (value > 0)
        InternetSetOptionW(internet, option, &value, sizeof value);
}

// The session of a request being opened: closing it ends the wait for the headers.
class OpeningRequest final : public IInterruptible
{
public:
    explicit OpeningRequest(HINTERNET internet) : mInternet(internet) {}
    void Interrupt() override { InternetCloseHandle(mInternet); }

private:
    HINTERNET mInternet;
};
} // namespace

Win32NetworkPlatform::Win32NetworkPlatform() : mTeardown(new Internal::OwnedSingletonDestructor(this)) {}

Win32NetworkPlatform::~Win32NetworkPlatform()
{
    delete mTeardown;
}

IStream* Win32NetworkPlatform::OpenHTTPStream(const wchar_t* url, const HTTPRequestOptions& options)
{
    const std::wstring address = url ? url : L"";
    const std::size_t scheme = address.find(L"://");
    if (scheme == std::wstring::npos)
    {
        DebugPrint("Win32NetworkPlatform::OpenHTTPStream(): not a URL: %ls\r\n", address.c_str());
        return nullptr;
    }
    const HINTERNET internet =
        InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY, nullptr, nullptr, 0);
    if (!internet)
        return nullptr;
    SetOption(internet, INTERNET_OPTION_DEADLINE, options.deadlineMilliseconds);
    if (options.lowSpeedBytes > 0 && options.lowSpeedMilliseconds > 0)
    {
        SetOption(internet, INTERNET_OPTION_LOW_SPEED_LIMIT, options.lowSpeedBytes);
        SetOption(internet, INTERNET_OPTION_LOW_SPEED_TIME, options.lowSpeedMilliseconds);
    }

    const std::size_t hostStart = scheme + 3;
    const std::size_t hostEnd = address.find(L'/', hostStart);
    std::wstring host =
        address.substr(hostStart, hostEnd == std::wstring::npos ? std::wstring::npos : hostEnd - hostStart);
    if (host.size() > kMaxHost)
        host.resize(kMaxHost);
    const std::wstring headers = L"Host: " + host + L"\r\nUser-Agent: Corvane\r\n";
    DebugPrint("Win32NetworkPlatform::OpenHTTPStream(): Extra Headers: %ls", headers.c_str());

    OpeningRequest opening(internet);
    if (options.whileOpening)
        options.whileOpening(&opening);
    const HINTERNET request =
        InternetOpenUrlW(internet, address.c_str(), headers.c_str(), 0xFFFFFFFF, kRequestFlags, 0);
    if (options.whileOpening)
        options.whileOpening(nullptr);
    if (!request)
    {
        DebugPrint("Win32NetworkPlatform::OpenHTTPStream(): InternetOpenUrlW failed\r\n");
        InternetCloseHandle(internet);
        return nullptr;
    }
    return new WinINetHTTPStream(address, internet, request);
}

IStream* Win32NetworkPlatform::OpenHTTPStream(const char* url)
{
    // The system's code page is UTF-8 here.
    std::wstring wide;
    if (url)
    {
        const char* p = url;
        const char* end = url + std::strlen(url);
        while (p < end)
            wide.push_back(static_cast<wchar_t>(Utf8::Decode(p, end)));
    }
    if (wide.empty())
        return nullptr;
    return OpenHTTPStream(wide.c_str());
}
} // namespace Corvane
