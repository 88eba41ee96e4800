// The manifests the game reads and in which order, as its start-up and screens request them.
#pragma once

#include <string>
#include <vector>

namespace Corvane::DataCheck
{
// The loading screen's own group, then the start-up's weighted group loads in their order. A
// group named twice is read once, at its first place.
const std::vector<std::wstring>& StartupManifests();

// Read when the first text is looked up.
inline const wchar_t* const kTextManifest = L"LocalizedText";
} // namespace Corvane::DataCheck
