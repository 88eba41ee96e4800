// datacheck: checks a data folder (the program's folder) the way the game reads it.
//
//   datacheck [--verbose] FOLDER
//
// Prints each problem as "file(line): message" with the file relative to FOLDER, then notes on
// what could not be checked yet. Exit code 0 when there is no problem, 1 when there are, 2 for a
// wrong command line.
#include "DataChecker.h"
#include "Platform/Compat/Kernel/DebugOutput.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    bool verbose = false;
    std::string folder;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--verbose")
            verbose = true;
        else if (folder.empty() && argument.rfind("--", 0) != 0)
            folder = argument;
        else
        {
            std::fprintf(stderr, "usage: datacheck [--verbose] FOLDER\n");
            return 2;
        }
    }
    if (folder.empty() || !std::filesystem::is_directory(folder))
    {
        std::fprintf(stderr, "datacheck: '%s' is no folder\nusage: datacheck [--verbose] FOLDER\n", folder.c_str());
        return 2;
    }
    // The engine's own messages (its profile counters report at exit) only with --verbose.
    if (!verbose)
        SetDebugOutputSink([](const char*) {});
    try
    {
        Corvane::DataCheck::Report report;
        Corvane::DataCheck::DataChecker(folder, verbose).Run(report);
        const std::size_t problems = report.Print(stdout);
        std::printf("datacheck: %s: %zu problem%s\n", folder.c_str(), problems, problems == 1 ? "" : "s");
        return problems == 0 ? 0 : 1;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "datacheck: %s\n", error.what());
        return 1;
    }
}
