// The high-resolution performance counter on SDL's.
#include "platform/sdl/layer_state.h"

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency) return FALSE;
    frequency->QuadPart = static_cast<LONGLONG>(SDL_GetPerformanceFrequency());
    return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (!count) return FALSE;
    count->QuadPart = static_cast<LONGLONG>(SDL_GetPerformanceCounter());
    return TRUE;
}
