// Start-up of real binaries in a real X window: the time from process start to the
// window "Graphen-Schiebwerk" being mapped, the time to its first frame (the first
// drawing into it after the map, seen through the X DAMAGE extension), and the peak
// resident memory. The map alone flatters a program that measures its text only when it
// first paints; the first frame is what the player waits for.
//
//   startup_probe RUNS BASELINE PROGRAM [PROGRAM...]   (needs DISPLAY; bench/startup.sh
//                                                       brings its own Xvfb)
//
// The programs take turns, run by run, so a machine that gets busier or quieter part of
// the way through weighs on all of them alike; each is compared with the first, a bare
// Qt window. Each program's first run is a warm-up (font caches) and is not counted.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

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
    double mapMs = -1;
    double frameMs = -1;
    long peakKb = 0;
};

int damageEventBase = 0;

// A window may be gone before its damage is asked for; that is no error here.
int ignoreErrors(Display *, XErrorEvent *) { return 0; }

Run runOnce(Display *dpy, const char *binary)
{
    using clock = std::chrono::steady_clock;
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    XSync(dpy, True);
    const auto t0 = clock::now();
    const auto since = [t0] { return std::chrono::duration<double, std::milli>(clock::now() - t0).count(); };
    const pid_t pid = fork();
    if (pid == 0) {
        execl(binary, binary, static_cast<char *>(nullptr));
        _exit(127);
    }
    Run r;
    Window game = 0;
    const auto deadline = t0 + std::chrono::seconds(20);
    while (clock::now() < deadline && r.frameMs < 0) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            if (ev.type == CreateNotify) {
                // Watch every new top-level window for drawing from its birth on.
                XDamageCreate(dpy, ev.xcreatewindow.window, XDamageReportNonEmpty);
                XFlush(dpy);
            } else if (ev.type == MapNotify && r.mapMs < 0) {
                // The title may arrive just after the map; ask the server now.
                if (isGameWindow(dpy, ev.xmap.window)) {
                    r.mapMs = since();
                    game = ev.xmap.window;
                }
            } else if (ev.type == damageEventBase + XDamageNotify) {
                const auto &d = reinterpret_cast<const XDamageNotifyEvent &>(ev);
                if (game && d.drawable == game && r.frameMs < 0)
                    r.frameMs = since();
            }
        }
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
    std::vector<double> maps, frames;
    long peakKb = 0;
    static double median(const std::vector<double> &v) { return v[v.size() / 2]; }
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
    int damageErrorBase = 0;
    if (!XDamageQueryExtension(dpy, &damageEventBase, &damageErrorBase)) {
        std::fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i)
        programs.push_back({argv[i], {}, {}, 0});
    for (const Program &p : programs)
        runOnce(dpy, p.path); // warm-up
    for (int i = 0; i < runs; ++i) {
        for (Program &p : programs) {
            const Run r = runOnce(dpy, p.path);
            if (r.frameMs < 0) {
                std::fprintf(stderr, "startup_probe: the window of %s did not appear\n", p.path);
                return 1;
            }
            p.maps.push_back(r.mapMs);
            p.frames.push_back(r.frameMs);
            p.peakKb = std::max(p.peakKb, r.peakKb);
        }
    }
    XCloseDisplay(dpy);
    for (Program &p : programs) {
        std::sort(p.maps.begin(), p.maps.end());
        std::sort(p.frames.begin(), p.frames.end());
    }
    const Program &base = programs.front();
    std::printf("start-up, %d alternating runs each: median (min, max) to the window mapped and to its\n"
                "first frame, the ratios to the first program, peak resident memory\n",
                runs);
    for (const Program &p : programs) {
        std::printf("  %-36s map %5.1f ms (%5.1f, %5.1f)  frame %5.1f ms (%5.1f, %5.1f)", p.path,
                    Program::median(p.maps), p.maps.front(), p.maps.back(), Program::median(p.frames),
                    p.frames.front(), p.frames.back());
        if (&p != &base)
            std::printf("  ratio %.2f / %.2f", Program::median(p.maps) / Program::median(base.maps),
                        Program::median(p.frames) / Program::median(base.frames));
        std::printf("  %5.1f MB\n", p.peakKb / 1024.0);
    }
    return 0;
}
