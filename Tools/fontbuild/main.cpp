// fontbuild: makes one of the game's bitmap fonts from a TrueType font.
//
//   fontbuild --font DejaVuSans.ttf --size 16 --output Data/Fonts/DejaVuSans-16 [--version 3]
//
// writes Data/Fonts/DejaVuSans-16.png and .txt holding the characters 33 to 255 that the font has.
#include "FontFiles.h"
#include "GlyphRasterizer.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

using namespace Corvane::FontBuild;

namespace
{
constexpr int kFirstCharacter = 33;
constexpr int kLastCharacter = 255;

struct Options
{
    std::string font;
    int size = 0;
    std::string output;
    int version = kLastVersion;
};

[[noreturn]] void Usage(const char* problem)
{
    std::fprintf(stderr,
                 "fontbuild: %s\nusage: fontbuild --font FILE.ttf --size PIXELS --output PATH_WITHOUT_EXTENSION "
                 "[--version %d-%d]\n",
                 problem, kFirstVersion, kLastVersion);
    std::exit(2);
}

int Number(const char* text)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 1 || value > 1000)
        Usage("a number from 1 to 1000 was expected");
    return static_cast<int>(value);
}

Options Parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i)
    {
        const std::string name = argv[i];
        if (i + 1 >= argc)
            Usage(("no value for " + name).c_str());
        const char* value = argv[++i];
        if (name == "--font")
            options.font = value;
        else if (name == "--size")
            options.size = Number(value);
        else if (name == "--output")
            options.output = value;
        else if (name == "--version")
            options.version = Number(value);
        else
            Usage(("unknown option " + name).c_str());
    }
    if (options.font.empty() || options.size == 0 || options.output.empty())
        Usage("--font, --size and --output are needed");
    if (options.version < kFirstVersion || options.version > kLastVersion)
        Usage("unknown metrics version");
    return options;
}
} // namespace

int main(int argc, char** argv)
{
    const Options options = Parse(argc, argv);
    try
    {
        GlyphRasterizer rasterizer(options.font, options.size);
        const RasterFont font = rasterizer.Rasterize(kFirstCharacter, kLastCharacter);
        const std::filesystem::path folder = std::filesystem::path(options.output).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder);
        WriteFontFiles(font, rasterizer.Kerning(font), options.version, options.output);
        std::printf("fontbuild: %s: %zu glyphs, line height %d, %s\n", options.output.c_str(), font.glyphs.size(),
                    font.ascent + font.descent, font.hasKerning ? "kerned" : "no kerning");
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "fontbuild: %s\n", error.what());
        return 1;
    }
}
