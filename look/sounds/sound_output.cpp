// The sounds through Qt Multimedia, in a library of their own that the program loads when the
// first sound plays (the audio toolkit and its back end are large and slow to load).
#include "look/sound_effects.h"

#include <QObject>
#include <QSoundEffect>
#include <QUrl>
#include <array>

namespace {

const char *resourceName(EngineSound sound)
{
    switch (sound) {
    case EngineSound::PLYSEL:
        return "PLYSEL";
    case EngineSound::TURN:
        return "TURN";
    case EngineSound::PLYWIN:
        return "PLYWIN";
    case EngineSound::SHUFFLE:
        return "SHUFFLE";
    case EngineSound::CARDDRAG:
        return "CARDDRAG";
    }
    return "";
}

// One effect per sound, loaded from the program's resources once, played without waiting.
// A sound replaces one still playing.
class SoundOutput : public SoundPlayer {
public:
    SoundOutput()
    {
        for (size_t index = 0; index < effects.size(); ++index) {
            auto *effect = new QSoundEffect(&owner);
            effect->setSource(
                QUrl(QStringLiteral("qrc:/wave/%1").arg(QLatin1String(resourceName(EngineSound(index))))));
            effects[index] = effect;
        }
    }

    void Play(EngineSound sound) override
    {
        const size_t index = size_t(sound);
        if (index >= effects.size())
            return;
        for (QSoundEffect *effect : effects)
            if (effect != effects[index] && effect->isPlaying())
                effect->stop();
        // A sound whose data could not be loaded has nothing to play.
        if (effects[index]->status() != QSoundEffect::Error)
            effects[index]->play();
    }

private:
    QObject owner; // parent of the effects
    std::array<QSoundEffect *, 5> effects{};
};

} // namespace

extern "C" Q_DECL_EXPORT SoundPlayer *tarnwickSoundOutput()
{
    return new SoundOutput;
}
