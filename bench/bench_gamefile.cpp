// Game file timings on a full game: all 65 fields on the board, every pair joined
// (2080 edges), play started. Saving goes to a memory file system (/dev/shm).
//   save       collect from the widgets, write the bytes, atomic save
//   parse      read and check the bytes of the file
//   open       the whole "öffnen": read, parse, put on the board, erase-button redraw,
//              play-mode switch with its redraw and token layout
//   redraws    only the two board redraws an open runs, for comparison
// Run the release build: build/bench/bench_gamefile

#include "bench_main.h"
#include "boards.h"
#include "app/app.h"
#include "app/main_window.h"
#include "editor/editor.h"
#include "gamefile/gamefile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

class FixedDialog : public forms::CommonDialog {
public:
    QString answer;
    bool showOpen() override { fileName = answer; return true; }
    bool showSave() override { fileName = answer; return true; }
    bool showColour() override { return false; }
};

class CountingMessages : public forms::MessageBoxes {
public:
    void information(const QString &, const QString &) override { ++shown; }
    void critical(const QString &, const QString &) override { ++shown; }
    int shown = 0;
};

class NoPacing : public forms::Pacing {
public:
    void pumpEvents() override {}
    double now() override { return 0; }
    void wait(double) override {}
};

struct Fixture {
    FixedDialog dialog;
    CountingMessages messages;
    NoPacing pacing;
    std::unique_ptr<app::MainWindow> window;
    QString path;

    Fixture()
    {
        window = std::make_unique<app::MainWindow>(&dialog, &messages, &pacing);
        window->show();
        QCoreApplication::processEvents();
        view::BoardState &st = window->state();
        layOutBoard(st, model::FieldCount, [](int, int) { return true; }, 60);
        for (int i = 0; i < model::FieldCount; ++i)
            st.game.tokens[size_t(i)].text = QStringLiteral("Würfel %1").arg(i);
        app::enterPlayMode(st);
        const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        path = QDir(dir).filePath(QStringLiteral("gsw_bench_%1.swk").arg(QCoreApplication::applicationPid()));
        dialog.answer = path;
        app::saveTo(st, path);
    }
    ~Fixture() { QFile::remove(path); }
    view::BoardState &st() { return window->state(); }
};

// Made on first use, gone before the application object.
std::unique_ptr<Fixture> theFixture;

Fixture &fixture()
{
    if (!theFixture)
        theFixture = std::make_unique<Fixture>();
    return *theFixture;
}

void BM_Save(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(app::saveTo(f.st(), f.path));
    if (f.messages.shown)
        state.SkipWithError("the save failed");
}

void BM_WriteBytes(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        auto bytes = gamefile::write(gamefile::collect(f.st().game));
        benchmark::DoNotOptimize(bytes);
    }
}

void BM_ParseAndCheck(benchmark::State &state)
{
    Fixture &f = fixture();
    QFile file(f.path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        auto parsed = gamefile::parse(bytes);
        if (!parsed.game)
            state.SkipWithError("the file was refused");
        benchmark::DoNotOptimize(parsed);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_Open(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        app::openGame(f.st());
    if (f.messages.shown || f.st().game.tokenCountOrZero() != 64)
        state.SkipWithError("the open failed");
}

// For comparison: what the open spends in the two board redraws it must run.
void BM_OpenRedrawsOnly(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        editor::eraseBoard(f.st());
        editor::redrawEdges(f.st());
    }
}

BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_WriteBytes)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_ParseAndCheck)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_Open)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenRedrawsOnly)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv) { return runBenchmarks(argc, argv, [] { theFixture.reset(); }); }
