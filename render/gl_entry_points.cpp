// A function is taken by its core name when the context's version has it, else by its ARB
// name when the context lists that extension: a driver may export names it does not support.
#include "render/gl_entry_points.h"

#include <cstdlib>
#include <cstring>

namespace {

int versionTimesTen() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!version) return 10;
    char* end = nullptr;
    const long major = std::strtol(version, &end, 10);
    const long minor = end && *end == '.' ? std::strtol(end + 1, nullptr, 10) : 0;
    return static_cast<int>(major * 10 + (minor < 10 ? minor : 9));
}

bool hasExtension(const char* name) {
    const auto* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const std::size_t length = std::strlen(name);
    for (const char* at = all ? std::strstr(all, name) : nullptr; at;
         at = std::strstr(at + length, name)) {
        const bool starts = at == all || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

template <typename Function> void take(Function& into, const char* name) {
    const PROC found = wglGetProcAddress(name);
    // Through a plain function pointer type, as casts between function types go.
    into = found ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found)) : nullptr;
}

} // namespace

void GlEntryPoints::load() {
    if (loaded) return;
    loaded = true;
    const int version = versionTimesTen();
    if (version >= 13)
        take(activeTexture, "glActiveTexture");
    else if (hasExtension("GL_ARB_multitexture"))
        take(activeTexture, "glActiveTextureARB");
    const bool core = version >= 15;
    if (!core && !hasExtension("GL_ARB_vertex_buffer_object")) return;
    take(genBuffers, core ? "glGenBuffers" : "glGenBuffersARB");
    take(bindBuffer, core ? "glBindBuffer" : "glBindBufferARB");
    take(bufferData, core ? "glBufferData" : "glBufferDataARB");
    take(bufferSubData, core ? "glBufferSubData" : "glBufferSubDataARB");
    take(deleteBuffers, core ? "glDeleteBuffers" : "glDeleteBuffersARB");
}
