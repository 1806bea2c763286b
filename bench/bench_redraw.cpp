// The board redraw on the largest board there is: all 65 fields in a 13 x 5 grid at
// 48-pixel spacing in the play area, every pair joined (2080 edges).

#include "bench_main.h"
#include "app/frmschiebwerk.h"
#include "editor/editor.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    Fixture()
    {
        auto &st = window.state();
        for (int i = 0; i < app::FieldCount; ++i) {
            st.picFeld[size_t(i)]->setPos(20 + float(i % 13) * 48, 130 + float(i / 13) * 48);
            st.picFeld[size_t(i)]->setTag(QStringLiteral("1"));
            for (int j = 0; j < app::FieldCount; ++j)
                st.Kante[size_t(i)][size_t(j)] = i == j ? 0 : 1;
        }
    }
    app::frmSchiebwerk window;
};

void BM_KantenZeichnen_CompleteGraph(benchmark::State &state)
{
    Fixture f;
    auto &st = f.window.state();
    for (auto _ : state) {
        editor::KantenZeichnen(st);
        benchmark::DoNotOptimize(st.picRahmen->drawing().constBits());
    }
}
BENCHMARK(BM_KantenZeichnen_CompleteGraph)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv) { return runBenchmarks(argc, argv); }
