// Image decoding for test processes that start the whole game again and again (the kitchen rig,
// once per test): the pixels of each image file are kept by the file's contents (and its mask's),
// and the same files are decoded once per process. Decoding the game's pictures was most of a
// start under the sanitizers. A report a decode makes (a mask left out) is not made again.
#pragma once

namespace Corvane::Testing
{
// Puts the keeping decoder in front of the engine's for the rest of the process. Before the
// engine starts (no loader thread may be loading).
void KeepImageDecodes();
} // namespace Corvane::Testing
