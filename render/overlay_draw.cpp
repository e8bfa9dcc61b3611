#include "render/overlay_draw.h"

#include "render/screen_text.h"
#include "view/contour_lines.h"
#include "view/legend_layout.h"
#include "view/overlay_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int margin = 8, padding = legendPadding;
const Rgb ink = legendInk, dim = legendDim;

// Lines on a panel with its top left at (x, y); the panel's size.
void linesPanel(ScreenText& text, const TextLines& lines, int x, int y, int& width, int& height) {
    width = 0;
    for (int i = 0; i < lines.count; ++i) width = std::max(width, ScreenText::width(lines.line[i]));
    width += 2 * padding;
    height = lines.count * ScreenText::lineHeight() + 2 * padding;
    text.panel(x, y, width, height);
    for (int i = 0; i < lines.count; ++i)
        text.draw(x + padding, y + padding + i * ScreenText::lineHeight(), lines.line[i], ink);
}

void drawStatus(ScreenText& text, const SceneView& scene, int width, int height) {
    TextLines status;
    statusLine(status, terrainMap, viewerState, scene.camera, scene.levelOfDetail,
               scene.overlay.mapName, width - 2 * margin);
    if (!scene.overlay.changeLine.empty()) status.add("%s", scene.overlay.changeLine.c_str());
    if (scene.overlay.note[0] && viewerState.elapsedSeconds < scene.overlay.noteUntil)
        status.add("%s", scene.overlay.note);
    const int lineHeight = ScreenText::lineHeight();
    const int top = height - status.count * lineHeight - 2 * padding;
    text.panel(0, top, width, height - top);
    for (int i = 0; i < status.count; ++i)
        text.draw(margin, top + padding + i * lineHeight, status.line[i], i == 0 ? ink : dim);
}

// The tile point under the cursor: a mark on it and its description beside the cursor.
void drawInspector(ScreenText& text, const SceneView& scene, const CameraPlacement& camera,
                   int width, int height) {
    const Overlay& o = scene.overlay;
    if (!o.cursorIn) return;
    const GroundPoint at =
        groundAlong(terrainMap, rayThroughPixel(camera, scene.frame, o.cursorX, o.cursorY));
    if (!at.hit) return;
    float px = 0.0f, py = 0.0f;
    if (pixelOf(camera, scene.frame, terrainMap.vertices[at.column][at.row].position, px, py)) {
        const int x = static_cast<int>(std::lround(px)), y = static_cast<int>(std::lround(py));
        text.swatch(x - 5, y - 5, 11, 11, Rgb{0.0f, 0.0f, 0.0f}, 0.8f);
        text.swatch(x - 3, y - 3, 7, 7, Rgb{1.0f, 1.0f, 1.0f});
        text.swatch(x - 1, y - 1, 3, 3, Rgb{0.0f, 0.0f, 0.0f});
    }
    TextLines lines;
    describePoint(lines, terrainMap, at.column, at.row);
    const ComparedMaps& compared = scene.compared;
    if (compared.active())
        describeChange(lines, terrainMap, *compared.other, *compared.changes, compared.showingOlder,
                       at.column, at.row);
    int w = 0, h = 0;
    for (int i = 0; i < lines.count; ++i) w = std::max(w, ScreenText::width(lines.line[i]));
    w += 2 * padding;
    h = lines.count * ScreenText::lineHeight() + 2 * padding;
    // Beside the cursor, kept inside the window.
    int x = o.cursorX + 18, y = o.cursorY + 18;
    if (x + w > width - margin) x = std::max(margin, o.cursorX - 18 - w);
    if (y + h > height - margin) y = std::max(margin, o.cursorY - 18 - h);
    linesPanel(text, lines, x, y, w, h);
}

// The widest of the lines, on its panel.
int panelWidth(const TextLines& lines) {
    int w = 0;
    for (int i = 0; i < lines.count; ++i) w = std::max(w, ScreenText::width(lines.line[i]));
    return w + 2 * padding;
}

// The measured path's panel, at the window's top right.
void drawMeasures(ScreenText& text, const SceneView& scene, int width) {
    TextLines lines;
    describePath(lines, terrainMap, scene.measure);
    if (lines.count == 0) return;
    int w = panelWidth(lines);
    int h = 0;
    linesPanel(text, lines, std::max(0, width - margin - w), margin, w, h);
}

// The status panel's lines: the status line, the comparison's word on its changes, a note.
int statusLineCount(const SceneView& scene) {
    const Overlay& o = scene.overlay;
    return 1 + !o.changeLine.empty() + (o.note[0] && viewerState.elapsedSeconds < o.noteUntil);
}

// The view's legend, with the contour lines' interval while they show.
Legend legendWithContours(const SceneView& scene) {
    Legend legend = legendOf(terrainMap, viewerState.view, viewerState.waterShown,
                             scene.compared.changes, &scene.textures.palette);
    if (scene.contours)
        addContourRow(legend, contourInterval(terrainMap.lowestHeight, terrainMap.highestHeight));
    return legend;
}

} // namespace

FrameCamera::Room wordsRoom(const SceneView& scene) {
    FrameCamera::Room room;
    const Overlay& o = scene.overlay;
    if (o.wordsShown(viewerState.view)) {
        if (viewerState.view != TerrainView::plain) {
            int w = 0, h = 0;
            legendSize(legendWithContours(scene), w, h);
            room.left = w + 2 * margin;
        }
        room.bottom = statusLineCount(scene) * ScreenText::lineHeight() + 2 * padding + margin;
    }
    if (!scene.measure.points.empty() && !o.keys) {
        TextLines lines;
        describePath(lines, terrainMap, scene.measure);
        if (lines.count > 0) room.right = panelWidth(lines) + 2 * margin;
    }
    return room;
}

void drawOverlay(SceneView& scene, const CameraPlacement& camera) {
    Overlay& o = scene.overlay;
    const bool words = o.wordsShown(viewerState.view);
    const bool measures = !scene.measure.points.empty();
    if (!words && !o.keys && !measures) return;
    const int width = scene.frame.width, height = scene.frame.height;
    scene.text.begin(width, height);
    if (measures && !o.keys) drawMeasures(scene.text, scene, width);
    if (words) {
        if (viewerState.view != TerrainView::plain)
            drawLegend(scene.text, legendWithContours(scene), margin, margin);
        if (!o.keys) drawInspector(scene.text, scene, camera, width, height); // never under F1's
        drawStatus(scene.text, scene, width, height);
    }
    if (o.keys) {
        const TextLines& keys = o.keyLines;
        int w = 0, h = 0;
        for (int i = 0; i < keys.count; ++i) w = std::max(w, ScreenText::width(keys.line[i]));
        w += 2 * padding;
        h = keys.count * ScreenText::lineHeight() + 2 * padding;
        linesPanel(scene.text, keys, std::max(0, (width - w) / 2), std::max(0, (height - h) / 2), w,
                   h);
    }
    scene.text.end();
}
