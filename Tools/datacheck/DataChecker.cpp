#include "DataChecker.h"

#include "FileSystem.h"
#include "Framework/EngineHooks.h"
#include "Framework/ResourceManager.h"
#include "Game/Application/GameRegistration.h"
#include "GameManifests.h"
#include "Platform/Compat/Kernel/DebugOutput.h"
#include "Platform/Win32/Win32Platform.h"
#include "Win32/Win32FileSystemPartition.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>

namespace Corvane::DataCheck
{
namespace
{
// The engine's debug output while the checker runs: kept (the loader thread writes it) so that
// problems can quote it, and echoed with --verbose.
std::mutex gMessagesLock;
std::string gMessages;
bool gEcho = false;

void Collect(const char* text)
{
    std::lock_guard<std::mutex> lock(gMessagesLock);
    gMessages += text;
    if (gEcho)
        std::fprintf(stderr, "engine: %s", text);
}

std::vector<std::string> TakeMessages()
{
    std::lock_guard<std::mutex> lock(gMessagesLock);
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < gMessages.size())
    {
        std::size_t end = gMessages.find('\n', begin);
        if (end == std::string::npos)
            end = gMessages.size();
        if (end > begin)
            lines.push_back(gMessages.substr(begin, end - begin));
        begin = end + 1;
    }
    gMessages.clear();
    return lines;
}

std::string JoinNames(const std::set<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}
} // namespace

DataChecker::DataChecker(std::filesystem::path folder, bool verbose) : mFolder(std::move(folder)), mVerbose(verbose) {}

DataChecker::~DataChecker()
{
    StopEngine();
}

void DataChecker::Run(Report& report, std::vector<std::unique_ptr<Check>> checks)
{
    mIndex.Scan(mFolder, report);
    const std::vector<Manifest*> order = OrderManifests(report);
    mIndex.Finish(report);
    StartEngine();
    Load(order, report);
    CheckStartupGroups(report);
    RunChecks(report, checks.empty() ? MakeChecks() : std::move(checks));
    StopEngine();
}

std::vector<Manifest*> DataChecker::OrderManifests(Report& report)
{
    std::vector<std::wstring> names = StartupManifests();
    const std::size_t groups = names.size();
    names.push_back(kTextManifest);
    // The level files the episodes name, read when a level is played. (The index has no
    // declarations yet: the progression records are found in the element trees.)
    for (const Manifest& manifest : mIndex.Manifests())
        for (const DataElement& element : manifest.root.children)
            for (const DataElement& record : element.children)
                if (record.Tag() == L"LevelProgressionData")
                    for (const DataElement& list : record.children)
                        for (const DataElement* episode : list.ChildrenNamed(L"EpisodeDescriptor"))
                            for (const DataElement& level : episode->children)
                                if (Label(level.Text(L"name")) != Label(L"Intro") &&
                                    Label(level.Text(L"name")) != Label(L"Outro"))
                                    names.push_back(level.Text(L"filename"));

    std::vector<Manifest*> order;
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        const std::wstring& name = names[i];
        auto found = std::find_if(mIndex.Manifests().begin(), mIndex.Manifests().end(),
                                  [&](const Manifest& manifest) { return manifest.name == name; });
        if (found == mIndex.Manifests().end())
        {
            // A missing text manifest or level file is a problem the checks report. A start-up
            // group without one holds a share of the loading meter that measures nothing.
            if (i < groups)
                report.Add(Narrow(name) + ".xml", 0,
                           "the start-up loads the group '" + Narrow(name) + "', but no manifest has its name");
            continue;
        }
        if (found->order < 0)
        {
            found->order = static_cast<int>(order.size());
            order.push_back(&*found);
        }
    }
    for (Manifest& manifest : mIndex.Manifests())
        if (manifest.order < 0)
        {
            report.Add(manifest.path, 0,
                       "the game never reads this manifest: it is no start-up group, no level file of an episode "
                       "and not the texts");
            order.push_back(&manifest);
        }
    return order;
}

