// Interning cost against a plain std::unordered_map<std::string, ...> lookup (the peer), for
// names that are already in the table (the common case: cached getters and layout loads).
#include "Label.h"

#include <benchmark/benchmark.h>

#include <string>
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

void BM_LabelInternExisting(benchmark::State& state)
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
BENCHMARK(BM_LabelInternExisting);

void BM_UnorderedMapLookup(benchmark::State& state)
{
    const auto names = MakeNames(1000);
    std::unordered_map<std::string, int> map;
    for (const auto& name : names)
        map.emplace(name, 0);
    std::size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(map.find(names[i].c_str()));
        i = (i + 1) % names.size();
    }
}
BENCHMARK(BM_UnorderedMapLookup);
} // namespace
