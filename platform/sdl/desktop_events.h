// Test support, not built into the programs: events as the desktop would send them, pushed
// through SDL's own queue, for tests that check what PeekMessageA and the window procedure
// make of them (safe from any thread); and the key mapping by SDL's key names.
// Needs: the SDL layer (callers need not include SDL).
#pragma once

#include "platform/sdl/key_mapping.h"
#include "platform/sdl/win32_api.h"

#include <string>
#include <vector>

enum class DesktopEvent { closeRequest, focusLost, focusGained, resized, minimised, restored };

// A key by SDL's key name ("Up", "A", "Escape", "Left Alt", "F4"), pressed or released, with
// the modifier keys named held (alt, ctrl, shift). False for an unknown name.
bool pushDesktopKey(HWND window, const char* keyName, bool down, bool repeat = false,
                    bool alt = false, bool ctrl = false, bool shift = false);

void pushDesktopEvent(HWND window, DesktopEvent event, int width = 0, int height = 0);

// Files dropped on the window, as SDL reports a drop: begin, one event per file, complete.
void pushDesktopDrop(HWND window, const std::vector<std::string>& files);

// The mouse as SDL reports it, at client point (x, y): a press or release of SDL's button
// number (1 left, 2 middle, 3 right) with the count of quick presses, a turn of the wheel by
// notches (away from the user is positive).
void pushDesktopMouseButton(HWND window, int button, bool down, int x, int y, int clicks = 1);
void pushDesktopWheel(HWND window, int notches, int x, int y);

// keyMessageFor for a key named as SDL names it ("Up", "A", "Left Alt"), with the modifiers
// given as flags.
KeyMessage keyMessageForName(const char* keyName, bool down, bool repeat = false, bool alt = false,
                             bool ctrl = false, bool shift = false);
