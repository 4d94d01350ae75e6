#include "look/sound_synthesis.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace SoundSynthesis {
namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

// A fixed noise source, so that every build makes the same sounds.
class Noise {
public:
    explicit Noise(quint32 seed) : state(seed) {}
    float Next()
    {
        state = state * 1664525u + 1013904223u;
        return float(int(state >> 8) - (1 << 23)) / float(1 << 23);
    }

private:
    quint32 state;
};

std::vector<float> silence(double seconds)
{
    return std::vector<float>(size_t(seconds * SampleRate), 0.0f);
}

// A card touching the cloth: a band of filtered noise with a fast attack and a short decay,
// over a low knock. Brightness is the share of high noise in it (0..1).
void addTap(std::vector<float> &out, double at, double decay, double loudness, double brightness, quint32 seed)
{
    Noise noise(seed);
    const size_t start = size_t(at * SampleRate);
    const size_t length = size_t(decay * 6 * SampleRate);
    float low = 0, previous = 0;
    for (size_t i = 0; i < length && start + i < out.size(); ++i) {
        const double t = double(i) / SampleRate;
        const double attack = std::min(1.0, t / 0.0015);
        const double envelope = attack * std::exp(-t / decay);
        const float white = noise.Next();
        low += 0.18f * (white - low); // a soft low-pass
        const float high = white - previous;
        previous = white;
        const double knock = std::sin(TwoPi * 170 * t) * std::exp(-t / (decay * 0.8));
        const double body = (1 - brightness) * low * 2.2 + brightness * high * 0.5 + 0.35 * knock;
        out[start + i] += float(loudness * envelope * body);
    }
}

// A bell-like tone: a few partials that fade at their own rates.
void addChime(std::vector<float> &out, double at, double frequency, double length, double loudness)
{
    const size_t start = size_t(at * SampleRate);
    const size_t count = size_t(length * SampleRate);
    for (size_t i = 0; i < count && start + i < out.size(); ++i) {
        const double t = double(i) / SampleRate;
        const double attack = std::min(1.0, t / 0.004);
        const double tone = std::sin(TwoPi * frequency * t) * std::exp(-t * 3.0)
                            + 0.35 * std::sin(TwoPi * frequency * 2 * t) * std::exp(-t * 6.0)
                            + 0.12 * std::sin(TwoPi * frequency * 3.01 * t) * std::exp(-t * 10.0);
        out[start + i] += float(loudness * attack * tone);
    }
}

// Brings the peak to the given level and fades the last milliseconds out, so that no sound
// ends in a click.
std::vector<float> finished(std::vector<float> samples, double peak)
{
    float highest = 0;
    for (float sample : samples)
        highest = std::max(highest, std::abs(sample));
    const float gain = highest > 0 ? float(peak / highest) : 0.0f;
    const size_t fade = std::min(samples.size(), size_t(0.008 * SampleRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] *= gain;
        const size_t fromEnd = samples.size() - 1 - i;
        if (fromEnd < fade)
            samples[i] *= float(fromEnd) / float(fade);
    }
    return samples;
}

std::vector<float> cardMove()
{
    auto out = silence(0.12);
    addTap(out, 0.0, 0.012, 1.0, 0.25, 11);
    return finished(out, 0.55);
}

std::vector<float> cardDrag()
{
    // Lifted rather than laid down: lighter, brighter and slower to swell.
    auto out = silence(0.10);
    addTap(out, 0.0, 0.008, 0.6, 0.7, 23);
    addTap(out, 0.018, 0.010, 0.5, 0.8, 29);
    return finished(out, 0.35);
}

std::vector<float> pileTurn()
{
    // A pile swept over: a quick run of taps that slows and softens.
    auto out = silence(0.32);
    double at = 0;
    for (int tap = 0; tap < 7; ++tap) {
        addTap(out, at, 0.009, 1.0 - tap * 0.09, 0.45, 101 + quint32(tap));
        at += 0.022 + tap * 0.006;
    }
    return finished(out, 0.5);
}

std::vector<float> gameWon()
{
    // A rising major arpeggio, ending on the octave.
    auto out = silence(1.3);
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int note = 0; note < 4; ++note)
        addChime(out, note * 0.13, notes[note], 1.3 - note * 0.13, note == 3 ? 1.0 : 0.8);
    return finished(out, 0.6);
}

std::vector<float> shuffle()
{
    // A riffle: many small taps that come closer together, then the cards squared up.
    auto out = silence(0.75);
    double at = 0.0;
    quint32 seed = 500;
    Noise jitter(77);
    while (at < 0.58) {
        addTap(out, at, 0.004, 0.45 + 0.1 * jitter.Next(), 0.6, seed++);
        at += 0.022 - at * 0.018 + 0.002 * jitter.Next();
    }
    addTap(out, 0.62, 0.018, 1.0, 0.2, seed);
    return finished(out, 0.5);
}

void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QStringList Names()
{
    return {QStringLiteral("PLYSEL"), QStringLiteral("CARDDRAG"), QStringLiteral("TURN"), QStringLiteral("PLYWIN"),
            QStringLiteral("SHUFFLE")};
}

QByteArray WaveFile(const std::vector<float> &samples)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.append("WAVEfmt ", 8);
    put32(out, 16);             // format chunk size
    put16(out, 1);              // PCM
    put16(out, 1);              // mono
    put32(out, SampleRate);
    put32(out, SampleRate * 2); // bytes per second
    put16(out, 2);              // bytes per frame
    put16(out, 16);             // bits per sample
    out.append("data", 4);
    put32(out, dataBytes);
    for (float sample : samples)
        put16(out, quint16(qint16(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767))));
    return out;
}

QByteArray Wave(const QString &name)
{
    if (name == QLatin1String("PLYSEL"))
        return WaveFile(cardMove());
    if (name == QLatin1String("CARDDRAG"))
        return WaveFile(cardDrag());
    if (name == QLatin1String("TURN"))
        return WaveFile(pileTurn());
    if (name == QLatin1String("PLYWIN"))
        return WaveFile(gameWon());
    if (name == QLatin1String("SHUFFLE"))
        return WaveFile(shuffle());
    return QByteArray();
}

} // namespace SoundSynthesis
