// The board redraw: which segments it draws, and what ends up on the board's pixels.

#include "support/testwindow.h"

#include "editor/editor.h"

#include <QtTest>

using namespace testing;
using colors::rgb;

namespace {
const QColor LineGrey(128, 128, 128);
const QColor BoardGrey(192, 192, 192);
} // namespace

class TestRedraw : public QObject {
    Q_OBJECT
    std::unique_ptr<TestWindow> tw;
    app::BoardState &st() { return tw->st(); }

    void place(int field, float left, float top)
    {
        st().picFeld[size_t(field)]->setPos(left, top);
        st().picFeld[size_t(field)]->setTag(QStringLiteral("1"));
    }
    void join(int a, int b) { st().Kante[size_t(a)][size_t(b)] = st().Kante[size_t(b)][size_t(a)] = 1; }
    QColor boardPixel(int x, int y) { return st().picRahmen->image().pixelColor(x, y); }
    // Fields 0 and 1 joined on the board: their line runs at y = 221 from x = 121 to 321.
    void twoJoined()
    {
        place(0, 100, 200);
        place(1, 300, 200);
        join(0, 1);
    }

private slots:
    void init() { tw = std::make_unique<TestWindow>(); }
    void cleanup() { tw.reset(); }

    void segmentEndsAtFieldCentres_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<double>("hw");
        QTest::addColumn<double>("hh");
        // The half height goes to a whole number, halves to even; the half width stays.
        QTest::newRow("42") << 42 << 21.0 << 21.0;
        QTest::newRow("41") << 41 << 20.5 << 20.0;
        QTest::newRow("43") << 43 << 21.5 << 22.0;
        QTest::newRow("45") << 45 << 22.5 << 22.0;
    }
    void segmentEndsAtFieldCentres()
    {
        QFETCH(int, size);
        QFETCH(double, hw);
        QFETCH(double, hh);
        for (auto *f : st().picFeld) {
            f->setWidth(float(size));
            f->setHeight(float(size));
        }
        place(3, 100, 200);
        place(9, 300.5f, 150);
        join(3, 9);
        const auto lines = editor::edgeLines(st());
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].p1(), QPointF(100 + hw, 200 + hh));
        QCOMPARE(lines[0].p2(), QPointF(300.5 + hw, 150 + hh));
    }

    void whichPairsAreDrawn()
    {
        auto &s = st();
        QVERIFY(editor::edgeLines(s).isEmpty());
        join(0, 1);
        join(1, 2);
        s.Kante[5][6] = 1; // one-sided, as only a file can give
        s.Kante[7][7] = 1; // diagonal: a line of length zero
        const auto lines = editor::edgeLines(s);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[3].length(), 0.0);
        // Fields in the supply are joined all the same.
        QCOMPARE(lines[0].p1(), QPointF(s.picFeld[0]->left() + 21.0, s.picFeld[0]->top() + 21.0));
        // Entries other than 1 draw nothing.
        s.Kante[5][6] = 2;
        QCOMPARE(editor::edgeLines(s).size(), 3);
    }

    void redrawOnTheBoardPixels()
    {
        twoJoined();
        st().picRahmen->Line(50, 400, 250, 400, rgb(255, 0, 0)); // a sketch
        editor::KantenZeichnen(st());
        // Two pixels wide, and the sketch is gone.
        QCOMPARE(boardPixel(210, 221), LineGrey);
        QCOMPARE(boardPixel(210, 226), BoardGrey);
        QCOMPARE(boardPixel(400, 221), BoardGrey);
        QCOMPARE(boardPixel(150, 400), BoardGrey);
        // A field moved later keeps its old line until the next redraw.
        st().picFeld[1]->setTop(300);
        QCOMPARE(boardPixel(210, 221), LineGrey);
        editor::KantenZeichnen(st());
        QCOMPARE(boardPixel(210, 221), BoardGrey);
        // The line uses the board's drawing colour.
        st().picFeld[1]->setTop(200);
        st().picRahmen->setForeColor(rgb(10, 20, 30));
        editor::KantenZeichnen(st());
        QCOMPARE(boardPixel(210, 221), QColor(10, 20, 30));
        // With no edge at all the board is only cleared.
        st().Kante[0][1] = st().Kante[1][0] = 0;
        editor::KantenZeichnen(st());
        QVERIFY(!st().picRahmen->hasDrawing());
        QCOMPARE(boardPixel(210, 221), BoardGrey);
    }

    void drawingSurvivesRepaint()
    {
        twoJoined();
        editor::KantenZeichnen(st());
        tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(tw->window.get()));
        tw->window->repaint();
        st().picRahmen->setBackColor(rgb(0, 128, 0)); // a new background keeps the drawing
        const QImage shown = st().picRahmen->grab().toImage();
        const int bw = st().picRahmen->borderWidth();
        QCOMPARE(shown.pixelColor(210 + bw, 221 + bw), LineGrey);
        QCOMPARE(shown.pixelColor(210 + bw, 300 + bw), QColor(0, 128, 0));
    }
};

QTEST_MAIN(TestRedraw)
#include "tst_redraw.moc"
