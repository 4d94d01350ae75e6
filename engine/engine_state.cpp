#include "engine/engine_state.h"

#include <QDateTime>
#include <cmath>

EngineState::EngineState() : Now([] { return QDateTime::currentDateTime(); }) {}

EngineState &engineState()
{
    static EngineState state;
    return state;
}

int RoundHalfEven(double value)
{
    // nearbyint follows the current rounding mode, which is to-nearest-even by default.
    return static_cast<int>(std::nearbyint(value));
}
