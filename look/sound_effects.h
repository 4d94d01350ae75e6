#pragma once

#include "engine/engine_state.h"

#include <QObject>
#include <QThreadPool>
#include <memory>
#include <optional>

// The sounds played through the system's audio output. The audio toolkit and its back end
// live in a library of their own (libtarnwick_sounds.so) that takes no memory until the first
// sound is asked for: then it is loaded on a worker, so the move or deal that asked does not
// wait, and that sound plays once the library is in. Without the library or an audio device
// the sounds stay silent.
class SoundEffects : public SoundPlayer {
public:
    SoundEffects();
    ~SoundEffects() override;
    SoundEffects(const SoundEffects &) = delete;
    SoundEffects &operator=(const SoundEffects &) = delete;

    void Play(EngineSound sound) override;

private:
    std::unique_ptr<SoundPlayer> output;
    bool loading = false;               // the library was asked for (once)
    std::optional<EngineSound> pending; // the last sound asked for while it loads
    QObject context;                    // receives the loaded library on this thread
    QThreadPool loader;                 // waited for before the rest goes
};

// The sound library's entry point: a new player of the five sounds, owned by the caller.
extern "C" {
using SoundOutputEntry = SoundPlayer *(*)();
}
inline constexpr char SoundOutputEntryName[] = "tarnwickSoundOutput";
