#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Corvane::SoundBuild
{
namespace
{
constexpr double kPi = 3.14159265358979323846;
// Shorter edges than these click.
constexpr double kShortestAttack = 0.002;
constexpr double kShortestRelease = 0.005;

// The level of the envelope t seconds into a note held for held seconds.
double Envelope(const Instrument& instrument, double t, double held)
{
    const double attack = std::max(instrument.attack, kShortestAttack);
    const double release = std::max(instrument.release, kShortestRelease);
    auto before = [&](double time) {
        if (time < attack)
            return time / attack;
        if (time < attack + instrument.decay)
            return 1.0 - (1.0 - instrument.sustain) * (time - attack) / instrument.decay;
        return instrument.sustain;
    };
    if (t < held)
        return before(t);
    const double fromEnd = t - held;
    return fromEnd >= release ? 0.0 : before(held) * (1.0 - fromEnd / release);
}

// One period of the wave at phase p (0 to 1).
double Shape(Wave wave, double p, double duty)
{
    switch (wave)
    {
    case Wave::Sine: return std::sin(2.0 * kPi * p);
    case Wave::Triangle: return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
    case Wave::Square: return p < duty ? 1.0 : -1.0;
    case Wave::Saw: return 2.0 * p - 1.0;
    case Wave::Noise: break;
    }
    return 0.0;
}

// A small fixed-seed generator: the same score gives the same file on every machine.
class Noise
{
public:
    explicit Noise(std::uint32_t seed) : mState(seed * 2654435761u + 1u) {}
    double Next()
    {
        mState = mState * 1664525u + 1013904223u;
        return double(mState >> 8) / double(1u << 23) - 1.0;
    }

private:
    std::uint32_t mState;
};

void RenderNote(const Instrument& instrument, double gain, double frequency, double startSeconds, double heldSeconds,
                int rate, std::uint32_t seed, std::vector<double>& mix)
{
    const double release = std::max(instrument.release, kShortestRelease);
    const std::size_t first = static_cast<std::size_t>(std::llround(startSeconds * rate));
    const std::size_t count = static_cast<std::size_t>(std::ceil((heldSeconds + release) * rate));
    if (mix.size() < first + count)
        mix.resize(first + count, 0.0);

    double harmonicSum = 0.0;
    for (double level : instrument.harmonics)
        harmonicSum += level;
    if (harmonicSum <= 0.0)
        return;

    Noise noise(seed);
    // One-pole low-pass: y += a (x - y).
    const double smoothing = instrument.lowpass > 0.0 ? 1.0 - std::exp(-2.0 * kPi * instrument.lowpass / rate) : 1.0;
    double filtered = 0.0;
    double phase = 0.0;
    const double noteLength = std::max(heldSeconds, 1.0 / rate);
    for (std::size_t i = 0; i < count; ++i)
    {
        const double t = double(i) / rate;
        double semitones = instrument.slide * std::min(t / noteLength, 1.0);
        if (instrument.vibratoDepth > 0.0)
            semitones += instrument.vibratoDepth * std::sin(2.0 * kPi * instrument.vibratoRate * t);
        phase += frequency * std::pow(2.0, semitones / 12.0) / rate;
        phase -= std::floor(phase);

        double value = 0.0;
        if (instrument.wave == Wave::Noise)
            value = noise.Next();
        else
            for (std::size_t h = 0; h < instrument.harmonics.size(); ++h)
            {
                const double p = phase * double(h + 1);
                value += instrument.harmonics[h] * Shape(instrument.wave, p - std::floor(p), instrument.duty);
            }
        value /= harmonicSum;
        filtered += smoothing * (value - filtered);
        mix[first + i] += filtered * Envelope(instrument, t, heldSeconds) * gain;
    }
}
} // namespace

std::vector<float> Render(const Score& score)
{
    const double secondsPerBeat = score.SecondsPerBeat();
    std::vector<double> mix;
    std::uint32_t seed = 1;
    double longest = 0.0;
    for (const Part& part : score.parts)
    {
        const Instrument& instrument = score.instruments.at(part.instrument);
        longest = std::max(longest, part.length);
        for (const Note& note : part.notes)
        {
            // Chord notes share the level of one note, so adding a third does not get louder.
            const double gain = instrument.volume * part.volume / std::sqrt(double(note.frequencies.size()));
            for (double frequency : note.frequencies)
                RenderNote(instrument, gain, frequency, note.start * secondsPerBeat, note.length * secondsPerBeat,
                           score.rate, seed++, mix);
        }
    }

    if (score.loop)
    {
        const std::size_t length = std::max<std::size_t>(1, std::llround(longest * secondsPerBeat * score.rate));
        std::vector<double> wrapped(length, 0.0);
        for (std::size_t i = 0; i < mix.size(); ++i)
            wrapped[i % length] += mix[i];
        mix.swap(wrapped);
    }

    double peak = 0.0;
    for (double value : mix)
        peak = std::max(peak, std::fabs(value));
    const double scale = peak > kPeak ? kPeak / peak : 1.0;
    std::vector<float> samples(mix.size());
    std::transform(mix.begin(), mix.end(), samples.begin(), [scale](double v) { return float(v * scale); });
    return samples;
}
} // namespace Corvane::SoundBuild
