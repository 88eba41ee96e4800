// Golden captures: a presented frame compared pixel for pixel (alpha ignored) with a reviewed PNG
// in Tests/Data. To renew the captures after an intended change of the drawing, run the test with
// CORVANE_WRITE_GOLDEN=1 and review the pictures it writes.
#pragma once

#include "Platform/Compat/DirectDraw/PresentedFrame.h"

#include <filesystem>

namespace Corvane::Testing
{
// CORVANE_WRITE_GOLDEN is set: the test writes its captures instead of comparing them.
bool RenewingGoldenCaptures();
// When renewing, writes frame as golden (a failure if it cannot be written). Otherwise adds a
// failure unless golden exists and frame matches it, and writes this run's frame into the
// temporary folder (named after golden) for review.
void CompareWithGolden(const Compat::PresentedFrame& frame, const std::filesystem::path& golden);
} // namespace Corvane::Testing
