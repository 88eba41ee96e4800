// The teardown list of engine singletons. Each singleton registers an entry for itself when it is
// created; DestroySingletons, near the end of shutdown, destroys every registered one. The order
// among singletons is not meaningful: no singleton's destructor may rely on another.
#pragma once

namespace Corvane::Internal
{
class SingletonDestructor
{
public:
    // Registers this entry (from any thread).
    SingletonDestructor();
    // Unregisters this entry when the list still exists.
    virtual ~SingletonDestructor();
    SingletonDestructor(const SingletonDestructor&) = delete;
    SingletonDestructor& operator=(const SingletonDestructor&) = delete;

    // Destroys the singleton and this entry.
    virtual void Destroy() = 0;
};

template <typename T> class AutoDeleteSingletonDestructor final : public SingletonDestructor
{
public:
    explicit AutoDeleteSingletonDestructor(T* instance) : mInstance(instance) {}

    void Destroy() override
    {
        delete mInstance;
        delete this;
    }

private:
    T* mInstance;
};

// The entry of a singleton that may also be deleted directly (tests build and delete their own):
// the singleton keeps the entry and deletes it in its destructor, which unregisters it, so the
// teardown never deletes the singleton a second time.
template <typename T> class OwnedSingletonDestructor final : public SingletonDestructor
{
public:
    explicit OwnedSingletonDestructor(T* instance) : mInstance(instance) {}

    // T's destructor deletes this entry.
    void Destroy() override { delete mInstance; }

private:
    T* mInstance;
};

// Destroys the registered singletons one by one (lowest entry address first), then the list.
// Main thread, after every other thread has ended.
void DestroySingletons();

// Number of registered entries (0 when there is no list).
int CountSingletons();
} // namespace Corvane::Internal
