// ALSA's library reports on standard error what it cannot open (no sound card, a card its
// configuration names but the machine lacks) while SDL looks for a sound output. A player's
// terminal stays quiet: those reports go to the debug output with the program's own diagnostics.
#pragma once

namespace Compat::Audio
{
// Hands ALSA's reports to OutputDebugStringA from now on; once per process, before SDL's audio
// starts. Nothing happens where ALSA's library is missing.
void RouteAlsaDiagnostics();
} // namespace Compat::Audio
