// The data behind a sound resource: its loaded files in order, each a stream (a sampled file whose
// bytes the library keeps reading until the stream is freed) or a music (a tracker module, whose
// bytes go once it is loaded). A file hands out one library channel handle, the same on every
// play, so channels playing one file share it: stopping one stops the others. A pick for a play
// chooses a file at random, never the previous one when there are three or more.
#pragma once

#include "Referenced.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
// One loaded file: its library handle (0 when the library could not load it) and the rate it
// plays at by itself.
class BASSSoundFile
{
public:
    virtual ~BASSSoundFile() = default;
    std::uint32_t GetChannel() const { return mChannel; }
    int GetNaturalRate() const { return mNaturalRate; }

protected:
    // Reads the handle's rate while nothing has changed it yet.
    void ReadNaturalRate();

    std::uint32_t mChannel = 0;
    int mNaturalRate = 0;
};

// What a play gets from the data.
struct BASSSoundPick
{
    std::uint32_t channel = 0;
    int naturalRate = 0;
};

class BASSSoundData : public Referenced<IReferenced>
{
public:
    void Add(std::shared_ptr<BASSSoundFile> file) { mFiles.push_back(std::move(file)); }
    int GetFileCount() const { return static_cast<int>(mFiles.size()); }
    // Draws the file of the next play from the current random stream; false without files.
    bool Pick(BASSSoundPick& pick);

private:
    std::vector<std::shared_ptr<BASSSoundFile>> mFiles;
    int mPrevious = -1;
};

// The extensions a sound's "src" is looked up with, in order: four sampled formats, then seven
// tracker formats.
extern const wchar_t* const kBASSSoundExtensions[11];
constexpr int kBASSSampledExtensions = 4;

// Loads the file of a sound's "src" (the first of src + extension that exists in partition 1).
// Null when the library is not initialised, no file exists or it cannot be read; a file that was
// read but that the library could not load gives a file without handle, after a debug message.
// Loader thread.
std::shared_ptr<BASSSoundFile> LoadBASSSoundFile(const std::wstring& src);
} // namespace Corvane
