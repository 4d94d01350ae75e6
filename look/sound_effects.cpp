#include "look/sound_effects.h"

#include "look/program_library.h"

SoundEffects::SoundEffects() = default;

SoundEffects::~SoundEffects()
{
    loader.waitForDone();
}

void SoundEffects::Play(EngineSound sound)
{
    if (output) {
        output->Play(sound);
        return;
    }
    pending = sound;
    if (loading)
        return;
    loading = true;
    loader.start([this] {
        const auto entry = reinterpret_cast<SoundOutputEntry>(programLibraryEntry("sounds", SoundOutputEntryName));
        // The effects are made on the asking thread, which plays them.
        QMetaObject::invokeMethod(&context, [this, entry] {
            if (entry)
                output.reset(entry());
            if (output && pending)
                output->Play(*pending);
            pending.reset();
        }, Qt::QueuedConnection);
    });
}
