// A seeded monkey: random user actions on the whole window, fired also from inside
// the event pumps of running slides, cascades and shuffles, with the board's
// invariants checked after every action.
//
//   GSW_MONKEY_SEED=N        first seed (default 1)
//   GSW_MONKEY_SEEDS=K       how many seeds in a row (default 10)
//   GSW_MONKEY_ACTIONS=M     actions per seed (default 1000)
//
// A failing run prints its seed and the actions that led to the failure, so it can
// be replayed with GSW_MONKEY_SEED=<seed> GSW_MONKEY_SEEDS=1.

#include "support/snapshot.h"
#include "support/testwindow.h"

#include "gamefile/gamefile.h"
#include "play/engine.h"

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

// The monkey's own random stream (the game's generator stays the game's).
class Stream {
public:
    // The seed is scrambled first: seeds that differ by one must not give streams
    // that are the same sequence shifted by one draw.
    explicit Stream(quint64 seed) : m_s(seed) { m_s = next() ^ 0xD1B54A32D192ED03ull; }
    quint64 next()
    {
        quint64 z = (m_s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }

private:
    quint64 m_s;
};

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

Qt::MouseButton randomButton(Stream &r)
{
    const int b = r.below(10);
    return b < 6 ? Qt::LeftButton : b < 9 ? Qt::RightButton : Qt::MiddleButton;
}

// The lasting content of a game: what a save followed by an open must give back.
QStringList lastingContent(const app::BoardState &st)
{
    QStringList out;
    for (int i = 0; i < app::FieldCount; ++i) {
        const auto *f = st.picFeld[size_t(i)];
        const auto *z = st.picZahl[size_t(i)];
        out << QStringLiteral("F%1 %2 %3 %4").arg(i).arg(double(f->left())).arg(double(f->top())).arg(f->tag())
            << QStringLiteral("Z%1 %2 %3 %4").arg(i).arg(z->backColor()).arg(z->foreColor()).arg(st.Steintext[size_t(i)]);
        QString row;
        for (int j = 0; j < app::FieldCount; ++j)
            row += QString::number(st.Kante[size_t(i)][size_t(j)]);
        out << row;
    }
    out << QStringLiteral("size %1").arg(st.VScroll1->value());
    return out;
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> tw;
    std::unique_ptr<Stream> rnd;
    QTemporaryDir dir;
    QStringList corpus;
    QStringList log;
    int depth = 0;
    int pumpsThisAction = 0;
    long totalPumps = 0;
    QString failure;

    app::BoardState &st() { return tw->st(); }

    void note(const QString &what)
    {
        log << QString(depth * 2, QLatin1Char(' ')) + what;
        if (log.size() > 40)
            log.removeFirst();
    }

    // ---- dialog answers ----
    void scriptDialogs()
    {
        auto &d = tw->dialog;
        d.colors.clear();
        d.files.clear();
        for (int i = 0; i < 3; ++i) {
            if (rnd->chance(20))
                d.colors.push_back(std::nullopt);
            else
                d.colors.push_back(colors::rgb(rnd->below(256), rnd->below(256), rnd->below(256)));
            const int k = rnd->below(10);
            if (k == 0)
                d.files.push_back(std::nullopt);
            else if (k == 1)
                d.files.push_back(dir.filePath(QStringLiteral("keinordner/x.swk"))); // folder is a file
            else if (k == 2)
                d.files.push_back(dir.filePath(QStringLiteral("spiel.SWK")));
            else if (k <= 4)
                d.files.push_back(dir.filePath(QStringLiteral("monkey%1.swk").arg(rnd->below(3))));
            else if (k <= 6)
                d.files.push_back(corpus[5 + rnd->below(int(corpus.size()) - 5)]); // broken ones
            else
                d.files.push_back(corpus[rnd->below(5)]); // the sample games
        }
    }

    // ---- where to click ----
    QWidget *randomControl()
    {
        auto &s = st();
        QWidget *all[] = {s.cmdSetzen, s.cmdVerbinden, s.cmdSpielen, s.Command1, s.Command2, s.Command3, s.Command4,
                          s.Command5, s.Command6, s.Command7, s.Command8, s.Command9, s.Command10, s.Command11,
                          s.Command12, s.cmdtxtFeld, s.image1, s.image2, s.chkLawine, s.chkschnell, s.Text1,
                          s.picsteinFarbe, s.pictextfarbe, s.txtFeld, s.Text5, s.txtDateiname, s.Picture2,
                          s.Picture3, s.Picture4, s.Picture5, s.Label1[0], s.picEigenschaften};
        return all[rnd->below(int(std::size(all)))];
    }

    QWidget *pressTarget(QWidget *w)
    {
        if (auto *p = qobject_cast<forms::PictureBox *>(w))
            return p->surface();
        return w;
    }

    QPoint randomPointIn(QWidget *w, int margin = 0)
    {
        return QPoint(rnd->below(std::max(1, w->width() + 2 * margin)) - margin,
                      rnd->below(std::max(1, w->height() + 2 * margin)) - margin);
    }

    // A press, some moves and a release, as the platform delivers them to the widget
    // that took the press (it holds the mouse until the release).
    void gesture(QWidget *w, Qt::MouseButton button)
    {
        QWidget *t = pressTarget(w);
        if (!t->isVisible() || !t->isEnabled())
            return;
        const QPoint start = randomPointIn(t);
        QTest::mousePress(t, button, {}, start);
        if (!t)
            return;
        const int moves = rnd->below(4);
        QWidget *board = st().picRahmen->surface();
        QPoint at = start;
        for (int i = 0; i < moves; ++i) {
            // Anywhere on the board, in the widget's own coordinates.
            const QPoint onBoard = randomPointIn(board, 20);
            at = t->mapFrom(board, onBoard);
            QTest::mouseMove(t, at);
        }
        QTest::mouseRelease(t, button, {}, at);
    }

    // ---- one action ----
    void act()
    {
        auto &s = st();
        scriptDialogs();
        const int kind = rnd->below(100);
        if (kind < 3) {
            // Play is where the long loops are: go there often.
            note(QStringLiteral("play"));
            QTest::mouseClick(s.cmdSpielen, Qt::LeftButton);
        } else if (kind < 18) {
            const int i = rnd->below(app::FieldCount);
            const auto b = randomButton(*rnd);
            note(QStringLiteral("field %1 button %2").arg(i).arg(int(b)));
            gesture(s.picFeld[size_t(i)], b);
        } else if (kind < 36) {
            // Mostly tokens that can move, then any in play, now and then any at all.
            const int n = std::max(1, std::min(s.steinzahl(), 64));
            std::vector<int> movable;
            for (int k = 0; k < n; ++k)
                if (play::moveTarget(s, k))
                    movable.push_back(k);
            int i = rnd->chance(85) ? rnd->below(n) : rnd->below(app::FieldCount);
            if (!movable.empty() && rnd->chance(60))
                i = movable[size_t(rnd->below(int(movable.size())))];
            const auto b = rnd->chance(80) ? Qt::LeftButton : randomButton(*rnd);
            note(QStringLiteral("token %1 button %2").arg(i).arg(int(b)));
            gesture(s.picZahl[size_t(i)], b);
        } else if (kind < 44) {
            const auto b = randomButton(*rnd);
            note(QStringLiteral("board button %1").arg(int(b)));
            gesture(s.picRahmen, b);
        } else if (kind < 52) {
            static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_A,
                                       Qt::Key_X, Qt::Key_Space, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Escape};
            const int key = keys[rnd->below(int(std::size(keys)))];
            QWidget *target = QApplication::focusWidget();
            if (!target || rnd->chance(30))
                target = s.picFeld[size_t(rnd->below(app::FieldCount))];
            note(QStringLiteral("key %1 on %2").arg(key).arg(target->metaObject()->className()));
            QTest::keyClick(target, Qt::Key(key));
        } else if (kind < 62) {
            QAction *items[] = {s.cmdneu, s.cmdLadenM, s.cmdSpeichernM, s.cmdGanz, s.cmdNormal,
                                s.cmdNaus, s.cmdNein, s.cmdInfo};
            const int k = rnd->below(int(std::size(items)));
            QAction *a = items[k];
            // A disabled menu title cannot be opened.
            const bool inDatei = k < 3;
            note(QStringLiteral("menu %1").arg(a->text()));
            if (inDatei && !s.cmdDatei->menuAction()->isEnabled())
                return;
            a->trigger();
            if (!tw->messages.shown.empty())
                note(QStringLiteral("  -> %1").arg(tw->messages.shown.back().text));
            else if (a == s.cmdLadenM)
                note(QStringLiteral("  -> %1, %2 tokens").arg(tw->dialog.FileName).arg(s.steinzahl()));
        } else if (kind < 68) {
            const int i = rnd->below(9);
            note(QStringLiteral("palette %1").arg(i));
            QTest::mouseClick(s.Picture1[size_t(i)]->surface(), Qt::LeftButton);
        } else if (kind < 72) {
            note(QStringLiteral("field size"));
            static const QAbstractSlider::SliderAction actions[] = {
                QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
                QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderPageStepSub,
                QAbstractSlider::SliderToMinimum, QAbstractSlider::SliderToMaximum};
            s.VScroll1->triggerAction(actions[rnd->below(int(std::size(actions)))]);
        } else if (kind < 76) {
            note(QStringLiteral("type into the token text"));
            static const QString texts[] = {QStringLiteral("Wü"), QStringLiteral("€5"), QStringLiteral("a\tb"),
                                            QStringLiteral("\n"), QStringLiteral("\x01x"), QString()};
            const QString text = texts[rnd->below(int(std::size(texts)))];
            s.txtFeld->selectAll();
            if (rnd->chance(50)) {
                for (QChar ch : text) {
                    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
                    QApplication::sendEvent(s.txtFeld, &press);
                }
            } else {
                QApplication::clipboard()->setText(text);
                QTest::keyClick(s.txtFeld, Qt::Key_V, Qt::ControlModifier);
            }
        } else {
            QWidget *w = randomControl();
            const auto b = rnd->chance(85) ? Qt::LeftButton : randomButton(*rnd);
            note(QStringLiteral("control %1 button %2").arg(w->metaObject()->className()).arg(int(b)));
            QWidget *t = pressTarget(w);
            if (t->isVisible() && t->isEnabled())
                QTest::mouseClick(t, b, {}, randomPointIn(t));
        }
    }

