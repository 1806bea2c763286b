// Editing speed on the largest board: all 65 fields in a 13 x 5 grid at 48-pixel
// spacing, every pair joined.
// A cursor-key nudge (key press to edges redrawn) has to keep up with key repeat, and
// dragging the field-size thumb re-lays all fields at every step.

#include "bench_main.h"
#include "boards.h"
#include "app/main_window.h"
#include "editor/editor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyleFactory>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<app::MainWindow> completeBoard()
{
    auto w = std::make_unique<app::MainWindow>();
    view::BoardState &st = w->state();
    layOutBoard(st, model::FieldCount, [](int, int) { return true; });
    editor::redrawEdges(st);
    w->show();
    QApplication::processEvents();
    return w;
}

// Left and right in turn, so the field stays where it is.
void nudge(benchmark::State &state, bool repaint)
{
    auto w = completeBoard();
    view::BoardState &st = w->state();
    forms::PictureBox *f = st.fields[32];
    f->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    bool right = true;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, right ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(f, &press);
        if (repaint)
            QApplication::processEvents();
        right = !right;
    }
    // An odd number of presses leaves it one pixel to the right.
    const float start = 20 + float(32 % 13) * 48;
    if (f->left() != start && f->left() != start + 1)
        state.SkipWithError("the cursor keys did not move the field");
}

void BM_NudgeCompleteBoard(benchmark::State &state) { nudge(state, false); }
// The same with the window painted afterwards, as the user sees it.
void BM_NudgeCompleteBoardPainted(benchmark::State &state) { nudge(state, true); }

// One step of the thumb: the value moves by one and all 65 fields follow.
void resizeSteps(benchmark::State &state, bool repaint)
{
    auto w = completeBoard();
    QScrollBar *bar = w->state().fieldSizeBar;
    int step = 1;
    for (auto _ : state) {
        if (bar->value() + step > bar->maximum() || bar->value() + step < bar->minimum())
            step = -step;
        bar->setValue(bar->value() + step);
        if (repaint)
            QApplication::processEvents();
    }
    if (w->state().fields[0]->width() != float(bar->value()))
        state.SkipWithError("the fields did not follow");
}

void BM_FieldSizeStep(benchmark::State &state) { resizeSteps(state, false); }
void BM_FieldSizeStepPainted(benchmark::State &state) { resizeSteps(state, true); }

} // namespace

BENCHMARK(BM_NudgeCompleteBoard)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_NudgeCompleteBoardPainted)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FieldSizeStep)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FieldSizeStepPainted)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

int main(int argc, char **argv) { return runBenchmarks(argc, argv); }
