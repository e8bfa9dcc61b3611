// Windows and the message queue on a real X display: creation, showing, painting, the
// order PeekMessageA returns messages in, messages sent by the desktop, waiting.
#include "platform/sdl/desktop_events.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The next message other than a mouse move (showing a window under the pointer makes some).
BOOL peekSkippingMouse(MSG& msg, HWND window) {
    while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE))
        if (msg.message != WM_MOUSEMOVE) return TRUE;
    return FALSE;
}

// How long the desktop may take to deliver what a test asked it for, on a busy machine.
constexpr std::chrono::seconds patience{60};

// Takes messages until one of the kind arrives or patience runs out; false on time-out.
bool peekUntil(HWND window, UINT message, MSG& msg) {
    const auto deadline = Clock::now() + patience;
    while (Clock::now() < deadline) {
        if (PeekMessageA(&msg, window, 0, 0, PM_REMOVE) && msg.message == message) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Shell lines for a box that blocks this thread: wait until it shows (its id in $id), and
// press Return in it until it has gone, since a key that comes before it takes input is lost.
std::string waitForBox(const std::string& title) {
    return "for i in $(seq 600); do id=$(xwininfo -root -tree | awk '/\"" + title +
           "\"/ {print $1; exit}'); [ -n \"$id\" ] && break; sleep 0.1; done; ";
}
std::string dismissBox(const std::string& title) {
    return waitForBox(title) +
           "for i in $(seq 200); do xwininfo -id \"$id\" 2>/dev/null | grep -q IsViewable || "
           "break; "
           "xdotool windowfocus \"$id\" key Return 2>/dev/null; sleep 0.3; done";
}

TEST(Window, CreationSendsCreateThenSizeAndStaysHidden) {
    HWND w = makeWindow("zuvaro create test", 800, 600, true);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_CREATE));
    EXPECT_EQ(received[1].message, static_cast<UINT>(WM_SIZE));
    EXPECT_EQ(LOWORD(received[1].lParam), 800);
    EXPECT_EQ(HIWORD(received[1].lParam), 600);
    EXPECT_EQ(visibleWindowNamed("zuvaro create test"), "");

    RECT r{0, 0, 800, 600};
    EXPECT_TRUE(AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW));
    EXPECT_EQ(r.right - r.left, 800); // sizes are client sizes
    EXPECT_EQ(r.bottom - r.top, 600);
    closeWindow(w);
}

TEST(Window, ShownOnlyByShowWindowAndPaintedAtOnceByUpdateWindow) {
    HWND w = makeWindow("zuvaro show test", 800, 600);
    EXPECT_TRUE(UpdateWindow(w));
    EXPECT_FALSE(receivedMessage(WM_PAINT)); // nothing to paint while hidden
    EXPECT_FALSE(ShowWindow(w, SW_SHOW));    // it was not visible before
    const std::string id = visibleWindowNamed("zuvaro show test");
    ASSERT_NE(id, "");
    EXPECT_EQ(shellLine("xwininfo -id " + id + " | grep -E 'Width|Height' | tr -d ' '"),
              "Width:800\nHeight:600");
    received.clear();
    EXPECT_TRUE(UpdateWindow(w));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_PAINT));
    closeWindow(w);
}

TEST(Window, PeekNeverWaitsAndPaintsOnlyWhileShownAndNotMinimised) {
    HWND w = makeWindow("zuvaro peek test");
    MSG msg{};
    const auto start = Clock::now();
    EXPECT_FALSE(PeekMessageA(&msg, w, 0, 0, PM_REMOVE));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));

    ShowWindow(w, SW_SHOW);
    for (int i = 0; i < 3; ++i) { // never validated: the paint stays
        ASSERT_TRUE(peekSkippingMouse(msg, w));
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
        EXPECT_EQ(msg.hwnd, w);
    }
    received.clear();
    pushDesktopEvent(w, DesktopEvent::minimised);
    EXPECT_FALSE(peekSkippingMouse(msg, w));
    // The desktop may send focus changes around it; the minimising WM_SIZE must be there.
    EXPECT_TRUE(std::any_of(received.begin(), received.end(), [](const Received& m) {
        return m.message == WM_SIZE && m.wParam == SIZE_MINIMIZED;
    }));
    pushDesktopEvent(w, DesktopEvent::restored);
    ASSERT_TRUE(peekSkippingMouse(msg, w));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    closeWindow(w);
}

