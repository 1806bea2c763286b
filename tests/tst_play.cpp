// The play engine: token moves and their cascade, the shuffle by random moves, and
// the random arrangements. Everything runs on an instant pacing that logs pumps and
// waits, and clicks "from inside" a running loop are fired from its pump hook.

#include "app/app.h"
#include "forms/numtext.h"
#include "play/engine.h"
#include "play/play.h"
#include "support/snapshot.h"
#include "support/testwindow.h"

#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <tuple>
#include <utility>

using testing::TestWindow;
using testing::firstDifference;
using testing::snapshot;

namespace {

const QString P = QStringLiteral("p");

// What the pacing logs for a slide, and for a cascade pass that ends the cascade or
// goes on with a forced move.
QStringList slideLog(int steps, double delay)
{
    QStringList l;
    for (int k = 0; k < steps; ++k)
        l << (delay > 0 ? QStringList{P, QStringLiteral("w%1").arg(delay)} : QStringList{P});
    return l;
}
QStringList lastPass(bool pause) { return pause ? QStringList{P, QStringLiteral("w0.2")} : QStringList{P}; }
QStringList forcedPass(bool pause) { return lastPass(pause) + slideLog(10, 0.005); }

// Edges among fields first..first+n-1: the pairs a < b (counted from first) that `joined` accepts.
QString edgesWhere(int n, const std::function<bool(int, int)> &joined, int first = 0)
{
    QStringList e;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            if (joined(a, b))
                e << QStringLiteral("%1-%2").arg(first + a).arg(first + b);
    return e.join(QLatin1Char(' '));
}
QString cycle(int n) { return edgesWhere(n, [n](int a, int b) { return b == a + 1 || (a == 0 && b == n - 1); }); }
QString complete(int n) { return edgesWhere(n, [](int, int) { return true; }); }
QString grid(int cols, int rows, int first = 0)
{
    return edgesWhere(cols * rows, [cols](int a, int b) { return (b == a + 1 && b % cols != 0) || b == a + cols; },
                      first);
}
// A fixed random graph: a path, so no field is cut off, and about every fifth other pair.
QString randomGraph(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    return edgesWhere(n, [&gen](int a, int b) { return gen() % 5 == 0 || b == a + 1; });
}
QString pathThrough(const std::vector<int> &fields)
{
    QStringList e;
    for (size_t i = 0; i + 1 < fields.size(); ++i)
        e << QStringLiteral("%1-%2").arg(fields[i]).arg(fields[i + 1]);
    return e.join(QLatin1Char(' '));
}

// The name a snapshot gives a token or field, "picZahl(07)".
QString snapName(const char *kind, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(kind)).arg(i, 2, 10, QLatin1Char('0')); }

// Logs "-name" and "+name" whenever a control of the window is disabled or enabled on
// its own account (not through its parent). Controls not named here log by class, so
// a change to any other control shows up too.
class EnabledLog : public QObject {
public:
    EnabledLog(app::BoardState &st, QStringList &log) : m_log(log)
    {
        const std::pair<QObject *, const char *> named[] = {
            {st.cmdSetzen, "cmdSetzen"},   {st.cmdVerbinden, "cmdVerbinden"}, {st.cmdSpielen, "cmdSpielen"},
            {st.Command2, "Command2"},     {st.Command4, "Command4"},         {st.Command5, "Command5"},
            {st.Command6, "Command6"},     {st.cmdDatei->menuAction(), "cmdDatei"}};
        for (auto [o, name] : named)
            m_names[o] = QLatin1String(name);
        for (QWidget *w : st.form->findChildren<QWidget *>()) {
            m_off[w] = w->testAttribute(Qt::WA_ForceDisabled);
            w->installEventFilter(this);
        }
        for (QAction *a : st.form->findChildren<QAction *>())
            connect(a, &QAction::enabledChanged, this, [this, a](bool on) { note(a, on); });
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::EnabledChange) {
            auto *w = static_cast<QWidget *>(o);
            const bool off = w->testAttribute(Qt::WA_ForceDisabled);
            if (std::exchange(m_off[w], off) != off)
                note(w, !off);
        }
        return false;
    }

private:
    void note(QObject *o, bool on)
    {
        m_log << QLatin1String(on ? "+" : "-") + m_names.value(o, QLatin1String(o->metaObject()->className()));
    }
    QStringList &m_log;
    QHash<QObject *, QString> m_names;
    QHash<QWidget *, bool> m_off;
};

QStringList prefixed(const QString &prefix, const QStringList &names)
{
    QStringList l;
    for (const QString &n : names)
        l << prefix + n;
    return l;
}

const QStringList ClickControls =
    QStringLiteral("cmdVerbinden cmdSetzen cmdDatei cmdSpielen Command2 Command4 Command5 Command6").split(QLatin1Char(' '));
