// The one header through which app/ and render/ reach the Windows API and OpenGL 1.x with
// GLU. On Windows these are the system's own; elsewhere the subset the viewer uses comes
// from our layer on SDL2, with Windows' own names, types and constant values.
#pragma once

#ifdef _WIN32
#include <shlobj.h> // SHGetFolderPathW for the pictures folder
#include <windows.h>
#include <windowsx.h> // GET_X_LPARAM and GET_Y_LPARAM for mouse messages

#include <GL/gl.h>
#include <GL/glext.h> // names and types of OpenGL past 1.1, reached with wglGetProcAddress
#include <GL/glu.h>
#else
#include "platform/sdl/win32_api.h"
#endif
