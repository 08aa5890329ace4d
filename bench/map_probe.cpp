// zn-map-probe COMMAND [ARG...]
//
// Starts COMMAND and measures the time from the start to the moment one of its top-level
// windows is mapped at a place on the screen (a window mapped out of sight and moved in
// later counts when it arrives). Prints "MAPPED <milliseconds> <pid> <window id>" on its
// own line as soon as that happens, then waits for COMMAND and exits with its status.
// Exits 2 when there is no X display, 3 when COMMAND ends before its window is on screen.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

long windowPid(Display* d, Window w) {
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", True);
    if (pidAtom == None) return -1;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && count == 1) pid = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return pid;
}

bool onScreen(Display* d, Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
    const int sw = DisplayWidth(d, DefaultScreen(d));
    const int sh = DisplayHeight(d, DefaultScreen(d));
    return a.x + a.width > 0 && a.y + a.height > 0 && a.x < sw && a.y < sh;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }  // windows may vanish while we look

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zn-map-probe COMMAND [ARG...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "zn-map-probe: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("zn-map-probe: exec");
        _exit(127);
    }

    bool found = false;
    while (!found) {
        while (!found && XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
            Window w = None;
            if (e.type == MapNotify) w = e.xmap.window;
            if (e.type == ConfigureNotify) w = e.xconfigure.window;
            if (w == None || windowPid(d, w) != child || !onScreen(d, w)) continue;
            const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
            std::printf("MAPPED %.1f %d %lu\n", ms.count(), static_cast<int>(child), w);
            std::fflush(stdout);
            found = true;
        }
        if (found) break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "zn-map-probe: the program ended before its window was on screen\n");
            return 3;
        }
        usleep(500);
    }
    XCloseDisplay(d);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
