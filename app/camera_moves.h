// Moving the camera: by the arrow keys relative to the way it faces, zooming, centring on a
// point, panning and turning with the mouse, and the overview. Steps grow with the camera's
// height over the ground, so crossing a map takes as many steps at every zoom.
// Needs: the render layer's viewer state, scene and camera placement; the terrain model.
#pragma once

#include "view/camera_placement.h"

constexpr float startHeight = 2048.0f, lowestCamera = 256.0f, highestCamera = 32768.0f;

// Flies `forward` steps ahead and `right` steps to the right of the way the camera faces (each
// -1, 0 or 1). Each axis moves only if the camera stays strictly inside the grid's extent on
// it, so a camera that has moved never stands on the outer edge.
void fly(const TerrainMap& map, ViewerState& state, const CameraPose& pose, int forward, int right);

// Sets the camera's height over the ground, within the limits.
void setCameraHeight(ViewerState& state, float height);

// Zooms by `factor` (under 1: closer) towards `towards`, a ground point, moving the camera so
// that the point stays about where it is on screen.
void zoomTowards(const TerrainMap& map, ViewerState& state, const Point3& towards, float factor);

// Moves the camera so that it looks at `point`, keeping its height and pose.
void centreOn(const TerrainMap& map, ViewerState& state, const CameraPose& pose,
              const Point3& point);

// Puts the eye at (x, eyeY, z), keeping its height over the ground within the limits.
void placeEye(const TerrainMap& map, ViewerState& state, float x, float eyeY, float z);
