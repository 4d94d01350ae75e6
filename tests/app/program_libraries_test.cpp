#include "app/chart_maker.h"
#include "look/program_library.h"
#include "look/sound_effects.h"

#include <gtest/gtest.h>
#include <memory>

// The libraries loaded on first use are found from the build tree, offer their entry points,
// and a missing library or entry says why instead of failing silently.
TEST(ProgramLibraries, EntriesAreFoundAndAMissingOneIsExplained)
{
    const struct {
        const char *library;
        const char *entry;
        bool found;
    } cases[] = {
        {"charts", ChartMakerEntryName, true},
        {"sounds", SoundOutputEntryName, true},
        {"sounds", ChartMakerEntryName, false},
        {"missing", SoundOutputEntryName, false},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(std::string(test.library) + " " + test.entry);
        QString failure = QStringLiteral("unset");
        const QFunctionPointer entry = programLibraryEntry(test.library, test.entry, &failure);
        EXPECT_EQ(entry != nullptr, test.found);
        EXPECT_EQ(failure.isEmpty(), test.found) << failure.toStdString();
    }
    // The sound library's player takes every sound, with or without an audio device.
    const auto entry = reinterpret_cast<SoundOutputEntry>(programLibraryEntry("sounds", SoundOutputEntryName));
    ASSERT_NE(entry, nullptr);
    const std::unique_ptr<SoundPlayer> output(entry());
    ASSERT_NE(output, nullptr);
    for (EngineSound sound : {EngineSound::PLYSEL, EngineSound::TURN, EngineSound::PLYWIN, EngineSound::SHUFFLE,
                              EngineSound::CARDDRAG})
        output->Play(sound);
}
