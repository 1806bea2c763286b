#pragma once
// Start-up work that needs no window, done on a second thread while the main thread
// loads Qt's platform plugin and connects to the display.

#include <thread>

namespace app {

// Reads the system's font configuration ahead of the window: the longest single
// step before any text can be measured, and one that the window would otherwise
// wait for at its first control. Call ready() before the first text is measured;
// the font library would otherwise read its configuration a second time, on this
// thread, rather than wait for the first reading.
class HeadStart {
public:
    HeadStart();
    ~HeadStart();
    HeadStart(const HeadStart &) = delete;
    HeadStart &operator=(const HeadStart &) = delete;

    void ready();

private:
    std::thread m_thread;
};

} // namespace app
