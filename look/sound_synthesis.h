#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The program's five sounds, made by our own code: short plucks, taps, riffles and a chime,
// each returned as a complete RIFF wave file (16-bit mono PCM).
namespace SoundSynthesis {

constexpr int SampleRate = 22050;

// The sounds by resource name: "PLYSEL", "CARDDRAG", "TURN", "PLYWIN", "SHUFFLE".
QStringList Names();
// The wave file of a named sound; empty for a name that is not one of them.
QByteArray Wave(const QString &name);
// A wave file around samples in -1..1 (clipped to that range).
QByteArray WaveFile(const std::vector<float> &samples);

} // namespace SoundSynthesis
