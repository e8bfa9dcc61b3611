// Moving the camera: by the arrow keys relative to the way it faces, zooming, centring on a
// point, panning and turning with the mouse. Steps grow with the camera's height over the
// ground, so crossing a map takes as many steps at every zoom. Every move keeps the camera
// over the grid and within its height limits.
// Needs: the terrain model, the ground height.
#pragma once

#include "terrain/terrain_map.h"
#include "view/camera.h"
#include "view/frame_camera.h"

// Flies `forward` steps ahead and `right` steps to the right of the way the camera faces (each
// -1, 0 or 1), leaving the overview. Each axis moves only if the camera stays strictly inside
// the grid's extent on it, so a camera that has moved never stands on the outer edge.
void fly(const TerrainMap& map, Camera& camera, int forward, int right);

// Sets the camera's height over the ground, within the limits.
void setHeight(Camera& camera, float height);

// Zooms by `factor` (under 1: closer) towards `towards`, a ground point, moving the camera so
// that the point stays about where it is on screen.
void zoomTowards(const TerrainMap& map, Camera& camera, const Point3& towards, float factor);

// Moves the camera so that it looks at `point`, keeping its height and direction.
void centreOn(const TerrainMap& map, Camera& camera, const Point3& point);

// Puts the eye at (x, eyeY, z), keeping it over the grid and its height within the limits.
void placeEye(const TerrainMap& map, Camera& camera, float x, float eyeY, float z);

// Turns `from` about `pivot`, the point it looked at `distance` away, by `yaw` and `pitch`
// radians, the pitch kept between the lowest and straight down; the eye keeps its distance.
void turnAbout(const TerrainMap& map, Camera& camera, const Camera& from, const Point3& pivot,
               float distance, float yaw, float pitch);

// Tile points from (column0, row0) to (column1, row1), both ends included.
struct GridBox {
    int column0 = 0, row0 = 0, column1 = 0, row1 = 0;
};

// Shows `box` whole with a margin of a tile and a half around it, from the start's direction,
// looking at its middle; the overview when it spans more than half the map either way or no
// height within the limits takes it in. `frame` gives the view's shape.
void frameBox(const TerrainMap& map, Camera& camera, const FrameCamera& frame, const GridBox& box);
