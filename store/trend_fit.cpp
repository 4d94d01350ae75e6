#include "store/trend_fit.h"

#include <cmath>
#include <utility>

namespace {

// Solves matrix · result = right by Gauss-Jordan elimination with partial pivoting; false
// when the matrix is singular.
bool gaussJordan(std::array<std::array<double, 3>, 3> matrix, std::array<double, 3> right, Quadratic &result)
{
    double largest = 0;
    for (const auto &row : matrix)
        for (double value : row)
            largest = std::max(largest, std::abs(value));
    const double tiny = largest * 1e-12;
    for (int column = 0; column < 3; ++column) {
        int pivot = column;
        for (int row = column + 1; row < 3; ++row)
            if (std::abs(matrix[row][column]) > std::abs(matrix[pivot][column]))
                pivot = row;
        if (!(std::abs(matrix[pivot][column]) > tiny))
            return false;
        std::swap(matrix[pivot], matrix[column]);
        std::swap(right[pivot], right[column]);
        const double divisor = matrix[column][column];
        for (double &value : matrix[column])
            value /= divisor;
        right[column] /= divisor;
        for (int row = 0; row < 3; ++row) {
            if (row == column)
                continue;
            const double factor = matrix[row][column];
            for (int k = 0; k < 3; ++k)
                matrix[row][k] -= factor * matrix[column][k];
            right[row] -= factor * right[column];
        }
    }
    result = {right[0], right[1], right[2]};
    return true;
}

} // namespace

std::variant<Quadratic, QString> fitTrend(const std::vector<double> &values)
{
    const std::size_t count = values.size();
    if (count < 2)
        return QString::fromLatin1(TooFewPoints);
    // Positions are scaled to 0..1 so that the sums of their fourth powers stay well
    // conditioned for long histories; the coefficients are scaled back afterwards.
    const double scale = double(count);
    std::array<double, 5> powers{};
    std::array<double, 3> right{};
    for (std::size_t index = 0; index < count; ++index) {
        const double t = double(index + 1) / scale;
        double power = 1;
        for (int k = 0; k < 5; ++k) {
            powers[std::size_t(k)] += power;
            if (k < 3)
                right[std::size_t(k)] += power * values[index];
            power *= t;
        }
    }
    std::array<std::array<double, 3>, 3> matrix{};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            matrix[row][column] = powers[std::size_t(row + column)];
    Quadratic scaled{};
    if (!gaussJordan(matrix, right, scaled))
        return QString::fromLatin1(SingularMatrix);
    return Quadratic{scaled[0], scaled[1] / scale, scaled[2] / (scale * scale)};
}
