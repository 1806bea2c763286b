#pragma once
// Test doubles and a window built with them: pacing that runs instantly and records
// what it was asked to do, dialogs and message boxes that answer from a script, and
// boards built from a compact edge list such as "0-1 1-2 2-3 3-0".

#include "app/frmschiebwerk.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace testing {

class InstantPacing : public forms::Pacing {
public:
    void doEvents() override;
    double now() override { return m_now; }
    void wait(double seconds) override;

    // Runs at every pump of events, before the pending events are processed:
    // the place to fire a click "from inside" a running slide, cascade or shuffle.
    std::function<void()> onPump;
    int pumps = 0;
    std::vector<double> waits;
    // Pumps and waits in the order they happened: "p" and "w0.2" style entries.
    QStringList log;

private:
    double m_now = 0;
};

class ScriptedDialog : public forms::CommonDialog {
public:
    bool ShowOpen() override;
    bool ShowSave() override;
    bool ShowColor() override;

    // Answers in order; std::nullopt is a cancel. An empty script cancels.
    std::deque<std::optional<QString>> files;
    std::deque<std::optional<colors::Color>> colors;
    int opens = 0, saves = 0, colorShows = 0;
    // What FileName and InitDir held when each file dialog was shown.
    QStringList presets, initDirs;
};

class ScriptedMessages : public forms::MessageBoxes {
public:
    struct Shown { QString kind, title, text; };
    void information(const QString &title, const QString &text) override;
    void critical(const QString &title, const QString &text) override;
    std::vector<Shown> shown;
};

struct TestWindow {
    TestWindow();
    ~TestWindow();
    InstantPacing pacing;
    ScriptedDialog dialog;
    ScriptedMessages messages;
    std::unique_ptr<app::frmSchiebwerk> window;
    app::BoardState &st() { return window->state(); }
    // Shows the window and makes it the active one, as real mouse input needs;
    // false when the platform does not get there.
    bool showActive();
};

// Puts the fields named in the edge list (and any in `extraFields`) on the board in
// a grid below the divider, joins the listed pairs in Kante and redraws. Fields are
// laid out row by row, `columns` to a row, `spacing` pixels apart.
void buildBoard(app::BoardState &st, const QString &edges, const std::vector<int> &extraFields = {},
                int columns = 13, float spacing = 48);

// Where the token of a field stands, or -1: read from the tokens' tags.
int tokenOnField(const app::BoardState &st, int field);

// Checks the occupation invariants; returns an empty string or the first violation.
QString checkInvariants(const app::BoardState &st);

} // namespace testing
