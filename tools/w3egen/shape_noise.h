// Deterministic noise for the terrain shapes: integer hashing and plain arithmetic only, so that
// a seed gives the same file on every platform.
// Needs: standard C++ only.
#pragma once

#include <cstdint>

// A well-mixed 64-bit hash of x.
std::uint64_t mix(std::uint64_t x);

// A hash of lattice point (ix, iy) under `seed`.
std::uint64_t latticeHash(std::int64_t ix, std::int64_t iy, std::uint64_t seed);

// A value in [-1, 1] for a lattice point.
double lattice(std::int64_t ix, std::int64_t iy, std::uint64_t seed);

// Smoothly interpolated value noise in [-1, 1], one lattice cell per `scale` tile points.
double valueNoise(double x, double y, double scale, std::uint64_t seed);

// `octaves` layers of value noise from `scale` down, each half the last's size and weight,
// scaled back into [-1, 1].
double fractalNoise(double x, double y, double scale, int octaves, std::uint64_t seed);
