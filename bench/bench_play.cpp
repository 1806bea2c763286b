// The play engine's costs: a shuffle slide with the real pacing (its wall time against
// the nominal 20 x 0.01 s plus the time its pumps take, and the CPU it uses while it
// sleeps), and on a full board with every edge one cascade pass's bookkeeping, a clicked
// move's bookkeeping, and an undo step with its redo.

#include "bench_main.h"
#include "boards.h"
#include "app/main_window.h"
#include "play/engine.h"
#include "play/play.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>

namespace {

// The real pacing, with the time spent pumping events added up.
class MeasuredPacing : public forms::Pacing {
public:
    void pumpEvents() override
    {
        const double t0 = m_real.now();
        m_real.pumpEvents();
        pumpSeconds += m_real.now() - t0;
    }
    double now() override { return m_real.now(); }
    void wait(double seconds) override
    {
        const double t0 = m_real.now();
        m_real.wait(seconds);
        waitSeconds += m_real.now() - t0;
    }

    double pumpSeconds = 0, waitSeconds = 0;

private:
    forms::RealPacing m_real;
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto sec = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
    return sec(u.ru_utime) + sec(u.ru_stime);
}

// Lays out fields 0..count-1 on the board in rows, joins them by the given rule and starts play.
template <class Joined>
void playBoard(view::BoardState &st, int count, Joined joined)
{
    layOutBoard(st, count, joined);
    st.playModeButton->clicked();
}

void BM_ShuffleSlide(benchmark::State &state)
{
    MeasuredPacing pacing;
    app::MainWindow w(nullptr, nullptr, &pacing);
    w.show();
    QApplication::processEvents();
    view::BoardState &st = w.state();
    // Two joined fields: token 0 slides to and fro.
    playBoard(st, 2, [](int, int) { return true; });

    double wall = 0, cpu = 0;
    pacing.pumpSeconds = 0;
    pacing.waitSeconds = 0;
    for (auto _ : state) {
        const std::optional<int> target = st.game.moveTarget(0);
        if (!target) {
            state.SkipWithError("token 0 cannot move");
            break;
        }
        const double c0 = cpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        play::slide(st, 0, *target, play::ShuffleSlide);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        cpu += cpuSeconds() - c0;
    }
    const double n = double(state.iterations());
    const double nominal = play::ShuffleSlide.steps * play::ShuffleSlide.delay + pacing.pumpSeconds / n;
    state.counters["wall_ms"] = wall / n * 1e3;
    state.counters["pumps_ms"] = pacing.pumpSeconds / n * 1e3;
    state.counters["nominal_ms"] = nominal * 1e3;
    // How much longer than asked the waits slept: the scheduler's share of any excess.
    state.counters["oversleep_ms"] = (pacing.waitSeconds / n - play::ShuffleSlide.steps * play::ShuffleSlide.delay) * 1e3;
    state.counters["off_nominal_pct"] = (wall / n - nominal) / nominal * 100;
    state.counters["cpu_of_core_pct"] = cpu / wall * 100;
}
BENCHMARK(BM_ShuffleSlide)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

// A pacing that neither pumps nor waits: what is left of a move is its bookkeeping.
class NoPacing : public forms::Pacing {
public:
    void pumpEvents() override {}
    double now() override { return 0; }
    void wait(double) override {}
};

// All 65 fields, every pair joined: 64 tokens, field 64 free.
bool fullBoard(benchmark::State &state, view::BoardState &st)
{
    playBoard(st, model::FieldCount, [](int, int) { return true; });
    if (st.game.tokenCountOrZero() == 64)
        return true;
    state.SkipWithError("the board is not full");
    return false;
}

void BM_CascadeCount(benchmark::State &state)
{
    app::MainWindow w;
    view::BoardState &st = w.state();
    if (!fullBoard(state, st))
        return;
    for (auto _ : state) {
        const model::CascadeCount c = st.game.cascadeCount(63, 64);
        benchmark::DoNotOptimize(c);
    }
    state.counters["free"] = st.game.cascadeCount(63, 64).free;
    state.counters["count"] = st.game.cascadeCount(63, 64).count;
}
BENCHMARK(BM_CascadeCount)->Unit(benchmark::kMicrosecond);

// What a click on a token costs besides its slide: finding the target, recording the
// step, and the occupation, tag and place of the move. Token 0 goes to and fro.
void BM_ClickBookkeeping(benchmark::State &state)
{
    NoPacing pacing;
    app::MainWindow w(nullptr, nullptr, &pacing);
    view::BoardState &st = w.state();
    if (!fullBoard(state, st))
        return;
    for (auto _ : state) {
        play::MoveGuard guard(st);
        play::StepRecorder step(st, true);
        const std::optional<int> target = st.game.moveTarget(0);
        play::slide(st, 0, target.value_or(0), play::SlidePace{0, 0});
        if (st.game.history.done.size() > 256)
            st.game.history.done.clear();
    }
    state.counters["on_field"] = st.game.fieldOfToken(0).value_or(-1);
}
BENCHMARK(BM_ClickBookkeeping)->Unit(benchmark::kMicrosecond);

// One step back and forward again through the moves menu: a clicked move of one slide.
void BM_UndoRedoStep(benchmark::State &state)
{
    NoPacing pacing;
    app::MainWindow w(nullptr, nullptr, &pacing);
    view::BoardState &st = w.state();
    if (!fullBoard(state, st))
        return;
    st.cascadeOption->setChecked(false);
    play::onTokenPressed(st, 0, 1, 0, 0, 0);
    if (!st.undoAction->isEnabled()) {
        state.SkipWithError("no step to undo");
        return;
    }
    for (auto _ : state) {
        play::undo(st);
        play::redo(st);
    }
    state.counters["on_field"] = st.game.fieldOfToken(0).value_or(-1);
}
BENCHMARK(BM_UndoRedoStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return runBenchmarks(argc, argv); }
