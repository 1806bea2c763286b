// Edges: the connect-mode pair selection with its highlight and toggle, and the
// removal of all edges of one field. Clicks are real mouse clicks on the fields.

#include "app/app.h"
#include "editor/editor.h"
#include "support/mousedriver.h"
#include "support/testwindow.h"

#include <QtTest>
#include <memory>
#include <set>

using colors::rgb;

namespace {

constexpr colors::Color Yellow = rgb(255, 255, 100);
constexpr colors::Color White = rgb(255, 255, 255);

using Pair = std::pair<int, int>;

// "5-6 6-7" as a set of ordered pairs, both directions.
std::set<Pair> pairsOf(const QString &text)
{
    std::set<Pair> out;
    for (const QString &t : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto ab = t.split(QLatin1Char('-'));
        out.insert({ab[0].toInt(), ab[1].toInt()});
        out.insert({ab[1].toInt(), ab[0].toInt()});
    }
    return out;
}

QString matrixDiff(const app::BoardState &st, const std::set<Pair> &want)
{
    for (int a = 0; a < app::FieldCount; ++a)
        for (int b = 0; b < app::FieldCount; ++b) {
            const int expect = want.count({a, b}) ? 1 : 0;
            if (st.Kante[size_t(a)][size_t(b)] != expect)
                return QStringLiteral("Kante(%1, %2) = %3").arg(a).arg(b).arg(st.Kante[size_t(a)][size_t(b)]);
        }
    return {};
}

} // namespace

class TestEdges : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestWindow> tw;
    std::unique_ptr<testing::Mouse> mouse;
    app::BoardState &st() { return tw->st(); }
    forms::PictureBox *field(int i) { return st().picFeld[size_t(i)]; }

    void clickField(int i, Qt::MouseButton b = Qt::LeftButton)
    {
        QCOMPARE(testing::widgetUnder(field(i)->surface(), QPointF(20, 20)), field(i)->surface());
        mouse->click(field(i)->surface(), QPointF(20, 20), b);
    }
    // The board's picture half way between two field centres.
    QColor midpoint(int a, int b)
    {
        const QPointF ca(field(a)->left() + 21, field(a)->top() + 21);
        const QPointF cb(field(b)->left() + 21, field(b)->top() + 21);
        const QPointF m = (ca + cb) / 2;
        return st().picRahmen->image().pixelColor(int(m.x()), int(m.y()));
    }
    void sketch() { st().picRahmen->Line(200, 400, 260, 400, rgb(255, 0, 0)); }
    bool sketchThere() { return st().picRahmen->image().pixelColor(230, 400) == QColor(255, 0, 0); }

