// Intrusive reference counting for objects shared between owners (load jobs, transfers, images,
// textures, sounds, channels). Objects start with one reference, held by their creator.
#pragma once

#include <atomic>

namespace Corvane
{
class IReferenced
{
public:
    virtual ~IReferenced() = default;
    virtual void AddRef() = 0;
    // Lowers the count and deletes the object when it reaches 0.
    virtual void Release() = 0;
};

// Implements the counting of an interface derived from IReferenced; the count is atomic so
// references may be taken and dropped on different threads.
template <typename Interface = IReferenced> class Referenced : public Interface
{
public:
    void AddRef() override { mReferences.fetch_add(1, std::memory_order_relaxed); }
    void Release() override
    {
        if (mReferences.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }
    int GetReferenceCount() const { return mReferences.load(std::memory_order_relaxed); }

protected:
    using Interface::Interface;

private:
    std::atomic<int> mReferences{1};
};
} // namespace Corvane