TEST(Window, InputFirstThenQuitThenPaint) {
    HWND w = makeWindow("zuvaro order test");
    ShowWindow(w, SW_SHOW);
    ASSERT_TRUE(pushDesktopKey(w, "Up", true));
    ASSERT_TRUE(pushDesktopKey(w, "Up", false));
    PostQuitMessage(7);
    MSG msg{};
    ASSERT_TRUE(peekSkippingMouse(msg, w));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_UP));
    EXPECT_EQ(msg.hwnd, w);
    ASSERT_TRUE(peekSkippingMouse(msg, w));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
    ASSERT_TRUE(peekSkippingMouse(msg, w));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
    ASSERT_TRUE(peekSkippingMouse(msg, w));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));

    // Dispatching hands a message to the window's procedure; translating adds nothing.
    ASSERT_TRUE(pushDesktopKey(w, "W", true, false, false, false, true));
    ASSERT_TRUE(peekSkippingMouse(msg, w));
    received.clear();
    EXPECT_TRUE(TranslateMessage(&msg));
    DispatchMessageA(&msg);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(received[0].wParam, static_cast<WPARAM>('W'));
    closeWindow(w);
}

TEST(Window, DesktopRequestsAreSentToTheProcedure) {
    HWND w = makeWindow("zuvaro desktop test");
    ShowWindow(w, SW_SHOW);
    MSG msg{};
    pushDesktopEvent(w, DesktopEvent::focusLost);
    PeekMessageA(&msg, w, 0, 0, PM_REMOVE);
    EXPECT_TRUE(receivedMessage(WM_KILLFOCUS));
    received.clear();
    pushDesktopEvent(w, DesktopEvent::focusGained);
    PeekMessageA(&msg, w, 0, 0, PM_REMOVE);
    EXPECT_TRUE(receivedMessage(WM_SETFOCUS));
    received.clear();
    pushDesktopEvent(w, DesktopEvent::resized, 640, 360);
    PeekMessageA(&msg, w, 0, 0, PM_REMOVE);
    const auto size = std::find_if(received.rbegin(), received.rend(),
                                   [](const Received& r) { return r.message == WM_SIZE; });
    ASSERT_NE(size, received.rend());
    EXPECT_EQ(size->wParam, static_cast<WPARAM>(SIZE_RESTORED));
    EXPECT_EQ(size->lParam, MAKELPARAM(640, 360));

    // Alt+F4 reaches DefWindowProcA as a system key, which asks the window to close.
    ASSERT_TRUE(pushDesktopKey(w, "F4", true, false, true));
    ASSERT_TRUE(peekSkippingMouse(msg, w));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
    received.clear();
    DispatchMessageA(&msg);
    EXPECT_TRUE(receivedMessage(WM_CLOSE));
    EXPECT_TRUE(receivedMessage(WM_DESTROY));
    EXPECT_EQ(GetDC(w), nullptr); // the default handling destroyed it

    HWND other = makeWindow("zuvaro close test");
    pushDesktopEvent(other, DesktopEvent::closeRequest);
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_TRUE(receivedMessage(WM_CLOSE));
    EXPECT_EQ(GetDC(other), nullptr);
}

TEST(Window, RealKeysFromTheXServer) {
    HWND w = makeWindow("zuvaro xkeys test");
    ShowWindow(w, SW_SHOW);
    const std::string id = visibleWindowNamed("zuvaro xkeys test");
    ASSERT_NE(id, "");
    shellLine("xdotool windowfocus --sync " + id + " key --delay 20 Left shift+f");
    MSG msg{};
    ASSERT_TRUE(peekUntil(w, WM_KEYDOWN, msg));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_LEFT));
    EXPECT_NE(static_cast<DWORD>(msg.lParam) & (1u << 24), 0u); // arrows are extended keys
    ASSERT_TRUE(peekUntil(w, WM_KEYUP, msg));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_LEFT));
    ASSERT_TRUE(peekUntil(w, WM_KEYDOWN, msg));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_SHIFT));
    ASSERT_TRUE(peekUntil(w, WM_KEYDOWN, msg));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('F')); // a capital whatever Shift says
    closeWindow(w);
}