private slots:
    void init()
    {
        tw = std::make_unique<testing::TestWindow>();
        tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(tw->window.get()));
        mouse = std::make_unique<testing::Mouse>(tw->window.get());
        // Fields 5..9 on the board, no three in a line; field 0 stays on top of the supply pile.
        testing::buildBoard(st(), QString(), {5, 6, 7, 8, 9});
        const QPointF at[5] = {{100, 200}, {300, 180}, {200, 350}, {420, 300}, {120, 420}};
        for (int i = 0; i < 5; ++i)
            field(5 + i)->setPos(float(at[i].x()), float(at[i].y()));
        app::cmdVerbinden_Click(st());
    }

    void cleanup()
    {
        mouse.reset();
        tw.reset();
    }

    void toggleByClicks_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("edges");
        QTest::addColumn<int>("chosen"); // the highlighted field afterwards, -1 none

        QTest::newRow("one click chooses") << "5" << "" << 5;
        QTest::newRow("two fields join") << "5 6" << "5-6" << -1;
        QTest::newRow("back the other way removes") << "5 6 6 5" << "" << -1;
        QTest::newRow("same pair again removes") << "5 6 5 6" << "" << -1;
        QTest::newRow("same field twice") << "5 5" << "" << -1;
        QTest::newRow("third click starts a pair") << "5 6 7" << "5-6" << 7;
        QTest::newRow("a path") << "5 6 6 7 7 8" << "5-6 6-7 7-8" << -1;
        QTest::newRow("a star") << "9 5 9 6 7 9" << "5-9 6-9 7-9" << -1;
        QTest::newRow("board field and supply field") << "7 0" << "0-7" << -1;
    }

    void toggleByClicks()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, edges);
        QFETCH(int, chosen);

        for (const QString &c : clicks.split(QLatin1Char(' ')))
            clickField(c.toInt());

        const std::set<Pair> want = pairsOf(edges);
        QCOMPARE(matrixDiff(st(), want), QString());
        QCOMPARE(st().Feld1Gewaehlt, chosen >= 0 ? 1 : 0);
        if (chosen >= 0)
            QCOMPARE(st().Feld1, chosen);
        for (int i : {0, 5, 6, 7, 8, 9})
            QCOMPARE(field(i)->backColor(), i == chosen ? Yellow : White);
        // Drawn from centre to centre in the board's drawing colour.
        const QColor line(128, 128, 128), ground(192, 192, 192);
        for (const Pair &p : want)
            if (p.first < p.second && p.first != 0)
                QCOMPARE(midpoint(p.first, p.second), line);
        if (!want.count({5, 7}))
            QCOMPARE(midpoint(5, 7), ground);
        if (want.empty())
            QVERIFY(!st().picRahmen->hasDrawing());
    }

    // A matrix from a file need not be symmetric or free of loops; the toggle flips each
    // of the two entries by itself and never touches the diagonal.
    void eachEntryFlipsOnItsOwn_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("ab");
        QTest::addColumn<int>("ba");
        QTest::addColumn<int>("abAfter");
        QTest::addColumn<int>("baAfter");
        QTest::newRow("one-sided entry") << 5 << 6 << 1 << 0 << 0 << 1;
        QTest::newRow("other side") << 5 << 6 << 0 << 1 << 1 << 0;
        QTest::newRow("loop stays") << 5 << 5 << 1 << 1 << 1 << 1;
        QTest::newRow("no loop stays none") << 6 << 6 << 0 << 0 << 0 << 0;
    }

    void eachEntryFlipsOnItsOwn()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, ab);
        QFETCH(int, ba);
        QFETCH(int, abAfter);
        QFETCH(int, baAfter);
        st().Kante[size_t(a)][size_t(b)] = ab;
        st().Kante[size_t(b)][size_t(a)] = ba;
        st().Kante[8][8] = 1; // a loaded loop elsewhere
        clickField(a);
        clickField(b);
        QCOMPARE(st().Kante[size_t(a)][size_t(b)], abAfter);
        QCOMPARE(st().Kante[size_t(b)][size_t(a)], baAfter);
        QCOMPARE(st().Kante[8][8], 1);
        QCOMPARE(field(a)->backColor(), White);
    }

    void onlyTheFirstFieldTurnsWhite()
    {
        // A field painted in play mode keeps its colour as the second of a pair.
        field(6)->setBackColor(rgb(0, 128, 0));
        clickField(5, Qt::RightButton);
        QCOMPARE(field(5)->backColor(), Yellow);
        clickField(6, Qt::MiddleButton);
        QCOMPARE(field(5)->backColor(), White);
        QCOMPARE(field(6)->backColor(), rgb(0, 128, 0));
        QCOMPARE(st().Kante[5][6], 1);
        // Any button chooses in connect mode: no drag, no sending back.
        QCOMPARE(field(5)->left(), 100.0f);
        QCOMPARE(field(6)->tag(), QStringLiteral("1"));
        QVERIFY(st().dragOutline->isHidden());
        // As the first of a pair it turns yellow, and white after.
        clickField(6);
        QCOMPARE(field(6)->backColor(), Yellow);
        clickField(7);
        QCOMPARE(field(6)->backColor(), White);
    }

    void onlySecondClickRedraws()
    {
        sketch();
        clickField(5);
        QVERIFY(sketchThere());
        clickField(5); // even a pair that changes nothing redraws
        QVERIFY(!sketchThere());
    }

    void selectionSurvivesModesAndNewBoard()
    {
        clickField(5);
        app::cmdSetzen_Click(st());
        app::cmdSpielen_Click(st());
        app::cmdVerbinden_Click(st());
        app::cmdneu_Click(st());
        QCOMPARE(field(5)->backColor(), Yellow);
        // After "neu" every field lies in the supply; one is put on the board again.
        testing::buildBoard(st(), QString(), {9});
        app::cmdVerbinden_Click(st());
        clickField(9);
        QCOMPARE(matrixDiff(st(), pairsOf(QStringLiteral("5-9"))), QString());
        QCOMPARE(field(5)->backColor(), White);
        QCOMPARE(st().Feld1Gewaehlt, 0);
    }

    void kantenLoeschenClearsRowAndColumn_data()
    {
        QTest::addColumn<QString>("rowEntries");    // (7, j) = 1 only
        QTest::addColumn<QString>("columnEntries"); // (j, 7) = 1 only
        QTest::newRow("symmetric") << "5 6 9" << "5 6 9";
        QTest::newRow("row only") << "5 0 64" << "";
        QTest::newRow("column only") << "" << "6 8 1";
        QTest::newRow("with a loop") << "7 5" << "7";
    }

    void kantenLoeschenClearsRowAndColumn()
    {
        QFETCH(QString, rowEntries);
        QFETCH(QString, columnEntries);
        for (const QString &j : rowEntries.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            st().Kante[7][size_t(j.toInt())] = 1;
        for (const QString &j : columnEntries.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            st().Kante[size_t(j.toInt())][7] = 1;
        // Edges that do not touch field 7 stay.
        st().Kante[5][6] = st().Kante[6][5] = 1;
        st().Kante[8][9] = 1;
        st().Feld1 = 8;
        st().Feld1Gewaehlt = 1;
        sketch();

        editor::KantenLoeschen(st(), 7);

        QCOMPARE(matrixDiff(st(), {{5, 6}, {6, 5}, {8, 9}}), QString());
        QCOMPARE(st().Feld1, 8);
        QCOMPARE(st().Feld1Gewaehlt, 1);
        QVERIFY(!sketchThere());
        QCOMPARE(midpoint(5, 6), QColor(128, 128, 128));
        QCOMPARE(midpoint(8, 9), QColor(128, 128, 128));
    }
};

QTEST_MAIN(TestEdges)
#include "tst_edges.moc"
