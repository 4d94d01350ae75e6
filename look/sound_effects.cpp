#include "look/sound_effects.h"

#include <QSoundEffect>
#include <QUrl>

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

} // namespace

SoundEffects::SoundEffects()
{
    for (size_t index = 0; index < effects.size(); ++index) {
        auto *effect = new QSoundEffect(&owner);
        effect->setSource(QUrl(QStringLiteral("qrc:/wave/%1").arg(QLatin1String(resourceName(EngineSound(index))))));
        effects[index] = effect;
    }
}

SoundEffects::~SoundEffects() = default;

void SoundEffects::Play(EngineSound sound)
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