const QStringList ShuffleControls =
    QStringLiteral("cmdSetzen cmdVerbinden cmdSpielen Command4 Command5 Command6 cmdDatei").split(QLatin1Char(' '));

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

// The occupation invariants, and every token in play centred on the field its tag names.
QString checkBoard(const app::BoardState &st)
{
    const QString bad = testing::checkInvariants(st);
    for (int k = 0; bad.isEmpty() && k < st.steinzahl(); ++k) {
        const auto f = st.fieldOfToken(k);
        if (!f || !centredOn(st, k, *f))
            return QStringLiteral("token %1 is not centred on its field %2").arg(k).arg(st.picZahl[size_t(k)]->tag());
    }
    return bad;
}

// Whether the generator moved on since `earlier` was copied from it.
bool drewSince(const forms::Rnd &earlier, const forms::Rnd &now)
{
    forms::Rnd a = earlier, b = now;
    return a.next() != b.next();
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

    void startPlay(const QString &edges, bool kaskade, bool schnell, const std::vector<int> &extra = {})
    {
        testing::buildBoard(st(), edges, extra);
        st().cmdSpielen->click();
        QVERIFY(st().playMode());
        st().chkLawine->setChecked(kaskade);
        st().chkschnell->setChecked(schnell);
    }
    void resetPacing()
    {
        pacing().pumps = 0;
        pacing().waits.clear();
        pacing().log.clear();
    }
    void clickToken(int token, int button = 1) { emit st().picZahl[size_t(token)]->mouseDown(button, 0, 0.5f, 0.5f); }
    // Left-clicks every token that stands next to the free field.
    void clickMovableTokens()
    {
        const int free = freeField(st());
        for (int k = 0; free >= 0 && k < st().steinzahl(); ++k) {
            const auto f = st().fieldOfToken(k);
            if (f && st().Kante[size_t(*f)][size_t(free)] == 1)
                clickToken(k);
        }
    }
    // Fires a click by name, as from inside a running loop; it must never start a loop
    // of its own. `changed` tells whether it did anything: the board, a draw, a dialog.
    void fire(const QString &a, bool &changed)
    {
        auto &s = st();
        const std::map<QString, forms::CommandButton *> buttons{
            {"cmdSetzen", s.cmdSetzen}, {"cmdVerbinden", s.cmdVerbinden}, {"cmdSpielen", s.cmdSpielen},
            {"Command2", s.Command2},   {"Command4", s.Command4},         {"Command5", s.Command5},
            {"Command6", s.Command6},   {"Command10", s.Command10},       {"image1", s.image1}};
        const std::map<QString, QAction *> menu{
            {"cmdneu", s.cmdneu}, {"cmdLadenM", s.cmdLadenM}, {"cmdSpeichernM", s.cmdSpeichernM}};
        const auto before = snapshot(s);
        const forms::Rnd draws = s.svc.rnd;
        const int pumps = pacing().pumps, dialogs = tw->dialog.opens + tw->dialog.saves;
        if (buttons.count(a)) {
            buttons.at(a)->click();
        } else if (menu.count(a)) {
            menu.at(a)->trigger();
        } else if (a == QLatin1String("tokens")) {
            clickMovableTokens();
        } else if (a == QLatin1String("right")) {
            clickToken(1, 2);
        } else {
            QCOMPARE(a, QStringLiteral("SteinZiehen")); // the shuffle's move routine, should anything call it
            for (int k = 0; k < 4; ++k)
                play::SteinZiehen(s, k);
        }
        QVERIFY2(pacing().pumps == pumps, "a nested loop ran");
        changed = !firstDifference(before, snapshot(s)).isEmpty() || drewSince(draws, s.svc.rnd)
               || tw->dialog.opens + tw->dialog.saves != dialogs;
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

    void move_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<std::vector<int>>("toSupply"); // fields also joined to field 5, free in the supply
        QTest::addColumn<int>("vacate");                // a field whose token is taken off by hand
        QTest::addColumn<QString>("tag");               // written over the token's tag
        QTest::addColumn<int>("token");
        QTest::addColumn<int>("target"); // -1: the token cannot move
        using V = std::vector<int>;

        QTest::newRow("path end") << "0-1 1-2" << V{} << -1 << "" << 1 << 2;
        QTest::newRow("not next to the free field") << "0-1 1-2" << V{} << -1 << "" << 0 << -1;
        QTest::newRow("sparse field numbers") << "3-7 7-9" << V{} << -1 << "" << 1 << 9;
        QTest::newRow("star, any leaf") << "0-4 1-4 2-4 3-4" << V{} << -1 << "" << 1 << 4;
        QTest::newRow("edge to an occupied field only") << "0-1 2-3" << V{} << -1 << "" << 0 << -1;
        QTest::newRow("token beyond the count") << "0-1 1-2" << V{} << -1 << "" << 5 << -1;
        // The highest-index free neighbour wins.
        QTest::newRow("two free neighbours") << "0-1 1-2 1-3" << V{} << 0 << "" << 1 << 3;
        QTest::newRow("a middle field vacated") << "0-2 1-2 2-3" << V{} << 1 << "" << 2 << 3;
        QTest::newRow("only the lower one is a neighbour") << "0-1 1-2 2-3" << V{} << 0 << "" << 1 << 0;
        // An edge may lead into the supply; a free supply field is still no place to move to.
        QTest::newRow("supply field beside a board field") << "0-1 1-2" << V{0, 1} << -1 << "" << 1 << 2;
        QTest::newRow("supply field only") << "0-1 1-2" << V{0, 1} << -1 << "" << 0 << -1;
        // A tag that names no board field: the token cannot move.
        for (const char *tag : {"-1", "-3", "65", "1e9", "5"})
            QTest::addRow("tag %s", tag) << "0-1 1-2" << V{2} << -1 << tag << 1 << -1;
    }
    void move()
    {
        QFETCH(QString, edges);
        QFETCH(std::vector<int>, toSupply);
        QFETCH(int, vacate);
        QFETCH(QString, tag);
        QFETCH(int, token);
        QFETCH(int, target);
        startPlay(edges, false, false);
        for (int f : toSupply)
            st().Kante[size_t(f)][5] = st().Kante[5][size_t(f)] = 1;
        QVERIFY(!st().onBoard(5));
        if (vacate >= 0) {
            QVERIFY(testing::tokenOnField(st(), vacate) >= 0);
            forms::PictureBox *off = st().picZahl[size_t(testing::tokenOnField(st(), vacate))];
            off->setTag(QStringLiteral("-1"));
            off->setVisible(false);
            st().picFeld[size_t(vacate)]->setToolTipText(app::Frei);
        }
        if (!tag.isEmpty())
            st().picZahl[size_t(token)]->setTag(tag);
        const auto from = st().fieldOfToken(token);
        const auto before = snapshot(st());
        QStringList enabled;
        EnabledLog rec(st(), enabled);
        resetPacing();

        clickToken(token);

        QVERIFY(!st().busy());
        if (target < 0) {
            QCOMPARE(firstDifference(before, snapshot(st())), QString());
            QCOMPARE(pacing().pumps, 0);
            QCOMPARE(enabled, QStringList());
            return;
        }
        QCOMPARE(st().picZahl[size_t(token)]->tag(), QString::number(target));
        QCOMPARE(st().picFeld[size_t(target)]->toolTipText(), app::Besetzt);
        QCOMPARE(st().picFeld[size_t(*from)]->toolTipText(), app::Frei);
        QVERIFY(centredOn(st(), token, target));
        // Nothing else changed: with "Kaskade" off the click is the only move.
        const QStringList moved{snapName("picZahl", token), snapName("picFeld", target) + QStringLiteral(".tip"),
                                snapName("picFeld", *from) + QStringLiteral(".tip")};
        QCOMPARE(firstDifference(before, snapshot(st()), moved), QString());
        // 20 steps at the pace of the events, then one cascade pass that sees "Kaskade" off.
        QCOMPARE(pacing().log, slideLog(20, 0) + QStringList{P});
    }

    // ---- the cascade ----

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
        startPlay(cycle(4), true, false);
        hook = [&](int pump) {
            if (pump == atPump && action == QLatin1String("stop"))
                st().Command3->click();
            else if (pump == atPump)
                st().chkLawine->setChecked(false);
        };
        resetPacing();
        clickToken(2); // field 2, next to the free field 3

        // A request seen at a pass ends it; one made inside a slide lets the slide end.
        const int forced = atPump <= 20 ? 0 : (atPump - 21 + 10) / 11;
        QCOMPARE(pacing().pumps, 20 + forced * 11 + 1);
        QCOMPARE(int(std::count(pacing().waits.begin(), pacing().waits.end(), 0.005)), 10 * forced);
        // Every forced move takes the free field one step back round the cycle.
        QCOMPARE(freeField(st()), ((2 - forced) % 4 + 4) % 4);
        QCOMPARE(st().KaskadeStopp, std::int16_t(0));
        QCOMPARE(checkBoard(st()), QString());
        QVERIFY(!st().busy());
    }

    // The exact run of a click: the slide, the lock, the passes with their pauses and
    // forced slides, the unlock.
    void clickSequence_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<int>("token");
        QTest::addColumn<bool>("kaskade");
        QTest::addColumn<bool>("schnell");
        QTest::addColumn<int>("schnellAt");   // the pump at which "schnell" gets checked, 0 never
        QTest::addColumn<bool>("stopBefore"); // Command3 clicked before the move
        QTest::addColumn<QStringList>("cascade");
        QTest::addColumn<int>("endsFree"); // the free field after the cascade
        // On the path the click is followed by three forced moves.
        const QString path = QStringLiteral("0-1 1-2 2-3 3-4");
        QTest::newRow("Kaskade") << path << 3 << true << false << 0 << false
                                 << forcedPass(true) + forcedPass(true) + forcedPass(true) + lastPass(true) << 0;
        QTest::newRow("Kaskade, schnell") << path << 3 << true << true << 0 << false
                                          << forcedPass(false) + forcedPass(false) + forcedPass(false) + lastPass(false) << 0;
        QTest::newRow("no Kaskade") << path << 3 << false << false << 0 << false << QStringList{P} << 3;
        QTest::newRow("schnell from the second pass") << path << 3 << true << false << 20 + 11 + 1 << false
                                                      << forcedPass(true) + forcedPass(false) + forcedPass(false)
                                                             + lastPass(false) << 0;
        QTest::newRow("stop requested before the move") << path << 3 << true << false << 0 << true << QStringList{P} << 3;
        // Token 2 moves from field 3 to 4; then tokens 0 and 1 both stand next to field 3.
        QTest::newRow("two candidates") << "0-3 1-3 3-4" << 2 << true << false << 0 << false << lastPass(true) << 3;
        // Along a path with mixed field numbers every token is pushed on: token 5 stands on
        // field 17, next to the free field 40.
        QStringList six;
        for (int k = 0; k < 6; ++k)
            six += forcedPass(false);
        QTest::newRow("mixed field numbers") << pathThrough({9, 3, 12, 0, 5, 30, 17, 40}) << 5 << true << true << 0
                                             << false << six + lastPass(false) << 9;
    }
    void clickSequence()
    {
        QFETCH(QString, edges);
        QFETCH(int, token);
        QFETCH(bool, kaskade);
        QFETCH(bool, schnell);
        QFETCH(int, schnellAt);
        QFETCH(bool, stopBefore);
        QFETCH(QStringList, cascade);
        QFETCH(int, endsFree);
        startPlay(edges, kaskade, schnell);
        if (stopBefore)
            st().Command3->click();
        hook = [&](int pump) {
            if (pump == schnellAt)
                st().chkschnell->setChecked(true);
        };
        EnabledLog rec(st(), pacing().log);
        resetPacing();
        clickToken(token);
        // Locked from the end of the first slide to the end of the cascade.
        QCOMPARE(pacing().log, slideLog(20, 0) + prefixed(QStringLiteral("-"), ClickControls) + cascade
                                   + prefixed(QStringLiteral("+"), ClickControls));
        QCOMPARE(freeField(st()), endsFree);
        QCOMPARE(checkBoard(st()), QString());
        // A stop request is used up by the move it stops.
        QCOMPARE(st().KaskadeStopp, std::int16_t(0));
    }

    void rightClickOpensPanel()
    {
        startPlay(QStringLiteral("0-1 1-2 2-3"), true, false);
        forms::PictureBox *z = st().picZahl[2]; // next to the free field
        z->setBackColor(colors::rgb(10, 200, 30));
        z->setForeColor(colors::rgb(250, 5, 99));
        z->setPos(z->left() + 0.25f, z->top() - 0.5f);
        st().Steintext[2] = QStringLiteral("Ab");
        const auto before = snapshot(st());
        resetPacing();

        clickToken(2, 2);

        // Opening the panel raises it and moves nothing.
        QCOMPARE(pacing().pumps, 0);
        QCOMPARE(firstDifference(before, snapshot(st()), {QStringLiteral("picEigenschaften"), QStringLiteral("z-order")}),
                 QString());
        forms::PictureBox *panel = st().picEigenschaften;
        QCOMPARE(st().txtFeld->text(), QStringLiteral("Ab"));
        QCOMPARE(st().txtFeld->backColor(), colors::rgb(10, 200, 30));
        QCOMPARE(st().txtFeld->foreColor(), colors::rgb(250, 5, 99));
        QCOMPARE(panel->left(), z->left() + z->width());
        QCOMPARE(panel->top(), z->top());
        QVERIFY(panel->visible());
        QCOMPARE(st().AktStein, 2);
        QCOMPARE(panel->parentWidget()->children().last(), static_cast<QObject *>(panel));
    }

    // ---- guards: clicks from inside a running move or shuffle ----

    void clicksInsideALoop_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("atPump"); // in a clicked move; 0: in a shuffle, at a pass, 1: inside its move
        QTest::addColumn<bool>("acts");  // the click does its work
        const char *actions[] = {"cmdSetzen", "cmdVerbinden", "cmdSpielen", "Command4", "cmdneu",   "Command5", "cmdLadenM",
                                 "Command6",  "cmdSpeichernM", "image1",    "tokens",   "Command2", "SteinZiehen"};
        // In the first slide nothing is locked yet; then at a pass and inside a forced slide.
        for (const char *a : actions)
            for (int pump : {10, 21, 27})
                QTest::newRow(QByteArray(a) + " at pump " + QByteArray::number(pump)) << QString::fromLatin1(a) << pump << false;
        for (int m : {0, 1}) {
            const char *at = m ? "inside a shuffle move" : "at a shuffle pass";
            QTest::addRow("tokens %s", at) << "tokens" << m << false;
            QTest::addRow("image1 %s", at) << "image1" << m << false;
            QTest::addRow("Command2 %s", at) << "Command2" << m << (m == 0);
        }
        // A right click and "Vorgabe" act anywhere.
        for (const char *a : {"right", "Command10"})
            for (int pump : {27, 0, 1})
                QTest::newRow(QByteArray(a) + " at " + QByteArray::number(pump)) << QString::fromLatin1(a) << pump << true;
    }
    void clicksInsideALoop()
    {
        QFETCH(QString, action);
        QFETCH(int, atPump);
        QFETCH(bool, acts);
        const bool shuffle = atPump < 2;
        startPlay(shuffle ? QStringLiteral("0-1 1-2 2-3 3-4 4-0 1-3") : QStringLiteral("0-1 1-2 2-3 3-4"), !shuffle, true);
        tw->dialog.files = {QStringLiteral("/nonexistent/x.swk"), QStringLiteral("/nonexistent/y.swk")};
        EnabledLog rec(st(), pacing().log);
        bool fired = false, changed = false;
        hook = [&](int pump) {
            if (pump == 2000)
                st().Command8->click();
            if (fired || (shuffle ? pump < 60 || int(st().moveInProgress) != atPump : pump != atPump))
                return;
            fired = true;
            fire(action, changed);
            QCOMPARE(testing::checkInvariants(st()), QString()); // only the pass's own state
        };
        resetPacing();
        if (shuffle)
            st().image1->click();
        else
            clickToken(3);

        QVERIFY(fired);
        QCOMPARE(changed, acts);
        // The loop locked its controls once and unlocked them once, at its end; nothing else.
        const QStringList &log = pacing().log;
        const QStringList off = prefixed(QStringLiteral("-"), shuffle ? ShuffleControls : ClickControls);
        const QStringList on = prefixed(QStringLiteral("+"), shuffle ? ShuffleControls : ClickControls);
        QStringList changes = log;
        changes.removeIf([](const QString &e) { return e == P || e.startsWith(QLatin1Char('w')); });
        QCOMPARE(changes, off + on);
        QCOMPARE(log.mid(log.size() - on.size()), on);
        if (shuffle) {
            QCOMPARE(log.mid(0, off.size()), off); // before its first pump
        } else {
            // The move and its whole cascade ran as if nothing had been clicked.
            QCOMPARE(pacing().pumps, 20 + 3 * 11 + 1);
            for (int k = 0; k < 4; ++k)
                QCOMPARE(st().picZahl[size_t(k)]->tag(), QString::number(k + 1));
        }
        QCOMPARE(checkBoard(st()), QString());
        QVERIFY(!st().busy());
    }

    // ---- closing the window ----

    void closingEndsTheLoops_data()
    {
        QTest::addColumn<QString>("run"); // "click" or "shuffle"
        QTest::addColumn<QString>("edges");
        QTest::addColumn<bool>("kaskade");
        QTest::addColumn<int>("fromPump"); // close at the first pump from here on ...
        QTest::addColumn<int>("when");     // ... 0 any, 1 inside a move, 2 between moves
        QTest::addColumn<bool>("beenden"); // through the menu instead of the window

        const QString path = QStringLiteral("0-1 1-2 2-3 3-4");
        QTest::newRow("click, first slide") << "click" << path << true << 5 << 0 << false;
        QTest::newRow("click, at a pass") << "click" << path << true << 21 << 0 << false;
        QTest::newRow("click, endless cascade") << "click" << cycle(5) << true << 300 << 0 << false;
        QTest::newRow("click, endless cascade, beenden") << "click" << cycle(5) << true << 301 << 0 << true;
        QTest::newRow("shuffle, inside a move") << "shuffle" << path << false << 100 << 1 << false;
        QTest::newRow("shuffle, between moves") << "shuffle" << path << false << 100 << 2 << false;
        QTest::newRow("shuffle, endless cascade") << "shuffle" << cycle(5) << true << 400 << 1 << false;
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
        startPlay(edges, kaskade, true);
        int closedAt = 0;
        hook = [&](int pump) {
            if (closedAt || pump < fromPump || (when == 1 && !st().moveInProgress) || (when == 2 && st().moveInProgress))
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
        QCOMPARE(checkBoard(st()), QString());
        QVERIFY(st().cmdSetzen->isEnabled());
        QVERIFY(st().cmdDatei->menuAction()->isEnabled());

        // Nothing starts any more while the window closes.
        resetPacing();
        clickMovableTokens();
        st().image1->click();
        QCOMPARE(pacing().pumps, 0);
    }

    // ---- nothing to move or arrange ----

    void nothingToMoveOrArrange_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<std::vector<int>>("extra");
        QTest::addColumn<QString>("mode"); // mode entered last: "" none, "play", "set", "connect"
        QTest::addColumn<int>("count");    // written over Steinzahl, 0 leaves it
        QTest::addColumn<bool>("arrange"); // "Mischen" and "Vorgabe" do nothing too
        using V = std::vector<int>;
        QTest::newRow("play never started") << "0-1 1-2" << V{} << "" << 0 << true;
        QTest::newRow("no field") << "" << V{} << "play" << 0 << true;
        QTest::newRow("one field") << "" << V{7} << "play" << 0 << true;
        QTest::newRow("back in set mode") << "0-1 1-2" << V{} << "set" << 0 << false;
        QTest::newRow("back in connect mode") << "0-1 1-2" << V{} << "connect" << 0 << false;
        // A count no board can have (a damaged game, say) is never used to pick tokens or fields.
        QTest::newRow("count 65") << "0-1 1-2" << V{} << "play" << 65 << true;
        QTest::newRow("huge count") << "0-1 1-2" << V{} << "play" << 1000000 << true;
        QTest::newRow("negative count") << "0-1 1-2" << V{} << "play" << -5 << true;
    }
    void nothingToMoveOrArrange()
    {
        QFETCH(QString, edges);
        QFETCH(std::vector<int>, extra);
        QFETCH(QString, mode);
        QFETCH(int, count);
        QFETCH(bool, arrange);
        testing::buildBoard(st(), edges, extra);
        if (!mode.isEmpty())
            st().cmdSpielen->click();
        if (mode == QLatin1String("set"))
            st().cmdSetzen->click();
        if (mode == QLatin1String("connect"))
            st().cmdVerbinden->click();
        if (count)
            st().Steinzahl = count;
        st().chkLawine->setChecked(true);
        const auto before = snapshot(st());
        const forms::Rnd draws = st().svc.rnd;
        QStringList enabled;
        EnabledLog rec(st(), enabled);
        resetPacing();

        st().image1->click();
        if (arrange) {
            st().Command2->click();
            st().Command10->click();
        }

        QCOMPARE(pacing().pumps, 0);
        QCOMPARE(enabled, QStringList());
        QCOMPARE(firstDifference(before, snapshot(st())), QString());
        QVERIFY(!drewSince(draws, st().svc.rnd));
        QCOMPARE(st().MischenAktiv, std::int16_t(0));
    }

    // ---- the shuffle ----

    // Command8 stops the shuffle after the current move and its cascade; an endless
    // cascade on a cycle needs Command3 as well.
    void shuffleStopsAfterTheCurrentMoveAndCascade_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<int>("pumpsAfterStop"); // -1: only Command3, 500 pumps after Command8, ends it
        // On a path with the free field at its end only one token can move: the rest of its
        // first slide, a cascade that pushes every token one field along, a last pass.
        QTest::newRow("path") << "0-1 1-2 2-3 3-4" << 19 + 3 * 11 + 1;
        QTest::newRow("cycle") << cycle(5) << -1;
    }
    void shuffleStopsAfterTheCurrentMoveAndCascade()
    {
        QFETCH(QString, edges);
        QFETCH(int, pumpsAfterStop);
        startPlay(edges, true, false);
        int stoppedAt = 0, cascadeStoppedAt = 0;
        bool stillMoving = true;
        hook = [&](int pump) {
            if (stoppedAt)
                stillMoving = stillMoving && st().moveInProgress;
            if (!stoppedAt && st().moveInProgress) {
                st().Command8->click();
                stoppedAt = pump;
            } else if (stoppedAt && pump == stoppedAt + 500) {
                st().Command3->click();
                cascadeStoppedAt = pump;
            }
        };
        resetPacing();
        st().image1->click();

        QVERIFY2(stillMoving, "the shuffle went on after the stop");
        if (pumpsAfterStop >= 0) {
            QCOMPARE(pacing().pumps - stoppedAt, pumpsAfterStop);
            for (int k = 0; k < 4; ++k)
                QCOMPARE(st().picZahl[size_t(k)]->tag(), QString::number(k + 1));
        } else {
            QVERIFY(cascadeStoppedAt > 0);
            QVERIFY(pacing().pumps <= cascadeStoppedAt + 11);
        }
        QCOMPARE(st().MischenAktiv, std::int16_t(0));
        QCOMPARE(st().KaskadeStopp, std::int16_t(0));
        QCOMPARE(testing::checkInvariants(st()), QString());
        QVERIFY(!st().busy());
    }

    void shuffleSlidePace()
    {
        startPlay(QStringLiteral("0-1"), false, false);
        hook = [&](int pump) {
            if (pump == 300)
                st().Command8->click();
        };
        resetPacing();
        st().image1->click();
        // With one token that can always move, every pass moves it: the pass pump,
        // 20 steps at 0.01 s, and the pass of the cascade that sees "Kaskade" off.
        const QStringList pass = QStringList{P} + slideLog(20, 0.01) + QStringList{P};
        QStringList expected;
        while (expected.count(P) < pacing().pumps)
            expected += pass;
        QCOMPARE(pacing().log, expected);
    }

    void shuffleKeepsTheBoardAndRepeats_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<bool>("kaskade");
        const std::pair<const char *, QString> boards[] = {
            {"grid 4x4", grid(4, 4)}, {"complete 6", complete(6)},     {"random 24", randomGraph(24, 7)},
            {"cycle 7", cycle(7)},    {"high fields", grid(3, 3, 50)},
        };
        for (const auto &[name, edges] : boards)
            for (bool kaskade : {false, true})
                QTest::addRow("%s, Kaskade %d", name, int(kaskade)) << edges << kaskade;
    }
    // Between any two moves of a shuffle the board is whole; and as all draws come from
    // the program's one generator, the same clicks after start give the same results.
    void shuffleKeepsTheBoardAndRepeats()
    {
        QFETCH(QString, edges);
        QFETCH(bool, kaskade);
        QString bad;
        auto session = [&](TestWindow &t) {
            testing::buildBoard(t.st(), edges);
            t.st().cmdSpielen->click();
            t.st().chkLawine->setChecked(kaskade);
            t.st().chkschnell->setChecked(true);
            t.st().Command2->click();
            t.st().Command10->click();
            t.pacing.onPump = [&] {
                if (bad.isEmpty() && !t.st().moveInProgress && !(bad = testing::checkInvariants(t.st())).isEmpty())
                    bad = QStringLiteral("pump %1: %2").arg(t.pacing.pumps).arg(bad);
                if (t.pacing.pumps >= 3000) {
                    t.st().Command8->click();
                    t.st().Command3->click(); // an endless cascade on a cycle
                }
            };
            t.st().image1->click();
            t.st().Command2->click();
            return snapshot(t.st());
        };
        TestWindow b;
        const auto sa = session(*tw), sb = session(b);
        QVERIFY2(bad.isEmpty(), qPrintable(bad));
        QVERIFY(std::count(tw->pacing.waits.begin(), tw->pacing.waits.end(), 0.01) > 0); // tokens moved
        QCOMPARE(checkBoard(st()), QString());
        QCOMPARE(firstDifference(sa, sb), QString());
        QCOMPARE(tw->pacing.log, b.pacing.log);
    }

    // ---- "Mischen" and "Vorgabe" ----

    void mischen_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<std::vector<int>>("extra");
        QTest::addColumn<bool>("play"); // false: back in set mode, the tokens hidden and out of play
        using V = std::vector<int>;
        QTest::newRow("one token") << "0-1" << V{} << true;
        QTest::newRow("no edges") << "" << V{3, 9, 14, 22, 60} << true;
        QTest::newRow("complete 5") << complete(5) << V{} << true;
        QTest::newRow("grid of high fields") << grid(4, 3, 40) << V{} << true;
        QTest::newRow("full board") << grid(13, 5) << V{} << true;
        QTest::newRow("back in set mode") << "0-1 1-2 2-3 3-4" << V{} << false;
    }
    // "Mischen" hands the tokens each other's places, position and field together, at once.
    void mischen()
    {
        QFETCH(QString, edges);
        QFETCH(std::vector<int>, extra);
        QFETCH(bool, play);
        startPlay(edges, true, false, extra);
        if (!play)
            st().cmdSetzen->click();
        const int n = st().steinzahl();
        // A token moved by hand, so positions are not all the layout's.
        st().picZahl[0]->setPos(st().picZahl[0]->left() + 0.75f, st().picZahl[0]->top() - 3.0f);
        auto places = [&] {
            std::multiset<std::tuple<QString, float, float>> s;
            for (int k = 0; k < n; ++k)
                s.insert({st().picZahl[size_t(k)]->tag(), st().picZahl[size_t(k)]->left(), st().picZahl[size_t(k)]->top()});
            return s;
        };
        QStringList moving; // nothing else may change
        for (int k = 0; k < n; ++k)
            for (const char *what : {".left", ".top", ".tag"})
                moving << snapName("picZahl", k) + QLatin1String(what);
        const auto before = snapshot(st());
        const auto placesBefore = places();

        bool anyChange = false;
        for (int round = 0; round < 5; ++round) {
            const forms::Rnd draws = st().svc.rnd;
            const auto prev = snapshot(st());
            st().Command2->click();
            QVERIFY(drewSince(draws, st().svc.rnd));
            anyChange = anyChange || !firstDifference(prev, snapshot(st())).isEmpty();
            QVERIFY(places() == placesBefore);
            QCOMPARE(firstDifference(before, snapshot(st()), moving), QString());
        }
        QCOMPARE(anyChange, n > 1);
    }

    void randomPermutation()
    {
        forms::Rnd rnd;
        QVERIFY(play::randomPermutation(rnd, 0).empty());
        for (int n = 1; n <= 64; ++n) {
            forms::Rnd copy = rnd;
            std::vector<int> p = play::randomPermutation(rnd, n), all(size_t(n), 0);
            // The first pick is the first draw, floor(r * n).
            QCOMPARE(p.front(), int(std::floor(copy.next() * n)));
            std::sort(p.begin(), p.end());
            std::iota(all.begin(), all.end(), 0);
            QVERIFY(p == all);
        }
        // Every order equally likely: for three, 5 degrees of freedom, and 20.5 is the 0.1 % tail.
        std::map<std::vector<int>, int> seen;
        for (int i = 0; i < 6000; ++i)
            ++seen[play::randomPermutation(rnd, 3)];
        QCOMPARE(int(seen.size()), 6);
        double chi2 = 0;
        for (const auto &[perm, count] : seen)
            chi2 += (count - 1000.0) * (count - 1000.0) / 1000.0;
        QVERIFY2(chi2 < 20.5, qPrintable(QString::number(chi2)));
    }

    void vorgabeNumbersFieldsByIndex_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<QString>("mode");
        QTest::newRow("one token") << "0-1" << "play";
        QTest::newRow("board fields elsewhere") << grid(3, 3, 50) << "play";
        QTest::newRow("left over from play") << complete(7) << "set";
    }
    void vorgabeNumbersFieldsByIndex()
    {
        QFETCH(QString, edges);
        QFETCH(QString, mode);
        startPlay(edges, true, false);
        if (mode == QLatin1String("set"))
            st().cmdSetzen->click();
        const int n = st().steinzahl();
        // Something drawn on every field beforehand: on 0..n-1 it must go, beyond it stays.
        QStringList numbered;
        for (int i = 0; i < app::FieldCount; ++i) {
            st().picFeld[size_t(i)]->Cls();
            st().picFeld[size_t(i)]->Print(QStringLiteral("#%1").arg(i));
            if (i < n)
                numbered << snapName("picFeld", i);
        }
        const auto before = snapshot(st());

        st().Command10->click();

        QCOMPARE(firstDifference(before, snapshot(st()), numbered), QString());
        // Each of fields 0..n-1 shows one of the numbers 1..n, printed as on a spare field, each once.
        std::vector<QImage> faces;
        for (int v = 1; v <= n; ++v) {
            st().picFeld[64]->Cls();
            st().picFeld[64]->Print(numtext::fromInt(v));
            faces.push_back(st().picFeld[64]->drawing().copy());
        }
        std::set<long> numbers;
        for (int i = 0; i < n; ++i) {
            const auto face = std::find(faces.begin(), faces.end(), st().picFeld[size_t(i)]->drawing());
            QVERIFY2(face != faces.end(), qPrintable(QStringLiteral("field %1").arg(i)));
            numbers.insert(face - faces.begin());
        }
        QCOMPARE(int(numbers.size()), n);
    }

    // ---- one cascade pass's bookkeeping, straight ----

    void cascadeCount_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("noFreeField");
        QTest::addColumn<int>("count");
        // Token 0 stands next to the free field 2 under these tags (token 1 moved last).
        QTest::newRow("plain") << "1" << false << 1;
        QTest::newRow("leading zero") << "01" << false << 0;
        QTest::newRow("with a blank") << " 1" << false << 0;
        QTest::newRow("with a fraction") << "1.0" << false << 0;
        QTest::newRow("out of play") << "-1" << false << 0;
        // No board field reads "frei" (field 5 in the supply does): the free field stays
        // where the last token went.
        QTest::newRow("no free board field") << "0" << true << 1;
    }
    void cascadeCount()
    {
        QFETCH(QString, tag);
        QFETCH(bool, noFreeField);
        QFETCH(int, count);
        startPlay(QStringLiteral("0-1 1-2 0-2"), true, false);
        st().picZahl[0]->setTag(tag);
        if (noFreeField)
            st().picFeld[2]->setToolTipText(app::Besetzt);
        QCOMPARE(st().picFeld[5]->toolTipText(), app::Frei);
        const play::CascadeCount c = play::cascadeCount(st(), 1, 2);
        QCOMPARE(c.free, 2);
        QCOMPARE(c.count, count);
        QCOMPARE(c.candidate, count ? 0 : -1);
    }
};

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