void DataChecker::StartEngine()
{
    gEcho = mVerbose;
    TakeMessages();
    mPreviousSink = SetDebugOutputSink(&Collect);
    // As the platform's set-up builds it: partitions 0 and 1 on the program's folder.
    FileSystem* fileSystem = FileSystem::GetInstance() ? FileSystem::GetInstance() : new FileSystem;
    fileSystem->AddPartition(0, new Win32FileSystemPartition(L"", mFolder.wstring()));
    fileSystem->AddPartition(1, new Win32FileSystemPartition(L"", mFolder.wstring()));
    fileSystem->OnPartitionsAdded();
    // The factories the program's start-up registers, in its order: the platform's, the engine's
    // start-up steps, then the game's own (scene, node and record types).
    RegisterPlatformResourceFactories();
    Internal::RunHook(Internal::GetEngineHooks().registerValueResourceFactories);
    Internal::RunHook(Internal::GetEngineHooks().registerObjectFactories);
    RegisterGameTypes();
    mEngineStarted = true;
}

void DataChecker::StopEngine()
{
    if (!mEngineStarted)
        return;
    mEngineStarted = false;
    delete ResourceManager::InstanceIfCreated();
    if (FileSystem* fileSystem = FileSystem::GetInstance())
    {
        fileSystem->DeletePartitions();
        delete fileSystem;
    }
    SetDebugOutputSink(mPreviousSink);
}

void DataChecker::Load(const std::vector<Manifest*>& order, Report& report)
{
    for (const Manifest* manifest : order)
    {
        try
        {
            ResourceManager::Instance()->LoadAndWait(manifest->name, true, nullptr);
        }
        catch (const std::exception& error)
        {
            mFailed.insert(manifest);
            // A file the index could not parse has its error reported already.
            if (manifest->parsed)
                report.Add(manifest->path, 0, std::string("reading it stopped: ") + error.what());
        }
        mMessages[manifest] = TakeMessages();
    }
}

void DataChecker::CheckStartupGroups(Report& report)
{
    const std::set<std::wstring> groups(StartupManifests().begin(), StartupManifests().end());
    const auto& declarations = mIndex.Declarations();
    for (const Manifest& manifest : mIndex.Manifests())
    {
        // A manifest that failed to read has its error reported already.
        if (!groups.count(manifest.name) || LoadFailed(manifest))
            continue;
        // A resource whose kind has no factory here (the sounds) may well load in the game.
        const bool loads = std::any_of(declarations.begin(), declarations.end(), [&](const Declaration& declaration) {
            return declaration.manifest == &manifest && declaration.Kind() != L"alias" &&
                   (IsLoaded(declaration.name) || !HasFactory(declaration.Kind()));
        });
        if (!loads)
            report.Add(manifest.path, 0,
                       "the start-up group '" + Narrow(manifest.name) +
                           "' loads no resource: its share of the loading meter measures nothing");
    }
}

void DataChecker::RunChecks(Report& report, std::vector<std::unique_ptr<Check>> checks)
{
    Context context(mIndex, report, *this);
    for (const std::unique_ptr<Check>& check : checks)
    {
        std::set<std::string> missing;
        for (const std::wstring& kind : check->Needs())
            if (!HasFactory(kind))
                missing.insert(Narrow(kind));
        if (!missing.empty())
        {
            report.Note("skipped the check of " + check->Name() + ": no factory yet for " + JoinNames(missing));
            continue;
        }
        check->Run(context);
    }

    std::set<std::string> unbuilt;
    for (const Declaration& declaration : mIndex.Declarations())
        if (declaration.Kind() != L"alias" && !HasFactory(declaration.Kind()))
            unbuilt.insert(Narrow(declaration.Kind()));
    if (!unbuilt.empty())
        report.Note("not built through the engine yet, for want of a registered factory (their files and references "
                    "were checked from the XML alone): " +
                    JoinNames(unbuilt));
}

bool DataChecker::HasFactory(const std::wstring& kind) const
{
    return ResourceManager::Instance()->HasFactory(kind);
}

bool DataChecker::IsLoaded(Label name) const
{
    return ResourceManager::Instance()->Find(name) != nullptr;
}

bool DataChecker::LoadFailed(const Manifest& manifest) const
{
    return mFailed.count(&manifest) > 0;
}

std::vector<std::string> DataChecker::Messages(const Manifest& manifest) const
{
    const auto found = mMessages.find(&manifest);
    return found == mMessages.end() ? std::vector<std::string>() : found->second;
}
} // namespace Corvane::DataCheck
