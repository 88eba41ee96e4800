// The open-addressing table behind Corvane::Label: slots point into an entry array kept in
// insertion order, texts are copied into a 64 KB arena (or a heap block once it is full), and the
// table doubles when three quarters full, re-inserting in insertion order so handles never move.
// Not locked: Label serialises access to the one process-wide instance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Corvane::Internal
{
class LabelTable
{
public:
    static constexpr int kInitialCapacity = 16;
    static constexpr std::size_t kArenaSize = 65536;

    LabelTable();
    ~LabelTable();
    LabelTable(const LabelTable&) = delete;
    LabelTable& operator=(const LabelTable&) = delete;

    // The stored text equal to name ignoring ASCII case, adding a copy of name when there is none.
    const char* Intern(const char* name);

    int GetCapacity() const { return mCapacity; }
    int GetUsed() const { return mUsed; }
    bool InArena(const char* text) const { return text >= mArena && text < mArena + kArenaSize; }

private:
    struct Entry
    {
        const char* key;
        const char* value;
    };

    void Allocate(int capacity);
    int Probe(const char* name) const;
    void Insert(const char* text);
    void Place(const char* text);
    void Grow();
    const char* Copy(const char* name);

    int mCapacity = 0;
    int mUsed = 0;
    int mDeleted = 0; // the table never removes, so this stays 0
    std::uint32_t mMask = 0;
    std::unique_ptr<Entry*[]> mSlots;
    std::unique_ptr<Entry[]> mEntries;
    char mArena[kArenaSize];
    std::size_t mArenaFill = 0;
};
} // namespace Corvane::Internal
