// How quickly a real program shows its pages, as a user at an X server sees
// it: starts PROGRAM, watches the screen with the Damage extension until the
// window holds page 1 exactly as exported, presses a key with XTest for each
// later page and times it until that page is exact, and counts the
// program's context switches (all threads) while it waits on page 1.
// Usage: latency_harness PROGRAM PAGES_FOLDER PAGES [IDLE_SECONDS]
// Prints one line of numbers; exits 1 when a page never becomes exact or
// the program does not exit after the last key.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <png.h>
#include <poll.h>
#include <signal.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int page_width = 800;
constexpr int page_height = 600;
pid_t program = -1;

[[noreturn]] void give_up(const std::string& why) {
    std::fprintf(stderr, "latency_harness: %s\n", why.c_str());
    if (program > 0) kill(program, SIGKILL);
    std::exit(1);
}

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A page as 0xRRGGBB values, row by row.
std::vector<unsigned> read_page(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) give_up(path + ": " + image.message);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0 ||
        image.width != page_width || image.height != page_height) {
        give_up(path + ": not an 800x600 page");
    }
    std::vector<unsigned> rgb(bytes.size() / 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = (unsigned{bytes[3 * i]} << 16) | (unsigned{bytes[3 * i + 1]} << 8) | bytes[3 * i + 2];
    }
    return rgb;
}

// Windows come and go (SDL over SDL2 makes short-lived ones): errors on
// them are expected and mean only "not this one".
int ignore_errors(Display*, XErrorEvent*) { return 0; }

// The program's window: a viewable 800x600 top-level window whose name
// starts with the program's name; its position on the root window.
bool find_window(Display* display, const std::string& name, Window& window, int& x, int& y) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return false;
    }
    bool found = false;
    for (unsigned i = count; i-- > 0 && !found;) {
        XWindowAttributes attributes{};
        char* title = nullptr;
        if (XGetWindowAttributes(display, children[i], &attributes) == 0 ||
            attributes.map_state != IsViewable || attributes.width != page_width ||
            attributes.height != page_height || XFetchName(display, children[i], &title) == 0) {
            continue;
        }
        found = title != nullptr && std::strncmp(title, name.c_str(), name.size()) == 0;
        XFree(title);
        Window child = 0;
        if (found) {
            window = children[i];
            XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
        }
    }
    if (children != nullptr) XFree(children);
    return found;
}

// The window's pixels, read through shared memory: a copy over the socket
// costs the X server (and so the program under test) milliseconds a look.
XImage* shared_image = nullptr;
XShmSegmentInfo shared_segment{};

void make_shared_image(Display* display) {
    if (XShmQueryExtension(display) == 0) give_up("the X server lacks MIT-SHM");
    const int screen = DefaultScreen(display);
    shared_image = XShmCreateImage(display, DefaultVisual(display, screen),
                                   static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap,
                                   nullptr, &shared_segment, page_width, page_height);
    if (shared_image == nullptr || shared_image->bits_per_pixel != 32) {
        give_up("the screen is not 24 bits deep");
    }
    shared_segment.shmid = shmget(IPC_PRIVATE,
                                  static_cast<std::size_t>(shared_image->bytes_per_line) * page_height,
                                  IPC_CREAT | 0600);
    if (shared_segment.shmid < 0) give_up("cannot make shared memory");
    shared_segment.shmaddr = shared_image->data = static_cast<char*>(shmat(shared_segment.shmid, nullptr, 0));
    shared_segment.readOnly = False;
    if (XShmAttach(display, &shared_segment) == 0) give_up("cannot share memory with the X server");
    XSync(display, False);
    shmctl(shared_segment.shmid, IPC_RMID, nullptr);  // gone once both detach
}

bool screen_shows(Display* display, int x, int y, const std::vector<unsigned>& page) {
    if (XShmGetImage(display, DefaultRootWindow(display), shared_image, x, y, AllPlanes) == 0) {
        return false;
    }
    // A 24-bit screen's pixels are 32-bit words of 0xRRGGBB.
    for (int row = 0; row < page_height; ++row) {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(
            shared_image->data + static_cast<std::ptrdiff_t>(row) * shared_image->bytes_per_line);
        const unsigned* wanted = &page[static_cast<std::size_t>(row) * page_width];
        for (int column = 0; column < page_width; ++column) {
            if ((pixels[column] & 0xFFFFFF) != wanted[column]) return false;
        }
    }
    return true;
}

bool has_title(Display* display, Window window, const std::string& wanted) {
    char* title = nullptr;
    if (XFetchName(display, window, &title) == 0 || title == nullptr) return false;
    const bool same = wanted == title;
    XFree(title);
    return same;
}

