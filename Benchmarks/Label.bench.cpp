// Interning a name that is already in the table (the common case: cached getters and layout loads)
// against the peer: the same work done with the standard library, a name given as a C string
// looked up without a copy (a transparent hash) in a std::unordered_map<std::string, int> under a
// std::mutex, as the label table is shared by every thread. Names end in /Corvane or /Peer.
//
//   build-rel/Benchmarks/label_benchmark
#include "Label.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace
{
std::vector<std::string> MakeNames(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("SceneNode_" + std::to_string(i) + "_Button");
    return names;
}

void LabelIntern(benchmark::State& state)
{
    const auto names = MakeNames(1000);
    for (const auto& name : names)
        Corvane::Label::Intern(name.c_str());
    std::size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(Corvane::Label::Intern(names[i].c_str()));
        i = (i + 1) % names.size();
    }
}
BENCHMARK(LabelIntern)->Name("LabelIntern/Existing/Corvane");

struct NameHash : std::hash<std::string_view>
{
    using is_transparent = void;
};

void MapLookup(benchmark::State& state)
{
    const auto names = MakeNames(1000);
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> map;
    for (const auto& name : names)
        map.emplace(name, 0);
    std::mutex lock;
    std::size_t i = 0;
    for (auto _ : state)
    {
        const std::lock_guard<std::mutex> held(lock);
        benchmark::DoNotOptimize(map.find(std::string_view(names[i].c_str())));
        i = (i + 1) % names.size();
    }
}
BENCHMARK(MapLookup)->Name("LabelIntern/Existing/Peer");
} // namespace
