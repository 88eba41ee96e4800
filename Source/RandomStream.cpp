#include "RandomStream.h"

#include "BoostRandomNumberStream.h"

#include <cmath>
#include <cstdint>
#include <ctime>
#include <map>
#include <vector>

namespace Corvane
{
namespace
{
std::map<int, IRandomNumberStream*> gStreams;
std::vector<IRandomNumberStream*> gCurrent;
} // namespace

void CreateRandomStreams()
{
    DeleteRandomStreams();
    for (int n = 0; n < 3; ++n)
        gStreams[n] = new BoostRandomNumberStream(static_cast<unsigned>(std::time(nullptr)));
    gCurrent.push_back(gStreams[0]);
}

void DeleteRandomStreams()
{
    gCurrent.clear();
    for (int n = 0; n < 3; ++n)
    {
        auto it = gStreams.find(n);
        if (it == gStreams.end())
            continue;
        delete it->second;
        gStreams.erase(it);
    }
}

IRandomNumberStream* GetRandomStream(int n)
{
    auto it = gStreams.find(n);
    return it == gStreams.end() ? nullptr : it->second;
}

bool SeedRandomStream(int n, unsigned seed)
{
    // Restarted in place: whoever holds the stream keeps a valid pointer.
    auto* stream = dynamic_cast<BoostRandomNumberStream*>(GetRandomStream(n));
    if (!stream)
        return false;
    stream->Reseed(seed);
    return true;
}

void PushRandomStream(IRandomNumberStream* stream)
{
    gCurrent.push_back(stream);
}

void PopRandomStream()
{
    if (gCurrent.size() > 1)
        gCurrent.pop_back();
}

IRandomNumberStream* GetCurrentRandomStream()
{
    return gCurrent.empty() ? nullptr : gCurrent.back();
}
} // namespace Corvane

int RandomInt(Corvane::IRandomNumberStream& stream, int lo, int hi)
{
    // One draw in every case, so a sequence of draws does not depend on the ranges asked for.
    const double r = stream.NextFloat();
    const std::int64_t span = static_cast<std::int64_t>(hi) - lo + 1;
    if (span <= 0)
        return lo;
    // r < 1 and span <= 2^32, so the product stays well below span; the clamp only guards it.
    std::int64_t offset = static_cast<std::int64_t>(std::floor(r * static_cast<double>(span)));
    if (offset >= span)
        offset = span - 1;
    return static_cast<int>(lo + offset);
}
