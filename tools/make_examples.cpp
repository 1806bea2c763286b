// make_examples: writes the sample boards of examples/ with the game's own code. Each
// board is laid out on a real (hidden) window, play is started as the button does,
// and the game is saved by the same routine as "Datei" > "speichern".
//
// Regenerate with `cmake --build build --target examples`, or run
//   QT_QPA_PLATFORM=offscreen build/make_examples examples

#include "app/app.h"
#include "app/main_window.h"
#include "gamefile/gamefile.h"

#include <QApplication>
#include <QDir>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>
#include <vector>

namespace {

// Failure messages go to the terminal instead of a modal box.
class ConsoleMessages : public forms::MessageBoxes {
public:
    void information(const QString &title, const QString &text) override { report(title, text); }
    void critical(const QString &title, const QString &text) override
    {
        report(title, text);
        failed = true;
    }
    bool failed = false;

private:
    static void report(const QString &title, const QString &text)
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
};

struct Board {
    const char *file;
    std::vector<QPointF> centres; // field i at centres[i], in board pixels
    std::vector<std::pair<int, int>> edges;
};

QPointF onCircle(QPointF centre, double radius, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    // Whole pixels: the file keeps them exactly.
    return {std::round(centre.x() + radius * std::cos(a)), std::round(centre.y() + radius * std::sin(a))};
}

std::vector<Board> boards()
{
    std::vector<Board> out;
    const QPointF middle(330, 300);

    // The classic fifteen puzzle: a 4 x 4 grid, the lower right corner free.
    Board fifteen{"fuenfzehn.swk", {}, {}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            fifteen.centres.emplace_back(210 + 80 * c, 160 + 80 * r);
            if (c < 3)
                fifteen.edges.emplace_back(4 * r + c, 4 * r + c + 1);
            if (r < 3)
                fifteen.edges.emplace_back(4 * r + c, 4 * (r + 1) + c);
        }
    out.push_back(fifteen);

    // A cycle of ten: the tokens can only turn round.
    Board cycle{"kreis.swk", {}, {}};
    for (int i = 0; i < 10; ++i) {
        cycle.centres.push_back(onCircle(middle, 150, -90 + 36 * i));
        cycle.edges.emplace_back(i, (i + 1) % 10);
    }
    out.push_back(cycle);

    // A path of eight in a zigzag: nothing can overtake.
    Board path{"pfad.swk", {}, {}};
    for (int i = 0; i < 8; ++i) {
        path.centres.emplace_back(100 + 70 * i, 260 + 70 * (i % 2));
        if (i > 0)
            path.edges.emplace_back(i - 1, i);
    }
    out.push_back(path);

    // Two cycles sharing a path: hubs 0 (top) and 4 (bottom) joined three ways; the
    // shared middle path 0-8-9-4 holds the free field.
    Board theta{"zwei_kreise.swk",
                {{330, 150}, {200, 185}, {150, 300}, {200, 415}, {330, 450}, {460, 415}, {510, 300}, {460, 185},
                 {330, 250}, {330, 350}},
                {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 0}, {0, 8}, {8, 9}, {9, 4}}};
    out.push_back(theta);

    // Every field has three neighbours: the Petersen graph, a pentagon around a pentagram.
    Board petersen{"petersen.swk", {}, {}};
    for (int i = 0; i < 5; ++i)
        petersen.centres.push_back(onCircle(middle, 150, -90 + 72 * i));
    for (int i = 0; i < 5; ++i)
        petersen.centres.push_back(onCircle(middle, 70, -90 + 72 * i));
    for (int i = 0; i < 5; ++i) {
        petersen.edges.emplace_back(i, (i + 1) % 5);
        petersen.edges.emplace_back(i, i + 5);
        petersen.edges.emplace_back(5 + i, 5 + (i + 2) % 5);
    }
    out.push_back(petersen);
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("examples");
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(outDir));
        return 1;
    }

    ConsoleMessages messages;
    app::MainWindow window(nullptr, &messages, nullptr);
    view::BoardState &st = window.state();
    for (const Board &b : boards()) {
        // "neu" puts every field at the same place in the supply, so the files do not
        // depend on the random pile of the start.
        app::newBoard(st);
        const float half = st.game.fields[0].width / 2;
        for (size_t i = 0; i < b.centres.size(); ++i) {
            model::Field &f = st.game.fields[i];
            f.left = float(b.centres[i].x()) - half;
            f.top = float(b.centres[i].y()) - half;
            f.tag = 1;
        }
        st.showFields();
        for (auto [x, y] : b.edges) {
            st.game.edges[size_t(x)][size_t(y)] = 1;
            st.game.edges[size_t(y)][size_t(x)] = 1;
        }
        app::enterPlayMode(st);
        const QString file = QDir(outDir).filePath(QLatin1String(b.file));
        if (!app::saveTo(st, file))
            return 1;
        std::printf("%s\n", qPrintable(file));
    }
    return messages.failed ? 1 : 0;
}
