// imagebuild: the picture steps of the data build that come after rsvg-convert.
//
//   imagebuild strip --output Art/Loading/Meter.png [--columns N] fill.png track.png ...
//       joins equal-sized frames into one film strip, left to right, then row by row
//   imagebuild jpeg --output Art/Title/Background.jpg [--mask Art/Title/Background_mask.png]
//                   [--quality 90] background.png
//       stores a picture as JPEG; with --mask its alpha goes to a grey mask beside it, without
//       one the picture must be opaque
#include "ImageOps.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

using namespace Corvane::ImageBuild;

namespace
{
struct Options
{
    std::string command;
    std::string output;
    std::string mask;
    int columns = 0;
    int quality = 90;
    std::vector<std::string> inputs;
};

[[noreturn]] void Usage(const std::string& problem)
{
    std::fprintf(stderr,
                 "imagebuild: %s\nusage: imagebuild strip --output OUT.png [--columns N] FRAME.png...\n"
                 "       imagebuild jpeg --output OUT.jpg [--mask OUT_mask.png] [--quality 1-100] IN.png\n",
                 problem.c_str());
    std::exit(2);
}

int Number(const std::string& text, int low, int high)
{
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high)
        Usage("'" + text + "' is not a number from " + std::to_string(low) + " to " + std::to_string(high));
    return static_cast<int>(value);
}

Options Parse(int argc, char** argv)
{
    if (argc < 2)
        Usage("no command");
    Options options;
    options.command = argv[1];
    for (int i = 2; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument.rfind("--", 0) != 0)
        {
            options.inputs.push_back(argument);
            continue;
        }
        if (i + 1 >= argc)
            Usage("no value for " + argument);
        const std::string value = argv[++i];
        if (argument == "--output")
            options.output = value;
        else if (argument == "--mask")
            options.mask = value;
        else if (argument == "--columns")
            options.columns = Number(value, 1, 4096);
        else if (argument == "--quality")
            options.quality = Number(value, 1, 100);
        else
            Usage("unknown option " + argument);
    }
    if (options.output.empty() || options.inputs.empty())
        Usage("--output and at least one input picture are needed");
    return options;
}

void MakeFolderOf(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder);
}

void Strip(const Options& options)
{
    std::vector<Picture> frames;
    for (const std::string& input : options.inputs)
        frames.push_back(ReadPicture(input));
    MakeFolderOf(options.output);
    WritePng(JoinFrames(frames, options.columns), options.output);
}

void Jpeg(const Options& options)
{
    if (options.inputs.size() != 1)
        Usage("jpeg takes one picture");
    const Picture picture = ReadPicture(options.inputs[0]);
    if (options.mask.empty() && HasTransparency(picture))
        throw std::runtime_error(options.inputs[0] +
                                 ": has transparent pixels, which a JPEG cannot keep: give it a --mask");
    MakeFolderOf(options.output);
    WriteJpeg(FlattenForJpeg(picture), options.output, options.quality);
    if (!options.mask.empty())
    {
        MakeFolderOf(options.mask);
        WriteMask(picture, options.mask);
    }
}
} // namespace

int main(int argc, char** argv)
{
    const Options options = Parse(argc, argv);
    try
    {
        if (options.command == "strip")
            Strip(options);
        else if (options.command == "jpeg")
            Jpeg(options);
        else
            Usage("unknown command " + options.command);
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "imagebuild: %s\n", error.what());
        return 1;
    }
}