// Waits until the screen holds page `number` in the program's window;
// false after `limit_ms` or when the program has exited. The pixels are
// only read once the title names the page.
bool wait_for_page(Display* display, const std::string& name, int number,
                   const std::vector<unsigned>& page, Damage damage, double limit_ms) {
    const Clock::time_point start = Clock::now();
    const std::string title = name + " - page " + std::to_string(number);
    // The window stays where it is found (there is no window manager).
    static Window window = 0;
    static int x = 0;
    static int y = 0;
    for (;;) {
        // Forgotten before looking, so that any change after the look
        // brings a new notification.
        XDamageSubtract(display, damage, None, None);
        XSync(display, False);
        if (window == 0) find_window(display, name, window, x, y);
        if (window != 0 && has_title(display, window, title) && screen_shows(display, x, y, page)) {
            return true;
        }
        if (waitpid(program, nullptr, WNOHANG) != 0) return false;
        // Sleep until something on the screen changes.
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        while (XPending(display) == 0) {
            const double left = limit_ms - ms_since(start);
            if (left <= 0) return false;
            poll(&connection, 1, static_cast<int>(std::min(left, 100.0)) + 1);
        }
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
    }
}

long context_switches(pid_t pid) {
    long total = 0;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
                line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
                total += std::atol(line.substr(line.find(':') + 1).c_str());
            }
        }
    }
    return error ? -1 : total;
}

// Presses and releases a key, at least 50 ms after the last release: both
// SDL libraries take a press that follows a release of the same key within
// 2 ms for the server's auto-repeat and drop it, and a harness that answers
// a page within a millisecond or two could otherwise press that fast, as no
// hand can.
void press_key(Display* display, KeyCode key) {
    static Clock::time_point last_release{};
    std::this_thread::sleep_until(last_release + std::chrono::milliseconds(50));
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XFlush(display);
    last_release = Clock::now();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PROGRAM PAGES_FOLDER PAGES [IDLE_SECONDS]\n", argv[0]);
        return 2;
    }
    const std::string path = argv[1];
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const int pages = std::atoi(argv[3]);
    const double idle_seconds = argc > 4 ? std::atof(argv[4]) : 3.0;
    std::vector<std::vector<unsigned>> expected;
    for (int page = 1; page <= pages; ++page) {
        expected.push_back(read_page(std::string(argv[2]) + "/page-" + std::to_string(page) + ".png"));
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) give_up("cannot open the display");
    int event_base = 0;
    int error_base = 0;
    int major = 0;
    int minor = 0;
    if (XTestQueryExtension(display, &event_base, &error_base, &major, &minor) == 0 ||
        XDamageQueryExtension(display, &event_base, &error_base) == 0) {
        give_up("the X server lacks XTest or Damage");
    }
    make_shared_image(display);
    XSetErrorHandler(ignore_errors);
    const Damage damage = XDamageCreate(display, DefaultRootWindow(display), XDamageReportNonEmpty);
    const KeyCode space = XKeysymToKeycode(display, XK_space);
    // With no window manager the keyboard goes where the pointer is.
    XTestFakeMotionEvent(display, -1, page_width / 2, page_height / 2, CurrentTime);
    XSync(display, False);

    const Clock::time_point started = Clock::now();
    program = fork();
    if (program == 0) {
        // Its standard output (pyramid's count) is not the report's.
        const int null_device = open("/dev/null", O_WRONLY);
        if (null_device >= 0) dup2(null_device, STDOUT_FILENO);
        execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (!wait_for_page(display, name, 1, expected[0], damage, 30000)) give_up("page 1 never shown exactly");
    const double first_page_ms = ms_since(started);

    // Let the start-up settle, then count what the waiting program does.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long switches_before = context_switches(program);
    std::this_thread::sleep_for(std::chrono::duration<double>(idle_seconds));
    const long switches_after = context_switches(program);
    const double wakeups = static_cast<double>(switches_after - switches_before) / idle_seconds;

    // A key that turns no page within 3 s is pressed once more, and said:
    // the number it reports then is not a page turn, and the report says so.
    std::vector<double> turns;
    int pressed_again = 0;
    for (int page = 2; page <= pages; ++page) {
        press_key(display, space);
        const Clock::time_point pressed = Clock::now();
        if (!wait_for_page(display, name, page, expected[page - 1], damage, 3000)) {
            if (waitpid(program, nullptr, WNOHANG) != 0) give_up(name + " exited early");
            std::fprintf(stderr, "latency_harness: page %d not shown 3 s after its key; pressing "
                         "it again\n", page);
            ++pressed_again;
            press_key(display, space);
            if (!wait_for_page(display, name, page, expected[page - 1], damage, 20000)) {
                give_up("page " + std::to_string(page) + " never shown exactly");
            }
            continue;
        }
        turns.push_back(ms_since(pressed));
    }
    press_key(display, space);
    int status = -1;
    for (int i = 0; i < 1000 && waitpid(program, &status, WNOHANG) == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) give_up(name + " did not exit with status 0");
    program = -1;

    std::sort(turns.begin(), turns.end());
    const double median = turns.empty() ? 0 : turns[turns.size() / 2];
    const double most = turns.empty() ? 0 : turns.back();
    std::printf("%s: page 1 %.0f ms after exec; key to page: median %.1f ms, max %.1f ms (%zu turns%s); "
                "%.1f wake-ups a second while waiting\n",
                name.c_str(), first_page_ms, median, most, turns.size(),
                pressed_again > 0 ? ", a key pressed again" : "", wakeups);
    XCloseDisplay(display);
    return 0;
}
