// A 20 MB file from a server on 127.0.0.1: the engine's HTTP stream (the network platform over
// the WinINet layer) against libcurl's own plain transfer of the same file (the peer), and the
// table of contents' checksum over 20 MB in memory. Throughput is bytes per second:
//   build-rel/Benchmarks/http_stream_benchmark --benchmark_min_time=2
#include "Framework/ResourceChecksum.h"
#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Win32/Win32NetworkPlatform.h"
#include "Stream.h"
#include "Support/TestHttpServer.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
using Response = Corvane::Testing::TestHttpServer::Response;

constexpr std::size_t kFileSize = 20 * 1024 * 1024;

const std::string& FileBytes()
{
    static const std::string bytes = [] {
        std::mt19937 random(3);
        std::string data(kFileSize, '\0');
        for (char& c : data)
            c = static_cast<char>(random());
        return data;
    }();
    return bytes;
}

Corvane::Testing::TestHttpServer& Server()
{
    static Corvane::Testing::TestHttpServer* server = [] {
        SetDebugOutputSink([](const char*) {}); // one log line per request would time the terminal
        auto* made = new Corvane::Testing::TestHttpServer;
        made->Serve("/big.bin", Response::Body(FileBytes()).InChunks(1024 * 1024));
        return made;
    }();
    return *server;
}

// Reads the whole stream in pieces of the given size; the engine's download copy reads 1 KB.
void EngineStream(benchmark::State& state)
{
    Corvane::Win32NetworkPlatform network;
    const std::wstring url = Server().WideUrl("/big.bin");
    std::vector<char> buffer(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
    {
        const std::unique_ptr<Corvane::IStream> stream(network.OpenHTTPStream(url.c_str()));
        std::size_t total = 0;
        while (!stream->IsEOF())
        {
            const unsigned read = stream->Read(buffer.data(), static_cast<unsigned>(buffer.size()));
            if (read == 0)
                break;
            total += read;
        }
        if (total != kFileSize)
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(EngineStream)->Arg(1024)->Arg(64 * 1024)->Unit(benchmark::kMillisecond)->UseRealTime();

std::size_t Discard(char*, std::size_t size, std::size_t count, void* total)
{
    *static_cast<std::size_t*>(total) += size * count;
    return size * count;
}

// The peer: libcurl fetching the same file into a callback that only counts.
void CurlPlain(benchmark::State& state)
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
    const std::string url = Server().Url("/big.bin");
    for (auto _ : state)
    {
        CURL* curl = curl_easy_init();
        std::size_t total = 0;
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Discard);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &total);
        curl_easy_perform(curl);
        curl_easy_cleanup(curl);
        if (total != kFileSize)
            state.SkipWithError("short read");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(CurlPlain)->Unit(benchmark::kMillisecond)->UseRealTime();

void Checksum(benchmark::State& state)
{
    const std::string& bytes = FileBytes();
    for (auto _ : state)
        benchmark::DoNotOptimize(Corvane::ComputeChecksum(bytes.data(), bytes.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(Checksum)->Unit(benchmark::kMillisecond);

// Text files are summed over their non-space bytes.
void TextChecksum(benchmark::State& state)
{
    const std::string& bytes = FileBytes();
    for (auto _ : state)
    {
        Corvane::ResourceChecksum checksum;
        checksum.AddNonSpace(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(checksum.Get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kFileSize);
}
BENCHMARK(TextChecksum)->Unit(benchmark::kMillisecond);
} // namespace
