#pragma once

#include "engine/engine_state.h"

#include <memory>

// The sounds played through the system's audio output. The audio toolkit and its back end
// live in a library of their own (libtarnwick_sounds.so) that is loaded when the first sound
// plays, so that they take no memory while no sound has been asked for. Without the library
// or an audio device the sounds stay silent.
class SoundEffects : public SoundPlayer {
public:
    SoundEffects();
    ~SoundEffects() override;
    SoundEffects(const SoundEffects &) = delete;
    SoundEffects &operator=(const SoundEffects &) = delete;

    void Play(EngineSound sound) override;

private:
    std::unique_ptr<SoundPlayer> output;
    bool loaded = false; // tried to load the library (once)
};

// The sound library's entry point: a new player of the five sounds, owned by the caller.
extern "C" {
using SoundOutputEntry = SoundPlayer *(*)();
}
inline constexpr char SoundOutputEntryName[] = "tarnwickSoundOutput";
