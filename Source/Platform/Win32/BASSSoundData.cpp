#include "Platform/Win32/BASSSoundData.h"

#include "Debug.h"
#include "FileLocation.h"
#include "Framework/ResourceProblems.h"
#include "Framework/ResourceFiles.h"
#include "Platform/Compat/Audio/AudioOutputControl.h"
#include "Platform/Compat/Audio/Bass.h"
#include "Platform/Win32/BASSLibrary.h"
#include "RandomStream.h"
#include "StreamUtil.h"

namespace Corvane
{
const wchar_t* const kBASSSoundExtensions[11] = {L".ogg", L".mp3", L".wav", L".aif", L".mod", L".s3m",
                                                 L".xm",  L".it",  L".mo3", L".mtm", L".umx"};

namespace
{
class BASSStreamData final : public BASSSoundFile
{
public:
    explicit BASSStreamData(std::vector<std::uint8_t> bytes) : mBytes(std::move(bytes))
    {
        mChannel = BASS_StreamCreateFile(TRUE, mBytes.data(), 0, mBytes.size(), 0);
        if (mChannel == 0)
            DebugPrint("BASS_StreamCreateFile error: %d\n", BASS_ErrorGetCode());
        else
            ReadNaturalRate();
    }
    ~BASSStreamData() override
    {
        // After the library's shut-down its streams are gone already.
        if (mChannel != 0 && IsBASSInitialized())
        {
            BASS_StreamFree(mChannel);
            CheckBASSError("BASS_StreamFree(m_hstream)");
        }
    }

private:
    std::vector<std::uint8_t> mBytes; // read by the library until the stream is freed
};

class BASSMusicData final : public BASSSoundFile
{
public:
    BASSMusicData(const std::uint8_t* bytes, std::size_t size)
    {
        mChannel = BASS_MusicLoad(TRUE, bytes, 0, static_cast<DWORD>(size), 0, 0);
        if (mChannel == 0)
            DebugPrint("BASS_MusicLoad error: %d\n", BASS_ErrorGetCode());
        else
            ReadNaturalRate();
    }
    ~BASSMusicData() override
    {
        if (mChannel != 0 && IsBASSInitialized())
        {
            BASS_MusicFree(mChannel);
            CheckBASSError("BASS_MusicFree(m_hmusic)");
        }
    }
};

// The file's bytes, or false when it cannot be read whole.
bool ReadSoundFile(IStream& stream, std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint8_t> storage;
    const StreamBytes read = ReadAllBytes(stream, storage);
    if (!read.complete)
        return false;
    if (read.data == storage.data())
        bytes = std::move(storage);
    else
        bytes.assign(read.data, read.data + read.size);
    return true;
}
} // namespace

void BASSSoundFile::ReadNaturalRate()
{
    DWORD rate = 0;
    BASS_ChannelGetAttributes(mChannel, &rate, nullptr, nullptr);
    if (CheckBASSError("BASS_ChannelGetAttributes(mBassChannel, &mNaturalSamplePlaybackRate, NULL, NULL)"))
        mNaturalRate = static_cast<int>(rate);
}

bool BASSSoundData::Pick(BASSSoundPick& pick)
{
    const int count = GetFileCount();
    if (count == 0)
        return false;
    IRandomNumberStream* random = GetCurrentRandomStream();
    int index = random ? RandomInt(*random, 0, count - 1) : (mPrevious + 1) % count;
    while (random && count >= 3 && index == mPrevious)
        index = RandomInt(*random, 0, count - 1);
    mPrevious = index;
    const BASSSoundFile& file = *mFiles[static_cast<std::size_t>(index)];
    pick = {file.GetChannel(), file.GetNaturalRate()};
    return true;
}

std::shared_ptr<BASSSoundFile> LoadBASSSoundFile(const std::wstring& src)
{
    if (!IsBASSInitialized())
        return nullptr;
    for (int kind = 0; kind < 11; ++kind)
    {
        const wchar_t* extension = kBASSSoundExtensions[kind];
        FileLocation location;
        if (!MakeResourceLocation(src, extension, location))
            return nullptr;
        ResourceStream stream{OpenResourceStream(location)};
        if (!stream)
            continue;
        // The first file there is the sound's, whatever happens next.
        std::vector<std::uint8_t> bytes;
        if (!ReadSoundFile(*stream, bytes))
        {
            ReportResourceLoss("Sound file %ls%ls could not be read.\n", src.c_str(), extension);
            return nullptr;
        }
        stream.reset();
        std::shared_ptr<BASSSoundFile> file;
        if (kind < kBASSSampledExtensions)
            file = std::make_shared<BASSStreamData>(std::move(bytes));
        else
            file = std::make_shared<BASSMusicData>(bytes.data(), bytes.size());
        if (file->GetChannel() == 0)
            ReportResourceLoss("Sound file %ls%ls plays nothing: %s\n", src.c_str(), extension,
                               Compat::Audio::GetLastAudioErrorDetail().c_str());
        return file;
    }
    ReportResourceLoss("Sound %ls was not found.\n", src.c_str());
    return nullptr;
}
} // namespace Corvane
