// The base of every object that holds device memory (the Direct3D textures). All of them are
// known to the display, which tells them to drop their surfaces when it releases its device and
// to rebuild what they need after a new set-up. Main thread.
#pragma once

namespace Corvane
{
class DisplayResource
{
public:
    // Drops the device objects (the device is about to go).
    virtual void ReleaseSurfaces() = 0;
    // The device was set up again.
    virtual void RestoreSurfaces() = 0;
    virtual ~DisplayResource();

    // ReleaseSurfaces / RestoreSurfaces on every resource, in the order of their addresses.
    static void ReleaseAll();
    static void RestoreAll();

protected:
    DisplayResource();
    DisplayResource(const DisplayResource&) = delete;
    DisplayResource& operator=(const DisplayResource&) = delete;
};
} // namespace Corvane
