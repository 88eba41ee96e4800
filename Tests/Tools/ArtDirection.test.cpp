// The drawings keep to the art direction the build relies on: colours come from the palette's
// classes only, every class a drawing uses is defined (an undefined one renders black), every
// drawing is made into a picture, and the kitchen's cook is the story's player.
#include "Support/Regex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace
{
const std::filesystem::path kArt = std::filesystem::path(CORVANE_DATA_SOURCE) / "Art";

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::filesystem::path> FilesEndingIn(const std::string& extension)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kArt))
        if (entry.path().extension() == extension)
            files.push_back(entry.path());
    return files;
}
} // namespace

TEST(ArtDirection, DrawingsTakeEveryColourFromThePaletteClasses)
{
    // A colour written into a drawing: in an attribute or in a style, as #hex, rgb() or a name.
    const std::regex colour(R"re((fill|stroke|stop-color|color)\s*(=\s*"|:)\s*(#|rgb|[a-z]+[;"]))re");
    const std::regex allowed(R"re((fill|stroke)\s*(=\s*"|:)\s*(none|url))re");
    for (const std::filesystem::path& drawing : FilesEndingIn(".svg"))
    {
        const std::string text = ReadText(drawing);
        for (auto match = std::sregex_iterator(text.begin(), text.end(), colour); match != std::sregex_iterator();
             ++match)
            EXPECT_TRUE(std::regex_search(match->str(), allowed))
                << drawing.filename() << " writes its own colour: " << match->str();
    }
}

TEST(ArtDirection, EveryClassADrawingUsesIsDefinedAndEveryDrawingIsMade)
{
    std::set<std::string> defined;
    const std::regex selector(R"(\.([A-Za-z][A-Za-z0-9-]*))");
    for (const std::filesystem::path& sheet : FilesEndingIn(".css"))
    {
        const std::string text = ReadText(sheet);
        // Class names in selectors, not in comments.
        const std::string code = std::regex_replace(text, std::regex(R"(/\*[\s\S]*?\*/)"), "");
        for (auto match = std::sregex_iterator(code.begin(), code.end(), selector); match != std::sregex_iterator();
             ++match)
            defined.insert((*match)[1]);
    }
    ASSERT_TRUE(defined.count("ink") && defined.count("o"));

    const std::string pictures = ReadText(kArt / "Pictures.txt");
    const std::regex classes(R"re(class="([^"]*)")re");
    for (const std::filesystem::path& drawing : FilesEndingIn(".svg"))
    {
        const std::string text = ReadText(drawing);
        for (auto match = std::sregex_iterator(text.begin(), text.end(), classes); match != std::sregex_iterator();
             ++match)
        {
            std::istringstream names((*match)[1]);
            for (std::string name; names >> name;)
                EXPECT_TRUE(defined.count(name)) << drawing.filename() << " uses the undefined class " << name;
        }
        const std::string relative = std::filesystem::relative(drawing, kArt).generic_string();
        EXPECT_NE(pictures.find(relative), std::string::npos) << relative << " is in no line of Pictures.txt";
    }
}

// The kitchen's cook is the story's player: every picture of the cook wears the character sheet
// of the cutscenes' player.
TEST(ArtDirection, TheKitchensCookWearsTheCutscenesPlayerSheet)
{
    std::map<std::string, std::string> sheets; // picture -> its character sheet
    const std::regex line(R"(^(\S+)\s.*style=(Characters/[A-Za-z]+\.css))");
    std::istringstream pictures(ReadText(kArt / "Pictures.txt"));
    for (std::string text; std::getline(pictures, text);)
        if (std::smatch match; std::regex_search(text, match, line))
            sheets[match[1]] = match[2];
    const std::string player = sheets["Cutscene/Left/MirelPos"];
    ASSERT_FALSE(player.empty());
    for (int pose = 0; pose < 16; ++pose)
        EXPECT_EQ(sheets["Kitchen/Cook_" + std::to_string(pose)], player) << "pose " << pose;
}