TEST(Window, MouseMessagesFromTheQueueAndFromTheXServer) {
    HWND w = makeWindow("zuvaro mouse test", 320, 240);
    ShowWindow(w, SW_SHOW);
    MSG msg{};
    // Pushed through SDL's queue: a press, a double click, the wheel with screen coordinates.
    pushDesktopMouseButton(w, 1, true, 30, 40);
    ASSERT_TRUE(peekUntil(w, WM_LBUTTONDOWN, msg));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 40);
    pushDesktopMouseButton(w, 1, true, 30, 40, 2);
    ASSERT_TRUE(peekUntil(w, WM_LBUTTONDBLCLK, msg));
    pushDesktopWheel(w, -1, 50, 60);
    ASSERT_TRUE(peekUntil(w, WM_MOUSEWHEEL, msg));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(msg.wParam), -WHEEL_DELTA);
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ASSERT_TRUE(ScreenToClient(w, &p));
    EXPECT_EQ(p.x, 50);
    EXPECT_EQ(p.y, 60);

    // The real pointer: a right drag that leaves the window keeps coming while captured.
    const std::string id = visibleWindowNamed("zuvaro mouse test");
    ASSERT_NE(id, "");
    while (PeekMessageA(&msg, w, 0, 0, PM_REMOVE) && msg.message != WM_PAINT) {
    }
    EXPECT_EQ(SetCapture(w), nullptr);
    shellLine("xdotool mousemove --window " + id + " 100 80 mousedown 3 mousemove --window " + id +
              " 400 300 sleep 0.2 mouseup 3 click --repeat 2 --delay 80 1 click 4");
    ASSERT_TRUE(peekUntil(w, WM_RBUTTONDOWN, msg));
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 100);
    bool outside = false;
    const auto deadline = Clock::now() + patience;
    while (Clock::now() < deadline) {
        if (!PeekMessageA(&msg, w, 0, 0, PM_REMOVE)) continue;
        if (msg.message == WM_RBUTTONUP) break;
        if (msg.message == WM_MOUSEMOVE)
            outside = outside || (GET_X_LPARAM(msg.lParam) == 400 && (msg.wParam & MK_RBUTTON));
    }
    EXPECT_TRUE(outside) << "no move past the window's edge while the right button was held";
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_RBUTTONUP));
    EXPECT_TRUE(ReleaseCapture());
    ASSERT_TRUE(peekUntil(w, WM_LBUTTONDBLCLK, msg));
    ASSERT_TRUE(peekUntil(w, WM_MOUSEWHEEL, msg));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(msg.wParam), WHEEL_DELTA); // button 4: away from the user

    // A value kept with the window.
    int kept = 0;
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&kept)), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&kept));
    closeWindow(w);
}

