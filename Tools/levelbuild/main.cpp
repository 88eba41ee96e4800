// levelbuild: writes the campaign's level files from the level table.
//
//   levelbuild Data/Levels/Levels.txt <data>/Levels
//       writes <data>/Levels/<name>.xml for every row of the table (LevelTable.h)
#include "LevelTable.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

using namespace Corvane::LevelBuild;

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: levelbuild TABLE OUTPUT_FOLDER\n");
        return 2;
    }
    try
    {
        std::ifstream table(argv[1]);
        if (!table)
            throw TableError(std::string(argv[1]) + ": cannot be read");
        const std::vector<LevelRow> rows = ReadLevelTable(table, argv[1]);
        const std::filesystem::path folder = argv[2];
        std::filesystem::create_directories(folder);
        for (const LevelRow& row : rows)
        {
            // Written beside, then moved: a half-written level file is never left for the build.
            const std::filesystem::path path = folder / (row.name + ".xml");
            const std::filesystem::path partial = folder / (row.name + ".xml.part");
            {
                std::ofstream out(partial, std::ios::binary | std::ios::trunc);
                WriteLevelFile(row, out);
                if (!out.flush())
                    throw TableError(partial.string() + ": cannot be written");
            }
            std::filesystem::rename(partial, path);
        }
        return 0;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "levelbuild: %s\n", error.what());
        return 1;
    }
}
