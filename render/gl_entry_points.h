// The OpenGL functions past 1.1 that drawing uses where the context has them: multitexture
// (1.3, or its ARB extension) to bake lighting into a texture beside the colours, and buffer
// objects (1.5, or ARB) to keep the terrain's vertices with the driver. Windows' opengl32
// exports 1.1 only, so on every platform they come through wglGetProcAddress; a context
// without them draws through the 1.1 paths.
// Needs: OpenGL 1.x and the platform layer.
#pragma once

#include "platform/win32.h"

struct GlEntryPoints {
    bool loaded = false;
    PFNGLACTIVETEXTUREPROC activeTexture = nullptr;
    PFNGLGENBUFFERSPROC genBuffers = nullptr;
    PFNGLBINDBUFFERPROC bindBuffer = nullptr;
    PFNGLBUFFERDATAPROC bufferData = nullptr;
    PFNGLBUFFERSUBDATAPROC bufferSubData = nullptr;
    PFNGLDELETEBUFFERSPROC deleteBuffers = nullptr;

    // Looks them up for the current context, once.
    void load();
    bool multitexture() const { return activeTexture != nullptr; }
    bool bufferObjects() const {
        return genBuffers && bindBuffer && bufferData && bufferSubData && deleteBuffers;
    }
};