    // Runs at every pump of a running slide, cascade or shuffle.
    void onPump()
    {
        ++pumpsThisAction;
        // Make sure every loop ends: after a while, stop the shuffle and the cascade.
        if (pumpsThisAction > 400) {
            st().MischenAktiv = 0;
            if (st().Command8->isEnabled())
                QTest::mouseClick(st().Command8, Qt::LeftButton);
            QTest::mouseClick(st().Command3, Qt::LeftButton);
            return;
        }
        if (depth < 2 && rnd->chance(3)) {
            ++depth;
            act();
            --depth;
        }
    }

    QString violations()
    {
        auto &s = st();
        QString v = checkInvariants(s);
        if (!v.isEmpty())
            return v;
        for (int a = 0; a < app::FieldCount; ++a) {
            if (s.Kante[size_t(a)][size_t(a)] != 0)
                return QStringLiteral("Kante(%1,%1) is not 0").arg(a);
            for (int b = 0; b < app::FieldCount; ++b)
                if (s.Kante[size_t(a)][size_t(b)] != s.Kante[size_t(b)][size_t(a)])
                    return QStringLiteral("Kante(%1,%2) is not symmetric").arg(a).arg(b);
        }
        if (s.Steinzahl && (*s.Steinzahl < -1 || *s.Steinzahl > 64))
            return QStringLiteral("Steinzahl %1").arg(*s.Steinzahl);
        if (!app::BoardState::isIndex(s.Feld1) || !app::BoardState::isIndex(s.AktStein))
            return QStringLiteral("Feld1 %1, AktStein %2").arg(s.Feld1).arg(s.AktStein);
        if (s.busy())
            return QStringLiteral("a move or shuffle is still marked as running");
        for (QWidget *w : {static_cast<QWidget *>(s.cmdSetzen), static_cast<QWidget *>(s.Command4)})
            if (!w->isEnabled())
                return QStringLiteral("controls stay disabled after the action");
        return {};
    }

