#include "Singleton.h"

#include <mutex>
#include <set>

namespace Corvane::Internal
{
namespace
{
// Registration may come from the loader thread (the download manager registers on its first
// request) while the main thread registers others, so the list has a lock of its own.
std::mutex& RegistryLock()
{
    static std::mutex* lock = new std::mutex; // outlives every static destructor
    return *lock;
}

std::set<SingletonDestructor*>* gRegistry = nullptr;
} // namespace

SingletonDestructor::SingletonDestructor()
{
    std::lock_guard<std::mutex> lock(RegistryLock());
    if (!gRegistry)
        gRegistry = new std::set<SingletonDestructor*>;
    gRegistry->insert(this);
}

SingletonDestructor::~SingletonDestructor()
{
    std::lock_guard<std::mutex> lock(RegistryLock());
    if (gRegistry)
        gRegistry->erase(this);
}

void DestroySingletons()
{
    for (;;)
    {
        SingletonDestructor* first = nullptr;
        {
            std::lock_guard<std::mutex> lock(RegistryLock());
            if (!gRegistry)
                return;
            if (gRegistry->empty())
            {
                delete gRegistry;
                gRegistry = nullptr;
                return;
            }
            first = *gRegistry->begin();
            gRegistry->erase(gRegistry->begin());
        }
        // Outside the lock: a destructor may register or unregister other entries.
        first->Destroy();
    }
}

int CountSingletons()
{
    std::lock_guard<std::mutex> lock(RegistryLock());
    return gRegistry ? static_cast<int>(gRegistry->size()) : 0;
}
} // namespace Corvane::Internal
