#include "GameManifests.h"

#include "Game/Application/StartupGroups.h"

namespace Corvane::DataCheck
{
const std::vector<std::wstring>& StartupManifests()
{
    static const std::vector<std::wstring> manifests = [] {
        std::vector<std::wstring> names{kLoadingGroup};
        for (const StartupGroup& group : GetStartupGroups())
            names.emplace_back(group.name);
        return names;
    }();
    return manifests;
}
} // namespace Corvane::DataCheck
