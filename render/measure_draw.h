// The measured path over the terrain: its legs following the ground, sampled as the panel
// measures them, and its points; drawn over whatever stands in front of them, dark under
// bright, so that they show on every view and are never hidden by the ground.
// Needs: OpenGL 1.1, the measured path.
#pragma once

#include "view/measure_path.h"

#include <vector>

// `samples` is storage kept between frames.
void drawMeasurePath(const TerrainMap& map, const MeasurePath& path, std::vector<Point3>& samples);
