// A loading step that loads one resource group (the manifest "<group>.xml") and waits for it.
#pragma once

#include "Game/Loading/ILoadingTask.h"

#include <string>

class MyResourceLoadTask : public ILoadingTask
{
public:
    explicit MyResourceLoadTask(std::wstring group) : mGroup(std::move(group)) {}

    // Loads the group with the listings cached, passing the load's fraction to progress and
    // cancelling it when progress asks to. A group that fails does not stop the loading: the
    // resource manager has reported it, and the next step runs.
    void Run(Corvane::IResourceLoadProgress* progress) override;

    const std::wstring& GetGroupName() const { return mGroup; }

private:
    std::wstring mGroup;
};
