#include "Platform/Compat/WinINet/WinINet.h"

#include "Platform/Compat/Kernel/LastError.h"
#include "Support/TestHttpServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>

using Corvane::Testing::TestGate;
using Corvane::Testing::TestHttpServer;

namespace
{
using Response = TestHttpServer::Response;

constexpr DWORD kZeroTerminated = 0xFFFFFFFF;

struct Closer
{
    void operator()(void* handle) const { InternetCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, Closer>;

class WinINetTest : public ::testing::Test
{
protected:
    Handle Open(const std::string& path, const wchar_t* headers = nullptr, DWORD flags = 0)
    {
        return Handle(
            InternetOpenUrlW(session.get(), server.WideUrl(path).c_str(), headers, kZeroTerminated, flags, 0));
    }

    // The body read in pieces of size bytes; ended tells how the last read went (TRUE with 0 bytes
    // for a clean end).
    static std::string ReadAll(HINTERNET request, DWORD size, BOOL& ended)
    {
        std::string body;
        std::string piece(size, '\0');
        for (;;)
        {
            DWORD read = 0;
            ended = InternetReadFile(request, piece.data(), size, &read);
            if (!ended || read == 0)
                return body;
            body.append(piece.data(), read);
        }
    }

    static bool Query(HINTERNET request, DWORD level, DWORD& value)
    {
        DWORD length = sizeof(value);
        return HttpQueryInfoW(request, level | HTTP_QUERY_FLAG_NUMBER, &value, &length, nullptr);
    }

    TestHttpServer server;
    Handle session{InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY, nullptr, nullptr, 0)};
};
} // namespace

TEST_F(WinINetTest, RequestsCarryTheGivenHeadersBypassCachesAndSendNoCookies)
{
    server.Serve("/a", Response::Body("x").WithHeaders("Set-Cookie: session=1; Path=/\r\n"));
    const std::wstring headers = L"Host: 127.0.0.1:" + std::to_wstring(server.Port()) + L"\r\nUser-Agent: Corvane\r\n";
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                        INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE;
    ASSERT_TRUE(Open("/a", headers.c_str(), flags));
    ASSERT_TRUE(Open("/a", headers.c_str(), flags)); // after a cookie was set

    const std::vector<TestHttpServer::Request> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const TestHttpServer::Request& request : requests)
    {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.headers.at("host"), "127.0.0.1:" + std::to_string(server.Port()));
        EXPECT_EQ(request.headers.at("user-agent"), "Corvane");
        EXPECT_EQ(request.headers.at("pragma"), "no-cache");
        EXPECT_EQ(request.headers.at("cache-control"), "no-cache");
        EXPECT_EQ(request.headers.count("cookie"), 0u);
    }
}

TEST_F(WinINetTest, StatusLengthAndBodyOfEachKindOfResponse)
{
    const std::string big(300000, 'b');
    server.Serve("/ok", Response::Body("hello"));
    server.Serve("/big", Response::Body(big).InChunks(7000));
    server.Serve("/missing", Response::Body("gone", 404));
    server.Serve("/unsized", Response::Body("no length given").WithoutLength());
    server.Serve("/short", Response::Body("only part").Announcing(100));
    server.Serve("/surplus", Response::Body("1234567890").Announcing(4));
    server.Serve("/empty", Response::Body(""));
    server.Serve("/moved", Response::Body("see there", 302).WithHeaders("Location: /ok\r\n"));

    const struct
    {
        const char* path;
        DWORD status;
        long long length; // -1: the query fails
        std::string body;
        BOOL clean; // the last read
    } cases[] = {
        {"/ok", 200, 5, "hello", TRUE},
        {"/big", 200, 300000, big, TRUE},
        {"/missing", 404, 4, "gone", TRUE},
        {"/unsized", 200, -1, "no length given", TRUE},
        {"/short", 200, 100, "only part", FALSE},
        {"/surplus", 200, 4, "1234", TRUE},
        {"/empty", 200, 0, "", TRUE},
        {"/moved", 200, 5, "hello", TRUE},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.path);
        const Handle request = Open(c.path);
        ASSERT_TRUE(request);
        DWORD status = 0;
        ASSERT_TRUE(Query(request.get(), HTTP_QUERY_STATUS_CODE, status));
        EXPECT_EQ(status, c.status);
        DWORD length = 0;
        const BOOL known = Query(request.get(), HTTP_QUERY_CONTENT_LENGTH, length);
        EXPECT_EQ(known, c.length >= 0 ? TRUE : FALSE);
        if (known)
        {
            EXPECT_EQ(length, static_cast<DWORD>(c.length));
        }
        else
        {
            EXPECT_EQ(GetLastError(), ERROR_HTTP_HEADER_NOT_FOUND);
        }
        BOOL ended = FALSE;
        EXPECT_EQ(ReadAll(request.get(), 1000, ended), c.body);
        EXPECT_EQ(ended, c.clean);
        if (!ended)
        {
            EXPECT_EQ(GetLastError(), ERROR_INTERNET_CONNECTION_ABORTED);
        }
    }

    // The text form of a query.
    const Handle request = Open("/ok");
    wchar_t text[16] = {};
    DWORD size = sizeof(text);
    ASSERT_TRUE(HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE, text, &size, nullptr));
    EXPECT_STREQ(text, L"200");
}

TEST_F(WinINetTest, RequestsThatCannotBeMadeGiveNoHandle)
{
    int closedPort = 0;
    {
        TestHttpServer gone;
        closedPort = gone.Port();
    }
    const std::wstring refused = L"http://127.0.0.1:" + std::to_wstring(closedPort) + L"/a";
    EXPECT_EQ(InternetOpenUrlW(session.get(), refused.c_str(), nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_CANNOT_CONNECT);
    EXPECT_EQ(InternetOpenUrlW(session.get(), L"file:///etc/passwd", nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_INVALID_URL);
    EXPECT_EQ(InternetOpenUrlW(nullptr, server.WideUrl("/a").c_str(), nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(WinINetTest, ClosingTheRequestFromAnotherThreadCancelsAWaitingRead)
{
    const std::shared_ptr<TestGate> gate = server.MakeGate();
    server.Serve("/held", Response::Body(std::string(4000, 'h')).InChunks(1000).HeldBy(gate));
    HINTERNET request = InternetOpenUrlW(session.get(), server.WideUrl("/held").c_str(), nullptr, 0, 0, 0);
    ASSERT_NE(request, nullptr);
    auto reading = std::async(std::launch::async, [request] {
        BOOL ended = FALSE;
        const std::string body = ReadAll(request, 4000, ended);
        return std::make_pair(body.size(), ended);
    });
    EXPECT_EQ(reading.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout) << "the read waits";
    EXPECT_TRUE(InternetCloseHandle(request));
    ASSERT_EQ(reading.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    const auto [read, ended] = reading.get();
    EXPECT_EQ(read, 1000u);
    EXPECT_FALSE(ended);
    EXPECT_FALSE(InternetCloseHandle(request)) << "a handle closes once";
    DWORD count = 0;
    char byte = 0;
    EXPECT_FALSE(InternetReadFile(request, &byte, 1, &count));
}
