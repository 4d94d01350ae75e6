#include "engine/engine_state.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <cmath>

EngineState::EngineState() : Now([] { return QDateTime::currentDateTime(); }) {}

EngineState &engineState()
{
    static EngineState state;
    return state;
}

void InformPlayer(const QString &text)
{
    if (engineState().ShowMessage) {
        engineState().ShowMessage(text);
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Tarnwick"), text);
}

int RoundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even by default.
    return static_cast<int>(std::nearbyint(value));
}
