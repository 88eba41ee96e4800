// One engine-wide pointer per platform object (application, platform, graphics platform, audio
// platform, file source). The object's constructor stores itself; its destructor releases the
// pointer, which is cleared only when it still points to that object. Main thread only.
#pragma once

namespace Corvane::Internal
{
template <typename T> class EngineWide
{
public:
    static T* Get() { return sInstance; }
    static void Set(T* instance) { sInstance = instance; }
    static void Release(T* instance)
    {
        if (sInstance == instance)
            sInstance = nullptr;
    }

private:
    static inline T* sInstance = nullptr;
};
} // namespace Corvane::Internal
