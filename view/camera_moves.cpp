#include "view/camera_moves.h"

#include "terrain/map_extent.h"
#include "view/ground_height.h"

#include <algorithm>
#include <cmath>

namespace {

// An arrow key's step at the camera's height: 64 at 2048, 1024 at 32768.
float flightStep(float height) {
    return 64.0f * (height / Camera::startHeight);
}

// Keeps a camera moved by the mouse over the grid.
void keepOverGrid(const TerrainMap& map, Camera& camera) {
    const MapExtent extent = MapExtent::of(*map.header);
    camera.x = std::clamp(camera.x, 0.0f, extent.xEnd);
    camera.z = std::clamp(camera.z, extent.zEnd, 0.0f);
}

} // namespace

void fly(const TerrainMap& map, Camera& camera, int forward, int right) {
    camera.overview = false;
    const MapExtent extent = MapExtent::of(*map.header);
    const float step = flightStep(camera.height);
    // Facing -z with no turn the moves are exact: one axis, whole steps.
    const float sinYaw = camera.yaw == 0.0f ? 0.0f : std::sin(camera.yaw);
    const float cosYaw = camera.yaw == 0.0f ? 1.0f : std::cos(camera.yaw);
    const float dx =
        step * (static_cast<float>(forward) * sinYaw + static_cast<float>(right) * cosYaw);
    const float dz =
        step * (static_cast<float>(-forward) * cosYaw + static_cast<float>(right) * sinYaw);
    if ((dx > 0.0f && camera.x + dx < extent.xEnd) || (dx < 0.0f && camera.x + dx > 0.0f))
        camera.x += dx;
    if ((dz < 0.0f && camera.z + dz > extent.zEnd) || (dz > 0.0f && camera.z + dz < 0.0f))
        camera.z += dz;
}

void setHeight(Camera& camera, float height) {
    camera.height = std::clamp(height, Camera::lowestHeight, Camera::highestHeight);
}

void placeEye(const TerrainMap& map, Camera& camera, float x, float eyeY, float z) {
    camera.x = x;
    camera.z = z;
    keepOverGrid(map, camera);
    setHeight(camera, eyeY - groundHeightUnder(map, camera.x, camera.z));
}

void zoomTowards(const TerrainMap& map, Camera& camera, const Point3& towards, float factor) {
    const float ground = groundHeightUnder(map, camera.x, camera.z);
    const Point3 eye{camera.x, ground + camera.height, camera.z};
    const float height =
        std::clamp(camera.height * factor, Camera::lowestHeight, Camera::highestHeight);
    const float k = height / camera.height;
    placeEye(map, camera, towards.x + (eye.x - towards.x) * k, towards.y + (eye.y - towards.y) * k,
             towards.z + (eye.z - towards.z) * k);
}

void centreOn(const TerrainMap& map, Camera& camera, const Point3& point) {
    // The camera looks its height / tan(pitch) ahead of where it stands.
    const float ahead = camera.height / std::tan(camera.pitch);
    camera.x = point.x - ahead * std::sin(camera.yaw);
    camera.z = point.z + ahead * std::cos(camera.yaw);
    keepOverGrid(map, camera);
}

void turnAbout(const TerrainMap& map, Camera& camera, const Camera& from, const Point3& pivot,
               float distance, float yaw, float pitch) {
    camera.yaw = std::remainder(from.yaw + yaw, 2.0f * pi);
    camera.pitch = std::clamp(from.pitch + pitch, Camera::lowestPitch, Camera::highestPitch);
    const float cp = std::cos(camera.pitch), sp = std::sin(camera.pitch);
    placeEye(map, camera, pivot.x - std::sin(camera.yaw) * cp * distance, pivot.y + sp * distance,
             pivot.z + std::cos(camera.yaw) * cp * distance);
}

void frameBox(const TerrainMap& map, Camera& camera, const FrameCamera& frame, const GridBox& box) {
    const EnvironmentHeader& h = *map.header;
    const int columns = box.column1 - box.column0 + 1, rows = box.row1 - box.row0 + 1;
    const float width = tileSize * static_cast<float>(columns + 2), // the margin each side
        depth = tileSize * static_cast<float>(rows + 2);
    // From the eye to the box's middle: far enough that its width fits the view across, and its
    // depth, foreshortened by the pitch, the view's height.
    const float sinPitch = std::sin(Camera::startPitch), tanHalf = frame.tanHalfFovy();
    const float distance = std::max(width / (2.0f * tanHalf * static_cast<float>(frame.aspect)),
                                    depth * sinPitch / (2.0f * tanHalf));
    const float height = distance * sinPitch;
    if (2 * columns > h.mapWidth || 2 * rows > h.mapHeight || height > Camera::highestHeight) {
        camera.overview = true;
        return;
    }
    Camera framed;
    setHeight(framed, height);
    const float x = tileSize * 0.5f * static_cast<float>(box.column0 + box.column1);
    const float z = -tileSize * 0.5f * static_cast<float>(box.row0 + box.row1);
    centreOn(map, framed, Point3{x, groundHeightUnder(map, x, z), z});
    camera = framed;
}
