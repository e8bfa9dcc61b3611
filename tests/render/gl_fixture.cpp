#include "gl_fixture.h"

#include "app/help_text.h"
#include "app/main_window.h"
#include "map_fixture.h"
#include "render/scene_frame.h"
#include "render/scene_setup.h"
#include "render/window_context.h"
#include "shell_output.h"
#include "view/viewer_state.h"

#include <gtest/gtest.h>

#include <memory>

TerrainMap terrainMap;

namespace {

std::string windowId; // the X window's id; frames change its title
ViewControls controls;

} // namespace

ViewControls& testControls() {
    return controls;
}

void drawFrame() {
    SceneView& scene = controls.scene;
    renderFrame(scene);
    // The frame a user sees once the level-of-detail mesh is made and the driver holds it, not
    // those before.
    while (!scene.camera.isStart() && !scene.levelOfDetailReady()) {
        scene.meshBuild.finish();
        renderFrame(scene);
    }
}

void ensureGlWindow() {
    if (windowContext.renderingContext) return;
    std::string problem;
    ASSERT_TRUE(registerViewerClass(nullptr, problem)) << problem;
    ASSERT_NE(createMainWindow(nullptr, problem, controls), nullptr) << problem;
    ShowWindow(windowContext.mainWindow, SW_SHOW);
    windowId = shellLine(std::string("xdotool search --sync --onlyvisible --name '^") +
                         viewerTitle + "$' | head -n 1");
}

void freshViewer() {
    ensureGlWindow();
    viewerState = ViewerState{};
    controls.scene.textures.release();
    controls.scene.geometry.release(controls.scene.gl);
    controls = std::move(*std::make_unique<ViewControls>()); // on the heap: it is large
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glViewport(0, 0, 800, 600);
    initGL();
}

void useMap(const std::vector<unsigned char>& bytes) {
    LoadResult loaded = loadBytes(bytes);
    ASSERT_TRUE(loaded.map->loaded()) << loaded.map->loadError;
    terrainMap = std::move(*loaded.map);
    controls.scene.mesh.clear();
}

std::string testWindowId() {
    return windowId;
}

Screenshot screenshot() {
    glFinish();
    Screenshot s;
    s.rgb.clear();
    const std::string id = testWindowId();
    EXPECT_NE(id, "");
    if (id.empty()) return s;
    const std::string bytes = shellOutput("timeout 20 import -window " + id + " -depth 8 rgb:-");
    s.width = 800;
    s.height = 600;
    EXPECT_EQ(bytes.size(), 800u * 600u * 3u);
    s.rgb.assign(bytes.begin(), bytes.end());
    s.rgb.resize(800u * 600u * 3u, 0);
    return s;
}

int Screenshot::greyCount(int threshold) const {
    int n = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        if (rgb[i] == rgb[i + 1] && rgb[i + 1] == rgb[i + 2] && rgb[i] > threshold) ++n;
    return n;
}

int Screenshot::yellowCount() const {
    int n = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        if (rgb[i] > 100 && rgb[i + 1] > 100 && rgb[i + 2] < rgb[i] / 3) ++n;
    return n;
}
