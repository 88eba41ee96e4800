// Mixing sound. "MixVoices/8" and "MixVoices/32" mix one second of 44.1 kHz stereo from that many
// playing voices of a 16-bit WAV (each decoded as it plays, as streams are), each with its own
// volume, pan and a changed rate, through the audio library's mixer (its null output, as the
// audio thread would); "MixModule" mixes one second
// of a tracker module. The peer "SumBuffers/32" adds 32 ready float buffers into one, the least any
// mixer must do. The counter "x_real_time" is seconds of sound mixed per second of work; the
// counter "allocations" is the operator new calls made while mixing one second of sound.
//
//   build-rel/Benchmarks/audio_benchmark --benchmark_min_time=0.5
#include "Platform/Compat/Audio/AudioOutputControl.h"
#include "Platform/Compat/Audio/Bass.h"
#include "Support/SoundFiles.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <list>
#include <new>
#include <vector>

namespace
{
std::atomic<long> gAllocations{0};
} // namespace

// Counting replacements of the global allocation functions (on malloc, which GCC cannot see pair
// with them).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop

namespace
{
constexpr int kRate = 44100;

// The library open on its null output for the benchmark's run.
class Library
{
public:
    Library()
    {
        Compat::Audio::UseNullAudioOutput({});
        BASS_Init(-1, kRate, 0, nullptr, nullptr);
    }
    ~Library() { BASS_Free(); }

    DWORD Stream(const std::string& bytes)
    {
        mFiles.push_back(bytes);
        return BASS_StreamCreateFile(TRUE, mFiles.back().data(), 0, mFiles.back().size(), 0);
    }

private:
    std::list<std::string> mFiles;
};

void Report(benchmark::State& state, long allocations)
{
    state.counters["x_real_time"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

void MixVoices(benchmark::State& state)
{
    Library library;
    const std::string wav = Corvane::Testing::EncodeTone({kRate, 2, 441.0, 2.0, 0.2f, 0.2f}, "wav");
    std::vector<DWORD> voices;
    for (int i = 0; i < state.range(0); ++i)
    {
        const DWORD voice = library.Stream(wav);
        BASS_ChannelSetAttributes(voice, kRate + 441 * (i % 30 + 1), 40 + i % 60, i % 201 - 100);
        voices.push_back(voice);
    }
    std::vector<float> mix(2 * kRate);
    long allocations = 0;
    for (auto _ : state)
    {
        for (DWORD voice : voices)
            BASS_ChannelPlay(voice, TRUE);
        const long before = gAllocations.load();
        Compat::Audio::MixNullAudioOutput(mix.data(), kRate);
        allocations += gAllocations.load() - before;
        benchmark::DoNotOptimize(mix.data());
    }
    Report(state, allocations);
}
BENCHMARK(MixVoices)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

void MixModule(benchmark::State& state)
{
    Library library;
    const std::string module = Corvane::Testing::MakeTrackerModule();
    const DWORD music = BASS_MusicLoad(TRUE, module.data(), 0, static_cast<DWORD>(module.size()), 0, 0);
    std::vector<float> mix(2 * kRate);
    long allocations = 0;
    for (auto _ : state)
    {
        BASS_ChannelPlay(music, TRUE);
        const long before = gAllocations.load();
        Compat::Audio::MixNullAudioOutput(mix.data(), kRate);
        allocations += gAllocations.load() - before;
        benchmark::DoNotOptimize(mix.data());
    }
    Report(state, allocations);
}
BENCHMARK(MixModule)->Unit(benchmark::kMillisecond);

void SumBuffers(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::vector<std::vector<float>> buffers(count, std::vector<float>(2 * kRate, 0.01f));
    std::vector<float> mix(2 * kRate);
    for (auto _ : state)
    {
        std::fill(mix.begin(), mix.end(), 0.0f);
        for (const std::vector<float>& buffer : buffers)
            for (std::size_t i = 0; i < mix.size(); ++i)
                mix[i] += buffer[i];
        benchmark::DoNotOptimize(mix.data());
    }
    Report(state, 0);
}
BENCHMARK(SumBuffers)->Arg(32)->Unit(benchmark::kMillisecond);
} // namespace
