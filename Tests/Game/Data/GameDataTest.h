// The setting of the game data tests: a resource folder (partition 1) with the game's record,
// value and hand-read factories registered, a profile folder (partition 2) with the random
// streams that name profiles, and, at the end, no level progress, profiles, combos or level-flow
// hooks left behind.
#pragma once

#include "FileSystem.h"
#include "Framework/AccountManager.h"
#include "Framework/ValueResources.h"
#include "Game/Data/GameDataRegistration.h"
#include "Game/Data/IngredientComboStore.h"
#include "Game/Data/LevelFlowHooks.h"
#include "Game/Data/LevelProgressManager.h"
#include "RandomStream.h"
#include "Support/DebugCapture.h"
#include "Support/ResourceFolder.h"
#include "Support/TempFolder.h"
#include "Win32/Win32FileSystemPartition.h"
#include "simplesettings/LoadError.h"

#include <gtest/gtest.h>

#include <string>

class GameDataTest : public ::testing::Test
{
protected:
    GameDataTest() : mOwnsRandomStreams(Corvane::GetRandomStream(2) == nullptr)
    {
        Corvane::FileSystem::GetInstance()->AddPartition(
            2, new Corvane::Win32FileSystemPartition(L"", profiles.WidePath()));
        if (mOwnsRandomStreams)
            Corvane::CreateRandomStreams();
        Corvane::RegisterValueResourceFactories();
        RegisterRecordFactories();
        RegisterHandReadRecordFactories();
    }
    ~GameDataTest() override
    {
        delete LevelProgressManager::InstanceIfCreated();
        delete Corvane::AccountManager::GetIfCreated();
        IngredientComboStore::Instance().Clear();
        GetLevelFlowHooks() = LevelFlowHooks();
        if (mOwnsRandomStreams)
            Corvane::DeleteRandomStreams();
    }

    // Writes the manifest and loads it; the text of the error the load raised, else empty.
    std::string Load(const std::string& manifest, const std::string& body)
    {
        resources.WriteManifest(manifest, body);
        return Read(manifest);
    }
    // Loads a manifest; the text of the error the load raised, else empty.
    std::string Read(const std::string& manifest)
    {
        try
        {
            resources.Manager().LoadAndWait(std::wstring(manifest.begin(), manifest.end()), true, nullptr);
        }
        catch (const std::exception& error)
        {
            return error.what();
        }
        return {};
    }
    // "AllLevels" of levels "Lv_1".."Lv_<3 x episodes>" in episodes 1, 2, ... of three; each
    // level's file is "LevelFile_<n>" with WinScore 1000 and ExpertScore 2000.
    void LoadLevels(int episodes)
    {
        std::string all = R"(<LevelProgressionData name="AllLevels"><EpisodeDescriptorList name="EpisodeList">)";
        for (int e = 1; e <= episodes; ++e)
        {
            const auto level = [](const char* member, const std::string& id, int file) {
                return std::string("<LevelDescriptor name=\"") + member + "\" levelID=\"" + id + "\" filename=\"" +
                       "LevelFile_" + std::to_string(file) + "\"/>";
            };
            const int first = 3 * (e - 1) + 1;
            all += "<EpisodeDescriptor EpisodeNum=\"" + std::to_string(e) + "\">" +
                   level("Intro", "Intro_" + std::to_string(e), 0) + level("Outro", "Outro_" + std::to_string(e), 0) +
                   level("Dashcourse_1", "Lv_" + std::to_string(first), first) +
                   level("Dashcourse_2", "Lv_" + std::to_string(first + 1), first + 1) +
                   level("Elimination", "Lv_" + std::to_string(first + 2), first + 2) + "</EpisodeDescriptor>";
            for (int n = first; n < first + 3; ++n)
                resources.WriteManifest("LevelFile_" + std::to_string(n),
                                        "<KitchenLevelData name=\"Lv_" + std::to_string(n) +
                                            "\" time=\"60\" WinScore=\"1000\" ExpertScore=\"2000\"/>");
        }
        ASSERT_EQ(Load("LevelProgression", all + "</EpisodeDescriptorList></LevelProgressionData>"), "");
    }

    // The path of a manifest as errors name it.
    std::string PathOf(const std::string& manifest) const
    {
        return (resources.Folder().Path() / (manifest + ".xml")).string();
    }

    Corvane::Testing::DebugCapture debug;
    Corvane::Testing::ResourceFolder resources;
    Corvane::Testing::TempFolder profiles;

private:
    bool mOwnsRandomStreams;
};
