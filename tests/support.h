#pragma once
// Test doubles and a window built with them: pacing that runs instantly and logs what
// it was asked to do, dialogs and message boxes that answer from a script, and boards
// built from a compact edge list such as "0-1 1-2 2-3".

#include "app/main_window.h"

#include <QtTest>
#include <deque>
#include <functional>
#include <optional>

namespace testing {

struct InstantPacing : forms::Pacing {
    void pumpEvents() override;
    double now() override { return clock; }
    void wait(double seconds) override;
    std::function<void()> onPump; // at every pump, before the pending events run
    int pumps = 0;
    double clock = 0;
    QStringList log; // "p" per pump, "w0.2" per wait
};

struct ScriptedDialog : forms::CommonDialog {
    bool showOpen() override { return file("open"); }
    bool showSave() override { return file("save"); }
    bool showColour() override;
    bool file(const char *kind);
    std::deque<std::optional<QString>> files; // answers in order; nullopt or none left: cancel
    std::deque<std::optional<colors::Color>> colors;
    QStringList shown; // "open <preset>", "save <preset>" (" in <folder>" unless the working one), "colour"
};

struct ScriptedMessages : forms::MessageBoxes {
    void information(const QString &t, const QString &x) override { shown << t + ": " + x; }
    void critical(const QString &t, const QString &x) override { shown << t + ": " + x; }
    QStringList shown;
};

struct TestWindow {
    InstantPacing pacing;
    ScriptedDialog dialog;
    ScriptedMessages messages;
    app::MainWindow window{&dialog, &messages, &pacing};
    view::BoardState &st = window.state();
    // Shows the window and makes it the active one, as real mouse input needs.
    bool showActive();
};

// Puts the fields of the edge list on the board, field k at (60 + 48 (k % 12),
// 130 + 48 (k / 12)), clear of the lamps, joins the pairs and redraws.
void buildBoard(view::BoardState &st, const QString &edges);

// The occupation invariants; an empty string or the first violation.
QString checkInvariants(const view::BoardState &st);
// Every widget of a field, token or mode shows what the model holds; the first that does not.
QString viewShowsModel(const view::BoardState &st);

} // namespace testing
