#include "Platform/Win32/WinInetHTTPStream.h"

#include "Platform/Win32/Win32NetworkPlatform.h"
#include "RuntimeError.h"
#include "Support/DebugCapture.h"
#include "Support/TestHttpServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Corvane;
using Corvane::Testing::DebugCapture;
using Corvane::Testing::TestHttpServer;

namespace
{
using Response = TestHttpServer::Response;

class HTTPStreamTest : public ::testing::Test
{
protected:
    std::unique_ptr<IStream> Open(const std::string& path)
    {
        return std::unique_ptr<IStream>(network.OpenHTTPStream(server.WideUrl(path).c_str()));
    }

    DebugCapture debug;
    TestHttpServer server;
    Win32NetworkPlatform network;
};

int ErrorOf(IStream& stream)
{
    return dynamic_cast<IErrorStatus&>(stream).GetError();
}
} // namespace

TEST_F(HTTPStreamTest, TheNetworkPlatformIsTheEngineWideOneUntilItGoes)
{
    EXPECT_EQ(INetworkPlatform::GetInstance(), &network);
    {
        Win32NetworkPlatform other;
        EXPECT_EQ(INetworkPlatform::GetInstance(), &other);
    }
    EXPECT_EQ(INetworkPlatform::GetInstance(), nullptr);
}

TEST_F(HTTPStreamTest, EachResponseGivesItsSizeEndAndErrorStatus)
{
    server.Serve("/ok", Response::Body("twelve bytes"));
    server.Serve("/missing", Response::Body("<p>404</p>", 404));
    server.Serve("/unsized", Response::Body("the server never said how long").WithoutLength());
    server.Serve("/short", Response::Body("cut").Announcing(10));
    server.Serve("/surplus", Response::Body("abcdefgh").Announcing(3));
    server.Serve("/empty", Response::Body(""));

    constexpr std::uint32_t kUnknown = WinINetHTTPStream::kUnknownLength;
    const struct
    {
        const char* path;
        std::uint32_t size;
        std::string body;
        bool end;
        int error;
    } cases[] = {
        {"/ok", 12, "twelve bytes", true, 0},
        {"/missing", 10, "<p>404</p>", true, -2},
        // Without a length the clean end of the body is the stream's end.
        {"/unsized", kUnknown, "the server never said how long", true, 0},
        {"/short", 10, "cut", false, -2},
        // What follows the announced length is no part of the body.
        {"/surplus", 3, "abc", true, 0},
        {"/empty", 0, "", true, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.path);
        const std::unique_ptr<IStream> stream = Open(c.path);
        ASSERT_TRUE(stream);
        EXPECT_EQ(stream->GetCapabilities(), unsigned(IStream::kCanRead));
        EXPECT_EQ(stream->GetSize(), c.size);
        std::string body;
        char chunk[4];
        // Reads stop when a read brings nothing, as the download's copy does.
        while (!stream->IsEOF())
        {
            const unsigned read = stream->Read(chunk, sizeof(chunk));
            if (read == 0)
                break;
            body.append(chunk, read);
        }
        EXPECT_EQ(body, c.body);
        EXPECT_EQ(stream->IsEOF(), c.end);
        EXPECT_EQ(ErrorOf(*stream), c.error);
        std::wstring name;
        EXPECT_EQ(stream->GetName(name), server.WideUrl(c.path));
    }
}

TEST_F(HTTPStreamTest, RequestsNameTheHostAndTheEnginesAgentAndAreLogged)
{
    server.Serve("/a", Response::Body("x"));
    ASSERT_TRUE(Open("/a"));
    const std::string host = "127.0.0.1:" + std::to_string(server.Port());
    const TestHttpServer::Request request = server.Requests().at(0);
    EXPECT_EQ(request.headers.at("host"), host);
    EXPECT_EQ(request.headers.at("user-agent"), "Corvane");
    EXPECT_EQ(request.headers.at("pragma"), "no-cache");
    EXPECT_EQ(request.headers.count("cookie"), 0u);
    const std::string log = debug.Text();
    EXPECT_NE(log.find("Win32NetworkPlatform::OpenHTTPStream(): Extra Headers: Host: " + host +
                       "\r\nUser-Agent: Corvane\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("WinInetHTTPStream(): Ctor: " + server.Url("/a") + " HTTP Status Code = 200\r\n"),
              std::string::npos)
        << log;

    // The 8-bit form asks for the same URL.
    ASSERT_TRUE(std::unique_ptr<IStream>(network.OpenHTTPStream(server.Url("/a").c_str())));
    EXPECT_EQ(server.CountRequests("/a"), 2);
    EXPECT_EQ(network.OpenHTTPStream(""), nullptr);
}

TEST_F(HTTPStreamTest, UnreachableServersAndNonURLsGiveNoStream)
{
    int closedPort = 0;
    {
        TestHttpServer gone;
        closedPort = gone.Port();
    }
    const std::wstring refused = L"http://127.0.0.1:" + std::to_wstring(closedPort) + L"/a";
    EXPECT_EQ(network.OpenHTTPStream(refused.c_str()), nullptr);
    EXPECT_NE(debug.Text().find("InternetOpenUrlW failed\r\n"), std::string::npos);
    EXPECT_EQ(network.OpenHTTPStream(L"/just/a/path"), nullptr);
}

TEST_F(HTTPStreamTest, WritingSeekingAndReadingInPlaceAreRefused)
{
    server.Serve("/a", Response::Body("x"));
    const std::unique_ptr<IStream> stream = Open("/a");
    ASSERT_TRUE(stream);
    const void* data = nullptr;
    const struct
    {
        std::function<void()> call;
        const char* message;
        const char* function;
    } cases[] = {
        {[&] { stream->ReadOptimized(&data, 1); }, "WinINetHTTPStream does not implement ReadOptimized.",
         "Corvane::WinINetHTTPStream::ReadOptimized"},
        {[&] { stream->Write("x", 1); }, "WinINetHTTPStream does not implement Write.",
         "Corvane::WinINetHTTPStream::Write"},
        {[&] { stream->Seek(IStream::kFromStart, 0); }, "WinINetHTTPStream does not implement Seek.",
         "Corvane::WinINetHTTPStream::Seek"},
        {[&] { stream->Tell(); }, "WinINetHTTPStream does not implement Tell.", "Corvane::WinINetHTTPStream::Tell"},
    };
    for (const auto& c : cases)
    {
        try
        {
            c.call();
            ADD_FAILURE() << c.message;
        }
        catch (const RuntimeError& error)
        {
            EXPECT_STREQ(error.what(), c.message);
            EXPECT_EQ(error.GetFunction(), c.function);
        }
    }
}
