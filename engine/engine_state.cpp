#include "engine/engine_state.h"

#include <cmath>

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
