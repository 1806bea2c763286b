// Soak run: the shuffle by random moves with "Kaskade" checked on the largest board,
// in real time, watching resident memory and how quickly the window answers.
//
//   soak [SECONDS] [schnell]     (default 600 seconds; "schnell" checks the box)
//
// Another thread posts an event every 100 ms with its time of posting; the window's
// thread notes how long each one waited before it was handled. Memory is read from
// /proc/self/statm once a second.

#include "app/main_window.h"
#include "boards.h"
#include "editor/editor.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double residentMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

const QEvent::Type Ping = QEvent::Type(QEvent::User + 17);

struct PingEvent : QEvent {
    explicit PingEvent(Clock::time_point t) : QEvent(Ping), posted(t) {}
    Clock::time_point posted;
};

class Receiver : public QObject {
public:
    std::vector<double> latenciesMs;
    bool event(QEvent *e) override
    {
        if (e->type() != Ping)
            return QObject::event(e);
        const auto *p = static_cast<PingEvent *>(e);
        latenciesMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - p->posted).count());
        return true;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 600;
    const bool fast = argc > 2 && QByteArray(argv[2]) == "schnell";

    app::MainWindow window;
    auto &st = window.state();
    // The largest board: all 65 fields in a 13 x 5 grid, neighbours joined.
    layOutBoard(st, model::FieldCount, [](int a, int b) { return (b == a + 1 && a % 13 != 12) || (a == b + 1 && b % 13 != 12) || std::abs(a - b) == 13; });
    window.show();
    st.playModeButton->clicked();
    st.cascadeOption->setChecked(true);
    st.fastOption->setChecked(fast);

    Receiver receiver;
    std::atomic<bool> running{true};
    std::thread poster([&] {
        while (running) {
            QCoreApplication::postEvent(&receiver, new PingEvent(Clock::now()));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });

    std::vector<double> rss;
    QTimer memory;
    QObject::connect(&memory, &QTimer::timeout, [&] { rss.push_back(residentMb()); });
    memory.start(1000);
    const auto start = Clock::now();
    QTimer stop;
    QObject::connect(&stop, &QTimer::timeout, [&] {
        if (Clock::now() - start >= std::chrono::seconds(seconds)) {
            st.stopShuffleButton->clicked(); // ends the shuffle after the current move
            st.stopCascadeButton->clicked(); // and a cascade that would go on by itself
        }
    });
    stop.start(250);
    QTimer::singleShot(0, [&] {
        st.shuffleButton->clicked(); // returns when the shuffle has been stopped
        QCoreApplication::quit();
    });
    QApplication::exec();
    running = false;
    poster.join();

    std::vector<double> lat = receiver.latenciesMs;
    std::sort(lat.begin(), lat.end());
    const auto pct = [&](double p) { return lat.empty() ? 0.0 : lat[size_t(p * double(lat.size() - 1))]; };
    double afterMinute = rss.size() > 60 ? rss[60] : (rss.empty() ? 0 : rss.back());
    double maxAfter = afterMinute, minAfter = afterMinute;
    for (size_t i = 60; i < rss.size(); ++i) {
        maxAfter = std::max(maxAfter, rss[i]);
        minAfter = std::min(minAfter, rss[i]);
    }
    std::printf("soak %d s, schnell %s: %zu events, latency median %.1f ms, 99%% %.1f ms, max %.1f ms\n", seconds,
                fast ? "on" : "off", lat.size(), pct(0.5), pct(0.99), lat.empty() ? 0.0 : lat.back());
    std::printf("resident memory: %.1f MB at 1 min, %.1f .. %.1f MB after it (spread %.1f MB), %.1f MB at the end\n",
                afterMinute, minAfter, maxAfter, maxAfter - minAfter, rss.empty() ? 0.0 : rss.back());
    return 0;
}
