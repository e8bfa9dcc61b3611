#include "view/contour_lines.h"

#include <initializer_list>

float contourInterval(float lowest, float highest) {
    const double range = static_cast<double>(highest) - lowest;
    if (!(range > 0.0) || !std::isfinite(range)) return 0.0f;
    // The smallest of 1, 2 and 5 x 10^n that leaves at most 30 lines: the next smaller one is at
    // most 2.5 times smaller, so at least 12 lines stay.
    double power = std::pow(10.0, std::floor(std::log10(range / 30.0)));
    for (;; power *= 10.0)
        for (const double step : {1.0, 2.0, 5.0})
            if (range / (step * power) <= 30.0) return static_cast<float>(step * power);
}
