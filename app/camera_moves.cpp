#include "app/camera_moves.h"

#include "view/ground_height.h"

#include <algorithm>
#include <cmath>

namespace {

// An arrow key's step at the camera's height: 64 at 2048, 1024 at 32768.
float flightStep(float cameraHeight) {
    return 64.0f * (cameraHeight / startHeight);
}

// Keeps a camera moved by the mouse over the grid.
void keepOverGrid(const TerrainMap& map, ViewerState& state) {
    const float xLimit = 128.0f * static_cast<float>(std::max(map.header->mapWidth - 1, 0));
    const float zLimit = -128.0f * static_cast<float>(std::max(map.header->mapHeight - 1, 0));
    state.cameraPosition.x = std::clamp(state.cameraPosition.x, 0.0f, xLimit);
    state.cameraPosition.z = std::clamp(state.cameraPosition.z, zLimit, 0.0f);
}

} // namespace

void fly(const TerrainMap& map, ViewerState& state, const CameraPose& pose, int forward,
         int right) {
    const float xLimit = 128.0f * static_cast<float>(map.header->mapWidth - 1);
    const float zLimit = -128.0f * static_cast<float>(map.header->mapHeight - 1);
    const float step = flightStep(state.cameraHeight);
    // Facing -z with no turn the moves are exact: one axis, whole steps.
    const float sinYaw = pose.yaw == 0.0f ? 0.0f : std::sin(pose.yaw);
    const float cosYaw = pose.yaw == 0.0f ? 1.0f : std::cos(pose.yaw);
    const float dx =
        step * (static_cast<float>(forward) * sinYaw + static_cast<float>(right) * cosYaw);
    const float dz =
        step * (static_cast<float>(-forward) * cosYaw + static_cast<float>(right) * sinYaw);
    Point3& camera = state.cameraPosition;
    if ((dx > 0.0f && camera.x + dx < xLimit) || (dx < 0.0f && camera.x + dx > 0.0f))
        camera.x += dx;
    if ((dz < 0.0f && camera.z + dz > zLimit) || (dz > 0.0f && camera.z + dz < 0.0f))
        camera.z += dz;
}

void setCameraHeight(ViewerState& state, float height) {
    state.cameraHeight = std::clamp(height, lowestCamera, highestCamera);
}

void placeEye(const TerrainMap& map, ViewerState& state, float x, float eyeY, float z) {
    state.cameraPosition.x = x;
    state.cameraPosition.z = z;
    keepOverGrid(map, state);
    const Point3& at = state.cameraPosition;
    setCameraHeight(state, eyeY - groundHeightUnder(map, at.x, at.z));
}

void zoomTowards(const TerrainMap& map, ViewerState& state, const Point3& towards, float factor) {
    const float ground = groundHeightUnder(map, state.cameraPosition.x, state.cameraPosition.z);
    const Point3 eye{state.cameraPosition.x, ground + state.cameraHeight, state.cameraPosition.z};
    const float height = std::clamp(state.cameraHeight * factor, lowestCamera, highestCamera);
    const float k = height / state.cameraHeight;
    placeEye(map, state, towards.x + (eye.x - towards.x) * k, towards.y + (eye.y - towards.y) * k,
             towards.z + (eye.z - towards.z) * k);
}

void centreOn(const TerrainMap& map, ViewerState& state, const CameraPose& pose,
              const Point3& point) {
    // The camera looks its height / tan(pitch) ahead of where it stands.
    const float ahead = state.cameraHeight / std::tan(pose.pitch);
    state.cameraPosition.x = point.x - ahead * std::sin(pose.yaw);
    state.cameraPosition.z = point.z + ahead * std::cos(pose.yaw);
    keepOverGrid(map, state);
}
