// Starts a program under an X server and watches the server, not the program, for the moments that count:
// a window mapped with the size of the whole screen (the main window full-screen) and, after a digit key
// is typed there, a 640 x 480 window brought to the front (the task sheet with its first question).
// Usage: startup-probe [--key DIGIT] -- PROGRAM [ARGS...]
// Prints one line: main_ms=... sheet_ms=... rss_kb=...
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Window {
    int width = 0;
    int height = 0;
    bool mapped = false;
};

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

class Observer {
public:
    Observer() : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_)) {
            std::fprintf(stderr, "no X server\n");
            std::exit(2);
        }
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, screen_->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~Observer() { xcb_disconnect(connection_); }

    // Waits until `done` holds for some window after an event; false on time-out.
    template <typename Done> bool waitFor(Done done, int timeoutMs) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const std::optional<xcb_window_t> changed = track(event);
                std::free(event);
                if (changed && done(windows_[*changed], *changed)) {
                    return true;
                }
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&fd, 1, 5);
        }
        return false;
    }

    bool isFullScreen(const Window& window) const {
        return window.mapped && window.width == screen_->width_in_pixels &&
               window.height == screen_->height_in_pixels;
    }

    void typeDigit(char digit) {
        xcb_warp_pointer(connection_, XCB_NONE, screen_->root, 0, 0, 0, 0,
                         static_cast<std::int16_t>(screen_->width_in_pixels / 2),
                         static_cast<std::int16_t>(screen_->height_in_pixels / 2));
        const xcb_keycode_t code = keycodeOf(static_cast<xcb_keysym_t>(digit));
        xcb_test_fake_input(connection_, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(connection_, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(connection_);
    }

private:
    std::optional<xcb_window_t> track(xcb_generic_event_t* event) {
        switch (event->response_type & 0x7F) {
        case XCB_CREATE_NOTIFY: {
            auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            windows_[created->window] = Window{created->width, created->height, false};
            return created->window;
        }
        case XCB_CONFIGURE_NOTIFY: {
            auto* configured = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            Window& window = windows_[configured->window];
            window.width = configured->width;
            window.height = configured->height;
            return configured->window;
        }
        case XCB_MAP_NOTIFY: {
            auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
            windows_[mapped->window].mapped = true;
            return mapped->window;
        }
        default:
            return std::nullopt;
        }
    }

    xcb_keycode_t keycodeOf(xcb_keysym_t symbol) {
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
        auto* reply = xcb_get_keyboard_mapping_reply(
            connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, count), nullptr);
        xcb_keycode_t found = 0;
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply);
        for (int code = 0; code < count && found == 0; ++code) {
            for (int column = 0; column < reply->keysyms_per_keycode; ++column) {
                if (symbols[code * reply->keysyms_per_keycode + column] == symbol) {
                    found = static_cast<xcb_keycode_t>(setup->min_keycode + code);
                    break;
                }
            }
        }
        std::free(reply);
        return found;
    }

    xcb_connection_t* connection_;
    xcb_screen_t* screen_;
    std::map<xcb_window_t, Window> windows_;
};

} // namespace

int main(int argc, char** argv) {
    char digit = 0;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--key") == 0) {
        digit = argv[2][0];
        first = 3;
    }
    if (first < argc && std::strcmp(argv[first], "--") == 0) {
        ++first;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: startup-probe [--key DIGIT] -- PROGRAM [ARGS...]\n");
        return 2;
    }
    Observer observer;
    const auto start = Clock::now();
    pid_t child = 0;
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&child, argv[first], &quiet, nullptr, argv + first, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        std::perror("spawn");
        return 2;
    }
    xcb_window_t mainWindow = 0;
    const bool shown = observer.waitFor(
        [&](const Window& window, xcb_window_t id) {
            if (!observer.isFullScreen(window)) {
                return false;
            }
            mainWindow = id;
            return true;
        },
        10000);
    const double mainMs = msSince(start);
    double sheetMs = -1;
    if (shown && digit != 0) {
        // Let the menu finish its first page, and take in what the server reported meanwhile.
        observer.waitFor([](const Window&, xcb_window_t) { return false; }, 200);
        const auto typed = Clock::now();
        observer.typeDigit(digit);
        const bool raised = observer.waitFor(
            [&](const Window& window, xcb_window_t id) {
                return id != mainWindow && window.mapped && window.width == 640 && window.height == 480;
            },
            5000);
        sheetMs = raised ? msSince(typed) : -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long rss = residentKb(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    if (!shown) {
        std::fprintf(stderr, "the main window never filled the screen\n");
        return 1;
    }
    std::printf("main_ms=%.1f sheet_ms=%.1f rss_kb=%ld\n", mainMs, sheetMs, rss);
    return 0;
}
