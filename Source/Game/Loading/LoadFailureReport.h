// What the player is told at the end of loading when some of the game's files could not be read:
// one error box listing each failure with its file, line and reason. The game can do without a
// picture or a sound; anything else that failed (a manifest not read whole, a font, a layout, a
// record, the level list, a constant) would leave holes in play, and the game ends instead.
#pragma once

#include "Framework/ResourceManager.h"

#include <string>
#include <vector>

// The box's text for failures (none: empty): each failure's file (named from folder, the game's
// own, when it lies there), line and reason; canGoOn tells whether the game can be played without
// what failed.
std::wstring DescribeLoadFailures(const std::vector<Corvane::ResourceManager::Failure>& failures,
                                  const std::wstring& folder, bool& canGoOn);

// Shows the box when anything failed; true when the game can go on.
bool ReportLoadFailures(const std::vector<Corvane::ResourceManager::Failure>& failures, const std::wstring& folder);
