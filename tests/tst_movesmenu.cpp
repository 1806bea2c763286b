// The moves menu on the real window: undo and redo of clicked moves with their cascade,
// of a shuffle and of "Mischen", hints along the kept plan to a success, searches
// cancelled, solutions paced and stopped half-way. Everything runs on the instant pacing.

#include "app/app.h"
#include "play/engine.h"
#include "model/guide.h"
#include "play/play.h"
#include "support.h"

#include <QtTest>
#include <set>

using namespace testing;
using model::TokenFields;

namespace {

TokenFields fieldsOf(std::initializer_list<int> f)
{
    TokenFields t;
    t.fill(-1);
    std::copy(f.begin(), f.end(), t.begin());
    return t;
}

const QString Grid4x4 = QStringLiteral("0-1 1-2 2-3 4-5 5-6 6-7 8-9 9-10 10-11 12-13 13-14 14-15 "
                                       "0-4 1-5 2-6 3-7 4-8 5-9 6-10 7-11 8-12 9-13 10-14 11-15");
// An 8-cycle and a path across it.
const QString TwoCycles = QStringLiteral("0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-0 0-8 8-9 9-4");

} // namespace

class TestMovesMenu : public QObject {
    Q_OBJECT
    std::unique_ptr<TestWindow> tw;
    view::BoardState &st() { return tw->st; }
    InstantPacing &pacing() { return tw->pacing; }
    void play(const QString &edges)
    {
        buildBoard(st(), edges);
        app::enterPlayMode(st());
    }
    void click(int token) { play::onTokenPressed(st(), token, 1, 0, 0, 0); }
    // Clicks the token on each field in turn ("11 10 6"): the free field walks along them.
    void walkFree(const QString &fields)
    {
        for (const QString &f : fields.split(QLatin1Char(' ')))
            for (int k = 0; k < model::FieldCount; ++k)
                if (st().game.fieldOfToken(k) == f.toInt())
                    click(k);
    }
    // The arrangements the tokens go through while `action` runs, one entry per change.
    QList<TokenFields> watch(const std::function<void()> &action)
    {
        QList<TokenFields> seen{st().game.tokenFields()};
        pacing().onPump = [&] {
            if (st().game.tokenFields() != seen.last())
                seen << st().game.tokenFields();
        };
        action();
        pacing().onPump = nullptr;
        if (st().game.tokenFields() != seen.last())
            seen << st().game.tokenFields();
        return seen;
    }
    QString lastMessage() { return tw->messages.shown.empty() ? QString() : tw->messages.shown.back(); }

private slots:
    void init() { tw = std::make_unique<TestWindow>(); }
    void cleanup() { tw.reset(); }

    void undoSlidesACascadeBackAndRedoForward()
    {
        st().cascadeOption->setChecked(true);
        st().fastOption->setChecked(true);
        play(QStringLiteral("0-1 1-2 2-3"));
        QVERIFY(!st().undoAction->isEnabled());
        click(2); // token 2 into field 3, then tokens 1 and 0 follow by force
        QCOMPARE(st().game.tokenFields(), fieldsOf({1, 2, 3}));
        QVERIFY(st().undoAction->isEnabled() && !st().redoAction->isEnabled());

        pacing().log.clear();
        const QList<TokenFields> back = watch([&] { st().undoAction->trigger(); });
        QCOMPARE(back, (QList<TokenFields>{fieldsOf({1, 2, 3}), fieldsOf({0, 2, 3}), fieldsOf({0, 1, 3}),
                                           fieldsOf({0, 1, 2})}));
        QVERIFY(!pacing().log.join(QString()).contains(QLatin1Char('w'))); // the clicked move's pace
        QVERIFY(!st().undoAction->isEnabled() && st().redoAction->isEnabled());

        const QList<TokenFields> forth = watch([&] { st().redoAction->trigger(); });
        QCOMPARE(forth, (QList<TokenFields>{fieldsOf({0, 1, 2}), fieldsOf({0, 1, 3}), fieldsOf({0, 2, 3}),
                                            fieldsOf({1, 2, 3})}));
        QCOMPARE(checkInvariants(st()), QString());
        // A new move forgets what could be redone.
        st().undoAction->trigger();
        click(2);
        QVERIFY(!st().redoAction->isEnabled());
    }

