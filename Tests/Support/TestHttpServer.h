// A small HTTP/1.1 server on 127.0.0.1 at a free port, for the network tests: each path answers
// as the test says (status, body, with or without a length, cut short, paced or held back by a
// gate), every request is recorded with its headers, and every connection is closed after its
// response. Unknown paths answer 404. Stopping it opens its gates, closes every connection and
// joins its threads.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Corvane::Testing
{
// A door that holds threads until opened; opened for good when destroyed, which waits until every
// thread held has left.
class TestGate
{
public:
    ~TestGate();
    void Open();
    void Wait();
    bool IsOpen();

private:
    std::mutex mLock;
    std::condition_variable mOpened;
    bool mOpen = false;
    int mWaiting = 0;
};

class TestHttpServer
{
public:
    struct Request
    {
        std::string method;
        std::string path;
        std::map<std::string, std::string> headers; // names in lower case
    };

    struct Response
    {
        int status = 200;
        std::string body;
        bool sendLength = true;
        // The length announced, when it should differ from the body's.
        long long announcedLength = -1;
        // Close the connection after this many body bytes.
        std::size_t cutAfter = std::string::npos;
        // Extra header lines, each ending in "\r\n".
        std::string headers;
        std::size_t chunk = 256 * 1024;
        // Called before each chunk with the bytes sent so far; may sleep or wait on a gate.
        std::function<void(std::size_t sent)> beforeChunk;

        static Response Body(std::string body, int status = 200)
        {
            Response response;
            response.status = status;
            response.body = std::move(body);
            return response;
        }
        Response& WithoutLength()
        {
            sendLength = false;
            return *this;
        }
        Response& Announcing(long long length)
        {
            announcedLength = length;
            return *this;
        }
        Response& WithHeaders(std::string lines)
        {
            headers = std::move(lines);
            return *this;
        }
        Response& InChunks(std::size_t size)
        {
            chunk = size;
            return *this;
        }
        // Sends the first chunk, then waits for gate before each further one.
        Response& HeldBy(std::shared_ptr<TestGate> gate)
        {
            beforeChunk = [gate](std::size_t sent) {
                if (sent > 0)
                    gate->Wait();
            };
            return *this;
        }
    };
    using Handler = std::function<Response(const Request&)>;

    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    // A gate for handlers to wait on (capture the pointer), opened at the latest when the server
    // stops.
    std::shared_ptr<TestGate> MakeGate();

    void Route(const std::string& path, Handler handler);
    void Serve(const std::string& path, Response response);

    int Port() const { return mPort; }
    // "http://127.0.0.1:<port>" + path.
    std::string Url(const std::string& path) const;
    std::wstring WideUrl(const std::string& path) const;

    std::vector<Request> Requests() const;
    int CountRequests(const std::string& path) const;
    // Responses whose body was sent whole (as far as cutAfter allowed).
    int CountCompleted(const std::string& path) const;

private:
    void Accept();
    void Answer(int connection);

    int mListener = -1;
    int mWake[2] = {-1, -1};
    int mPort = 0;
    std::thread mAcceptor;
    mutable std::mutex mLock;
    bool mStopping = false;
    std::map<std::string, Handler> mRoutes;
    std::vector<Request> mRequests;
    std::map<std::string, int> mCompleted;
    std::vector<int> mConnections;
    std::vector<std::thread> mAnswerers;
    std::vector<std::shared_ptr<TestGate>> mGates;
};
} // namespace Corvane::Testing