TEST(Window, WaitMessageBlocksUntilInputArrives) {
    HWND w = makeWindow("zuvaro wait test");
    MSG msg{};
    while (PeekMessageA(&msg, w, 0, 0, PM_REMOVE)) {
    }
    std::thread typist([w] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        pushDesktopKey(w, "Escape", true);
    });
    const auto start = Clock::now();
    EXPECT_TRUE(WaitMessage());
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(250));
    typist.join();
    ASSERT_TRUE(PeekMessageA(&msg, w, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
    closeWindow(w);
}

TEST(Window, TitleReachesTheDesktop) {
    HWND w = makeWindow("zuvaro title test");
    ShowWindow(w, SW_SHOW);
    const std::string id = visibleWindowNamed("zuvaro title test");
    ASSERT_NE(id, "");
    EXPECT_TRUE(SetWindowTextA(w, "Zuvaro [ FPS:42 ]"));
    MSG msg{};
    PeekMessageA(&msg, w, 0, 0, PM_REMOVE);
    EXPECT_EQ(shellLine("xdotool getwindowname " + id), "Zuvaro [ FPS:42 ]");
    closeWindow(w);
}

TEST(Window, MessageBoxIsModalAndReturnsOkWhenDismissed) {
    // Something else must press the key while the box blocks this thread.
    std::thread dismisser([] { shellLine(dismissBox("Zuvaro box test")); });
    const auto start = Clock::now();
    const int pressed = MessageBoxA(nullptr, "Some help\n\nwith lines", "Zuvaro box test", MB_OK);
    dismisser.join();
    EXPECT_EQ(pressed, IDOK);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
}

TEST(Window, AMessageBoxWithALongLineWrapsItAndStaysOnTheScreen) {
    // A missing map's message, with a path far longer than the screen is wide at one line.
    std::string path = "/home/someone/maps";
    for (int i = 0; i < 12; ++i) path += "/a folder with a longer name " + std::to_string(i);
    const std::string text = "cannot open " + path + "/war3map.w3e: No such file or directory";
    std::string geometry;
    std::thread measurer([&geometry] {
        geometry = shellLine(
            "place() { xwininfo -id \"$id\" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} "
            "/Width:/ {w=$2} END {print x, w}'; }; " +
            waitForBox("Zuvaro long box") +
            "was=; now=$(place); for i in $(seq 600); do [ \"$now\" = \"$was\" ] && break; "
            "sleep 0.2; was=$now; now=$(place); done; echo \"$now\"; " +
            dismissBox("Zuvaro long box"));
    });
    MessageBoxA(nullptr, text.c_str(), "Zuvaro long box", MB_OK | MB_ICONERROR);
    measurer.join();
    int x = -1, width = 0;
    ASSERT_EQ(std::sscanf(geometry.c_str(), "%d %d", &x, &width), 2) << geometry;
    EXPECT_GE(x, 0) << "the box starts off the screen";
    EXPECT_LE(x + width, 1280) << "the box ends off the screen";
    EXPECT_LT(width, 1100);
}

TEST(Window, PerformanceCounterAdvancesAtItsFrequency) {
    LARGE_INTEGER frequency{}, before{}, after{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    ASSERT_GT(frequency.QuadPart, 0);
    ASSERT_TRUE(QueryPerformanceCounter(&before));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(QueryPerformanceCounter(&after));
    const double seconds = static_cast<double>(after.QuadPart - before.QuadPart) /
                           static_cast<double>(frequency.QuadPart);
    EXPECT_GE(seconds, 0.045);
    EXPECT_LT(seconds, 5.0);
}

TEST(Window, NullAndUnknownHandlesFailLikeWindows) {
    int notAWindow = 0;
    HWND bogus = reinterpret_cast<HWND>(&notAWindow);
    EXPECT_FALSE(ShowWindow(nullptr, SW_SHOW));
    EXPECT_FALSE(ShowWindow(bogus, SW_SHOW));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(UpdateWindow(bogus));
    EXPECT_FALSE(SetWindowTextA(bogus, "x"));
    EXPECT_EQ(GetDC(bogus), nullptr);
    EXPECT_EQ(DefWindowProcA(bogus, WM_CLOSE, 0, 0), 0);
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, bogus, 0, 0, PM_REMOVE));
    msg.hwnd = bogus;
    msg.message = WM_PAINT;
    EXPECT_EQ(DispatchMessageA(&msg), 0);
    HDC bogusDc = reinterpret_cast<HDC>(&notAWindow);
    HGLRC bogusContext = reinterpret_cast<HGLRC>(&notAWindow);
    EXPECT_FALSE(SwapBuffers(nullptr));
    EXPECT_FALSE(SwapBuffers(bogusDc));
    EXPECT_EQ(ChoosePixelFormat(bogusDc, nullptr), 0);
    EXPECT_FALSE(SetPixelFormat(bogusDc, 1, nullptr));
    EXPECT_EQ(wglCreateContext(bogusDc), nullptr);
    EXPECT_FALSE(wglMakeCurrent(bogusDc, bogusContext));
    EXPECT_FALSE(wglDeleteContext(nullptr));
    EXPECT_FALSE(wglDeleteContext(bogusContext));
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    WNDCLASSEXA incomplete{};
    incomplete.cbSize = sizeof incomplete;
    EXPECT_EQ(RegisterClassExA(&incomplete), 0);
}

