#include "LabelTable.h"

#include "Label.h"
#include "TextConversion.h"

#include <cstring>

namespace Corvane::Internal
{
namespace
{
bool EqualNoCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (ToUpperAscii(*a) != ToUpperAscii(*b))
            return false;
    return *a == *b;
}
} // namespace

LabelTable::LabelTable()
{
    Allocate(kInitialCapacity);
}

LabelTable::~LabelTable()
{
    for (int i = mUsed - 1; i >= 0; --i)
        if (!InArena(mEntries[i].key))
            delete[] mEntries[i].key;
}

const char* LabelTable::Intern(const char* name)
{
    if (const Entry* found = mSlots[Probe(name)])
        return found->value;
    const char* copy = Copy(name);
    Insert(copy);
    return copy;
}

void LabelTable::Allocate(int capacity)
{
    mCapacity = capacity;
    mMask = static_cast<std::uint32_t>(capacity - 1);
    mSlots = std::make_unique<Entry*[]>(static_cast<std::size_t>(capacity));
    mEntries = std::make_unique<Entry[]>(static_cast<std::size_t>(capacity));
    mUsed = 0;
    mDeleted = 0;
}

int LabelTable::Probe(const char* name) const
{
    std::uint32_t h = HashNoCase(name);
    for (;;)
    {
        std::uint32_t i = h & mMask;
        if (i >= static_cast<std::uint32_t>(mCapacity))
            i -= static_cast<std::uint32_t>(mCapacity);
        const Entry* entry = mSlots[i];
        if (!entry || EqualNoCase(entry->key, name))
            return static_cast<int>(i);
        h = ~(h >> 8) ^ (h * 1987u);
    }
}

void LabelTable::Insert(const char* text)
{
    if ((mUsed + mDeleted + 1) * 128 >= mCapacity * 96)
        Grow();
    Place(text);
}

void LabelTable::Place(const char* text)
{
    Entry& entry = mEntries[mUsed++];
    entry = {text, text};
    mSlots[Probe(text)] = &entry;
}

void LabelTable::Grow()
{
    const int oldUsed = mUsed;
    std::unique_ptr<Entry[]> oldEntries = std::move(mEntries);
    Allocate(mCapacity * 2);
    for (int i = 0; i < oldUsed; ++i)
        Place(oldEntries[i].key);
}

const char* LabelTable::Copy(const char* name)
{
    const std::size_t n = std::strlen(name) + 1;
    char* copy;
    if (n <= kArenaSize - mArenaFill)
    {
        copy = mArena + mArenaFill;
        mArenaFill += n;
    }
    else
        copy = new char[n];
    std::memcpy(copy, name, n);
    return copy;
}
} // namespace Corvane::Internal
