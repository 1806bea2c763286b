// The play engine: token moves and their cascade, the shuffle by random moves, and
// the random arrangements. Everything runs on an instant pacing that logs pumps and
// waits, and clicks "from inside" a running loop are fired from its pump hook.

#include "app/app.h"
#include "forms/numtext.h"
#include "play/engine.h"
#include "play/play.h"
#include "support/testwindow.h"

#include <QtTest>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>

using testing::TestWindow;

namespace {

const QString P = QStringLiteral("p");
QString w(double seconds) { return QStringLiteral("w%1").arg(seconds); }

// What the pacing should log for a slide of n steps with a delay per step.
QStringList slideLog(int steps, double delay)
{
    QStringList l;
    for (int k = 0; k < steps; ++k) {
        l << P;
        if (delay > 0)
            l << w(delay);
    }
    return l;
}

// One cascade pass that goes on with a forced move, and the last pass that ends it.
QStringList forcedPass(bool pause) { return QStringList{P} + (pause ? QStringList{w(0.2)} : QStringList{}) + slideLog(10, 0.005); }
QStringList lastPass(bool pause) { return QStringList{P} + (pause ? QStringList{w(0.2)} : QStringList{}); }

QString edgesOfPath(const std::vector<int> &path)
{
    QStringList e;
    for (size_t i = 0; i + 1 < path.size(); ++i)
        e << QStringLiteral("%1-%2").arg(path[i]).arg(path[i + 1]);
    return e.join(QLatin1Char(' '));
}

QString edgesOfCycle(int n)
{
    QStringList e;
    for (int i = 0; i < n; ++i)
        e << QStringLiteral("%1-%2").arg(i).arg((i + 1) % n);
    return e.join(QLatin1Char(' '));
}

QString edgesOfComplete(int n, int first = 0)
{
    QStringList e;
    for (int a = first; a < first + n; ++a)
        for (int b = a + 1; b < first + n; ++b)
            e << QStringLiteral("%1-%2").arg(a).arg(b);
    return e.join(QLatin1Char(' '));
}

QString edgesOfGrid(int cols, int rows, int first = 0)
{
    QStringList e;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const int i = first + r * cols + c;
            if (c + 1 < cols)
                e << QStringLiteral("%1-%2").arg(i).arg(i + 1);
            if (r + 1 < rows)
                e << QStringLiteral("%1-%2").arg(i).arg(i + cols);
        }
    return e.join(QLatin1Char(' '));
}

// A fixed random graph: every pair joined with probability about 1/5.
QString edgesOfRandomGraph(int n, std::uint32_t seed)
{
    std::mt19937 gen(seed);
    QStringList e;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            if (gen() % 5 == 0)
                e << QStringLiteral("%1-%2").arg(a).arg(b);
    for (int a = 0; a + 1 < n; ++a) // and a path, so no field is cut off
        e << QStringLiteral("%1-%2").arg(a).arg(a + 1);
    return e.join(QLatin1Char(' '));
}

// Records every change of the enabled state of the watched controls into a log.
class EnabledLog : public QObject {
public:
    explicit EnabledLog(QStringList &log) : m_log(log) {}

    void watch(QWidget *w, const QString &name)
    {
        m_names[w] = name;
        w->installEventFilter(this);
    }
    void watch(QAction *a, const QString &name)
    {
        connect(a, &QAction::enabledChanged, this,
                [this, name](bool on) { m_log << (on ? QStringLiteral("+") : QStringLiteral("-")) + name; });
    }
    void watchAll(app::BoardState &st)
    {
        watch(st.cmdSetzen, QStringLiteral("cmdSetzen"));
        watch(st.cmdVerbinden, QStringLiteral("cmdVerbinden"));
        watch(st.cmdSpielen, QStringLiteral("cmdSpielen"));
        watch(st.cmdDatei->menuAction(), QStringLiteral("cmdDatei"));
        watch(st.cmdAnsicht->menuAction(), QStringLiteral("cmdAnsicht"));
        for (QAction *a : {st.cmdneu, st.cmdLadenM, st.cmdSpeichernM, st.cmdEnde, st.cmdInfo})
            watch(a, a->text());
        const std::pair<QWidget *, const char *> widgets[] = {
            {st.Command1, "Command1"},   {st.Command2, "Command2"},   {st.Command3, "Command3"},
            {st.Command4, "Command4"},   {st.Command5, "Command5"},   {st.Command6, "Command6"},
            {st.Command7, "Command7"},   {st.Command8, "Command8"},   {st.Command10, "Command10"},
            {st.Command12, "Command12"}, {st.image1, "image1"},       {st.image2, "image2"},
            {st.chkLawine, "chkLawine"}, {st.chkschnell, "chkschnell"}, {st.VScroll1, "VScroll1"},
            {st.picRahmen, "picRahmen"}, {st.Text5, "Text5"},         {st.txtDateiname, "txtDateiname"},
        };
        for (auto [wdg, name] : widgets)
            watch(wdg, QLatin1String(name));
        for (int i = 0; i < app::FieldCount; ++i) {
            watch(st.picZahl[size_t(i)], QStringLiteral("picZahl%1").arg(i));
            watch(st.picFeld[size_t(i)], QStringLiteral("picFeld%1").arg(i));
        }
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::EnabledChange) {
            auto *wdg = static_cast<QWidget *>(o);
            m_log << (wdg->isEnabled() ? QStringLiteral("+") : QStringLiteral("-")) + m_names.value(wdg);
        }
        return false;
    }

private:
    QStringList &m_log;
    QHash<QObject *, QString> m_names;
};

QStringList prefixed(const QString &prefix, const QStringList &names)
{
    QStringList l;
    for (const QString &n : names)
        l << prefix + n;
    return l;
}

const QStringList ClickControls{QStringLiteral("cmdVerbinden"), QStringLiteral("cmdSetzen"), QStringLiteral("cmdDatei"),
                                QStringLiteral("cmdSpielen"),   QStringLiteral("Command2"),  QStringLiteral("Command4"),
                                QStringLiteral("Command5"),     QStringLiteral("Command6")};
const QStringList ShuffleControls{QStringLiteral("cmdSetzen"), QStringLiteral("cmdVerbinden"),
                                  QStringLiteral("cmdSpielen"), QStringLiteral("Command4"),
                                  QStringLiteral("Command5"),  QStringLiteral("Command6"),
                                  QStringLiteral("cmdDatei")};

struct Snapshot {
    std::vector<QString> tags, tips;
    std::vector<std::pair<float, float>> pos;
    bool operator==(const Snapshot &o) const = default;
};

Snapshot snapshot(const app::BoardState &st)
{
    Snapshot s;
    for (int i = 0; i < app::FieldCount; ++i) {
        s.tags.push_back(st.picZahl[size_t(i)]->tag());
        s.tips.push_back(st.picFeld[size_t(i)]->toolTipText());
        s.pos.emplace_back(st.picZahl[size_t(i)]->left(), st.picZahl[size_t(i)]->top());
    }
    return s;
}

