// Each iteration takes at most one message, applies the held keys' actions, tests Escape and
// dispatches the message. Paints are always waiting while the window shows, so this runs
// once per frame; when nothing waits (a minimised window) it sleeps until input comes
// rather than spinning, and never hands an old message out again. Between messages it takes a
// map whose opening has finished and lets the map session look at the map's file (and a
// compared version's), about once a second.
#include "app/message_loop.h"

#include "app/comparison.h"
#include "app/key_table.h"
#include "app/map_session.h"
#include "app/window_picture.h"
#include "platform/win32.h"
#include "render/window_context.h"

int runMessageLoop(ViewControls& controls) {
    MSG msg{};
    for (;;) {
        const bool taken = PeekMessageA(&msg, windowContext.mainWindow, 0, 0, PM_REMOVE) != FALSE;
        if (taken && msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
        keyActions(controls);
        if (keyTable.isHeld(VK_ESCAPE)) return 0;
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        finishOpening(controls);
        followMapFile(now.QuadPart, controls);
        followOtherFile(now.QuadPart, controls);
        if (taken) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            saveWindowPicture(controls.scene); // what F12 asked the frame for
        } else {
            WaitMessage();
        }
    }
}
