#pragma once

#include <QString>
#include <array>
#include <variant>
#include <vector>

inline constexpr char TooFewPoints[] = "PolyFit called with less than two points";
inline constexpr char SingularMatrix[] = "Error in GaussJordan: matrix is singular";

// a + b x + c x², as coefficients {a, b, c}.
using Quadratic = std::array<double, 3>;

// The least-squares quadratic through the points (x 1, 2, 3, ... with the given values),
// from the normal equations solved by Gauss-Jordan elimination; or the text saying why it
// cannot be fitted.
std::variant<Quadratic, QString> fitTrend(const std::vector<double> &values);