    void shuffleAndScrambleGoBackAtOnce()
    {
        play(QStringLiteral("0-1 1-2 2-3 3-4 4-5 5-0 0-3"));
        const TokenFields start = st().game.tokenFields();
        int pumps = 0;
        QList<bool> open; // what the shuffle locks, half-way and after it
        const auto look = [&] {
            for (QObject *c : std::initializer_list<QObject *>{st().fileMenu->menuAction(), st().setModeButton, st().connectModeButton,
                                                               st().playModeButton, st().newButton, st().openButton, st().saveButton})
                open << c->property("enabled").toBool();
        };
        pacing().onPump = [&] {
            if (++pumps == 100)
                look();
            if (pumps == 200)
                play::stopShuffle(st());
        };
        play::startShuffle(st());
        pacing().onPump = nullptr;
        look();
        QCOMPARE(open, QList<bool>(7, false) + QList<bool>(7, true));
        const TokenFields shuffled = st().game.tokenFields();
        QVERIFY(shuffled != start);
        play::scramble(st());
        const TokenFields scrambled = st().game.tokenFields();

        const int before = pacing().pumps;
        st().undoAction->trigger();
        QCOMPARE(st().game.tokenFields(), shuffled);
        st().undoAction->trigger();
        QCOMPARE(st().game.tokenFields(), start);
        QCOMPARE(pacing().pumps, before); // no slides
        QCOMPARE(checkInvariants(st()), QString());
        for (int k = 0; k < 5; ++k)
            QCOMPARE(std::make_pair(st().tokens[size_t(k)]->left(), st().tokens[size_t(k)]->top()),
                     st().game.tokenPlace(k, start[size_t(k)]));
        st().redoAction->trigger();
        st().redoAction->trigger();
        QCOMPARE(st().game.tokenFields(), scrambled);
        QCOMPARE(checkInvariants(st()), QString());
    }

