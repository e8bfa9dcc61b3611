// drop_files WINDOW_ID PATH...: drops files on an X window as a file manager does, through the
// XDND protocol: enter with the file list's type, a position over the window's middle, the
// drop once the window accepts, the list (text/uri-list) handed over when asked, and the
// window's word that it has finished. Exit 0 when the window took the drop, 3 when it
// refused, 1 when it did not answer within 10 seconds.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <time.h>

namespace {

struct Atoms {
    Atom aware, enter, position, status, drop, finished, selection, actionCopy, uriList;
    explicit Atoms(Display* d)
        : aware(XInternAtom(d, "XdndAware", False)), enter(XInternAtom(d, "XdndEnter", False)),
          position(XInternAtom(d, "XdndPosition", False)),
          status(XInternAtom(d, "XdndStatus", False)), drop(XInternAtom(d, "XdndDrop", False)),
          finished(XInternAtom(d, "XdndFinished", False)),
          selection(XInternAtom(d, "XdndSelection", False)),
          actionCopy(XInternAtom(d, "XdndActionCopy", False)),
          uriList(XInternAtom(d, "text/uri-list", False)) {}
};

// A file URI, with every byte outside the unreserved set and '/' percent-encoded.
std::string fileUri(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

void send(Display* d, Window target, Atom type, long l0, long l1, long l2, long l3, long l4) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = target;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(d, target, False, NoEventMask, &e);
    XFlush(d);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: drop_files WINDOW_ID PATH...\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "drop_files: cannot open the display\n");
        return 1;
    }
    const Atoms atom(d);
    const Window target = std::strtoul(argv[1], nullptr, 0);
    std::string list;
    for (int i = 2; i < argc; ++i) {
        char* absolute = realpath(argv[i], nullptr);
        list += fileUri(absolute ? absolute : argv[i]) + "\r\n";
        std::free(absolute);
    }

    const Window source = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(d, atom.selection, source, CurrentTime);

    // The protocol version is the lower of ours (5) and the window's.
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* value = nullptr;
    long version = 5;
    if (XGetWindowProperty(d, target, atom.aware, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &after, &value) != Success ||
        count == 0) {
        std::fprintf(stderr, "drop_files: the window takes no drops (no XdndAware)\n");
        return 3;
    }
    version = std::min<long>(version, static_cast<long>(*reinterpret_cast<Atom*>(value)));
    XFree(value);

    int x = 0, y = 0;
    Window child;
    XWindowAttributes attributes;
    XGetWindowAttributes(d, target, &attributes);
    XTranslateCoordinates(d, target, DefaultRootWindow(d), attributes.width / 2,
                          attributes.height / 2, &x, &y, &child);

    send(d, target, atom.enter, static_cast<long>(source), version << 24,
         static_cast<long>(atom.uriList), 0, 0);
    send(d, target, atom.position, static_cast<long>(source), 0, (x << 16) | y, CurrentTime,
         static_cast<long>(atom.actionCopy));

    bool dropped = false;
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::seconds(60); // generous, for a busy machine
    while (std::chrono::steady_clock::now() < end) {
        if (!XPending(d)) {
            struct timespec pause = {0, 10000000};
            nanosleep(&pause, nullptr);
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == SelectionRequest) {
            const XSelectionRequestEvent& r = e.xselectionrequest;
            XEvent reply{};
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = r.requestor;
            reply.xselection.selection = r.selection;
            reply.xselection.target = r.target;
            reply.xselection.time = r.time;
            reply.xselection.property = None;
            if (r.target == atom.uriList) {
                const Atom property = r.property != None ? r.property : r.target;
                XChangeProperty(d, r.requestor, property, atom.uriList, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(list.data()),
                                static_cast<int>(list.size()));
                reply.xselection.property = property;
            }
            XSendEvent(d, r.requestor, False, NoEventMask, &reply);
            XFlush(d);
        } else if (e.type == ClientMessage && e.xclient.message_type == atom.status && !dropped) {
            if (!(e.xclient.data.l[1] & 1)) {
                std::fprintf(stderr, "drop_files: the window refused the drop\n");
                return 3;
            }
            send(d, target, atom.drop, static_cast<long>(source), 0, CurrentTime, 0, 0);
            dropped = true;
        } else if (e.type == ClientMessage && e.xclient.message_type == atom.finished) {
            XCloseDisplay(d);
            return 0;
        }
    }
    std::fprintf(stderr, "drop_files: no answer from the window\n");
    return 1;
}
