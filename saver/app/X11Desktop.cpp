// Root-window capture with XGetImage and a caption search over the window tree. X errors (a window
// that vanished while we looked) are ignored: the search then simply does not find it.
#include "X11Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace saver::app {
namespace {

int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The bit position and width of a colour mask, to scale each channel to 8 bits.
struct TChannel {
    int Shift = 0;
    int Bits = 0;
    explicit TChannel(unsigned long mask) {
        if (mask == 0) return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++Shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++Bits;
        }
    }
    std::uint32_t Value(unsigned long pixel) const {
        if (Bits == 0) return 0;
        const unsigned long v = (pixel >> Shift) & ((1ul << Bits) - 1);
        return static_cast<std::uint32_t>(Bits >= 8 ? v >> (Bits - 8) : v * 255 / ((1ul << Bits) - 1));
    }
};

std::string WindowCaption(Display* display, Window window) {
    std::string caption;
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        caption.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return caption;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        caption = name;
        XFree(name);
    }
    return caption;
}

bool FindCaption(Display* display, Window window, const std::string& caption, int depth) {
    if (WindowCaption(display, window) == caption) return true;
    if (depth == 0) return false;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
    const std::unique_ptr<Window, int (*)(void*)> owned(children, XFree);
    for (unsigned int i = 0; i < count; ++i)
        if (FindCaption(display, children[i], caption, depth - 1)) return true;
    return false;
}

} // namespace

TX11Desktop::TX11Desktop() : FDisplay(XOpenDisplay(nullptr)) {
    if (!FDisplay) throw std::runtime_error("Cannot open the X display");
    XSetErrorHandler(IgnoreXError);
}

TX11Desktop::~TX11Desktop() {
    XCloseDisplay(FDisplay);
}

TWindowHandle TX11Desktop::DesktopWindow() {
    return DefaultRootWindow(FDisplay);
}
int TX11Desktop::ScreenWidth() {
    return DisplayWidth(FDisplay, DefaultScreen(FDisplay));
}
int TX11Desktop::ScreenHeight() {
    return DisplayHeight(FDisplay, DefaultScreen(FDisplay));
}

TFrameBuffer TX11Desktop::ReadWindow(TWindowHandle window, bool, int left, int top, int width, int height) {
    TFrameBuffer result(std::max(width, 0), std::max(height, 0));
    XImage* image = XGetImage(FDisplay, Window(window), left, top, unsigned(std::max(width, 1)),
                              unsigned(std::max(height, 1)), AllPlanes, ZPixmap);
    if (!image) return result; // the capture failed: a black background
    const TChannel red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    const bool direct = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
                        image->green_mask == 0xFF00 && image->blue_mask == 0xFF &&
                        image->byte_order == LSBFirst;
    for (int y = 0; y < result.Height(); ++y) {
        std::uint32_t* row = result.Row(y);
        if (direct) {
            const auto* from = reinterpret_cast<const std::uint32_t*>(
                image->data + std::ptrdiff_t(y) * image->bytes_per_line);
            for (int x = 0; x < result.Width(); ++x) row[x] = 0xFF000000u | from[x];
        } else {
            for (int x = 0; x < result.Width(); ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                row[x] = 0xFF000000u | red.Value(p) << 16 | green.Value(p) << 8 | blue.Value(p);
            }
        }
    }
    XDestroyImage(image);
    return result;
}

std::optional<TPalette> TX11Desktop::SystemPalette() {
    // Palette displays are gone from X servers in use; true colour needs no palette.
    return std::nullopt;
}

bool TX11Desktop::WindowWithCaptionExists(const std::string& caption) {
    return FindCaption(FDisplay, DefaultRootWindow(FDisplay), caption, 3);
}

} // namespace saver::app
