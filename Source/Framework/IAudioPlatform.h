// The audio platform: created by the application once the platform exists, stored engine-wide by
// its constructor and released by its destructor. The operations the engine's start-up, loop,
// shut-down and window call, then those of sound playing: channels, the tree of controls (root,
// master, one node per category) and the guard against the same sound starting twice at once.
// Main thread.
#pragma once

#include "EngineWide.h"
#include "Label.h"

namespace Corvane
{
class IAudioControls;
class ISound;
class ISoundChannel;

class IAudioPlatform
{
public:
    // Clears the engine-wide pointer when it still points here.
    virtual ~IAudioPlatform() { ReleaseInstance(this); }
    virtual Label GetName() = 0;
    // At start, before the first manifest is read: opens the device and registers the sound
    // resource factories.
    virtual void Init() = 0;
    // At shut-down: releases the channels and the device.
    virtual void Shutdown() = 0;
    // Plays (true) or pauses (false) all sound, as the application gains or loses the foreground.
    virtual void SetActive(bool active) = 0;
    // Every fixed update, dt in seconds.
    virtual void Update(float dt) = 0;
    // A new idle channel, with a reference for the caller.
    virtual ISoundChannel* CreateChannel() = 0;
    // The master node, with a reference for the caller.
    virtual IAudioControls* GetMasterControls() = 0;
    // The category's node (made under the master at volume 0.5 when missing), with a reference
    // for the caller.
    virtual IAudioControls* GetCategoryControls(Label category) = 0;
    // A new node under parent (null: under the root), with a reference for the caller.
    virtual IAudioControls* CreateControls(IAudioControls* parent) = 0;
    // A channel is playing sound and started no more than milliseconds ago.
    virtual bool WasStartedRecently(ISound* sound, int milliseconds) = 0;

    static IAudioPlatform* GetInstance() { return Internal::EngineWide<IAudioPlatform>::Get(); }
    static void ReleaseInstance(IAudioPlatform* instance) { Internal::EngineWide<IAudioPlatform>::Release(instance); }

protected:
    // Implementations store themselves as the engine's audio platform.
    IAudioPlatform() { Internal::EngineWide<IAudioPlatform>::Set(this); }
};
} // namespace Corvane
