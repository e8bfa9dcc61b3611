// Terrain shapes that w3egen can write: test shapes with exact heights, and a natural-looking
// demo terrain and rugged ones (dry or wet) that are the same for the same seed on every
// platform.
// Needs: standard C++ only.
#pragma once

#include "w3e_document.h"

#include <cstdint>
#include <string>

enum class Shape { demo, rugged, wet, flat, rampColumns, rampRows, bump };

struct ShapeOptions {
    Shape shape = Shape::demo;
    std::int32_t width = 129;
    std::int32_t height = 129;
    std::uint64_t seed = 1;
    int level = 0;  // world height of flat ground, and the base of ramps and the bump
    int step = 128; // rise per column or row of a ramp; height of the bump above the level
};

// Parses a shape's name; false when there is no such shape.
bool parseShape(const std::string& name, Shape& shape);
// The name parseShape takes for `shape`.
const char* nameOf(Shape shape);

// w3egen's default tile sets: ground Vmos, Vash, Vpeb, Vsil; cliff Vcl1, Vcl2. The rugged
// shape has its own: twelve ground tile sets Q... and three cliff tile sets.
void useDefaultTileSets(W3eDocument& doc, Shape shape = Shape::demo);

// Writes a map of the given size and shape (demo or rugged, seed 1, the shape's default tile
// sets) to path; false with a message in `error` when that fails.
bool writeDemoMap(const std::string& path, int width, int height, std::string& error,
                  Shape shape = Shape::demo);

// Resizes doc's grid and fills it. False with a message when a height would not fit the
// file's 16-bit ground height field.
bool shapeTerrain(W3eDocument& doc, const ShapeOptions& options, std::string& error);
