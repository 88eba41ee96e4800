// Our stand-in for the calls of the BASS 2.3 audio library that the audio platform makes.
//
// Output is 44,100 Hz stereo through SDL2 (or a null output that tests mix by hand, see
// AudioOutputControl.h). Sampled files (Ogg Vorbis, WAV, AIFF, MP3) are decoded from memory with
// libsndfile; tracker modules (MOD, S3M, XM, IT, MTM, UMX, MO3) play through libopenmpt. A stream
// or a music is one voice with its own position, frequency, volume and pan; it plays once and
// stops at its end. Every call may come from any thread (sounds load on the loader thread) and
// sets the calling thread's error code, read with BASS_ErrorGetCode.
#pragma once

#include "Platform/Compat/Kernel/Types.h"

using QWORD = std::uint64_t;
using HSTREAM = DWORD;
using HMUSIC = DWORD;

// Error codes (this layer's own numbering; the names are the library's).
constexpr int BASS_OK = 0;
constexpr int BASS_ERROR_MEM = 1;
constexpr int BASS_ERROR_FILEOPEN = 2;
constexpr int BASS_ERROR_DRIVER = 3;
constexpr int BASS_ERROR_BUFLOST = 4;
constexpr int BASS_ERROR_HANDLE = 5;
constexpr int BASS_ERROR_FORMAT = 6;
constexpr int BASS_ERROR_POSITION = 7;
constexpr int BASS_ERROR_INIT = 8;
constexpr int BASS_ERROR_START = 9;
constexpr int BASS_ERROR_ALREADY = 10;
constexpr int BASS_ERROR_NOPAUSE = 11;
constexpr int BASS_ERROR_NOCHAN = 12;
constexpr int BASS_ERROR_ILLTYPE = 13;
constexpr int BASS_ERROR_ILLPARAM = 14;
constexpr int BASS_ERROR_NO3D = 15;
constexpr int BASS_ERROR_NOEAX = 16;
constexpr int BASS_ERROR_DEVICE = 17;
constexpr int BASS_ERROR_NOPLAY = 18;
constexpr int BASS_ERROR_FREQ = 19;
constexpr int BASS_ERROR_NOTFILE = 20;
constexpr int BASS_ERROR_NOHW = 21;
constexpr int BASS_ERROR_EMPTY = 22;
constexpr int BASS_ERROR_NONET = 23;
constexpr int BASS_ERROR_CREATE = 24;
constexpr int BASS_ERROR_NOFX = 25;
constexpr int BASS_ERROR_PLAYING = 26;
constexpr int BASS_ERROR_NOTAVAIL = 27;
constexpr int BASS_ERROR_DECODE = 28;
constexpr int BASS_ERROR_DX = 29;
constexpr int BASS_ERROR_TIMEOUT = 30;
constexpr int BASS_ERROR_FILEFORM = 31;
constexpr int BASS_ERROR_SPEAKER = 32;
constexpr int BASS_ERROR_VERSION = 33;
constexpr int BASS_ERROR_CODEC = 34;
constexpr int BASS_ERROR_UNKNOWN = -1;

// BASS_ChannelIsActive results.
constexpr DWORD BASS_ACTIVE_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_PLAYING = 1;
constexpr DWORD BASS_ACTIVE_PAUSED = 3;

// Attribute values that leave the current one as it is.
constexpr int BASS_ATTRIBUTE_KEEP = -1;      // frequency and volume
constexpr int BASS_ATTRIBUTE_KEEP_PAN = -101;

// The code of the calling thread's last call (BASS_OK after a success).
int BASS_ErrorGetCode();

// Opens the output: device -1 is the default device, 1..n the devices of
// BASS_GetDeviceDescription; freq is the output rate. Window, class identifier and flags are
// ignored. Fails with BASS_ERROR_ALREADY when open, BASS_ERROR_DEVICE for an unknown device,
// BASS_ERROR_DRIVER when the device does not open. The output starts running.
BOOL BASS_Init(int device, DWORD freq, DWORD flags, void* window, const void* classId);
// The description of device (1..n; 0 is "No sound"), or null past the last one.
const char* BASS_GetDeviceDescription(DWORD device);
// Closes the output and frees every stream and music.
BOOL BASS_Free();
// Resumes, or pauses, the whole output; voices keep their state and position.
BOOL BASS_Start();
BOOL BASS_Pause();

// A stream of a sampled file held in memory (mem must be TRUE: file points at the bytes, offset and
// length select them, length 0 meaning to the end is not supported). The bytes must stay valid
// until the stream is freed. 0 on failure: BASS_ERROR_FILEFORM for an unknown, damaged or truncated
// file, BASS_ERROR_MEM when it does not fit in memory, BASS_ERROR_INIT before BASS_Init.
HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
BOOL BASS_StreamFree(HSTREAM handle);
// A tracker module held in memory (mem must be TRUE); the bytes may be released after the call.
// freq is its playback rate, 0 for the output's. 0 on failure, as for streams.
HMUSIC BASS_MusicLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD flags, DWORD freq);
BOOL BASS_MusicFree(HMUSIC handle);

// Plays a stream or music: from its beginning when restart is TRUE, else from where it was (one
// that played to its end then stays stopped).
BOOL BASS_ChannelPlay(DWORD handle, BOOL restart);
// Pauses a playing channel (BASS_ERROR_NOPLAY when it is stopped; pausing again is no error).
BOOL BASS_ChannelPause(DWORD handle);
BOOL BASS_ChannelStop(DWORD handle);
DWORD BASS_ChannelIsActive(DWORD handle);
// Any pointer may be null. freq in Hz, volume 0..100, pan -100 (left) .. 100 (right).
BOOL BASS_ChannelGetAttributes(DWORD handle, DWORD* freq, DWORD* volume, int* pan);
// Values outside the ranges are limited to them: freq 100..1,000,000 (0 restores the channel's own
// rate), volume 0..100, pan -100..100; the BASS_ATTRIBUTE_KEEP values leave one unchanged.
BOOL BASS_ChannelSetAttributes(DWORD handle, int freq, int volume, int pan);