// Where the play layout puts a token on a field: centred on it.
bool centredOn(const app::BoardState &st, int token, int field)
{
    const forms::PictureBox *z = st.picZahl[size_t(token)];
    const forms::PictureBox *f = st.picFeld[size_t(field)];
    return z->left() == float(double(f->left()) + (double(f->width()) - double(z->width())) / 2)
        && z->top() == float(double(f->top()) + (double(f->height()) - double(z->height())) / 2);
}

// The one free board field, or -1 when there is none or more than one.
int freeField(const app::BoardState &st)
{
    int found = -1;
    for (int j = 0; j < app::FieldCount; ++j)
        if (st.onBoard(j) && st.picFeld[size_t(j)]->toolTipText() == app::Frei) {
            if (found >= 0)
                return -1;
            found = j;
        }
    return found;
}

// Every token in play stands centred on the field its tag names.
QString checkPositions(const app::BoardState &st)
{
    for (int k = 0; k < st.steinzahl(); ++k) {
        const auto f = st.fieldOfToken(k);
        if (!f || !centredOn(st, k, *f))
            return QStringLiteral("token %1 is not centred on its field %2").arg(k).arg(st.picZahl[size_t(k)]->tag());
    }
    return {};
}

} // namespace

class TestPlay : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> tw;
    // Fired at every pump with its number (1 for the first pump after resetPacing()).
    std::function<void(int)> hook;
    bool valveFired = false;
    static constexpr int PumpLimit = 200000;

    app::BoardState &st() { return tw->st(); }
    testing::InstantPacing &pacing() { return tw->pacing; }

    void startPlay(const QString &edges, const std::vector<int> &extra = {})
    {
        testing::buildBoard(st(), edges, extra);
        st().cmdSpielen->click();
        QVERIFY(st().playMode());
    }
    void resetPacing()
    {
        pacing().pumps = 0;
        pacing().waits.clear();
        pacing().log.clear();
    }
    void options(bool kaskade, bool schnell)
    {
        st().chkLawine->setChecked(kaskade);
        st().chkschnell->setChecked(schnell);
    }
    void clickToken(int token, int button = 1)
    {
        emit st().picZahl[size_t(token)]->mouseDown(button, 0, 0.5f, 0.5f);
    }
    // Left-clicks every token that stands next to the free field.
    void clickMovableTokens()
    {
        const int free = freeField(st());
        if (free < 0)
            return;
        for (int k = 0; k < st().steinzahl(); ++k) {
            const auto f = st().fieldOfToken(k);
            if (f && st().Kante[size_t(*f)][size_t(free)] == 1)
                clickToken(k);
        }
    }

