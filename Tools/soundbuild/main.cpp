// soundbuild: makes the game's sounds as OGG Vorbis.
//
//   soundbuild score Data/Sounds/UI/ButtonHot.score Sounds/UI/ButtonHot.ogg
//       renders a text score (Score.h) with the synthesiser
//   soundbuild voice spoken.wav Voices/VO_Veyla_Begin.ogg
//       turns a line spoken by espeak-ng into a voice cue: silence trimmed, level evened
#include "Score.h"
#include "SoundFiles.h"
#include "Synth.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace Corvane::SoundBuild;

namespace
{
// Vorbis quality: small files, and these sounds are simple.
constexpr double kEffectQuality = 0.3;
constexpr double kVoiceQuality = 0.4;
} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: soundbuild score IN.score OUT.ogg\n       soundbuild voice IN.wav OUT.ogg\n");
        return 2;
    }
    const std::string command = argv[1];
    try
    {
        if (command == "score")
        {
            const Score score = ReadScore(argv[2]);
            WriteOgg({score.rate, Render(score)}, argv[3], kEffectQuality);
        }
        else if (command == "voice")
            WriteOgg(PrepareVoice(ReadSamples(argv[2])), argv[3], kVoiceQuality);
        else
        {
            std::fprintf(stderr, "soundbuild: unknown command %s\n", command.c_str());
            return 2;
        }
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "soundbuild: %s\n", error.what());
        return 1;
    }
}
