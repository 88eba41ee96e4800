// The data build's output, checked against its sources: every picture of Data/Art/Pictures.txt in
// the data folder at its drawing's size and in its kind's files, every score played and every
// voice cue spoken.
#include "ImageOps.h"
#include "SoundFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

using namespace Corvane;

namespace
{
const std::filesystem::path kSource = CORVANE_DATA_SOURCE;
const std::filesystem::path kOutput = CORVANE_DATA_OUTPUT;

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The width and height a drawing declares.
std::pair<int, int> DrawingSize(const std::filesystem::path& svg)
{
    std::smatch match;
    const std::string text = ReadText(svg);
    const std::regex size(R"re(<svg[^>]*\swidth="(\d+)"[^>]*\sheight="(\d+)")re");
    if (!std::regex_search(text, match, size))
        return {0, 0};
    return {std::stoi(match[1]), std::stoi(match[2])};
}

std::pair<int, int> PictureSize(const std::filesystem::path& path)
{
    const ImageBuild::Picture picture = ImageBuild::ReadPicture(path.string());
    return {picture.width, picture.height};
}

struct PictureLine
{
    std::string name;
    std::string kind;
    std::vector<std::string> drawings;
    int columns = 0;
    std::string size;
};

std::vector<PictureLine> PictureList()
{
    std::vector<PictureLine> lines;
    std::istringstream list(ReadText(kSource / "Art/Pictures.txt"));
    for (std::string line; std::getline(list, line);)
    {
        std::istringstream words(line);
        PictureLine picture;
        if (!(words >> picture.name) || picture.name[0] == '#' || !(words >> picture.kind))
            continue;
        for (std::string word; words >> word;)
        {
            if (word.rfind("columns=", 0) == 0)
                picture.columns = std::stoi(word.substr(8));
            else if (word.rfind("size=", 0) == 0)
                picture.size = word.substr(5);
            else if (word.find(".svg") != std::string::npos)
                picture.drawings.push_back(word);
        }
        lines.push_back(picture);
    }
    return lines;
}
} // namespace

TEST(DataBuild, EveryListedPictureIsMadeInItsKindsFilesAtItsDrawingsSize)
{
    const std::vector<PictureLine> pictures = PictureList();
    ASSERT_GE(pictures.size(), 10u);
    for (const PictureLine& picture : pictures)
    {
        SCOPED_TRACE(picture.name);
        ASSERT_FALSE(picture.drawings.empty());
        std::pair<int, int> size = DrawingSize(kSource / "Art" / picture.drawings[0]);
        if (!picture.size.empty())
            size = {std::stoi(picture.size), std::stoi(picture.size.substr(picture.size.find('x') + 1))};
        ASSERT_GT(size.first, 0);
        const std::filesystem::path out = kOutput / "Art" / picture.name;
        const auto file = [&](const std::string& suffix) { return std::filesystem::path(out.string() + suffix); };

        if (picture.kind == "png")
            EXPECT_EQ(PictureSize(file(".png")), size);
        else if (picture.kind == "jpeg" || picture.kind == "jpeg-masked")
        {
            EXPECT_EQ(PictureSize(file(".jpg")), size);
            EXPECT_EQ(std::filesystem::exists(file("_mask.png")), picture.kind == "jpeg-masked");
            if (picture.kind == "jpeg-masked")
            {
                EXPECT_EQ(PictureSize(file("_mask.png")), size);
            }
        }
        else if (picture.kind == "states" || picture.kind == "toggle")
        {
            // Four pictures (eight for a toggle: unchecked, then checked), no two alike: every
            // state of a control shows.
            const int count = picture.kind == "toggle" ? 8 : 4;
            std::vector<ImageBuild::Picture> states;
            for (int state = 0; state < count; ++state)
                states.push_back(ImageBuild::ReadPicture(file("_" + std::to_string(state) + ".png").string()));
            for (int a = 0; a < count; ++a)
            {
                EXPECT_EQ(std::make_pair(states[a].width, states[a].height), size);
                for (int b = a + 1; b < count; ++b)
                    EXPECT_NE(states[a].rgba, states[b].rgba) << "states " << a << " and " << b;
            }
            EXPECT_FALSE(std::filesystem::exists(file("_" + std::to_string(count) + ".png")));
        }
        else if (picture.kind == "strip")
        {
            const int count = static_cast<int>(picture.drawings.size());
            const int columns = picture.columns > 0 ? picture.columns : count;
            const int rows = (count + columns - 1) / columns;
            EXPECT_EQ(PictureSize(file(".png")), std::make_pair(size.first * columns, size.second * rows));
        }
        else
            ADD_FAILURE() << "unknown kind " << picture.kind;
    }
}

TEST(DataBuild, EveryScoreIsPlayedAndTheMenuMusicLastsExactlyItsBars)
{
    int scores = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSource / "Sounds"))
    {
        if (entry.path().extension() != ".score")
            continue;
        ++scores;
        const std::filesystem::path relative = std::filesystem::relative(entry.path(), kSource / "Sounds");
        const SoundBuild::Samples sound =
            SoundBuild::ReadSamples((kOutput / "Sounds" / relative).replace_extension(".ogg").string());
        EXPECT_EQ(sound.rate, 44100) << relative;
        EXPECT_GT(sound.mono.size(), 1000u) << relative;
    }
    EXPECT_GE(scores, 5);
    // 8 bars of 4 beats at 112 beats a minute.
    const SoundBuild::Samples music = SoundBuild::ReadSamples((kOutput / "Sounds/Music/MainMenu.ogg").string());
    EXPECT_EQ(music.mono.size(), std::size_t(std::lround(32 * 60.0 / 112.0 * 44100)));
}

TEST(DataBuild, EveryVoiceCueIsSpokenAndStartsAtOnce)
{
    std::istringstream list(ReadText(kSource / "Voices/Voices.txt"));
    int cues = 0;
    for (std::string line; std::getline(list, line);)
    {
        std::istringstream words(line);
        std::string cue;
        if (!(words >> cue) || cue[0] == '#' || cue == "speaker")
            continue;
        ++cues;
        const SoundBuild::Samples voice = SoundBuild::ReadSamples((kOutput / "Voices" / (cue + ".ogg")).string());
        // Words of a second or so, their first sound within 50 ms.
        EXPECT_GT(voice.mono.size(), std::size_t(voice.rate / 2)) << cue;
        std::size_t first = 0;
        while (first < voice.mono.size() && std::fabs(voice.mono[first]) < 0.02f)
            ++first;
        EXPECT_LT(first, std::size_t(voice.rate / 20)) << cue;
    }
    EXPECT_GE(cues, 11);
}
