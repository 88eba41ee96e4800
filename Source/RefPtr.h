// A holder of one reference to an intrusively counted object (Referenced.h): copying adds a
// reference, destruction releases it. Operations that hand out a new reference ("with a
// reference for the caller") are taken over with Adopt, so the count is not raised twice.
#pragma once

#include <utility>

namespace Corvane
{
template <typename T> class RefPtr
{
public:
    RefPtr() = default;
    // Adds a reference of its own to object (null is allowed); implicit, so a plain pointer can be
    // passed where a holder is expected.
    RefPtr(T* object) : mObject(object)
    {
        if (mObject)
            mObject->AddRef();
    }
    RefPtr(const RefPtr& other) : RefPtr(other.mObject) {}
    RefPtr(RefPtr&& other) noexcept : mObject(std::exchange(other.mObject, nullptr)) {}
    ~RefPtr() { Reset(); }

    RefPtr& operator=(RefPtr other) noexcept
    {
        std::swap(mObject, other.mObject);
        return *this;
    }

    // Takes over a reference the caller already owns.
    static RefPtr Adopt(T* object)
    {
        RefPtr holder;
        holder.mObject = object;
        return holder;
    }

    T* Get() const { return mObject; }
    T* operator->() const { return mObject; }
    T& operator*() const { return *mObject; }
    explicit operator bool() const { return mObject != nullptr; }

    // Hands the reference to the caller, who releases it; the holder is empty afterwards.
    T* Detach() { return std::exchange(mObject, nullptr); }
    void Reset()
    {
        if (T* object = std::exchange(mObject, nullptr))
            object->Release();
    }

private:
    T* mObject = nullptr;
};
} // namespace Corvane
