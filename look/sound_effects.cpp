#include "look/sound_effects.h"

#include "look/program_library.h"

SoundEffects::SoundEffects() = default;

SoundEffects::~SoundEffects() = default;

void SoundEffects::Play(EngineSound sound)
{
    if (!loaded) {
        loaded = true;
        if (const auto entry = reinterpret_cast<SoundOutputEntry>(programLibraryEntry("sounds", SoundOutputEntryName)))
            output.reset(entry());
    }
    if (output)
        output->Play(sound);
}
