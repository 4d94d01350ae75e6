#include "look/sound_synthesis.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

namespace {

quint32 read32(const QByteArray &bytes, int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
quint16 read16(const QByteArray &bytes, int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }

} // namespace

// Every sound is a playable 16-bit mono wave of its own, in the length its event allows,
// loud enough to hear, never clipped, and starting and ending at rest (no click); the
// resources hold exactly these waves.
TEST(SoundSynthesis, EverySoundIsAWholeQuietEndedWave)
{
    const struct {
        const char *name;
        double shortest, longest; // seconds
    } sounds[] = {
        {"PLYSEL", 0.03, 0.2}, {"CARDDRAG", 0.03, 0.2}, {"TURN", 0.1, 0.5}, {"PLYWIN", 0.5, 2.0}, {"SHUFFLE", 0.3, 1.0},
    };
    ASSERT_EQ(SoundSynthesis::Names().size(), qsizetype(std::size(sounds)));
    QList<QByteArray> seen;
    for (const auto &sound : sounds) {
        SCOPED_TRACE(sound.name);
        const QByteArray wave = SoundSynthesis::Wave(QString::fromLatin1(sound.name));
        ASSERT_GE(wave.size(), 44);
        EXPECT_EQ(wave.left(4), "RIFF");
        EXPECT_EQ(read32(wave, 4), quint32(wave.size() - 8));
        EXPECT_EQ(wave.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(read16(wave, 20), 1);  // PCM
        EXPECT_EQ(read16(wave, 22), 1);  // mono
        const quint32 rate = read32(wave, 24);
        EXPECT_EQ(read32(wave, 28), rate * 2);
        EXPECT_EQ(read16(wave, 34), 16);
        EXPECT_EQ(wave.mid(36, 4), "data");
        const quint32 dataBytes = read32(wave, 40);
        ASSERT_EQ(dataBytes, quint32(wave.size() - 44));
        const double seconds = double(dataBytes / 2) / rate;
        EXPECT_GE(seconds, sound.shortest);
        EXPECT_LE(seconds, sound.longest);

        int peak = 0;
        for (quint32 at = 44; at < quint32(wave.size()); at += 2)
            peak = std::max(peak, std::abs(int(qint16(read16(wave, int(at))))));
        EXPECT_GT(peak, 32767 / 5);
        EXPECT_LT(peak, 32767);
        EXPECT_LT(std::abs(int(qint16(read16(wave, 44)))), 32767 / 50);
        EXPECT_LT(std::abs(int(qint16(read16(wave, wave.size() - 2)))), 32767 / 50);

        EXPECT_FALSE(seen.contains(wave));
        seen << wave;
        QFile resource(QStringLiteral(":/wave/") + QString::fromLatin1(sound.name));
        ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
        EXPECT_EQ(resource.readAll(), wave);
    }
    EXPECT_TRUE(SoundSynthesis::Wave(QStringLiteral("BEEP")).isEmpty());
}
