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
