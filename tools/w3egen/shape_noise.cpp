#include "shape_noise.h"

#include <cmath>

std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint64_t latticeHash(std::int64_t ix, std::int64_t iy, std::uint64_t seed) {
    return mix(seed ^ mix(static_cast<std::uint64_t>(ix) * 0x632BE59BD9B4E019ull ^
                          static_cast<std::uint64_t>(iy)));
}

double lattice(std::int64_t ix, std::int64_t iy, std::uint64_t seed) {
    return static_cast<double>(latticeHash(ix, iy, seed) >> 11) / static_cast<double>(1ull << 52) -
           1.0;
}

double valueNoise(double x, double y, double scale, std::uint64_t seed) {
    const double u = x / scale, v = y / scale;
    const double fu = std::floor(u), fv = std::floor(v);
    const auto ix = static_cast<std::int64_t>(fu), iy = static_cast<std::int64_t>(fv);
    auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };
    const double su = smooth(u - fu), sv = smooth(v - fv);
    const double top = lattice(ix, iy, seed) * (1 - su) + lattice(ix + 1, iy, seed) * su;
    const double bottom = lattice(ix, iy + 1, seed) * (1 - su) + lattice(ix + 1, iy + 1, seed) * su;
    return top * (1 - sv) + bottom * sv;
}

double fractalNoise(double x, double y, double scale, int octaves, std::uint64_t seed) {
    double sum = 0.0, amplitude = 1.0, total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * valueNoise(x, y, scale, seed + static_cast<std::uint64_t>(octave));
        total += amplitude;
        amplitude *= 0.5;
        scale *= 0.5;
    }
    return sum / total;
}
