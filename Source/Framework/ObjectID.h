// The handle of an object in its database: slot index in the low 16 bits, the slot's generation
// in the high 16 bits; -1 is none. Generations run 1 to 65,535 and wrap to 1, so 0 is never given
// out. The arithmetic is unsigned (generations from 32,768 on give negative handles, which is
// fine), and a database has at most 65,535 slots so that slot 65,535 with generation 65,535, whose
// bits are those of -1, cannot occur.
#pragma once

#include <cstdint>

namespace Corvane
{
using ObjectID = std::int32_t;

inline constexpr ObjectID kNoObject = -1;

namespace Internal
{
inline constexpr std::uint32_t kMaxObjectSlots = 65535;
inline constexpr std::uint32_t kMaxGeneration = 65535;

constexpr ObjectID MakeObjectID(std::uint32_t slot, std::uint32_t generation)
{
    return static_cast<ObjectID>((generation << 16) | (slot & 0xFFFFu));
}
constexpr std::uint32_t SlotOf(ObjectID id)
{
    return static_cast<std::uint32_t>(id) & 0xFFFFu;
}
constexpr std::uint32_t GenerationOf(ObjectID id)
{
    return static_cast<std::uint32_t>(id) >> 16;
}
// The generation after g: 1 after 65,535. A slot never used holds the id -1, whose generation
// bits read 65,535, so its first occupant gets generation 1.
constexpr std::uint32_t NextGeneration(std::uint32_t g)
{
    return (g & 0xFFFFu) >= kMaxGeneration ? 1 : (g & 0xFFFFu) + 1;
}
} // namespace Internal
} // namespace Corvane