    // Saves the game, opens it again and compares what a game file keeps.
    QString roundTrip()
    {
        auto &s = st();
        if (s.busy())
            return {};
        const QStringList before = lastingContent(s);
        const QString path = dir.filePath(QStringLiteral("rundreise.swk"));
        if (!gamefile::saveTo(s, path))
            return QStringLiteral("save failed");
        if (!gamefile::openFrom(s, path))
            return QStringLiteral("the saved game does not open");
        const QStringList after = lastingContent(s);
        for (int i = 0; i < before.size(); ++i)
            if (before[i] != after[i])
                return QStringLiteral("round trip changed %1 -> %2").arg(before[i], after[i]);
        return {};
    }

    // Every seed starts from fresh copies of the sample games.
    void restoreSamples()
    {
        const QDir examples(QStringLiteral(GSW_SOURCE_DIR "/examples"));
        const QStringList names = examples.entryList({QStringLiteral("*.swk")}, QDir::Files, QDir::Name);
        for (int i = 0; i < names.size(); ++i) {
            const QString copy = dir.filePath(names[i]);
            QFile::remove(copy);
            QVERIFY(QFile::copy(examples.filePath(names[i]), copy));
            if (corpus.size() <= i)
                corpus << copy;
        }
    }

    void runSeed(int seed, int actions)
    {
        restoreSamples();
        tw = std::make_unique<TestWindow>();
        rnd = std::make_unique<Stream>(quint64(seed));
        log.clear();
        tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(tw->window.get()));
        tw->pacing.onPump = [this] { onPump(); };
        // Start from a sample game half of the time.
        if (rnd->chance(50))
            QVERIFY(gamefile::openFrom(st(), corpus[rnd->below(5)]));
        for (int n = 0; n < actions; ++n) {
            pumpsThisAction = 0;
            tw->messages.shown.clear();
            act();
            QString v = violations();
            if (v.isEmpty() && n % 97 == 96)
                v = roundTrip();
            if (!v.isEmpty()) {
                qWarning().noquote() << "monkey seed" << seed << "action" << n << ":" << v << "\nlast actions:\n"
                                     << log.join(QLatin1Char('\n'));
                QFAIL(qPrintable(QStringLiteral("seed %1 action %2: %3").arg(seed).arg(n).arg(v)));
            }
        }
        qInfo("seed %d: %d pumps, %d colour and %d file dialogs", seed, tw->pacing.pumps, tw->dialog.colorShows,
              tw->dialog.opens + tw->dialog.saves);
        totalPumps += tw->pacing.pumps;
        if (qEnvironmentVariableIsSet("GSW_MONKEY_TRACE"))
            qInfo().noquote() << log.join(QLatin1Char('\n'));
        tw.reset();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // Copies of the sample games: the monkey saves over whatever its dialog names.
        restoreSamples();
        QCOMPARE(corpus.size(), 5);
        // Broken games: short, binary, a bad value on a line, an empty file, a folder.
        QFile good(corpus[0]);
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        auto write = [&](const QString &name, const QByteArray &content) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
            corpus << f.fileName();
        };
        write(QStringLiteral("kurz.swk"), bytes.left(2000));
        write(QStringLiteral("leer.swk"), QByteArray());
        write(QStringLiteral("binaer.swk"), QByteArray(6000, '\xff'));
        QByteArray badSize = bytes;
        badSize.replace(badSize.lastIndexOf("\r\n", badSize.size() - 3) + 2, 3, " 70");
        write(QStringLiteral("feldgroesse.swk"), badSize);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.swk")));
        corpus << dir.filePath(QStringLiteral("ordner.swk"));
        // A regular file where a folder is expected makes saving there fail.
        write(QStringLiteral("keinordner"), QByteArray("x"));
        corpus.removeLast();
    }

    void monkey()
    {
        const int first = envInt("GSW_MONKEY_SEED", 1);
        const int seeds = envInt("GSW_MONKEY_SEEDS", 10);
        const int actions = envInt("GSW_MONKEY_ACTIONS", 1000);
        for (int seed = first; seed < first + seeds; ++seed) {
            runSeed(seed, actions);
            if (QTest::currentTestFailed())
                return;
        }
        // A monkey that never got tokens moving proves little.
        QVERIFY2(totalPumps > long(seeds) * actions / 4, qPrintable(QString::number(totalPumps)));
    }

    void closingInTheMiddleOfAShuffle()
    {
        tw = std::make_unique<TestWindow>();
        tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(tw->window.get()));
        QVERIFY(gamefile::openFrom(st(), QStringLiteral(GSW_SOURCE_DIR "/examples/kreis.swk")));
        QCOMPARE(st().steinzahl(), 9);
        st().chkLawine->setChecked(true);
        int pumps = 0;
        tw->pacing.onPump = [&] {
            if (++pumps == 50)
                tw->window->close();
        };
        QTest::mouseClick(st().image1, Qt::LeftButton);
        QVERIFY(st().closing);
        QVERIFY(!st().busy());
        QCOMPARE(checkInvariants(st()), QString());
        tw.reset();
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
