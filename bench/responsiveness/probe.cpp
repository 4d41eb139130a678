// Measures, from outside the program, how long an Enter key takes to reach the screen: the X server is
// read, not the program. The program is started on DISPLAY, answers are typed through XTest, and the
// screen is read until it shows the result.
// Usage: responsiveness-probe question|notice RUNS -- PROGRAM [ARGS...]
//   question: type "a", then Enter; time until the centred 640 x 480 area changes (the next question).
//   notice:   type "zzz", then Enter; time until the centred 400 x 137 area shows the notice's red text;
//             then Enter dismisses it.
// Prints the median, the least and the most in milliseconds, and every run.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Area {
    int x, y, width, height;
};

std::vector<unsigned long> grab(Display* display, Area area) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), area.x, area.y, unsigned(area.width),
                              unsigned(area.height), AllPlanes, ZPixmap);
    std::vector<unsigned long> pixels;
    if (image == nullptr) {
        return pixels;
    }
    pixels.reserve(std::size_t(area.width) * std::size_t(area.height));
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            pixels.push_back(XGetPixel(image, x, y));
        }
    }
    XDestroyImage(image);
    return pixels;
}

// The notice's message: clearly red pixels (24-bit TrueColor, 0xRRGGBB).
bool showsRedText(const std::vector<unsigned long>& pixels) {
    int red = 0;
    for (unsigned long pixel : pixels) {
        const long r = long((pixel >> 16) & 0xff), g = long((pixel >> 8) & 0xff), b = long(pixel & 0xff);
        red += r - std::max(g, b) > 120 ? 1 : 0;
    }
    return red > 50;
}

void key(Display* display, const char* name) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(name));
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
}

void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Milliseconds from now until `shown` holds for `area`, or -1 after five seconds.
double timeUntil(Display* display, Area area,
                 const std::function<bool(const std::vector<unsigned long>&)>& shown) {
    const auto start = Clock::now();
    while (Clock::now() - start < std::chrono::seconds(5)) {
        if (shown(grab(display, area))) {
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || std::strcmp(argv[3], "--") != 0) {
        std::fprintf(stderr, "usage: responsiveness-probe question|notice RUNS -- PROGRAM [ARGS...]\n");
        return 64;
    }
    const bool notice = std::strcmp(argv[1], "notice") == 0;
    const int runs = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    const Area sheet{(width - 640) / 2, (height - 480) / 2, 640, 480};
    const Area noticeArea{(width - 400) / 2, (height - 137) / 2, 400, 137};
    // Without a window manager the keys go where the pointer is.
    XTestFakeMotionEvent(display, 0, width / 2, height / 2, CurrentTime);

    pid_t child = 0;
    if (posix_spawn(&child, argv[4], nullptr, nullptr, argv + 4, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[4]);
        return 1;
    }
    pause(3000);       // up and settled, the first sheet opened by the caller's key below
    key(display, "2"); // Kvizaro's first sheet; the floor ignores it
    pause(1000);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        if (notice) {
            for (const char* letter : {"z", "z", "z"}) {
                key(display, letter);
            }
            pause(150);
            key(display, "Return");
            times.push_back(timeUntil(display, noticeArea, showsRedText));
            pause(150);
            key(display, "Return");
            pause(400);
        } else {
            key(display, "a");
            pause(150);
            const std::vector<unsigned long> before = grab(display, sheet);
            key(display, "Return");
            times.push_back(timeUntil(display, sheet, [&](const auto& now) { return now != before; }));
            pause(150);
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);

    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    const double median = sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    std::printf("median_ms=%.1f min_ms=%.1f max_ms=%.1f runs:", median, sorted.front(), sorted.back());
    for (double time : times) {
        std::printf(" %.1f", time);
    }
    std::printf("\n");
    return 0;
}