private slots:
    void init()
    {
        tw = std::make_unique<TestWindow>();
        hook = nullptr;
        valveFired = false;
        // A loop that never ends would hang the suite: stop everything and fail instead.
        pacing().onPump = [this] {
            if (pacing().pumps > PumpLimit) {
                valveFired = true;
                st().KaskadeStopp = 1;
                st().MischenAktiv = 0;
                st().chkLawine->setChecked(false);
            } else if (hook) {
                hook(pacing().pumps);
            }
        };
    }
    void cleanup()
    {
        QVERIFY2(!valveFired, "a loop ran on without end");
        hook = nullptr;
        tw.reset();
    }

    // ---- a single move ----

    void moveBookkeeping_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<int>("token");
        QTest::addColumn<int>("target"); // -1: the token cannot move

        QTest::newRow("path end") << "0-1 1-2" << 1 << 2;
        QTest::newRow("not next to the free field") << "0-1 1-2" << 0 << -1;
        QTest::newRow("sparse field numbers") << "3-7 7-9" << 1 << 9;
        QTest::newRow("star, any leaf") << "0-4 1-4 2-4 3-4" << 1 << 4;
        QTest::newRow("edge to an occupied field only") << "0-1 2-3" << 0 << -1;
        QTest::newRow("token beyond the count") << "0-1 1-2" << 5 << -1;
    }
    void moveBookkeeping()
    {
        QFETCH(QString, edges);
        QFETCH(int, token);
        QFETCH(int, target);
        startPlay(edges);
        options(false, false);
        const Snapshot before = snapshot(st());
        const auto from = st().fieldOfToken(token);
        QStringList enabled;
        EnabledLog rec(enabled);
        rec.watchAll(st());
        resetPacing();

        clickToken(token);

        if (target < 0) {
            QVERIFY(snapshot(st()) == before);
            QCOMPARE(pacing().pumps, 0);
            QVERIFY(enabled.isEmpty());
            return;
        }
        QVERIFY(from.has_value());
        QCOMPARE(st().picZahl[size_t(token)]->tag(), QString::number(target));
        QCOMPARE(st().picFeld[size_t(target)]->toolTipText(), app::Besetzt);
        QCOMPARE(st().picFeld[size_t(*from)]->toolTipText(), app::Frei);
        QVERIFY(centredOn(st(), token, target));
        // Nothing else moved: with "Kaskade" off the click is the only move.
        const Snapshot after = snapshot(st());
        for (int i = 0; i < app::FieldCount; ++i) {
            if (i != token) {
                QCOMPARE(after.tags[size_t(i)], before.tags[size_t(i)]);
                QVERIFY(after.pos[size_t(i)] == before.pos[size_t(i)]);
            }
            if (i != target && i != *from)
                QCOMPARE(after.tips[size_t(i)], before.tips[size_t(i)]);
        }
        // 20 steps at the pace of the events, then one cascade pass that sees "Kaskade" off.
        QCOMPARE(pacing().log, slideLog(20, 0) + QStringList{P});
        QCOMPARE(testing::checkInvariants(st()), QString());
        QVERIFY(!st().busy());
    }

    void slideStepsGoEvenlyToTheField()
    {
        startPlay(QStringLiteral("0-1"));
        options(false, false);
        // Put the token off centre, so the steps have both coordinates to cover.
        forms::PictureBox *z = st().picZahl[0];
        z->setPos(3.0f, 200.0f);
        const double x0 = z->left(), y0 = z->top();
        const forms::PictureBox *f = st().picFeld[1];
        const double x1 = f->left() + (f->width() - z->width()) / 2.0, y1 = f->top() + (f->height() - z->height()) / 2.0;
        std::vector<std::pair<float, float>> seen;
        hook = [&](int) { seen.emplace_back(z->left(), z->top()); };
        resetPacing();
        clickToken(0);
        // Each pump runs before its step: the pump of step k sees the token after k - 1 steps.
        QCOMPARE(int(seen.size()), 21);
        for (int k = 0; k < 20; ++k) {
            QCOMPARE(seen[size_t(k)].first, float(x0 + (x1 - x0) * k / 20));
            QCOMPARE(seen[size_t(k)].second, float(y0 + (y1 - y0) * k / 20));
        }
        QVERIFY(centredOn(st(), 0, 1));
    }

    void highestIndexTargetWins_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<int>("vacate"); // a field whose token is taken off by hand
        QTest::addColumn<int>("token");
        QTest::addColumn<int>("target");

        QTest::newRow("two free neighbours") << "0-1 1-2 1-3" << 0 << 1 << 3;
        QTest::newRow("a middle field vacated") << "0-2 1-2 2-3" << 1 << 2 << 3;
        QTest::newRow("only the lower one is a neighbour") << "0-1 1-2 2-3" << 0 << 1 << 0;
    }
    void highestIndexTargetWins()
    {
        QFETCH(QString, edges);
        QFETCH(int, vacate);
        QFETCH(int, token);
        QFETCH(int, target);
        startPlay(edges);
        options(false, false);
        const int off = testing::tokenOnField(st(), vacate);
        QVERIFY(off >= 0);
        st().picZahl[size_t(off)]->setTag(QStringLiteral("-1"));
        st().picZahl[size_t(off)]->setVisible(false);
        st().picFeld[size_t(vacate)]->setToolTipText(app::Frei);

        clickToken(token);
        QCOMPARE(st().picZahl[size_t(token)]->tag(), QString::number(target));
        QVERIFY(centredOn(st(), token, target));
    }

    // An edge may lead into the supply; a free supply field is still no place to move to.
    void supplyFieldIsNoTarget_data()
    {
        QTest::addColumn<int>("token");
        QTest::addColumn<int>("target");
        QTest::newRow("board field next to it too") << 1 << 2;
        QTest::newRow("only the supply field") << 0 << -1;
    }
    void supplyFieldIsNoTarget()
    {
        QFETCH(int, token);
        QFETCH(int, target);
        startPlay(QStringLiteral("0-1 1-2"));
        options(true, false);
        // Field 5 lies in the supply, free, joined to fields 0 and 1.
        for (int f : {0, 1}) {
            st().Kante[size_t(f)][5] = 1;
            st().Kante[5][size_t(f)] = 1;
        }
        QVERIFY(!st().onBoard(5));
        const Snapshot before = snapshot(st());
        clickToken(token);
        if (target < 0)
            QVERIFY(snapshot(st()) == before);
        else
            QCOMPARE(st().picZahl[size_t(token)]->tag(), QString::number(target));
        QCOMPARE(st().picFeld[5]->toolTipText(), app::Frei);
        QCOMPARE(testing::checkInvariants(st()), QString());
    }

    void tokenOffTheBoardCannotMove_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::newRow("out of play") << "-1";
        QTest::newRow("negative") << "-3";
        QTest::newRow("beyond the last field") << "65";
        QTest::newRow("far beyond") << "1e9";
        QTest::newRow("a supply field") << "5";
    }
    void tokenOffTheBoardCannotMove()
    {
        QFETCH(QString, tag);
        startPlay(QStringLiteral("0-1 1-2"));
        options(true, false);
        // Field 5 lies in the supply, joined to the free field 2.
        st().Kante[5][2] = 1;
        st().Kante[2][5] = 1;
        st().picZahl[1]->setTag(tag);
        const Snapshot before = snapshot(st());
        resetPacing();
        clickToken(1);
        QVERIFY(snapshot(st()) == before);
        QCOMPARE(pacing().pumps, 0);
        QVERIFY(!st().busy());
    }

    // ---- the cascade ----

    void pathCascadePushesEveryToken_data()
    {
        QTest::addColumn<std::vector<int>>("path"); // the last field is the highest, so it starts free
        QTest::newRow("3 fields") << std::vector<int>{0, 1, 2};
        QTest::newRow("6 fields") << std::vector<int>{0, 1, 2, 3, 4, 5};
        QTest::newRow("mixed numbers") << std::vector<int>{1, 4, 2, 7};
        QTest::newRow("mixed numbers, longer") << std::vector<int>{9, 3, 12, 0, 5, 30, 17, 40};
    }
    void pathCascadePushesEveryToken()
    {
        QFETCH(std::vector<int>, path);
        startPlay(edgesOfPath(path));
        options(true, true);
        const size_t m = path.size() - 1;
        QCOMPARE(freeField(st()), path[m]);
        std::vector<int> tokenAt;
        for (size_t i = 0; i < m; ++i)
            tokenAt.push_back(testing::tokenOnField(st(), path[i]));
        resetPacing();

        clickToken(tokenAt[m - 1]);

        for (size_t i = 0; i < m; ++i) {
            QCOMPARE(st().picZahl[size_t(tokenAt[i])]->tag(), QString::number(path[i + 1]));
            QVERIFY(centredOn(st(), tokenAt[i], path[i + 1]));
        }
        QCOMPARE(freeField(st()), path[0]);
        // One forced move per token but the clicked one.
        QCOMPARE(int(std::count(pacing().waits.begin(), pacing().waits.end(), 0.005)), 10 * int(m - 1));
        QCOMPARE(testing::checkInvariants(st()), QString());
    }

    void cycleCascadeRunsUntilStopped_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("atPump");
        // The click's slide takes pumps 1..20; then every pass pumps once and, when it
        // moves a token, ten more times for the slide.
        for (const char *action : {"stop", "uncheck"}) {
            QTest::addRow("%s in the first slide", action) << action << 5;
            QTest::addRow("%s at the first pass", action) << action << 21;
            QTest::addRow("%s in the first forced slide", action) << action << 23;
            QTest::addRow("%s at the sixth pass", action) << action << 21 + 5 * 11;
            QTest::addRow("%s in the sixth forced slide", action) << action << 21 + 5 * 11 + 10;
            QTest::addRow("%s much later", action) << action << 21 + 37 * 11 + 4;
        }
    }
    void cycleCascadeRunsUntilStopped()
    {
        QFETCH(QString, action);
        QFETCH(int, atPump);
        startPlay(edgesOfCycle(4));
        options(true, false);
        hook = [&](int pump) {
            if (pump != atPump)
                return;
            if (action == QLatin1String("stop"))
                st().Command3->click();
            else
                st().chkLawine->setChecked(false);
        };
        resetPacing();
        clickToken(2); // field 2, next to the free field 3

        // A request seen at a pass ends it; one made inside a slide lets the slide end.
        int forced = 0;
        if (atPump > 20) {
            const int q = atPump - 21;
            forced = q / 11 + (q % 11 == 0 ? 0 : 1);
        }
        QCOMPARE(pacing().pumps, 20 + forced * 11 + 1);
        QCOMPARE(int(std::count(pacing().waits.begin(), pacing().waits.end(), 0.005)), 10 * forced);
        // Every forced move takes the free field one step back round the cycle.
        QCOMPARE(freeField(st()), ((2 - forced) % 4 + 4) % 4);
        QCOMPARE(st().KaskadeStopp, std::int16_t(0));
        QCOMPARE(testing::checkInvariants(st()), QString());
        QCOMPARE(checkPositions(st()), QString());
        QVERIFY(!st().busy());
    }

    void twoCandidatesEndTheCascade()
    {
        // Fields 0, 1, 3, 4: token 2 on field 3 moves to 4; field 3 then has tokens 0 and 1 beside it.
        startPlay(QStringLiteral("0-3 1-3 3-4"));
        options(true, false);
        const Snapshot before = snapshot(st());
        resetPacing();
        clickToken(2);
        QCOMPARE(st().picZahl[2]->tag(), QStringLiteral("4"));
        for (int k : {0, 1}) {
            QCOMPARE(st().picZahl[size_t(k)]->tag(), before.tags[size_t(k)]);
            QVERIFY(st().picZahl[size_t(k)]->left() == before.pos[size_t(k)].first);
        }
        QCOMPARE(pacing().log, slideLog(20, 0) + lastPass(true));
    }

    void pausePattern_data()
    {
        QTest::addColumn<bool>("kaskade");
        QTest::addColumn<bool>("schnell");
        QTest::addColumn<QStringList>("expected");
        // Path 0-1-2-3: the click and two forced moves, then a pass finds nothing.
        for (bool schnell : {false, true}) {
            const bool pause = !schnell;
            QTest::addRow("Kaskade, schnell %d", int(schnell))
                << true << schnell
                << slideLog(20, 0) + forcedPass(pause) + forcedPass(pause) + lastPass(pause);
            QTest::addRow("no Kaskade, schnell %d", int(schnell)) << false << schnell << slideLog(20, 0) + QStringList{P};
        }
    }
    void pausePattern()
    {
        QFETCH(bool, kaskade);
        QFETCH(bool, schnell);
        QFETCH(QStringList, expected);
        startPlay(QStringLiteral("0-1 1-2 2-3"));
        options(kaskade, schnell);
        resetPacing();
        clickToken(2);
        QCOMPARE(pacing().log, expected);
    }

    void optionsAreReadAtEveryPass()
    {
        // Path of five: the click and three forced moves. "schnell" comes on at the second pass.
        startPlay(QStringLiteral("0-1 1-2 2-3 3-4"));
        options(true, false);
        hook = [&](int pump) {
            if (pump == 20 + 11 + 1)
                st().chkschnell->setChecked(true);
        };
        resetPacing();
        clickToken(3);
        QCOMPARE(pacing().log,
                 slideLog(20, 0) + forcedPass(true) + forcedPass(false) + forcedPass(false) + lastPass(false));
    }

    void stopRequestBeforeTheMove()
    {
        startPlay(QStringLiteral("0-1 1-2 2-3"));
        options(true, false);
        st().Command3->click();
        QCOMPARE(st().KaskadeStopp, std::int16_t(1));
        const Snapshot before = snapshot(st());
        resetPacing();

        clickToken(2);
        QCOMPARE(st().picZahl[2]->tag(), QStringLiteral("3"));
        QCOMPARE(st().picZahl[1]->tag(), before.tags[1]);
        QCOMPARE(st().picZahl[0]->tag(), before.tags[0]);
        QCOMPARE(st().KaskadeStopp, std::int16_t(0));
        QCOMPARE(pacing().log, slideLog(20, 0) + QStringList{P});

        // The request is used up: the next move cascades again.
        resetPacing();
        clickToken(1);
        QCOMPARE(st().picZahl[1]->tag(), QStringLiteral("2"));
        QCOMPARE(st().picZahl[0]->tag(), QStringLiteral("1"));
    }

    void clickControlsOrder_data()
    {
        QTest::addColumn<bool>("kaskade");
        QTest::addColumn<QStringList>("cascade");
        QTest::newRow("with Kaskade") << true << forcedPass(false) + forcedPass(false) + lastPass(false);
        QTest::newRow("without Kaskade") << false << QStringList{P};
    }
    void clickControlsOrder()
    {
        QFETCH(bool, kaskade);
        QFETCH(QStringList, cascade);
        startPlay(QStringLiteral("0-1 1-2 2-3"));
        options(kaskade, true);
        EnabledLog rec(pacing().log);
        rec.watchAll(st());
        resetPacing();
        clickToken(2);
        // Locked from the end of the first slide to the end of the cascade.
        QCOMPARE(pacing().log, slideLog(20, 0) + prefixed(QStringLiteral("-"), ClickControls) + cascade
                                   + prefixed(QStringLiteral("+"), ClickControls));
    }

    void rightClickOpensPanel_data()
    {
        QTest::addColumn<int>("token");
        QTest::addColumn<QString>("text");
        QTest::newRow("first token") << 0 << "Ab";
        QTest::newRow("token next to the free field") << 2 << " 3";
        QTest::newRow("moved token") << 1 << "";
    }
    void rightClickOpensPanel()
    {
        QFETCH(int, token);
        QFETCH(QString, text);
        startPlay(QStringLiteral("0-1 1-2 2-3"));
        options(true, false);
        forms::PictureBox *z = st().picZahl[size_t(token)];
        z->setBackColor(colors::rgb(10, 200, 30));
        z->setForeColor(colors::rgb(250, 5, 99));
        z->setPos(z->left() + 0.25f, z->top() - 0.5f);
        st().Steintext[size_t(token)] = text;
        const Snapshot before = snapshot(st());
        resetPacing();

        clickToken(token, 2);

        forms::PictureBox *panel = st().picEigenschaften;
        QCOMPARE(st().txtFeld->text(), text);
        QCOMPARE(st().txtFeld->backColor(), colors::rgb(10, 200, 30));
        QCOMPARE(st().txtFeld->foreColor(), colors::rgb(250, 5, 99));
        QCOMPARE(panel->left(), z->left() + z->width());
        QCOMPARE(panel->top(), z->top());
        QVERIFY(panel->visible());
        QCOMPARE(st().AktStein, token);
        const QObjectList stack = panel->parentWidget()->children();
        QCOMPARE(stack.last(), static_cast<QObject *>(panel));
        // Opening the panel moves nothing.
        QVERIFY(snapshot(st()) == before);
        QCOMPARE(pacing().pumps, 0);
    }

    void middleClickDoesNothing()
    {
        startPlay(QStringLiteral("0-1 1-2"));
        options(true, false);
        st().AktStein = 7;
        const Snapshot before = snapshot(st());
        clickToken(1, 4);
        QVERIFY(snapshot(st()) == before);
        QVERIFY(!st().picEigenschaften->visible());
        QCOMPARE(st().AktStein, 7);
    }

    // ---- guards: clicks from inside a running move ----

    void clicksInsideAMove_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("atPump");
        const char *actions[] = {"cmdSetzen", "cmdVerbinden", "cmdSpielen", "Command4", "cmdneu",     "Command5",
                                 "cmdLadenM", "Command6",     "cmdSpeichernM", "image1", "tokens",    "Command2",
                                 "SteinZiehen"};
        // In the first slide nothing is locked yet; then at a pass and inside a forced slide.
        for (const char *a : actions)
            for (int pump : {10, 21, 27})
                QTest::addRow("%s at pump %d", a, pump) << QString::fromLatin1(a) << pump;
    }
    void clicksInsideAMove()
    {
        QFETCH(QString, action);
        QFETCH(int, atPump);
        startPlay(QStringLiteral("0-1 1-2 2-3 3-4"));
        options(true, false);
        tw->dialog.files = {QStringLiteral("/nonexistent/x.swk"), QStringLiteral("/nonexistent/y.swk")};
        forms::Rnd draws = st().svc.rnd;
        bool fired = false;
        hook = [&](int pump) {
            if (pump != atPump)
                return;
            fired = true;
            const std::map<QString, std::function<void()>> acts{
                {QStringLiteral("cmdSetzen"), [&] { st().cmdSetzen->click(); }},
                {QStringLiteral("cmdVerbinden"), [&] { st().cmdVerbinden->click(); }},
                {QStringLiteral("cmdSpielen"), [&] { st().cmdSpielen->click(); }},
                {QStringLiteral("Command4"), [&] { st().Command4->click(); }},
                {QStringLiteral("cmdneu"), [&] { st().cmdneu->trigger(); }},
                {QStringLiteral("Command5"), [&] { st().Command5->click(); }},
                {QStringLiteral("cmdLadenM"), [&] { st().cmdLadenM->trigger(); }},
                {QStringLiteral("Command6"), [&] { st().Command6->click(); }},
                {QStringLiteral("cmdSpeichernM"), [&] { st().cmdSpeichernM->trigger(); }},
                {QStringLiteral("image1"), [&] { st().image1->click(); }},
                {QStringLiteral("tokens"), [&] { clickMovableTokens(); }},
                {QStringLiteral("Command2"), [&] { st().Command2->click(); }},
                // The shuffle's move routine, should anything call it inside a move.
                {QStringLiteral("SteinZiehen"), [&] { for (int k = 0; k < 4; ++k) play::SteinZiehen(st(), k); }},
            };
            acts.at(action)();
        };
        resetPacing();
        clickToken(3);

        QVERIFY(fired);
        // The move and its whole cascade ran as if nothing had been clicked.
        QCOMPARE(pacing().pumps, 20 + 3 * 11 + 1);
        QVERIFY(st().playMode());
        QCOMPARE(st().steinzahl(), 4);
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(st().picZahl[size_t(k)]->tag(), QString::number(k + 1));
            QVERIFY(st().picZahl[size_t(k)]->visible());
        }
        QCOMPARE(testing::checkInvariants(st()), QString());
        QCOMPARE(checkPositions(st()), QString());
        QCOMPARE(tw->dialog.opens, 0);
        QCOMPARE(tw->dialog.saves, 0);
        QCOMPARE(st().svc.rnd.next(), draws.next());
        for (QWidget *c : std::initializer_list<QWidget *>{st().cmdSetzen, st().cmdVerbinden, st().cmdSpielen,
                                                            st().Command2, st().Command4, st().Command5, st().Command6})
            QVERIFY(c->isEnabled());
        QVERIFY(st().cmdDatei->menuAction()->isEnabled());
        QVERIFY(!st().busy());
    }

    void stillUsableInsideAMove()
    {
        // A right click, the stop buttons and "Vorgabe" act while the cascade runs.
        startPlay(QStringLiteral("0-1 1-2 2-3 3-4"));
        options(true, false);
        hook = [&](int pump) {
            if (pump == 27) {
                clickToken(0, 2);
                st().Command10->click();
            }
        };
        resetPacing();
        clickToken(3);
        QVERIFY(st().picEigenschaften->visible());
        QCOMPARE(st().AktStein, 0);
        for (int i = 0; i < 4; ++i)
            QVERIFY(st().picFeld[size_t(i)]->hasDrawing());
        QCOMPARE(pacing().pumps, 20 + 3 * 11 + 1);
    }

    // ---- closing the window ----

    void closingEndsTheLoops_data()
    {
        QTest::addColumn<QString>("run");    // "click" or "shuffle"
        QTest::addColumn<QString>("edges");
        QTest::addColumn<bool>("kaskade");
        QTest::addColumn<int>("fromPump");   // close at the first pump from here on ...
        QTest::addColumn<int>("when");       // ... 0 any, 1 inside a move, 2 between moves
        QTest::addColumn<bool>("beenden");   // through the menu instead of the window

        const QString path = QStringLiteral("0-1 1-2 2-3 3-4");
        const QString cycle = edgesOfCycle(5);
        QTest::newRow("click, first slide") << "click" << path << true << 5 << 0 << false;
        QTest::newRow("click, at a pass") << "click" << path << true << 21 << 0 << false;
        QTest::newRow("click, endless cascade") << "click" << cycle << true << 300 << 0 << false;
        QTest::newRow("click, endless cascade, beenden") << "click" << cycle << true << 301 << 0 << true;
        QTest::newRow("shuffle, inside a move") << "shuffle" << path << false << 100 << 1 << false;
        QTest::newRow("shuffle, between moves") << "shuffle" << path << false << 100 << 2 << false;
        QTest::newRow("shuffle, endless cascade") << "shuffle" << cycle << true << 400 << 1 << false;
        QTest::newRow("shuffle, beenden") << "shuffle" << path << false << 100 << 2 << true;
    }
    void closingEndsTheLoops()
    {
        QFETCH(QString, run);
        QFETCH(QString, edges);
        QFETCH(bool, kaskade);
        QFETCH(int, fromPump);
        QFETCH(int, when);
        QFETCH(bool, beenden);
        startPlay(edges);
        options(kaskade, true);
        int closedAt = 0;
        hook = [&](int pump) {
            if (closedAt || pump < fromPump)
                return;
            if ((when == 1 && !st().moveInProgress) || (when == 2 && st().moveInProgress))
                return;
            closedAt = pump;
            if (beenden)
                st().cmdEnde->trigger();
            else
                tw->window->close();
        };
        resetPacing();
        if (run == QLatin1String("click"))
            clickToken(3);
        else
            st().image1->click();

        QVERIFY(closedAt > 0);
        QVERIFY(st().closing);
        // The loops end right after the pump that saw the window close.
        QCOMPARE(pacing().pumps, closedAt);
        QVERIFY(!st().busy());
        QCOMPARE(testing::checkInvariants(st()), QString());
        QCOMPARE(checkPositions(st()), QString());
        QVERIFY(st().cmdSetzen->isEnabled());
        QVERIFY(st().cmdDatei->menuAction()->isEnabled());

        // Nothing starts any more while the window closes.
        resetPacing();
        clickMovableTokens();
        st().image1->click();
        QCOMPARE(pacing().pumps, 0);
    }

    // ---- the shuffle ----

    void shuffleNeedsTwoFieldsAndPlay_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<std::vector<int>>("extra");
        QTest::addColumn<QString>("mode"); // mode entered last: "" none, "play", "set", "connect"
        QTest::newRow("play never started") << "0-1 1-2" << std::vector<int>{} << "";
        QTest::newRow("no field") << "" << std::vector<int>{} << "play";
        QTest::newRow("one field") << "" << std::vector<int>{7} << "play";
        QTest::newRow("back in set mode") << "0-1 1-2" << std::vector<int>{} << "set";
        QTest::newRow("back in connect mode") << "0-1 1-2" << std::vector<int>{} << "connect";
    }
    void shuffleNeedsTwoFieldsAndPlay()
    {
        QFETCH(QString, edges);
        QFETCH(std::vector<int>, extra);
        QFETCH(QString, mode);
        testing::buildBoard(st(), edges, extra);
        if (!mode.isEmpty())
            st().cmdSpielen->click();
        if (mode == QLatin1String("set"))
            st().cmdSetzen->click();
        if (mode == QLatin1String("connect"))
            st().cmdVerbinden->click();
        options(true, false);
        const Snapshot before = snapshot(st());
        forms::Rnd draws = st().svc.rnd;
        QStringList enabled;
        EnabledLog rec(enabled);
        rec.watchAll(st());
        resetPacing();

        st().image1->click();

        QCOMPARE(pacing().pumps, 0);
        QVERIFY(enabled.isEmpty());
        QVERIFY(snapshot(st()) == before);
        QCOMPARE(st().svc.rnd.next(), draws.next());
        QCOMPARE(st().MischenAktiv, std::int16_t(0));
    }

    void shuffleStopsAfterTheCurrentMoveAndCascade()
    {
        // On a path with the free field at its end only one token can move, and its
        // cascade pushes every token one field along.
        startPlay(QStringLiteral("0-1 1-2 2-3 3-4"));
        options(true, false);
        int stoppedAt = 0;
        std::vector<bool> moving;
        hook = [&](int pump) {
            moving.push_back(st().moveInProgress);
            if (!stoppedAt && st().moveInProgress) {
                st().Command8->click();
                stoppedAt = pump;
            }
        };
        resetPacing();
        st().image1->click();

        QVERIFY(stoppedAt > 0);
        QCOMPARE(st().MischenAktiv, std::int16_t(0));
        for (size_t i = size_t(stoppedAt); i < moving.size(); ++i)
            QVERIFY2(moving[i], "the shuffle went on after the stop");
        // The stop was made in the first slide of the move; the slide and its cascade ran on.
        QCOMPARE(int(moving.size()) - stoppedAt, 19 + 3 * 11 + 1);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(st().picZahl[size_t(k)]->tag(), QString::number(k + 1));
        QCOMPARE(testing::checkInvariants(st()), QString());
        QVERIFY(!st().busy());
    }

    void shuffleOnACycleNeedsTheCascadeStop()
    {
        startPlay(edgesOfCycle(5));
        options(true, true);
        int stoppedAt = 0, cascadeStoppedAt = 0;
        std::vector<bool> moving;
        hook = [&](int pump) {
            moving.push_back(st().moveInProgress);
            if (!stoppedAt && st().moveInProgress) {
                st().Command8->click();
                stoppedAt = pump;
            }
            if (stoppedAt && !cascadeStoppedAt && pump == stoppedAt + 500) {
                st().Command3->click();
                cascadeStoppedAt = pump;
            }
        };
        resetPacing();
        st().image1->click();

        // Command8 alone did not end the endless cascade; Command3 did, and the shuffle
        // ended with it.
        QVERIFY(cascadeStoppedAt > 0);
        for (size_t i = size_t(stoppedAt); i < moving.size(); ++i)
            QVERIFY(moving[i]);
        QVERIFY(pacing().pumps <= cascadeStoppedAt + 11);
        QCOMPARE(st().KaskadeStopp, std::int16_t(0));
        QCOMPARE(testing::checkInvariants(st()), QString());
        QVERIFY(!st().busy());
    }

    void shuffleSlidePace()
    {
        // Kaskade off: each successful pass is a pump and a 20-step slide at 0.01 s per step.
        startPlay(QStringLiteral("0-1"));
        options(false, false);
        hook = [&](int pump) {
            if (pump == 300)
                st().Command8->click();
        };
        resetPacing();
        st().image1->click();
        // With one token that can always move, every pass moves it: the pass pump,
        // 20 steps, and the pass of the cascade that sees "Kaskade" off.
        QStringList pass = QStringList{P} + slideLog(20, 0.01) + QStringList{P};
        QStringList expected;
        while (expected.count(P) < pacing().pumps)
            expected += pass;
        QCOMPARE(pacing().log, expected);
        QCOMPARE(pacing().pumps % 22, 0);
    }

    void shuffleControlsOrder()
    {
        startPlay(QStringLiteral("0-1 1-2 2-3"));
        options(true, false);
        EnabledLog rec(pacing().log);
        rec.watchAll(st());
        hook = [&](int pump) {
            if (pump == 40)
                st().Command8->click();
        };
        resetPacing();
        st().image1->click();
        const QStringList &log = pacing().log;
        const QStringList off = prefixed(QStringLiteral("-"), ShuffleControls);
        const QStringList on = prefixed(QStringLiteral("+"), ShuffleControls);
        QCOMPARE(log.mid(0, off.size()), off);
        QCOMPARE(log.mid(log.size() - on.size()), on);
        // In between only pumps and waits: nothing else was locked or unlocked.
        for (const QString &e : log.mid(off.size(), log.size() - off.size() - on.size()))
            QVERIFY2(e == P || e.startsWith(QLatin1Char('w')), qPrintable(e));
    }

    void clicksInsideAShuffle_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("duringMove"); // fired inside a move, or at a pass between moves
        QTest::addColumn<bool>("acts");       // the click does its work
        for (bool m : {false, true}) {
            const char *at = m ? "inside a move" : "between moves";
            QTest::addRow("token click %s", at) << "tokens" << m << false;
            QTest::addRow("image1 %s", at) << "image1" << m << false;
            QTest::addRow("Mischen %s", at) << "Command2" << m << !m;
            QTest::addRow("Vorgabe %s", at) << "Command10" << m << true;
            QTest::addRow("right click %s", at) << "right" << m << true;
        }
    }
    void clicksInsideAShuffle()
    {
        QFETCH(QString, action);
        QFETCH(bool, duringMove);
        QFETCH(bool, acts);
        startPlay(QStringLiteral("0-1 1-2 2-3 3-4 4-0 1-3"));
        options(false, true);
        st().Steintext[1] = QStringLiteral("R");
        QStringList enabled;
        EnabledLog rec(enabled);
        rec.watchAll(st());
        bool fired = false, pumpedInside = false, changed = false, drew = false;
        hook = [&](int pump) {
            if (pump == 2000) {
                st().Command8->click();
                return;
            }
            if (fired || pump < 60 || st().moveInProgress != duringMove)
                return;
            fired = true;
            const int pumps = pacing().pumps;
            const Snapshot before = snapshot(st());
            forms::Rnd draws = st().svc.rnd;
            if (action == QLatin1String("tokens"))
                clickMovableTokens();
            else if (action == QLatin1String("image1"))
                st().image1->click();
            else if (action == QLatin1String("Command2"))
                st().Command2->click();
            else if (action == QLatin1String("Command10"))
                st().Command10->click();
            else
                clickToken(1, 2);
            pumpedInside = pacing().pumps != pumps;
            changed = !(snapshot(st()) == before);
            drew = st().svc.rnd.next() != draws.next();
            QCOMPARE(testing::checkInvariants(st()), QString()); // only the pass's own state
        };
        resetPacing();
        st().image1->click();

        QVERIFY(fired);
        QVERIFY2(!pumpedInside, "a nested loop ran");
        if (action == QLatin1String("right")) {
            QCOMPARE(acts, st().picEigenschaften->visible());
            QCOMPARE(st().AktStein, 1);
            QCOMPARE(st().txtFeld->text(), QStringLiteral("R"));
        } else if (action == QLatin1String("Command10")) {
            QVERIFY(drew);
            QVERIFY(st().picFeld[0]->hasDrawing());
        } else {
            QCOMPARE(drew, acts);
            if (!acts)
                QVERIFY(!changed);
        }
        // The shuffle locked its controls once and unlocked them once, at its end.
        QCOMPARE(enabled, prefixed(QStringLiteral("-"), ShuffleControls) + prefixed(QStringLiteral("+"), ShuffleControls));
        QCOMPARE(testing::checkInvariants(st()), QString());
        QCOMPARE(checkPositions(st()), QString());
        QVERIFY(!st().busy());
    }

    void shuffleKeepsInvariants_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<bool>("kaskade");
        const std::pair<const char *, QString> boards[] = {
            {"grid 4x4", edgesOfGrid(4, 4)},
            {"complete 6", edgesOfComplete(6)},
            {"star", QStringLiteral("0-8 1-8 2-8 3-8 4-8 5-8 6-8 7-8")},
            {"random 24", edgesOfRandomGraph(24, 7)},
            {"random 40", edgesOfRandomGraph(40, 11)},
            {"cycle 7", edgesOfCycle(7)},
            {"high fields", edgesOfGrid(3, 3, 50)},
        };
        for (const auto &[name, edges] : boards)
            for (bool kaskade : {false, true})
                QTest::addRow("%s, Kaskade %d", name, int(kaskade)) << edges << kaskade;
    }
    void shuffleKeepsInvariants()
    {
        QFETCH(QString, edges);
        QFETCH(bool, kaskade);
        startPlay(edges);
        options(kaskade, true);
        const Snapshot start = snapshot(st());
        int badAt = 0;
        QString bad;
        hook = [&](int pump) {
            // Between moves the board must always be whole.
            if (!badAt && !st().moveInProgress) {
                bad = testing::checkInvariants(st());
                if (!bad.isEmpty())
                    badAt = pump;
            }
            if (pump == 4000) {
                st().Command8->click();
                st().Command3->click(); // an endless cascade on a cycle
            }
        };
        resetPacing();
        st().image1->click();

        QVERIFY2(badAt == 0, qPrintable(QStringLiteral("pump %1: %2").arg(badAt).arg(bad)));
        QCOMPARE(testing::checkInvariants(st()), QString());
        QCOMPARE(checkPositions(st()), QString());
        QVERIFY2(!(snapshot(st()) == start), "no token moved");
    }

    void shuffleIsRepeatable()
    {
        auto runOnce = [this](TestWindow &t) {
            testing::buildBoard(t.st(), edgesOfGrid(4, 3));
            t.st().cmdSpielen->click();
            t.st().chkLawine->setChecked(true);
            t.pacing.onPump = [&t] {
                if (t.pacing.pumps == 1500)
                    t.st().Command8->click();
            };
            t.st().image1->click();
            return snapshot(t.st());
        };
        TestWindow a, b;
        const Snapshot sa = runOnce(a), sb = runOnce(b);
        QVERIFY(sa == sb);
        QCOMPARE(a.pacing.log, b.pacing.log);
    }

    // ---- "Mischen" and "Vorgabe" ----

    void mischenKeepsOccupation_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<std::vector<int>>("extra");
        QTest::newRow("one token") << "0-1" << std::vector<int>{};
        QTest::newRow("path of 4") << "0-1 1-2 2-3" << std::vector<int>{};
        QTest::newRow("no edges") << "" << std::vector<int>{3, 9, 14, 22, 60};
        QTest::newRow("complete 5") << edgesOfComplete(5) << std::vector<int>{};
        QTest::newRow("grid of high fields") << edgesOfGrid(4, 3, 40) << std::vector<int>{};
        QTest::newRow("full board") << edgesOfGrid(13, 5) << std::vector<int>{};
    }
    void mischenKeepsOccupation()
    {
        QFETCH(QString, edges);
        QFETCH(std::vector<int>, extra);
        startPlay(edges, extra);
        const int n = st().steinzahl();
        // A token moved by hand, so positions are not all the layout's.
        st().picZahl[0]->setPos(st().picZahl[0]->left() + 0.75f, st().picZahl[0]->top() - 3.0f);
        std::map<int, std::pair<float, float>> standing; // field -> position of the token on it
        for (int k = 0; k < n; ++k)
            standing[*st().fieldOfToken(k)] = {st().picZahl[size_t(k)]->left(), st().picZahl[size_t(k)]->top()};
        const Snapshot before = snapshot(st());
        const int free = freeField(st());

        bool anyChange = false;
        for (int round = 0; round < 5; ++round) {
            forms::Rnd draws = st().svc.rnd;
            const Snapshot prev = snapshot(st());
            st().Command2->click();
            QVERIFY(st().svc.rnd.next() != draws.next());
            anyChange = anyChange || !(snapshot(st()) == prev);

            std::set<int> fields;
            for (int k = 0; k < n; ++k) {
                const auto f = st().fieldOfToken(k);
                QVERIFY(f && standing.count(*f));
                QVERIFY2(fields.insert(*f).second, "two tokens on one field");
                const std::pair<float, float> pos{st().picZahl[size_t(k)]->left(), st().picZahl[size_t(k)]->top()};
                QVERIFY(pos == standing[*f]);
            }
            QCOMPARE(int(fields.size()), n);
            QCOMPARE(snapshot(st()).tips, before.tips);
            QCOMPARE(freeField(st()), free);
            for (int k = n; k < app::FieldCount; ++k)
                QCOMPARE(st().picZahl[size_t(k)]->tag(), QStringLiteral("-1"));
            QCOMPARE(testing::checkInvariants(st()), QString());
        }
        QCOMPARE(anyChange, n > 1);
    }

    void mischenOutsidePlaySwapsHiddenTokens()
    {
        startPlay(QStringLiteral("0-1 1-2 2-3 3-4"));
        st().cmdSetzen->click();
        std::multiset<std::pair<float, float>> positions;
        for (int k = 0; k < 4; ++k)
            positions.insert({st().picZahl[size_t(k)]->left(), st().picZahl[size_t(k)]->top()});
        const Snapshot before = snapshot(st());
        forms::Rnd draws = st().svc.rnd;
        st().Command2->click();
        QVERIFY(st().svc.rnd.next() != draws.next());
        std::multiset<std::pair<float, float>> after;
        for (int k = 0; k < 4; ++k)
            after.insert({st().picZahl[size_t(k)]->left(), st().picZahl[size_t(k)]->top()});
        QVERIFY(after == positions);
        QCOMPARE(snapshot(st()).tags, before.tags);
        for (int k = 0; k < app::FieldCount; ++k)
            QVERIFY(!st().picZahl[size_t(k)]->visible());
        QCOMPARE(testing::checkInvariants(st()), QString());
    }

    void arrangementsNeedTokens_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<std::vector<int>>("extra");
        QTest::addColumn<bool>("play");
        QTest::newRow("play never started") << "0-1 1-2" << std::vector<int>{} << false;
        QTest::newRow("no field") << "" << std::vector<int>{} << true;
        QTest::newRow("one field") << "" << std::vector<int>{0} << true;
    }
    void arrangementsNeedTokens()
    {
        QFETCH(QString, edges);
        QFETCH(std::vector<int>, extra);
        QFETCH(bool, play);
        testing::buildBoard(st(), edges, extra);
        if (play)
            st().cmdSpielen->click();
        const Snapshot before = snapshot(st());
        forms::Rnd draws = st().svc.rnd;
        st().Command2->click();
        st().Command10->click();
        QVERIFY(snapshot(st()) == before);
        QCOMPARE(st().svc.rnd.next(), draws.next());
        for (int i = 0; i < app::FieldCount; ++i)
            QVERIFY(!st().picFeld[size_t(i)]->hasDrawing());
    }

    // A count no board can have (a damaged game, say) is never used to pick tokens or fields.
    void impossibleCountIsNoIndex_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("65") << 65;
        QTest::newRow("huge") << 1000000;
        QTest::newRow("negative") << -5;
    }
    void impossibleCountIsNoIndex()
    {
        QFETCH(int, count);
        startPlay(QStringLiteral("0-1 1-2"));
        st().Steinzahl = count;
        const Snapshot before = snapshot(st());
        forms::Rnd draws = st().svc.rnd;
        resetPacing();
        st().image1->click();
        st().Command2->click();
        st().Command10->click();
        QCOMPARE(pacing().pumps, 0);
        QVERIFY(snapshot(st()) == before);
        QCOMPARE(st().svc.rnd.next(), draws.next());
        for (int i = 0; i < app::FieldCount; ++i)
            QVERIFY(!st().picFeld[size_t(i)]->hasDrawing());
    }

    void permutationIsUniform()
    {
        forms::Rnd rnd;
        std::map<std::vector<int>, int> seen;
        const int draws = 6000;
        for (int i = 0; i < draws; ++i)
            ++seen[play::randomPermutation(rnd, 3)];
        QCOMPARE(int(seen.size()), 6);
        double chi2 = 0;
        for (const auto &[perm, count] : seen) {
            const double d = count - draws / 6.0;
            chi2 += d * d / (draws / 6.0);
        }
        // 5 degrees of freedom: 20.5 is the 0.1 % tail.
        QVERIFY2(chi2 < 20.5, qPrintable(QString::number(chi2)));
    }

    void permutationIsAPermutation()
    {
        forms::Rnd rnd;
        QVERIFY(play::randomPermutation(rnd, 0).empty());
        for (int n = 1; n <= 64; ++n) {
            forms::Rnd copy = rnd;
            std::vector<int> p = play::randomPermutation(rnd, n);
            // The first pick is the first draw, floor(r * n).
            QCOMPARE(p.front(), int(std::floor(copy.next() * n)));
            std::sort(p.begin(), p.end());
            for (int i = 0; i < n; ++i)
                QCOMPARE(p[size_t(i)], i);
        }
    }

    void vorgabeNumbersFieldsByIndex_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<std::vector<int>>("extra");
        QTest::addColumn<QString>("mode");
        QTest::newRow("one token") << "0-1" << std::vector<int>{} << "play";
        QTest::newRow("path of 4") << "0-1 1-2 2-3" << std::vector<int>{} << "play";
        QTest::newRow("board fields elsewhere") << edgesOfGrid(3, 3, 50) << std::vector<int>{} << "play";
        QTest::newRow("left over from play") << edgesOfComplete(7) << std::vector<int>{} << "set";
    }
    void vorgabeNumbersFieldsByIndex()
    {
        QFETCH(QString, edges);
        QFETCH(std::vector<int>, extra);
        QFETCH(QString, mode);
        startPlay(edges, extra);
        if (mode == QLatin1String("set"))
            st().cmdSetzen->click();
        const int n = st().steinzahl();
        // Something drawn on every field beforehand: on 0..n-1 it must go, beyond it stays.
        std::vector<QImage> marks;
        for (int i = 0; i < app::FieldCount; ++i) {
            st().picFeld[size_t(i)]->Cls();
            st().picFeld[size_t(i)]->Print(QStringLiteral("#%1").arg(i));
            marks.push_back(st().picFeld[size_t(i)]->drawing().copy());
        }
        const Snapshot before = snapshot(st());

        st().Command10->click();

        QVERIFY(snapshot(st()) == before);
        for (int i = n; i < app::FieldCount; ++i)
            QVERIFY(st().picFeld[size_t(i)]->drawing() == marks[size_t(i)]);
        // Each of fields 0..n-1 shows one of the numbers 1..n as a token text would, each once.
        std::set<int> numbers;
        for (int i = 0; i < n; ++i) {
            forms::PictureBox *f = st().picFeld[size_t(i)];
            const QImage shown = f->drawing().copy();
            int match = 0;
            for (int v = 1; v <= n; ++v) {
                f->Cls();
                f->Print(numtext::fromInt(v));
                if (f->drawing() == shown) {
                    QCOMPARE(match, 0);
                    match = v;
                }
            }
            QVERIFY2(match > 0, qPrintable(QStringLiteral("field %1").arg(i)));
            numbers.insert(match);
        }
        QCOMPARE(int(numbers.size()), n);
    }

    void sameClicksSameResults()
    {
        auto session = [](TestWindow &t) {
            testing::buildBoard(t.st(), edgesOfGrid(4, 4));
            t.st().cmdSpielen->click();
            t.st().chkLawine->setChecked(true);
            t.st().Command2->click();
            t.st().Command10->click();
            t.pacing.onPump = [&t] {
                if (t.pacing.pumps == 700)
                    t.st().Command8->click();
            };
            t.st().image1->click();
            t.st().Command2->click();
            std::vector<QImage> fields;
            for (int i = 0; i < 16; ++i)
                fields.push_back(t.st().picFeld[size_t(i)]->drawing().copy());
            return std::make_pair(snapshot(t.st()), fields);
        };
        TestWindow a, b;
        const auto ra = session(a), rb = session(b);
        QVERIFY(ra.first == rb.first);
        QVERIFY(ra.second == rb.second);
        QCOMPARE(testing::checkInvariants(a.st()), QString());
    }

    // ---- one cascade pass's bookkeeping, straight ----

    void cascadeCountMatchesTagsExactly_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("count");
        // Token 0 stands next to the free field 2 under these tags (token 1 moved last).
        QTest::newRow("plain") << "1" << 1;
        QTest::newRow("leading zero") << "01" << 0;
        QTest::newRow("with a blank") << " 1" << 0;
        QTest::newRow("with a fraction") << "1.0" << 0;
        QTest::newRow("out of play") << "-1" << 0;
    }
    void cascadeCountMatchesTagsExactly()
    {
        QFETCH(QString, tag);
        QFETCH(int, count);
        startPlay(QStringLiteral("0-1 1-2 0-2"));
        // Tokens 0 on 0, 1 on 1, field 2 free; token 0 named as if on field 1.
        st().picZahl[0]->setTag(tag);
        const play::CascadeCount c = play::cascadeCount(st(), 1, 2);
        QCOMPARE(c.free, 2);
        QCOMPARE(c.count, count);
        QCOMPARE(c.candidate, count ? 0 : -1);
    }

    void cascadeCountWithoutAFreeFieldKeepsTheLastOne()
    {
        startPlay(QStringLiteral("0-1 1-2 0-2"));
        // No board field reads "frei" (field 5 in the supply does): the free field stays
        // where the last token went.
        st().picFeld[2]->setToolTipText(app::Besetzt);
        QCOMPARE(st().picFeld[5]->toolTipText(), app::Frei);
        const play::CascadeCount c = play::cascadeCount(st(), 1, 2);
        QCOMPARE(c.free, 2);
        QCOMPARE(c.count, 1);
        QCOMPARE(c.candidate, 0);
    }
};

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
