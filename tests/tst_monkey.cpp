// A seeded monkey: random user actions on the whole window, fired also from inside the
// event pumps of running slides, cascades and shuffles, with the board's invariants
// checked after every action and, now and then, a saved game opened again.
//
//   GSW_MONKEY_SEED=N (default 1), GSW_MONKEY_SEEDS=K (10), GSW_MONKEY_ACTIONS=M (1000)
//
// A failure prints its seed and the last actions; GSW_MONKEY_SEED=<seed>
// GSW_MONKEY_SEEDS=1 replays it.

#include "support.h"

#include "app/app.h"
#include "gamefile/gamefile.h"
#include "play/engine.h"

#include <QClipboard>
#include <random>
#include <QTemporaryDir>

using namespace testing;

class TestMonkey : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> tw;
    QTemporaryDir dir;
    QStringList corpus, log;
    std::mt19937_64 random; // the monkey's own stream; the game's generator stays the game's
    int depth = 0, pumpsThisAction = 0;
    long totalPumps = 0;
    const QFileInfoList samples = QDir(GSW_SOURCE_DIR "/examples").entryInfoList({"*.swk"}, QDir::Files, QDir::Name);

    view::BoardState &st() { return tw->st; }
    int below(int n) { return n <= 0 ? 0 : int(random() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    Qt::MouseButton button() { return std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[size_t(below(10) * 3 / 13)]; }
    void note(const QString &what)
    {
        log << QString(depth * 2, QLatin1Char(' ')) + what;
        if (log.size() > 40)
            log.removeFirst();
    }
    QPoint somewhere(QWidget *w) { return QPoint(below(std::max(1, w->width())), below(std::max(1, w->height()))); }

    // A press, some moves over the board and a release, as a user makes them.
    void gesture(QWidget *w, Qt::MouseButton b)
    {
        if (!w->isVisible())
            return;
        QTest::mousePress(w, b, {}, somewhere(w));
        QWidget *board = st().board->surface();
        QPoint at = board->mapFromGlobal(w->mapToGlobal(QPoint()));
        for (int i = below(4); i > 0; --i)
            QTest::mouseMove(board, at = somewhere(board));
        QTest::mouseRelease(board, b, {}, at);
    }

    void act()
    {
        auto &s = st();
        // A right click on a text box or the scroll bar opens a context menu: closed at once.
        QTimer::singleShot(0, &tw->window, [] {
            while (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        });
        for (int i = 0; i < 3; ++i) { // what the dialogs answer: cancels, colours, good, bad and impossible files
            tw->dialog.colors.push_back(chance(20) ? std::nullopt : std::optional(colors::rgb(below(256), below(256), below(256))));
            const int k = below(10);
            tw->dialog.files.push_back(k == 0 ? std::nullopt : std::optional(k == 1 ? dir.filePath("keinordner/x.swk")
                : k == 2 ? dir.filePath("spiel.SWK") : k <= 4 ? dir.filePath(QStringLiteral("monkey%1.swk").arg(below(3)))
                : corpus[size_t(below(int(corpus.size())))]));
        }
        const int kind = below(100);
        if (kind < 3) {
            note("play");
            QTest::mouseClick(s.playModeButton, Qt::LeftButton);
        } else if (kind < 18) {
            const int i = below(model::FieldCount);
            note(QStringLiteral("field %1").arg(i));
            gesture(s.fields[size_t(i)], button());
        } else if (kind < 36) { // mostly tokens that can move
            std::vector<int> movable;
            for (int k = 0; k < std::clamp(s.game.tokenCountOrZero(), 1, 64); ++k)
                if (s.game.moveTarget(k))
                    movable.push_back(k);
            const int i = !movable.empty() && chance(60) ? movable[size_t(below(int(movable.size())))] : below(model::FieldCount);
            note(QStringLiteral("token %1").arg(i));
            gesture(s.tokens[size_t(i)], chance(80) ? Qt::LeftButton : button());
        } else if (kind < 44) {
            note("board");
            gesture(s.board->surface(), button());
        } else if (kind < 52) {
            const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_A, Qt::Key_Space, Qt::Key_Tab};
            note("key");
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &tw->window, keys[below(7)]);
        } else if (kind < 62) {
            QAction *items[] = {s.newAction, s.openAction, s.saveAction, s.fullScreenAction, s.normalViewAction, s.hideNotesAction, s.showNotesAction, s.infoAction, s.undoAction, s.redoAction, s.hintAction, s.solveAction, s.solvabilityAction};
            const int k = below(13);
            note(items[k]->text());
            if (k >= 3 || s.fileMenu->menuAction()->isEnabled()) // a disabled menu does not open
                items[k]->trigger();
        } else if (kind < 68) {
            note("palette");
            QTest::mouseClick(s.swatches[size_t(below(9))], Qt::LeftButton);
        } else if (kind < 72) {
            note("field size");
            s.fieldSizeBar->triggerAction(QAbstractSlider::SliderAction(1 + below(6)));
        } else if (kind < 76) {
            note("token text");
            s.tokenTextBox->selectAll();
            QGuiApplication::clipboard()->setText(QStringList{"W\u00fc", "\u20ac5", "a\tb", "\n", "\x01x", ""}[below(6)]);
            QTest::keyClick(s.tokenTextBox, Qt::Key_V, Qt::ControlModifier);
        } else {
            QWidget *all[] = {s.setModeButton, s.connectModeButton, s.eraseButton, s.scrambleButton, s.stopCascadeButton, s.newButton, s.openButton,
                              s.saveButton, s.clearNotesButton, s.stopShuffleButton, s.colourOkButton, s.targetButton, s.closePanelButton, s.normalSizeButton,
                              s.textOkButton, s.shuffleButton, s.normalViewButton, s.cascadeOption, s.fastOption, s.colourHeading, s.fieldSizeBar,
                              s.tokenColourSwatch, s.textColourSwatch, s.lampBox->surface()};
            QWidget *w = all[below(int(std::size(all)))];
            note(QStringLiteral("control %1").arg(w->metaObject()->className()));
            if (w->isVisible())
                QTest::mouseClick(w, chance(85) ? Qt::LeftButton : button(), {}, somewhere(w));
        }
    }

    QString violations()
    {
        auto &s = st();
        if (QString v = checkInvariants(s); !v.isEmpty())
            return v;
        for (int k = 0; s.inPlayMode() && k < s.game.tokenCountOrZero(); ++k) { // tokens stand centred on their fields
            const auto *z = s.tokens[size_t(k)], *f = s.fields[size_t(*s.game.fieldOfToken(k))];
            if (z->left() != float(double(f->left()) + (double(f->width()) - 32) / 2) || z->top() != float(double(f->top()) + (double(f->height()) - 32) / 2))
                return QStringLiteral("token %1 is not centred on field %2").arg(k).arg(z->tag());
        }
        for (int a = 0; a < model::FieldCount; ++a)
            for (int b = 0; b < model::FieldCount; ++b)
                if (s.game.edges[size_t(a)][size_t(b)] != s.game.edges[size_t(b)][size_t(a)] || s.game.edges[size_t(a)][size_t(a)])
                    return QStringLiteral("Kante(%1, %2)").arg(a).arg(b);
        if (s.game.tokenCountOrZero() < -1 || s.game.tokenCountOrZero() > 64 || !view::BoardState::isIndex(s.pendingField) || !view::BoardState::isIndex(s.panelToken))
            return QStringLiteral("tokenCount %1, pendingField %2, panelToken %3").arg(s.game.tokenCountOrZero()).arg(s.pendingField).arg(s.panelToken);
        if (s.busy() || !s.setModeButton->isEnabled() || !s.newButton->isEnabled() || !s.fileMenu->menuAction()->isEnabled())
            return QStringLiteral("a move or shuffle still runs, or its controls stay locked");
        // Now and then: a saved game opens to the same game, but for what a load lays out anew.
        if (below(100) > 2)
            return {};
        const QString path = dir.filePath(QStringLiteral("rundreise.swk"));
        const QList<QByteArray> before = gamefile::write(gamefile::collect(s.game)).value_or("").split('\n');
        if (!app::saveTo(s, path) || !app::openFrom(s, path))
            return QStringLiteral("the saved game does not open");
        const QList<QByteArray> after = gamefile::write(gamefile::collect(s.game)).value_or("").split('\n');
        for (int l = 0; l < 5013; ++l)
            if (before[l] != after[l] && (l < 780 ? QList{0, 1, 3, 6, 8, 11}.contains(l % 12) : l < 5005 || (l >= 5008 && l != 5011)))
                return QStringLiteral("line %1 of a saved game opens as %2").arg(l + 1).arg(QString::fromLatin1(after[l]));
        return {};
    }

    QByteArray samplesBytes()
    {
        QByteArray all;
        for (const QFileInfo &f : samples) {
            QFile file(f.filePath());
            all += file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
        }
        return all;
    }

private slots:
    void monkey()
    {
        const QByteArray before = samplesBytes();
        bool ok = false;
        const int first = qEnvironmentVariableIntValue("GSW_MONKEY_SEED", &ok), seeds = qEnvironmentVariableIntValue("GSW_MONKEY_SEEDS");
        const int actions = qEnvironmentVariableIsSet("GSW_MONKEY_ACTIONS") ? qEnvironmentVariableIntValue("GSW_MONKEY_ACTIONS") : 1000;
        for (int seed = ok ? first : 1; seed < (ok ? first : 1) + (seeds > 0 ? seeds : 10); ++seed) {
            // Fresh copies of the sample games every seed (the monkey saves onto whatever
            // its dialog names), and broken games: short, empty, binary, a folder.
            QDir(dir.path()).removeRecursively();
            QDir().mkpath(dir.path() + "/ordner.swk");
            corpus = {dir.filePath("kurz.swk"), dir.filePath("leer.swk"), dir.filePath("binaer.swk"), dir.filePath("ordner.swk")};
            for (const auto &[file, bytes] : {std::pair{0, before.left(2000)}, {1, QByteArray()}, {2, QByteArray(6000, '\xff')}}) {
                QFile f(corpus[file]);
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
            }
            QFile(dir.filePath("keinordner")).open(QIODevice::WriteOnly);
            for (const QFileInfo &f : samples)
                QVERIFY(QFile::copy(f.filePath(), corpus.emplace_back(dir.filePath(f.fileName()))));

            tw = std::make_unique<TestWindow>();
            random.seed(quint64(seed));
            log.clear();
            QVERIFY(tw->showActive());
            tw->pacing.onPump = [this] {
                if (++pumpsThisAction > 400) { // every loop ends: stop the shuffle and the cascade
                    st().shuffleActive = 0;
                    st().cascadeStopRequested = 1;
                } else if (depth < 2 && chance(3)) {
                    ++depth;
                    act();
                    --depth;
                }
            };
            if (chance(50))
                QVERIFY(app::openFrom(st(), corpus[4 + size_t(below(5))]));
            for (int n = 0; n < actions; ++n) {
                pumpsThisAction = 0;
                act();
                if (const QString v = violations(); !v.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("seed %1 action %2: %3\nlast actions:\n%4").arg(seed).arg(n).arg(v, log.join('\n'))));
            }
            totalPumps += tw->pacing.pumps;
            tw.reset();
        }
        QVERIFY2(totalPumps > 2000, "the monkey hardly got a token moving");
        // It worked on copies: the sample games are as they were.
        QVERIFY(samplesBytes() == before);
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
