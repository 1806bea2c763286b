// The board redraw on the largest board there is: all 65 fields in a 13 x 5 grid at
// 48-pixel spacing in the play area, every pair joined (2080 edges).

#include "bench_main.h"
#include "app/main_window.h"
#include "editor/editor.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    Fixture()
    {
        auto &st = window.state();
        for (int i = 0; i < model::FieldCount; ++i) {
            model::Field &field = st.game.fields[size_t(i)];
            field.left = 20 + float(i % 13) * 48;
            field.top = 130 + float(i / 13) * 48;
            field.tag = 1;
            st.showField(i);
            for (int j = 0; j < model::FieldCount; ++j)
                st.game.edges[size_t(i)][size_t(j)] = i == j ? 0 : 1;
        }
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
