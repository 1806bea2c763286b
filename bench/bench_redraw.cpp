// The board redraw on the largest board there is: all 65 fields in a 13 x 5 grid at
// 48-pixel spacing in the play area, every pair joined (2080 edges).

#include "bench_main.h"
#include "boards.h"
#include "app/main_window.h"
#include "editor/editor.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    Fixture()
    {
        auto &st = window.state();
        layOutBoard(st, model::FieldCount, [](int, int) { return true; });
    }
    app::MainWindow window;
};

void BM_RedrawEdges_CompleteGraph(benchmark::State &state)
{
    Fixture f;
    auto &st = f.window.state();
    for (auto _ : state) {
        editor::redrawEdges(st);
        benchmark::DoNotOptimize(st.board->drawing().constBits());
    }
}
BENCHMARK(BM_RedrawEdges_CompleteGraph)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv) { return runBenchmarks(argc, argv); }
