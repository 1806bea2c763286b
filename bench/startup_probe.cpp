// Start-up of the real binary in a real X window: the time from process start to
// the window "Graphen-Schiebwerk" being mapped, and the peak resident memory.
//
//   startup_probe BINARY [RUNS]   (needs DISPLAY; bench/startup.sh brings its own Xvfb)
//
// The first run is a warm-up (font caches) and is not counted.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

bool isGameWindow(Display *dpy, Window w)
{
    char *name = nullptr;
    bool ok = false;
    if (XFetchName(dpy, w, &name) && name) {
        ok = std::strcmp(name, "Graphen-Schiebwerk") == 0;
        XFree(name);
    }
    return ok;
}

struct Run {
    double ms = -1;
    long peakKb = 0;
};

Run runOnce(Display *dpy, const char *binary)
{
    using clock = std::chrono::steady_clock;
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);
    const auto t0 = clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(binary, binary, static_cast<char *>(nullptr));
        _exit(127);
    }
    Run r;
    const auto deadline = t0 + std::chrono::seconds(20);
    while (clock::now() < deadline) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == MapNotify && r.ms < 0) {
                // The title may arrive just after the map; ask the server now.
                if (isGameWindow(dpy, ev.xmap.window))
                    r.ms = std::chrono::duration<double, std::milli>(clock::now() - t0).count();
            }
        }
        if (r.ms >= 0)
            break;
        usleep(200);
    }
    // Let it paint and settle, then end it and read its peak memory.
    usleep(500000);
    kill(pid, SIGTERM);
    int status = 0;
    rusage ru{};
    wait4(pid, &status, 0, &ru);
    r.peakKb = ru.ru_maxrss;
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s BINARY [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 1;
    }
    runOnce(dpy, argv[1]); // warm-up
    std::vector<double> times;
    long peak = 0;
    for (int i = 0; i < runs; ++i) {
        const Run r = runOnce(dpy, argv[1]);
        if (r.ms < 0) {
            std::fprintf(stderr, "startup_probe: the window did not appear\n");
            return 1;
        }
        times.push_back(r.ms);
        peak = std::max(peak, r.peakKb);
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to window mapped: median %.1f ms (min %.1f, max %.1f, %d runs)\n", times[times.size() / 2],
                times.front(), times.back(), runs);
    std::printf("peak resident memory: %.1f MB\n", peak / 1024.0);
    XCloseDisplay(dpy);
    return 0;
}
