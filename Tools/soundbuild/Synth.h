// The synthesiser: renders a score (Score.h) to mono samples from -1 to 1.
#pragma once

#include "Score.h"

#include <vector>

namespace Corvane::SoundBuild
{
// Peaks are brought down to this level, never up: a quiet score stays quiet.
constexpr float kPeak = 0.9f;

// One sample per 1/rate s. A loop lasts exactly its longest part; a one-shot sound lasts until its
// last note has died away. Same score, same samples: noise comes from a fixed seed.
std::vector<float> Render(const Score& score);
} // namespace Corvane::SoundBuild
