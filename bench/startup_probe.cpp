// Start-up of real binaries in a real X window: the time from process start to the
// window "Graphen-Schiebwerk" being mapped, and the peak resident memory.
//
//   startup_probe RUNS BASELINE PROGRAM [PROGRAM...]   (needs DISPLAY; bench/startup.sh
//                                                       brings its own Xvfb)
//
// The programs take turns, run by run, so a machine that gets busier or quieter part of
// the way through weighs on all of them alike; each is compared with the first, a bare
// Qt window. Each program's first run is a warm-up (font caches) and is not counted.

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

struct Program {
    const char *path;
    std::vector<double> times;
    long peakKb = 0;
    double median() const { return times[times.size() / 2]; }
};

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS BASELINE PROGRAM [PROGRAM...]\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 1;
    }
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i)
        programs.push_back({argv[i], {}, 0});
    for (const Program &p : programs)
        runOnce(dpy, p.path); // warm-up
    for (int i = 0; i < runs; ++i) {
        for (Program &p : programs) {
            const Run r = runOnce(dpy, p.path);
            if (r.ms < 0) {
                std::fprintf(stderr, "startup_probe: the window of %s did not appear\n", p.path);
                return 1;
            }
            p.times.push_back(r.ms);
            p.peakKb = std::max(p.peakKb, r.peakKb);
        }
    }
    XCloseDisplay(dpy);
    for (Program &p : programs)
        std::sort(p.times.begin(), p.times.end());
    const Program &base = programs.front();
    std::printf("start-up to window mapped, %d alternating runs each, median (min, max); peak resident memory\n", runs);
    for (const Program &p : programs) {
        std::printf("  %-40s %6.1f ms (%5.1f, %5.1f)  %5.1f MB", p.path, p.median(), p.times.front(), p.times.back(),
                    p.peakKb / 1024.0);
        if (&p != &base)
            std::printf("  ratio %.2f", p.median() / base.median());
        std::printf("\n");
    }
    return 0;
}
