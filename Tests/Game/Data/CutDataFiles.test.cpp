// Every text file the game ships (the built data folder's manifests, level files and font metrics),
// cut short: to nothing, inside a comment, between elements, inside a tag, and just after its last
// element or value. Each cut file is read by the game's own readers, in front of the rest of the
// data, and must be refused with an error that names it - unless the cut leaves the whole
// document, which must read as the file itself does, and with which the game must still start.
#include "FileSystem.h"
#include "Framework/ValueResources.h"
#include "Game/Application/GameRegistration.h"
#include "Graphics/FontResourceFactory.h"
#include "Support/DebugCapture.h"
#include "Support/KitchenRig.h"
#include "Support/ResourceFolder.h"
#include "Win32/Win32FileSystemPartition.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
namespace fs = std::filesystem;

struct Cut
{
    std::string file; // relative to the data folder
    std::string where;
    std::string bytes;
    bool whole = false; // the cut leaves the whole document
};

std::string FileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where an XML document is cut: the points that matter to a reader of nested markup.
std::vector<std::pair<std::string, std::size_t>> XMLCutPoints(const std::string& text)
{
    std::vector<std::pair<std::string, std::size_t>> points{{"to nothing", 0}};
    if (const std::size_t comment = text.find("<!--"); comment != std::string::npos)
        points.emplace_back("inside a comment", comment + 5);
    const std::size_t middle = text.size() / 2;
    if (const std::size_t line = text.find(">\n", middle); line != std::string::npos)
        points.emplace_back("between elements", line + 1);
    if (const std::size_t tag = text.find('<', middle); tag != std::string::npos)
        points.emplace_back("inside a tag", (tag + text.find('>', tag) + 1) / 2);
    points.emplace_back("after the last element", text.rfind('>') + 1);
    return points;
}

// Where a font's metrics are cut: in the header, at a line start among the glyphs or kernings, in
// the middle of a value, and after the last value.
std::vector<std::pair<std::string, std::size_t>> MetricsCutPoints(const std::string& text)
{
    const std::size_t middle = text.size() / 2;
    return {{"to nothing", 0},
            {"inside the header", text.find(' ') + 1},
            {"between entries", text.find('\n', middle) + 1},
            {"inside a value", text.find_first_of("0123456789", middle) + 1},
            {"after the last value", text.find_last_not_of(" \t\r\n") + 1}};
}

std::vector<Cut> AllCuts()
{
    std::vector<Cut> cuts;
    const fs::path data(FENNIK_DATA_DIR);
    for (const char* folder : {"Manifests", "Levels", "Fonts"})
        for (const fs::directory_entry& entry : fs::directory_iterator(data / folder))
        {
            const std::string extension = entry.path().extension().string();
            const bool xml = extension == ".xml";
            if (!xml && extension != ".txt")
                continue;
            const std::string text = FileText(entry.path());
            const std::string file = (fs::path(folder) / entry.path().filename()).generic_string();
            for (const auto& [where, at] : xml ? XMLCutPoints(text) : MetricsCutPoints(text))
                if (at < text.size())
                    cuts.push_back({file, where, text.substr(0, at), where.rfind("after the last", 0) == 0});
        }
    return cuts;
}

// Reads files as the game would, in front of the real data: a manifest or level file through the
// resource manager with every factory of the game's data, font metrics through their font.
class GameReaders
{
public:
    GameReaders() { FileSystem::GetInstance()->AddPartition(1, new Win32FileSystemPartition(L"", FENNIK_DATA_DIR)); }

    // Reads the file (relative to the data folder) holding bytes with a fresh resource manager; the
    // text of the error the load raised, else empty.
    std::string Read(const std::string& file, const std::string& bytes)
    {
        const fs::path written = mFolder.Folder().Write(file, bytes);
        delete ResourceManager::InstanceIfCreated();
        ResourceManager& manager = *ResourceManager::Instance();
        RegisterValueResourceFactories();
        RegisterGameTypes();
        manager.RegisterFactory(L"font", new FontResourceFactory);
        fs::path manifest = fs::path(file).stem();
        if (fs::path(file).extension() == ".txt")
        {
            mFolder.WriteManifest("CutFont", "<font name=\"CutFont\" src=\"Fonts/" + manifest.string() + "\"/>");
            manifest = "CutFont";
        }
        std::string error;
        try
        {
            manager.LoadAndWait(manifest.wstring(), true, nullptr);
        }
        catch (const std::exception& e)
        {
            error = e.what();
        }
        fs::remove(written);
        return error;
    }

private:
    ResourceFolder mFolder;
};
} // namespace

TEST(CutDataFiles, EachCutFileIsRefusedByNameUnlessItIsWhole)
{
    DebugCapture debug;
    GameReaders readers;
    const std::vector<Cut> cuts = AllCuts();
    ASSERT_GT(cuts.size(), 150u) << "the data folder is built";
    for (const Cut& cut : cuts)
    {
        SCOPED_TRACE(cut.file + " cut " + cut.where);
        const std::string error = readers.Read(cut.file, cut.bytes);
        // A whole file reads as the uncut one does (alone, a file may miss what others declare).
        if (cut.whole)
            EXPECT_EQ(error, readers.Read(cut.file, FileText(fs::path(FENNIK_DATA_DIR) / cut.file)));
        else
            EXPECT_NE(error.find(cut.file + "("), std::string::npos) << error;
    }
}

TEST(CutDataFiles, TheGameStartsWithEveryCutThatLeavesTheWholeFile)
{
    TempFolder overlay;
    int files = 0;
    for (const Cut& cut : AllCuts())
        if (cut.whole)
        {
            overlay.Write(cut.file, cut.bytes);
            ++files;
        }
    EXPECT_GT(files, 30);
    KitchenRig::Options options;
    options.overlay = overlay.Path().string();
    KitchenRig rig(options); // fails the test unless the title screen comes
    EXPECT_EQ(rig.Modes(), (std::vector<std::string>{"TitleMode"}));
}