TEST(Window, GoesWhereItIsPutAndCreationCarriesItsParameter) {
    std::string note = "from the creator";
    lastCreate = CREATESTRUCTA{};
    HWND w = CreateWindowExA(0, "ZuvaroTestClass", "zuvaro place test", WS_OVERLAPPEDWINDOW, 130,
                             70, 200, 100, nullptr, nullptr, nullptr, &note);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(lastCreate.lpCreateParams, &note);
    EXPECT_EQ(lastCreate.x, 130);
    EXPECT_EQ(lastCreate.cx, 200);
    ShowWindow(w, SW_SHOW);
    const std::string id = visibleWindowNamed("zuvaro place test");
    ASSERT_NE(id, "");
    EXPECT_EQ(
        shellLine("xwininfo -id " + id + " | awk '/Absolute upper-left/ {print $4}' | paste -sd,"),
        "130,70");
    closeWindow(w);
    received.clear();
    HWND corner = makeWindow("zuvaro corner test"); // at 0, 0: the screen's top-left corner
    ShowWindow(corner, SW_SHOW);
    EXPECT_EQ(shellLine("xwininfo -id " + visibleWindowNamed("zuvaro corner test") +
                        " | awk '/Absolute upper-left/ {print $4}' | paste -sd,"),
              "0,0");
    closeWindow(corner);
}

TEST(Window, DroppedFilesArriveAsOneDropForWindowsThatAcceptThem) {
    HWND w = makeWindow("zuvaro drop test");
    MSG msg{};
    pushDesktopDrop(w, {"/maps/one.w3e"});
    // Not accepting files yet. The drop is in the queue already: what it holds now is all.
    bool dropped = false;
    while (PeekMessageA(&msg, w, 0, 0, PM_REMOVE)) dropped = dropped || msg.message == WM_DROPFILES;
    EXPECT_FALSE(dropped);

    DragAcceptFiles(w, TRUE);
    pushDesktopDrop(w, {"/maps/a folder", "/maps/Карта/two.w3e", "/maps/\xe9t\xe9"});
    ASSERT_TRUE(peekUntil(w, WM_DROPFILES, msg));
    const auto drop = reinterpret_cast<HDROP>(msg.wParam);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 3u);
    EXPECT_EQ(DragQueryFileW(drop, 0, nullptr, 0), 14u); // length without the zero
    WCHAR name[32];
    EXPECT_EQ(DragQueryFileW(drop, 1, name, 32), 19u); // UTF-16 code units
    EXPECT_EQ(std::u16string(name), u"/maps/Карта/two.w3e");
    EXPECT_EQ(DragQueryFileW(drop, 0, name, 6), 5u); // cut to the buffer, zero included
    EXPECT_EQ(std::u16string(name), u"/maps");
    // A name that is not UTF-8 (Latin-1 bytes) comes back byte for byte through UTF-16.
    ASSERT_EQ(DragQueryFileW(drop, 2, name, 32), 9u);
    char bytes[32];
    const int n = WideCharToMultiByte(CP_UTF8, 0, name, -1, bytes, sizeof bytes, nullptr, nullptr);
    EXPECT_EQ(std::string(bytes, static_cast<std::size_t>(n)), std::string("/maps/\xe9t\xe9", 10));
    EXPECT_EQ(DragQueryFileW(drop, 3, name, 32), 0u);
    DragFinish(drop);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 0u); // gone
    closeWindow(w);
}

TEST(WindowDeathTest, NoDisplayMeansNoWindowAndAReason) {
    // A fresh process, so that SDL has not met the display yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto withoutDisplay = [] {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        WNDCLASSEXA c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = DefWindowProcA;
        c.lpszClassName = "Headless";
        RegisterClassExA(&c);
        HWND w = CreateWindowExA(0, "Headless", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
        char reason[512];
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       GetLastError(), 0, reason, sizeof reason, nullptr);
        std::fprintf(stderr, "reason: %s\n", reason);
        std::exit(w == nullptr ? 3 : 0);
    };
    EXPECT_EXIT(withoutDisplay(), testing::ExitedWithCode(3), "reason: no display: .+");
}

} // namespace
