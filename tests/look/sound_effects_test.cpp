#include "look/sound_effects.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

bool audioLibraryLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libtarnwick_sounds.so");
}

} // namespace

// The audio library comes with the first sound asked for, not with the player; sounds asked
// for while it loads, and a player that goes before it is in, are safe.
TEST(SoundEffects, TheFirstSoundLoadsTheAudioLibraryOnAWorker)
{
    auto sounds = std::make_unique<SoundEffects>();
    ASSERT_FALSE(audioLibraryLoaded());
    {
        SoundEffects gone;
        gone.Play(EngineSound::SHUFFLE);
    }
    sounds->Play(EngineSound::SHUFFLE);
    sounds->Play(EngineSound::PLYSEL);
    EXPECT_TRUE(QTest::qWaitFor(audioLibraryLoaded, 20000));
    for (EngineSound sound : {EngineSound::TURN, EngineSound::PLYWIN, EngineSound::CARDDRAG})
        sounds->Play(sound);
    sounds.reset();
}