    void hintsFollowTheKeptPlanToTheTarget_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<QString>("setup"); // fields the free field walks to, "Mischen" or a "Vorgabe" target
        QTest::newRow("4 x 4, three moves out") << Grid4x4 << QStringLiteral("11 10 6");
        QTest::newRow("Petersen, Vorgabe") << QStringLiteral("0-1 1-2 2-3 3-4 4-0 0-5 1-6 2-7 3-8 4-9 5-7 7-9 9-6 6-8 8-5") << QStringLiteral("Vorgabe");
        QTest::newRow("two cycles, Mischen") << TwoCycles << QStringLiteral("Mischen");
    }
    void hintsFollowTheKeptPlanToTheTarget()
    {
        QFETCH(QString, edges);
        QFETCH(QString, setup);
        play(edges);
        if (setup == QLatin1String("Mischen"))
            play::scramble(st());
        else if (setup == QLatin1String("Vorgabe"))
            play::setRandomTarget(st());
        else
            walkFree(setup);
        TokenFields target = fieldsOf({});
        for (int i = 0; i < st().game.tokenCountOrZero(); ++i) // the fields are 0..n: token k belongs on field k, or as numbered
            target[size_t(st().game.targetNumbering ? (*st().game.targetNumbering)[size_t(i)] : i)] = i;
        QVERIFY(st().game.tokenFields() != target);

        std::set<TokenFields> seen{st().game.tokenFields()};
        size_t moves = 0, planned = 0;
        while (lastMessage().isEmpty() && moves <= planned) {
            const TokenFields before = st().game.tokenFields();
            st().hintAction->trigger();
            planned = std::max(planned, st().guide->moves.size()); // the first plan, from where the hints began
            if (st().game.tokenFields() != before) {
                QVERIFY2(seen.insert(st().game.tokenFields()).second, "a hint came back to an earlier arrangement");
                ++moves;
            }
        }
        // Hints are the player's own moves: after "Mischen" or "Vorgabe" the last one is a success.
        QCOMPARE(lastMessage(), setup.at(0).isDigit() ? QStringLiteral("Tipp: Das Ziel ist schon erreicht.")
                                                      : QStringLiteral("Erfolg: Geschafft! Das Ziel ist nach %1 Zügen erreicht.").arg(moves));
        QCOMPARE(st().game.tokenFields(), target);
        QCOMPARE(moves, planned);
        // Walked out without a detour, the free field stands as many steps from its home as
        // it took: no solution is shorter than the walk back, and the plan is that short.
        if (setup.at(0).isDigit())
            QCOMPARE(moves, size_t(setup.split(QLatin1Char(' ')).size()));
    }

    // Where no way leads to the target, a hint says so and moves nothing.
    void hintOnAnUnreachableTarget()
    {
        play(QStringLiteral("0-1 1-2"));
        play::placeTokens(st(), fieldsOf({1, 0}));
        const TokenFields before = st().game.tokenFields();
        st().hintAction->trigger();
        QCOMPARE(lastMessage(), QStringLiteral("Tipp: Das Ziel ist von hier aus nicht erreichbar."));
        QCOMPARE(st().game.tokenFields(), before);
    }

    // Searches cancelled by Escape, the stop button and closing leave board and history as
    // they were; a solution goes on along the kept plan, paced as the cascade, and a stop
    // half-way through leaves one step.
    void searchesCancelledAndSolutionsPacedAndStopped()
    {
        play(TwoCycles);
        play::scramble(st());
        const TokenFields mixed = st().game.tokenFields(), solved = fieldsOf({0, 1, 2, 3, 4, 5, 6, 7, 8});
        int searches = 0;
        pacing().onPump = [&] {
            if (st().searching && ++searches % 2)
                QTest::keyClick(&tw->window, Qt::Key_Escape);
            else if (st().searching) // a click through the application's filters: the Escape watch must let it pass
                for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                    QMouseEvent e(t, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
                    QApplication::sendEvent(st().stopShuffleButton, &e);
                }
        };
        for (QAction *a : {st().hintAction, st().solveAction, st().solveAction, st().hintAction})
            a->trigger();
        QCOMPARE(searches, 4);
        QCOMPARE(st().game.tokenFields(), mixed);
        QCOMPARE(st().game.history.done.size(), size_t(1));
        QVERIFY(tw->messages.shown.empty() && !st().busy() && st().setModeButton->isEnabled() && !QApplication::overrideCursor());

        pacing().onPump = nullptr;
        st().hintAction->trigger(); // a cancel holds for its own search only
        const TokenFields hinted = st().game.tokenFields();
        const int left = int(st().guide->moves.size()) - 1;
        QVERIFY(hinted != mixed && left > 3);
        for (bool fast : {true, false}) {
            st().fastOption->setChecked(fast);
            pacing().log.clear();
            st().solveAction->trigger();
            QCOMPARE(st().game.tokenFields(), solved);
            QCOMPARE(pacing().log.count(QStringLiteral("w0.2")), fast ? 0 : left - 1);
            QCOMPARE(pacing().log.count(QStringLiteral("w0.01")), left * 20); // each move keeps its slide
            st().undoAction->trigger();
            QCOMPARE(st().game.tokenFields(), hinted);
        }
        int pumps = 0;
        pacing().onPump = [&] {
            QVERIFY(!st().setModeButton->isEnabled());
            if (++pumps == 44) // inside the third slide: Escape stops as the stop button does
                QTest::keyClick(&tw->window, Qt::Key_Escape);
        };
        st().solveAction->trigger();
        QVERIFY(st().setModeButton->isEnabled() && st().game.tokenFields() != hinted && st().game.tokenFields() != solved);
        QCOMPARE(st().game.history.done.size(), size_t(3));
        st().undoAction->trigger();
        QCOMPARE(st().game.tokenFields(), hinted);

        play::setRandomTarget(st()); // a new target, a new search: the window closes under it
        pacing().onPump = [&] { if (st().searching) tw->window.close(); };
        st().hintAction->trigger();
        QVERIFY(st().closing && st().game.tokenFields() == hinted);
    }
};

QTEST_MAIN(TestMovesMenu)
#include "tst_movesmenu.moc"
