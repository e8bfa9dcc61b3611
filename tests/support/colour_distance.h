// CIE76: the distance of two sRGB colours in CIE L*a*b* (D65), the measure the views' colours
// are held to.
#pragma once

#include "view/view_colours.h"

#include <cmath>

inline double cie76(const Rgb& x, const Rgb& y) {
    const auto lab = [](const Rgb& c, double out[3]) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        const double r = linear(c.r), g = linear(c.g), b = linear(c.b);
        const double xyz[3] = {(0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047,
                               0.2126 * r + 0.7152 * g + 0.0722 * b,
                               (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883};
        double f[3];
        for (int k = 0; k < 3; ++k)
            f[k] = xyz[k] > 216.0 / 24389.0 ? std::cbrt(xyz[k])
                                            : (24389.0 / 27.0 * xyz[k] + 16.0) / 116.0;
        out[0] = 116.0 * f[1] - 16.0;
        out[1] = 500.0 * (f[0] - f[1]);
        out[2] = 200.0 * (f[1] - f[2]);
    };
    double a[3], b[3];
    lab(x, a);
    lab(y, b);
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}
