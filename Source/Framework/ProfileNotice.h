// What the player is told about the files of their profiles: an error box captioned with the
// product's name, its text also on the debug output. A failure they must know about is never
// silent, but one step that writes many values (the settings saved at a profile change or at
// shut-down) tells its failure once. Main thread.
#pragma once

#include <string>

namespace Corvane
{
// A save of a profile failed; failure is the file's full path and the reason, on two lines.
// Shown at once, or, inside a batch, when the outermost batch ends (the first failure of it).
void ReportProfileSaveFailure(const std::wstring& failure);
// Anything else the player must know about a profile file (a copy kept, a file left out): shown at
// once.
void TellPlayerAboutProfiles(const std::wstring& text);

// A save of the program's last save batch failed (what failed is in the log).
bool LastSaveFailed();

// Gathers the save failures of one step into one box.
class ProfileSaveBatch
{
public:
    enum Kind
    {
        kDuringPlay,
        // The program's last save: nothing is tried again after it.
        kLastSave,
    };

    explicit ProfileSaveBatch(Kind kind = kDuringPlay);
    // Shows the batch's first failure when it is the outermost batch.
    ~ProfileSaveBatch();
    ProfileSaveBatch(const ProfileSaveBatch&) = delete;
    ProfileSaveBatch& operator=(const ProfileSaveBatch&) = delete;

private:
    Kind mKind;
};
} // namespace Corvane
