// The data checker: reads a data folder the way the game does (every manifest through the
// engine's resource manager with the factories the program's start-up registers, in the game's
// order) and runs every check (Check.h) over what it found.
#pragma once

#include "Check.h"
#include "DataIndex.h"
#include "Report.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace Corvane::DataCheck
{
class DataChecker final : public IEngineView
{
public:
    // folder: the data folder (the program's folder). With verbose, the engine's own messages
    // go to standard error.
    DataChecker(std::filesystem::path folder, bool verbose);
    ~DataChecker() override;
    DataChecker(const DataChecker&) = delete;
    DataChecker& operator=(const DataChecker&) = delete;

    // Checks the folder with checks (MakeChecks() when empty); everything found goes to report.
    // Call once.
    void Run(Report& report, std::vector<std::unique_ptr<Check>> checks = {});

    bool HasFactory(const std::wstring& kind) const override;
    bool IsLoaded(Label name) const override;
    bool LoadFailed(const Manifest& manifest) const override;
    std::vector<std::string> Messages(const Manifest& manifest) const override;

private:
    // Gives every manifest its place in the game's order; returns them in that order, the ones
    // the game never reads last.
    std::vector<Manifest*> OrderManifests(Report& report);
    void StartEngine();
    void StopEngine();
    void Load(const std::vector<Manifest*>& order, Report& report);
    // Every group of the start-up's list has its manifest (see OrderManifests) and loads something.
    void CheckStartupGroups(Report& report);
    void RunChecks(Report& report, std::vector<std::unique_ptr<Check>> checks);

    std::filesystem::path mFolder;
    bool mVerbose;
    DataIndex mIndex;
    std::set<const Manifest*> mFailed;
    std::map<const Manifest*, std::vector<std::string>> mMessages;
    bool mEngineStarted = false;
    void (*mPreviousSink)(const char*) = nullptr;
};
} // namespace Corvane::DataCheck
