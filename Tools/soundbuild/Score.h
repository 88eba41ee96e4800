// The text scores the game's effects and music loops are written in, and their reader.
//
//   # a comment
//   tempo 120                        beats per minute (120)
//   rate 44100                       samples per second (44100)
//   loop                             a seamless loop: the sound lasts exactly as long as its
//                                    longest part, and what rings past the end comes back at
//                                    the start
//   instrument bell wave=sine attack=0.01 decay=0.3 sustain=0.2 release=0.8 harmonics=1,0.4,0.2
//   part bell volume=0.6             the lines after it are this part's notes
//   C5/0.5 E5/0.5 | G5+C6/1 r/1 (A4/0.25 B4/0.25)x4
//
// Notes: a name (C to B, then # or b, then the octave: A4 is 440 Hz), "+" between the notes of a
// chord, "/" and the length in beats; "r" is a rest; "(" ... ")xN" repeats; "|" only helps reading.
// Instrument settings: wave (sine, triangle, square, saw, noise), attack, decay, release (seconds),
// sustain (level 0 to 1), volume, harmonics (the levels of partials 1, 2, 3...), slide (semitones
// over the note), vibrato (rate in Hz, depth in semitones: "5,0.2"), lowpass (Hz), duty (square).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace Corvane::SoundBuild
{
enum class Wave
{
    Sine,
    Triangle,
    Square,
    Saw,
    Noise,
};

struct Instrument
{
    Wave wave = Wave::Sine;
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.1;
    double volume = 1.0;
    std::vector<double> harmonics{1.0};
    double slide = 0.0;
    double vibratoRate = 0.0;
    double vibratoDepth = 0.0;
    double lowpass = 0.0; // 0: none
    double duty = 0.5;
};

struct Note
{
    double start = 0.0;              // beats from the start of the sound
    double length = 0.0;             // beats
    std::vector<double> frequencies; // empty for a rest
};

struct Part
{
    std::string instrument;
    double volume = 1.0;
    std::vector<Note> notes;
    double length = 0.0; // beats
};

struct Score
{
    int rate = 44100;
    double tempo = 120.0;
    bool loop = false;
    std::map<std::string, Instrument> instruments;
    std::vector<Part> parts;

    double SecondsPerBeat() const { return 60.0 / tempo; }
};

// Reads a score; name is the file's name in messages. Throws std::runtime_error with the text
// "name(line): message" at the first fault.
Score ParseScore(const std::string& text, const std::string& name);
Score ReadScore(const std::string& path);

// The frequency of a note name such as "A4" or "C#5"; false when it is not one.
bool NoteFrequency(const std::string& name, double& frequency);
} // namespace Corvane::SoundBuild
