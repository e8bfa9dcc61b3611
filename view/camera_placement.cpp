// The camera's geometry in doubles where it is new; the start camera's in the floats and the
// order of operations the viewer always used, so that its frames stay the same to the bit.
#include "view/camera_placement.h"

#include "terrain/map_extent.h"
#include "view/ground_height.h"

#include <algorithm>
#include <cmath>

namespace {

struct Vec {
    double x = 0, y = 0, z = 0;
};
Vec vec(const Point3& p) {
    return {p.x, p.y, p.z};
}
Point3 point(const Vec& v) {
    return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec unit(Vec a) {
    const double n = std::sqrt(dot(a, a));
    return n > 0 ? a * (1.0 / n) : a;
}

// The camera's axes: forward, side (right) and up, as gluLookAt makes them.
struct Axes {
    Vec forward, side, up;
};
Axes axesOf(const CameraPlacement& c) {
    Axes a;
    a.forward = unit(vec(c.target) - vec(c.eye));
    a.side = unit(cross(a.forward, vec(c.up)));
    a.up = cross(a.side, a.forward);
    return a;
}

// The highest point the map shows: ground, or a water surface over it.
float mapTop(const TerrainMap& map) {
    float top = map.highestHeight;
    for (const float h : map.heightBlocks.highest) top = std::max(top, h);
    return top;
}

// A plan of the whole map: straight down, north (-z) up, as wide as fits all of it with a little
// room round it in the part of the view the words leave free, in that part's middle; the eye
// above everything the map holds.
CameraPlacement overview(const TerrainMap& map, const FrameCamera& frame) {
    const MapExtent extent = MapExtent::of(*map.header);
    const double width = std::max(extent.xEnd, tileSize);
    const double depth = std::max(-extent.zEnd, tileSize);
    const double margin = 1.04;
    // The view in pixels of its height; the words' room, unless it would leave under a third.
    const double high = std::max(frame.height, 1), wide = high * frame.aspect;
    FrameCamera::Room room = frame.words;
    if (wide - room.left - room.right < wide / 3 || high - room.top - room.bottom < high / 3)
        room = FrameCamera::Room{};
    const double perPixel = std::max(depth * margin / (high - room.top - room.bottom),
                                     width * margin / (wide - room.left - room.right));
    const double half = 0.5 * high * perPixel;
    // The free part's middle lies this many pixels right of and below the view's.
    const double right = 0.5 * (room.left - room.right), down = 0.5 * (room.top - room.bottom);
    const double x = 0.5 * width - right * perPixel, z = -0.5 * depth - down * perPixel;
    const double top = mapTop(map);
    CameraPlacement c;
    c.eye = point({x, top + half, z});
    c.target = point({x, top, z});
    c.up = {0.0f, 0.0f, -1.0f};
    c.planHalfHeight = half;
    return c;
}

bool triangleHit(Vec origin, Vec dir, Vec a, Vec b, Vec c, double& t) {
    const Vec e1 = b - a, e2 = c - a, p = cross(dir, e2);
    const double det = dot(e1, p);
    if (std::fabs(det) < 1e-12) return false;
    const Vec s = origin - a;
    const double u = dot(s, p) / det;
    if (u < -1e-9 || u > 1 + 1e-9) return false;
    const Vec q = cross(s, e1);
    const double v = dot(dir, q) / det;
    if (v < -1e-9 || u + v > 1 + 1e-9) return false;
    t = dot(e2, q) / det;
    return t >= 0;
}

} // namespace

CameraPlacement placeCamera(const TerrainMap& map, const Camera& camera, const FrameCamera& frame) {
    if (camera.overview) return overview(map, frame);
    const float ground = groundHeightUnder(map, camera.x, camera.z);
    CameraPlacement c;
    c.eye = {camera.x, ground + camera.height, camera.z};
    c.up = {0.0f, 1.0f, 0.0f};
    if (camera.facesAhead()) {
        c.target = {camera.x, ground, camera.z - 0.75f * camera.height};
        return c;
    }
    // Along the camera's direction down to the ground's height under the eye.
    const double yaw = camera.yaw, pitch = camera.pitch;
    const Vec forward{std::sin(yaw) * std::cos(pitch), -std::sin(pitch),
                      -std::cos(yaw) * std::cos(pitch)};
    c.target = point(vec(c.eye) + forward * (camera.height / std::sin(pitch)));
    // Looking straight down, "up" on the screen is the way the camera faces.
    if (pitch > Camera::highestPitch - 0.01) c.up = point({std::sin(yaw), 0.0, -std::cos(yaw)});
    return c;
}

Ray rayThroughPixel(const CameraPlacement& camera, const FrameCamera& frame, int x, int y) {
    const Axes a = axesOf(camera);
    const double ndcX = 2.0 * (x + 0.5) / frame.width - 1.0;
    const double ndcY = 1.0 - 2.0 * (y + 0.5) / frame.height;
    if (camera.planHalfHeight > 0.0) { // parallel rays, from where the pixel lies
        const double h = camera.planHalfHeight;
        return {point(vec(camera.eye) + a.side * (ndcX * h * frame.aspect) + a.up * (ndcY * h)),
                point(a.forward)};
    }
    const Vec dir = unit(a.forward + a.side * (ndcX * frame.tanHalfFovy() * frame.aspect) +
                         a.up * (ndcY * frame.tanHalfFovy()));
    return {camera.eye, point(dir)};
}

bool pixelOf(const CameraPlacement& camera, const FrameCamera& frame, const Point3& p, float& x,
             float& y) {
    const Axes a = axesOf(camera);
    const Vec v = vec(p) - vec(camera.eye);
    const double depth = dot(v, a.forward);
    if (depth <= 0) return false;
    // In a plan every point lies as far from the middle as it is, whatever its depth.
    const double reach =
        camera.planHalfHeight > 0.0 ? camera.planHalfHeight : depth * frame.tanHalfFovy();
    const double ndcX = dot(v, a.side) / (reach * frame.aspect);
    const double ndcY = dot(v, a.up) / reach;
    x = static_cast<float>((ndcX + 1.0) * 0.5 * frame.width - 0.5);
    y = static_cast<float>((1.0 - ndcY) * 0.5 * frame.height - 0.5);
    return true;
}

GroundPoint groundAlong(const TerrainMap& map, const Ray& ray) {
    GroundPoint found;
    const int width = map.header->mapWidth, height = map.header->mapHeight;
    if (map.vertices.empty() || width < 2 || height < 2) return found;
    const Vec origin = vec(ray.origin), dir = vec(ray.direction);
    // In grid units: u along columns, v along rows.
    const double u0 = origin.x / tileSize, v0 = -origin.z / tileSize;
    const double du = dir.x / tileSize, dv = -dir.z / tileSize;
    double enter = 0.0, leave = 1e300;
    const auto clip = [&](double start, double speed, double low, double high) {
        if (std::fabs(speed) < 1e-15) return start >= low && start <= high;
        double t0 = (low - start) / speed, t1 = (high - start) / speed;
        if (t0 > t1) std::swap(t0, t1);
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
        return enter <= leave;
    };
    if (!clip(u0, du, 0.0, width - 1.0) || !clip(v0, dv, 0.0, height - 1.0)) return found;

    const auto corner = [&](int c, int r) { return vec(map.vertices[c][r].position); };
    const double middle = std::min(enter + 1e-9, leave);
    int c = std::clamp(static_cast<int>(std::floor(u0 + du * middle)), 0, width - 2);
    int r = std::clamp(static_cast<int>(std::floor(v0 + dv * middle)), 0, height - 2);
    const int stepC = du > 0 ? 1 : -1, stepR = dv > 0 ? 1 : -1;
    // Parameters at which the ray crosses the next column and row line.
    const auto nextCrossing = [&](double start, double speed, int cell, int step) {
        if (std::fabs(speed) < 1e-15) return 1e300;
        const double line = step > 0 ? cell + 1 : cell;
        return (line - start) / speed;
    };
    double crossC = nextCrossing(u0, du, c, stepC), crossR = nextCrossing(v0, dv, r, stepR);
    for (int visited = 0; visited < width + height + 2; ++visited) {
        double best = 1e300, t = 0.0;
        const Vec p00 = corner(c, r), p01 = corner(c, r + 1), p10 = corner(c + 1, r),
                  p11 = corner(c + 1, r + 1);
        if (triangleHit(origin, dir, p00, p01, p10, t)) best = std::min(best, t);
        if (triangleHit(origin, dir, p10, p01, p11, t)) best = std::min(best, t);
        if (best < 1e300) {
            const Vec hit = origin + dir * best;
            found.hit = true;
            found.point = point(hit);
            found.column =
                std::clamp(static_cast<int>(std::lround(hit.x / tileSize)), 0, width - 1);
            found.row = std::clamp(static_cast<int>(std::lround(-hit.z / tileSize)), 0, height - 1);
            return found;
        }
        if (std::min(crossC, crossR) > leave) break;
        if (crossC < crossR) {
            c += stepC;
            crossC += stepC / du;
        } else {
            r += stepR;
            crossR += stepR / dv;
        }
        if (c < 0 || c > width - 2 || r < 0 || r > height - 2) break;
    }
    return found;
}
