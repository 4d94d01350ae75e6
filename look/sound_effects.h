#pragma once

#include "engine/engine_state.h"

#include <QObject>
#include <array>

class QSoundEffect;

// The sounds played through the system's audio output: one effect per sound, loaded from
// the program's resources once, played without waiting. A sound replaces one still playing.
// Without an audio device the effects stay silent.
class SoundEffects : public SoundPlayer {
public:
    SoundEffects();
    ~SoundEffects() override;
    SoundEffects(const SoundEffects &) = delete;
    SoundEffects &operator=(const SoundEffects &) = delete;

    void Play(EngineSound sound) override;

private:
    QObject owner; // parent of the effects
    std::array<QSoundEffect *, 5> effects{};
};
