// Looks at windows and pixels on the X server, as a person with a ruler would. Usage:
//   window_probe wm                     exits 0 once a window manager runs
//   window_probe frame <window id>      client x y width height, then frame left right top bottom
//   window_probe white <x> <y> <height> first y from (x, y) down whose pixel is pure white
//   window_probe ink <x> <y> <w> <h>    bounds x0 y0 x1 y1 (inclusive) of the dark pixels in the area
// Exits 1 when there is no answer (no frame yet, no white, no ink).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
long number(const char* text) {
    return std::strtol(text, nullptr, 0);
}

bool wmRunning(Display* d) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    const bool found = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data) == Success &&
                       count == 1;
    if (data)
        XFree(data);
    return found;
}

int frame(Display* d, Window w) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, w, &a))
        return 1;
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom extents = XInternAtom(d, "_NET_FRAME_EXTENTS", False);
    if (XGetWindowProperty(d, w, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data) !=
            Success ||
        count != 4) {
        if (data)
            XFree(data);
        return 1;
    }
    const long* e = reinterpret_cast<const long*>(data);
    std::printf("%d %d %d %d %ld %ld %ld %ld\n", x, y, a.width, a.height, e[0], e[1], e[2], e[3]);
    XFree(data);
    return 0;
}

bool dark(unsigned long pixel) {
    const unsigned long r = (pixel >> 16) & 0xff, g = (pixel >> 8) & 0xff, b = pixel & 0xff;
    return r < 160 || g < 160 || b < 160;
}

int scan(Display* d, bool findWhite, int x, int y, int w, int h) {
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
    if (!image)
        return 1;
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const unsigned long p = XGetPixel(image, i, j) & 0xffffff;
            if (findWhite && p == 0xffffff) {
                std::printf("%d\n", y + j);
                XDestroyImage(image);
                return 0;
            }
            if (!findWhite && dark(p)) {
                x0 = i < x0 ? i : x0;
                y0 = j < y0 ? j : y0;
                x1 = i > x1 ? i : x1;
                y1 = j > y1 ? j : y1;
            }
        }
    XDestroyImage(image);
    if (findWhite || x1 < 0)
        return 1;
    std::printf("%d %d %d %d\n", x + x0, y + y0, x + x1, y + y1);
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "window_probe: cannot open display\n");
        return 2;
    }
    int status = 2;
    const char* what = argc > 1 ? argv[1] : "";
    if (!std::strcmp(what, "wm") && argc == 2)
        status = wmRunning(d) ? 0 : 1;
    else if (!std::strcmp(what, "frame") && argc == 3)
        status = frame(d, Window(std::strtoul(argv[2], nullptr, 0)));
    else if (!std::strcmp(what, "white") && argc == 5)
        status = scan(d, true, int(number(argv[2])), int(number(argv[3])), 1, int(number(argv[4])));
    else if (!std::strcmp(what, "ink") && argc == 6)
        status = scan(d, false, int(number(argv[2])), int(number(argv[3])), int(number(argv[4])),
                      int(number(argv[5])));
    else
        std::fprintf(stderr, "usage: see the top of window_probe.cpp\n");
    XCloseDisplay(d);
    return status;
}
