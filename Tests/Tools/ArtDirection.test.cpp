// The drawings keep to the art direction the build relies on: colours come from the palette's
// classes only, every class a drawing uses is defined (an undefined one renders black), and every
// drawing is made into a picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
// GCC 12 takes a member inside <regex> itself for uninitialized (a known false alarm of its
// optimizer): silenced for that header alone.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop
#include <set>
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
