// A map against its own transform, for checking that a map is fair to every player: each tile
// point's partner is the point the transform takes it to (half a turn about the middle, a
// mirror east to west or north to south, or, for square maps, a mirror along either diagonal).
// The partner map holds at each point what its partner holds, so comparing the map with it
// (as two versions are compared) shows every point that differs from its partner, and its
// partner too. Heights count as equal within symmetryHeightTolerance.
// Needs: the terrain model, the comparison of two maps; no OpenGL.
#pragma once

#include "terrain/terrain_map.h"
#include "view/map_changes.h"

#include <string>

enum class Symmetry { none, turn, mirrorX, mirrorZ, diagonal, antidiagonal };

// Heights within this many world units of their partner's count as the same: four of the
// file's height steps, below anything a player could see, above a hand-made copy's rounding.
constexpr float symmetryHeightTolerance = 1.0f;

// The kind named on the command line (turn, mirror-x, mirror-z, diagonal, antidiagonal).
bool symmetryNamed(const std::string& name, Symmetry& kind);
const char* symmetryName(Symmetry kind);

// What the legend calls the map it is compared with: "against its half turn".
const char* symmetryTitle(Symmetry kind);

// Why `kind` cannot apply to `map`, or empty: the diagonals need a square map.
std::string symmetryProblem(const TerrainMap& map, Symmetry kind);

// The partner map: the same header, and at each tile point what its partner holds.
TerrainMap symmetryPartner(const TerrainMap& map, Symmetry kind);

// The map against its partner: what differs, as MapChanges says it, titled by the transform.
MapChanges symmetryChanges(const TerrainMap& partner, const TerrainMap& map, Symmetry kind);
