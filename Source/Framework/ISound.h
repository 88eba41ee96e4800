// A sound resource: what to play and how by default. Owned by the resource manager (the audio
// platform's "sound" and "randomsound" factories make them); players only borrow it. Main thread,
// except while its factory builds it on the loader thread.
#pragma once

#include "Label.h"

namespace Corvane
{
class IReferenced;

class ISound
{
public:
    virtual ~ISound() = default;
    // The control group it plays under: "Effect", "Music", "Ambient" or another category.
    virtual Label GetCategory() = 0;
    // 0 to 1.
    virtual float GetVolume() = 0;
    // A factor on the file's own sample rate, above 0.
    virtual float GetRate() = 0;
    // -1 left to 1 right.
    virtual float GetPan() = 0;
    // How many times a play runs; 0 without end.
    virtual int GetLoopCount() = 0;
    // The platform's decoded data behind the sound, with a reference for the caller; null when it
    // has none.
    virtual IReferenced* GetData() = 0;
};
} // namespace Corvane
