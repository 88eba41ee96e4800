#include "Support/TestHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace Corvane::Testing
{
TestGate::~TestGate()
{
    Open();
    std::unique_lock<std::mutex> lock(mLock);
    mOpened.wait(lock, [this] { return mWaiting == 0; });
}

void TestGate::Open()
{
    {
        std::lock_guard<std::mutex> lock(mLock);
        mOpen = true;
    }
    mOpened.notify_all();
}

void TestGate::Wait()
{
    std::unique_lock<std::mutex> lock(mLock);
    ++mWaiting;
    mOpened.wait(lock, [this] { return mOpen; });
    --mWaiting;
    mOpened.notify_all();
}

bool TestGate::IsOpen()
{
    std::lock_guard<std::mutex> lock(mLock);
    return mOpen;
}

namespace
{
std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

bool SendAll(int connection, const char* data, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t sent = ::send(connection, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

const char* Reason(int status)
{
    switch (status)
    {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    default: return "Status";
    }
}
} // namespace

TestHttpServer::TestHttpServer()
{
    mListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0; // the system picks a free port
    socklen_t length = sizeof(address);
    if (mListener < 0 || ::bind(mListener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(mListener, 64) != 0 || ::getsockname(mListener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::pipe2(mWake, O_CLOEXEC) != 0)
        throw std::runtime_error("the test HTTP server cannot listen");
    mPort = ntohs(address.sin_port);
    mAcceptor = std::thread([this] { Accept(); });
}

TestHttpServer::~TestHttpServer()
{
    {
        std::lock_guard<std::mutex> lock(mLock);
        mStopping = true;
        for (const int connection : mConnections)
            ::shutdown(connection, SHUT_RDWR);
        for (const std::shared_ptr<TestGate>& gate : mGates)
            gate->Open();
    }
    (void)!::write(mWake[1], "x", 1);
    mAcceptor.join();
    for (std::thread& answerer : mAnswerers)
        answerer.join();
    ::close(mListener);
    ::close(mWake[0]);
    ::close(mWake[1]);
}

std::shared_ptr<TestGate> TestHttpServer::MakeGate()
{
    auto gate = std::make_shared<TestGate>();
    std::lock_guard<std::mutex> lock(mLock);
    mGates.push_back(gate);
    return gate;
}

void TestHttpServer::Route(const std::string& path, Handler handler)
{
    std::lock_guard<std::mutex> lock(mLock);
    mRoutes[path] = std::move(handler);
}

void TestHttpServer::Serve(const std::string& path, Response response)
{
    Route(path, [response](const Request&) { return response; });
}

std::string TestHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(mPort) + path;
}

std::wstring TestHttpServer::WideUrl(const std::string& path) const
{
    const std::string url = Url(path);
    return std::wstring(url.begin(), url.end());
}

std::vector<TestHttpServer::Request> TestHttpServer::Requests() const
{
    std::lock_guard<std::mutex> lock(mLock);
    return mRequests;
}

int TestHttpServer::CountRequests(const std::string& path) const
{
    std::lock_guard<std::mutex> lock(mLock);
    return static_cast<int>(std::count_if(mRequests.begin(), mRequests.end(),
                                          [&](const Request& request) { return request.path == path; }));
}

int TestHttpServer::CountCompleted(const std::string& path) const
{
    std::lock_guard<std::mutex> lock(mLock);
    const auto found = mCompleted.find(path);
    return found == mCompleted.end() ? 0 : found->second;
}

void TestHttpServer::Accept()
{
    for (;;)
    {
        pollfd waits[2] = {{mListener, POLLIN, 0}, {mWake[0], POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0)
            continue;
        if (waits[1].revents)
            return;
        const int connection = ::accept4(mListener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        std::lock_guard<std::mutex> lock(mLock);
        if (mStopping)
        {
            ::close(connection);
            return;
        }
        mConnections.push_back(connection);
        mAnswerers.emplace_back([this, connection] { Answer(connection); });
    }
}

void TestHttpServer::Answer(int connection)
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos)
    {
        const ssize_t got = ::recv(connection, buffer, sizeof(buffer), 0);
        if (got <= 0)
            break;
        head.append(buffer, static_cast<std::size_t>(got));
    }

    Request request;
    std::size_t lineEnd = head.find("\r\n");
    const std::string first = head.substr(0, lineEnd);
    request.method = first.substr(0, first.find(' '));
    const std::size_t pathStart = first.find(' ') + 1;
    request.path = first.substr(pathStart, first.find(' ', pathStart) - pathStart);
    while (lineEnd != std::string::npos && lineEnd + 2 < head.size())
    {
        const std::size_t next = head.find("\r\n", lineEnd + 2);
        const std::string line = head.substr(lineEnd + 2, next - lineEnd - 2);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos)
            request.headers[Lower(line.substr(0, colon))] = Trim(line.substr(colon + 1));
        lineEnd = next;
    }

    Handler handler;
    {
        std::lock_guard<std::mutex> lock(mLock);
        mRequests.push_back(request);
        const auto found = mRoutes.find(request.path);
        if (found != mRoutes.end())
            handler = found->second;
    }
    Response response;
    if (handler)
        response = handler(request);
    else
    {
        response.status = 404;
        response.body = "<html>not found</html>";
    }

    std::string header = "HTTP/1.1 " + std::to_string(response.status) + " " + Reason(response.status) + "\r\n";
    header += "Connection: close\r\n";
    if (response.sendLength)
        header += "Content-Length: " +
                  std::to_string(response.announcedLength >= 0 ? response.announcedLength
                                                               : static_cast<long long>(response.body.size())) +
                  "\r\n";
    header += response.headers + "\r\n";
    bool whole = SendAll(connection, header.data(), header.size());

    const std::size_t end = std::min(response.body.size(), response.cutAfter);
    for (std::size_t sent = 0; whole && sent < end;)
    {
        if (response.beforeChunk)
            response.beforeChunk(sent);
        const std::size_t size = std::min(response.chunk, end - sent);
        whole = SendAll(connection, response.body.data() + sent, size);
        sent += size;
    }
    if (whole)
    {
        std::lock_guard<std::mutex> lock(mLock);
        ++mCompleted[request.path];
    }
    ::shutdown(connection, SHUT_WR);
    // Let the client read to the end before the socket goes (an early close would reset it).
    while (::recv(connection, buffer, sizeof(buffer), 0) > 0)
    {
    }
    std::lock_guard<std::mutex> lock(mLock);
    mConnections.erase(std::find(mConnections.begin(), mConnections.end(), connection));
    ::close(connection);
}
} // namespace Corvane::Testing
