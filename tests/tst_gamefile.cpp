// Saving and opening games through the window: names, dialogs, the exact bytes,
// files written by others, all-or-nothing loading, atomic saving, the guards while
// something runs, and the sample boards.

#include "app/app.h"
#include "editor/editor.h"
#include "gamefile/gamefile.h"
#include "gamefile_fixtures.h"
#include "support/snapshot.h"
#include "support/testwindow.h"

#include <QtTest>

#include <algorithm>
#include <map>
#include <set>

using namespace testing;
using fixtures::edited;
using fixtures::handWrittenGame;
using fixtures::splitLines;
using gamefile::edgeLine;
using gamefile::groupLine;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

constexpr colors::Color SystemWindow = colors::system(5);
const QByteArray TokenTip = "Maus links: ziehen, Maus rechts: f\xE4rben";

} // namespace

#define NO_MESSAGES() QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()))

class TestGamefile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestWindow> w;
    std::unique_ptr<QTemporaryDir> dir;
    app::BoardState &st() { return w->st(); }
    QString path(const QString &name) const { return dir->filePath(name); }

    // Runs the command through the menu with the dialog answering `chosen`.
    void save(const QString &chosen)
    {
        w->dialog.files.push_back(chosen);
        st().cmdSpeichernM->trigger();
    }
    void open(const QString &chosen)
    {
        w->dialog.files.push_back(chosen);
        st().cmdLadenM->trigger();
    }
    QString messagesText() const
    {
        QStringList out;
        for (const auto &m : w->messages.shown)
            out << m.kind + '/' + m.title + '/' + m.text;
        return out.join('|');
    }
    // A game in play on the board: the hand-written one, from start.swk.
    void loadHandWritten()
    {
        QVERIFY(writeFile(path("start.swk"), handWrittenGame()));
        open(path("start.swk"));
        NO_MESSAGES();
    }

private slots:
    void init()
    {
        w = std::make_unique<TestWindow>();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() { w.reset(); dir.reset(); }

    // ---------------------------------------------------------------- writing

    void freshBoardWritesTheStartValues()
    {
        save(path("neu"));
        NO_MESSAGES();
        QCOMPARE(st().txtDateiname->text(), path("neu.swk"));
        const QByteArray file = readFile(path("neu.swk"));
        QCOMPARE(file.count("\r\n"), 5013);
        QCOMPARE(file.count('\n'), 5013);
        QVERIFY(file.endsWith("\r\n"));
        const QList<QByteArray> l = splitLines(file);
        for (int i = 0; i < 65; ++i) {
            const QList<QByteArray> g = l.mid(i * 12, 12);
            // The pile: left in [12, 20), top in [32, 40).
            const double left = g[0].toDouble(), top = g[1].toDouble();
            QVERIFY2(g[0].startsWith(' ') && left >= 12 && left < 20, g[0].constData());
            QVERIFY2(g[1].startsWith(' ') && top >= 32 && top < 40, g[1].constData());
            QCOMPARE(g.mid(2, 2), (QList<QByteArray>{"frei", " 0"}));
            QCOMPARE(g.mid(6), (QList<QByteArray>{TokenTip, "-1", " 16711680", " 15", "False", " " + QByteArray::number(i + 1)}));
        }
        QVERIFY(std::all_of(l.begin() + 780, l.begin() + 5005, [](const QByteArray &k) { return k == " 0"; }));
        QCOMPARE(l.mid(5005), (QList<QByteArray>{" 1", " 0", " 0", "-2147483633", "-2147483633", "-2147483633", " 0", " 42"}));
    }

    void groupOfATokenOnItsField()
    {
        buildBoard(st(), "0-1 1-2 2-3 3-4");
        st().picFeld[3]->setPos(165, 200);
        app::cmdSpielen_Click(st());
        save(path("g.swk"));
        const QList<QByteArray> l = splitLines(readFile(path("g.swk")));
        QCOMPARE(l.mid(36, 12), (QList<QByteArray>{" 165", " 200", "besetzt", " 1", " 170", " 205", TokenTip, " 3",
                                                   " 16711680", " 1", "True", " 4"}));
        // Field 4 is the free one; its token 4 is out of play.
        QCOMPARE(l[groupLine(4, 3) - 1], QByteArray("frei"));
        QCOMPARE(l[groupLine(4, 8) - 1], QByteArray("-1"));
        QCOMPARE(l[groupLine(4, 11) - 1], QByteArray("False"));
        QCOMPARE(l[edgeLine(3, 4) - 1], QByteArray(" 1"));
        QCOMPARE(l[edgeLine(4, 3) - 1], QByteArray(" 1"));
        QCOMPARE(l.mid(5005), (QList<QByteArray>{" 0", " 0", " 1", "-2147483633", "-2147483633", "-2147483633", " 4", " 42"}));
    }

    void saveNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("with ending") << "spiel.swk" << "spiel.swk";
        QTest::newRow("without ending") << "spiel" << "spiel.swk";
        QTest::newRow("upper-case ending") << "spiel.SWK" << "spiel.SWK.swk";
        QTest::newRow("other ending") << "spiel.txt" << "spiel.txt.swk";
        QTest::newRow("swk without point") << "spielswk" << "spielswk.swk";
        QTest::newRow("only the ending") << ".swk" << ".swk";
        QTest::newRow("umlaut and blank") << "Würfel spiel" << "Würfel spiel.swk";
    }

    void saveNames()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        save(path(chosen));
        NO_MESSAGES();
        QCOMPARE(entries(dir->path()), QStringList{written});
        QCOMPARE(st().txtDateiname->text(), path(written));
        QVERIFY(gamefile::parse(readFile(path(written))).game);
    }

    void openIgnoresOtherEndings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("upper-case ending") << "spiel.SWK";
        QTest::newRow("ending in the middle") << "spiel.swk.bak";
        QTest::newRow("swk without point") << "spielswk";
    }

    void openIgnoresOtherEndings()
    {
        QFETCH(QString, name);
        // A perfectly good game under the wrong name.
        QVERIFY(writeFile(path(name), handWrittenGame()));
        const BoardSnapshot before = snapshot(st());
        open(path(name));
        QCOMPARE(firstDifference(before, snapshot(st()), {"txtDateiname"}), QString());
        QCOMPARE(st().txtDateiname->text(), path(name));
        NO_MESSAGES();
    }

    void dialogsArePresetAndStartInTheWorkingFolder()
    {
        QVERIFY(writeFile(path("a.swk"), handWrittenGame()));
        w->dialog.FileName = "irgendwas";
        open(path("a.swk"));
        save(path("b.swk"));
        open(path("b.swk"));
        QCOMPARE(w->dialog.opens, 2);
        QCOMPARE(w->dialog.saves, 1);
        // Open always presets "*swk"; save shows whatever the dialog holds from its last use.
        QCOMPARE(w->dialog.presets, (QStringList{"*swk", path("a.swk"), "*swk"}));
        QCOMPARE(w->dialog.initDirs, QStringList(3, QDir::currentPath()));
        QCOMPARE(w->dialog.DefaultExt, QStringLiteral("swk"));
        NO_MESSAGES();
    }

    void cancelTouchesNothing()
    {
        loadHandWritten();
        st().txtDateiname->setText("vorher");
        const BoardSnapshot before = snapshot(st());
        w->dialog.files = {std::nullopt, std::nullopt};
        gamefile::cmdSpeichernM_Click(st());
        gamefile::cmdLadenM_Click(st());
        QCOMPARE(w->dialog.saves, 1);
        QCOMPARE(w->dialog.opens, 2);
        QCOMPARE(entries(dir->path()), QStringList{"start.swk"});
        QCOMPARE(firstDifference(before, snapshot(st())), QString());
        NO_MESSAGES();
    }

    // ---------------------------------------------------------------- reading

    void savedGameOpensAndSavesBackIdentically_data()
    {
        QTest::addColumn<QString>("edges");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("sizeWhenOpening");
        QTest::addColumn<bool>("decorate");
        QString complete;
        for (int a = 0; a < 65; ++a)
            for (int b = a + 1; b < 65; ++b)
                complete += QStringLiteral("%1-%2 ").arg(a).arg(b);
        QTest::newRow("cycle at 30, colours and texts") << "0-1 1-2 2-3 3-0" << 30 << 55 << true;
        QTest::newRow("odd size 13") << "4-9 9-20 20-4 20-33" << 13 << 60 << true;
        QTest::newRow("complete graph at 60") << complete << 60 << 12 << false;
        QTest::newRow("one field") << "" << 50 << 42 << false;
    }

    void savedGameOpensAndSavesBackIdentically()
    {
        QFETCH(QString, edges);
        QFETCH(int, size);
        QFETCH(int, sizeWhenOpening);
        QFETCH(bool, decorate);
        // Places a single keeps exactly (the random pile has more digits than the
        // file's 7), so the board must come back exactly.
        app::cmdneu_Click(st());
        buildBoard(st(), edges, {7});
        st().VScroll1->setValue(size); // half-pixel places for odd differences
        if (decorate) {
            st().picZahl[1]->setBackColor(colors::rgb(255, 0, 0));
            st().picZahl[2]->setBackColor(SystemWindow);
            st().Steintext[0] = "Würfel";
            st().Steintext[2] = "€\t½";
            st().cmdVerbinden->setBackColor(colors::rgb(1, 2, 3));
            st().Kante[7][7] = 1;
        }
        app::cmdSpielen_Click(st());
        const BoardSnapshot played = snapshot(st());
        save(path("a.swk"));

        app::cmdneu_Click(st());
        st().VScroll1->setValue(sizeWhenOpening);
        open(path("a.swk"));
        save(path("b.swk"));
        NO_MESSAGES();
        QCOMPARE(readFile(path("b.swk")), readFile(path("a.swk")));
        // The board is back as it was played; only what a load lays out anew may differ:
        // the stacking order and the numbers on the tokens out of play.
        QStringList ignore{"txtDateiname", "z-order"};
        for (int k = st().steinzahl(); k < 65; ++k)
            ignore << QStringLiteral("picZahl(%1)").arg(k, 2, 10, QLatin1Char('0'));
        QCOMPARE(firstDifference(played, snapshot(st()), ignore), QString());
    }

    // Opened in a window at field size 42, a file at 47 must come back where it was
    // saved: the size goes on before the positions, or every field shifts.
    void filesOfOthersSaveBackInOurForm_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray a = handWrittenGame();
        QTest::newRow("our own form") << a;
        QTest::newRow("other spellings") << edited(a, {{groupLine(0, 1), " 165.0"}, {groupLine(5, 1), "1.65E2"},
                                                       {groupLine(2, 1), "240.50"}, {groupLine(0, 4), "1"},
                                                       {groupLine(9, 4), " 1E0"}, {groupLine(0, 11), "TRUE"},
                                                       {groupLine(1, 11), "-1"}, {groupLine(0, 9), "1.671168E7"},
                                                       {groupLine(0, 10), "  1  "}, {edgeLine(0, 2), "1"},
                                                       {edgeLine(4, 4), ""}, {edgeLine(4, 5), "0.4"},
                                                       {5012, "  3"}, {5013, " 47.0"}});
        // Whatever play derives is laid out afresh: mode, token places, tags and
        // visibility, field tooltips and pointers, the token count.
        std::vector<std::pair<int, QByteArray>> setMode{{5006, " 1"}, {5007, " 0"}, {5008, " 0"}, {5012, ""},
                                                        {groupLine(0, 5), " 50"}, {groupLine(0, 6), " 60"}};
        for (int i = 0; i < 65; ++i)
            for (auto [item, text] : {std::pair{3, "frei"}, {8, "-1"}, {10, " 15"}, {11, "False"}})
                setMode.push_back({groupLine(i, item), text});
        QTest::newRow("saved in set mode") << edited(a, setMode);
        QTest::newRow("saved after moves") << edited(a, {{groupLine(0, 3), "frei"}, {groupLine(9, 3), "besetzt"},
                                                         {groupLine(0, 5), " 328.25"}, {groupLine(0, 6), " 317.5"},
                                                         {groupLine(0, 8), " 9"}});
        QTest::newRow("saved in connect mode, LF")
            << edited(a, {{5006, " 0"}, {5007, " 1"}, {5008, " 0"}, {groupLine(1, 11), "False"}, {groupLine(1, 10), " 1"}},
                      "\n");
    }

    void filesOfOthersSaveBackInOurForm()
    {
        QFETCH(QByteArray, file);
        QVERIFY(writeFile(path("fremd.swk"), file));
        open(path("fremd.swk"));
        save(path("unser.swk"));
        NO_MESSAGES();
        const QList<QByteArray> got = splitLines(readFile(path("unser.swk"))), want = splitLines(handWrittenGame());
        for (int i = 0; i < std::min(got.size(), want.size()); ++i)
            QVERIFY2(got[i] == want[i], qPrintable(QStringLiteral("line %1: %2 instead of %3")
                                                       .arg(i + 1).arg(QString::fromLatin1(got[i]), QString::fromLatin1(want[i]))));
        QCOMPARE(readFile(path("unser.swk")), handWrittenGame());
    }

    void loadClearsDrawingsAndNumbersTheTokens()
    {
        app::BoardState &s = st();
        // Something drawn on the board, on a field and on a token beforehand.
        s.picRahmen->Line(0, 0, 2000, 2000, colors::rgb(255, 0, 0));
        s.picFeld[9]->Print("7");
        s.picZahl[3]->Print("alt");
        loadHandWritten();
        // The sketch is gone, the edges are drawn again.
        QVERIFY(s.picRahmen->hasDrawing());
        const QImage board = s.picRahmen->drawing().copy();
        editor::KantenZeichnen(s);
        QCOMPARE(s.picRahmen->drawing(), board);
        for (auto *f : s.picFeld)
            QVERIFY(!f->hasDrawing());
        // What a token shows, compared with that text printed afresh.
        auto shows = [](forms::PictureBox *z, const QString &text) {
            const QImage had = z->drawing().copy();
            z->Cls();
            z->Print(text);
            return z->drawing() == had;
        };
        // A token out of play keeps the number the load printed on it, not its text ...
        QCOMPARE(s.Steintext[3], QStringLiteral("vier"));
        QVERIFY(shows(s.picZahl[3], " 4"));
        QVERIFY(!shows(s.picZahl[3], "vier"));
        // ... while a token in play shows its text.
        QVERIFY(shows(s.picZahl[0], "Würfel"));
    }

    // ---------------------------------------------------------------- failures

    void badInputLeavesTheBoardAsItWas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind"); // 0 file, 1 folder, 2 missing
        for (const auto &row : fixtures::badFiles())
            QTest::newRow(row.name) << row.bytes << 0;
        QTest::newRow("a folder") << QByteArray() << 1;
        QTest::newRow("no such file") << QByteArray() << 2;
    }

    void badInputLeavesTheBoardAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        loadHandWritten();
        // Some more lasting state that a load would change.
        st().picRahmen->Line(600, 440, 660, 440, colors::rgb(255, 0, 0));
        st().VScroll1->setValue(33);
        st().Text5->setText("meine Notizen");
        const QString target = path("x.swk");
        if (kind == 0)
            QVERIFY(writeFile(target, bytes));
        else if (kind == 1)
            QVERIFY(QDir(dir->path()).mkdir("x.swk"));

        const BoardSnapshot before = snapshot(st());
        open(target);
        QCOMPARE(messagesText(), QStringLiteral("critical/Fehler/Ungültiger x Dateiname!"));
        QCOMPARE(firstDifference(before, snapshot(st()), {"txtDateiname"}), QString());
        QCOMPARE(st().txtDateiname->text(), target);
    }

    void saveFailureLeavesTheTargetAlone_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("badText");
        QTest::newRow("folder is a regular file") << "start.swk/spiel.swk" << QString();
        QTest::newRow("folder missing") << "fehlt/spiel.swk" << QString();
        QTest::newRow("target is a folder") << "ordner.swk" << QString();
        QTest::newRow("token text beyond the code page") << "start.swk" << "Ω";
        QTest::newRow("token text with a line break") << "start.swk" << "zwei\nZeilen";
    }

    void saveFailureLeavesTheTargetAlone()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, badText);
        loadHandWritten();
        QVERIFY(QDir(dir->path()).mkdir("ordner.swk"));
        if (!badText.isEmpty())
            st().Steintext[5] = badText;
        const QStringList filesBefore = entries(dir->path());
        const BoardSnapshot before = snapshot(st());
        save(path(chosen));
        QCOMPARE(messagesText(), QStringLiteral("critical/Eingabeproblem/Speichern abgebrochen!"));
        QCOMPARE(st().txtDateiname->text(), path(chosen));
        QCOMPARE(entries(dir->path()), filesBefore);
        QCOMPARE(readFile(path("start.swk")), handWrittenGame());
        QVERIFY(entries(path("ordner.swk")).isEmpty());
        QCOMPARE(firstDifference(before, snapshot(st()), {"txtDateiname"}), QString());
    }

    void saveReplacesAnExistingFileWhole()
    {
        QVERIFY(writeFile(path("alt.swk"), QByteArray(200000, 'z')));
        buildBoard(st(), "0-1");
        save(path("alt.swk"));
        NO_MESSAGES();
        const QByteArray now = readFile(path("alt.swk"));
        QCOMPARE(now.count("\r\n"), 5013);
        QVERIFY(now.endsWith(" 42\r\n"));
        QCOMPARE(entries(dir->path()), QStringList{"alt.swk"});
    }

    void nothingHappensWhileAMoveOrShuffleRuns_data()
    {
        QTest::addColumn<bool>("shuffle");
        QTest::addColumn<int>("how"); // 0 menu open, 1 toolbar open, 2 menu save, 3 toolbar save
        const char *hows[] = {"menu open", "toolbar open", "menu save", "toolbar save"};
        for (bool shuffle : {false, true})
            for (int how = 0; how < 4; ++how)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(shuffle ? "shuffle" : "move", hows[how])))
                    << shuffle << how;
    }

    void nothingHappensWhileAMoveOrShuffleRuns()
    {
        QFETCH(bool, shuffle);
        QFETCH(int, how);
        buildBoard(st(), "0-1 1-2");
        app::cmdSpielen_Click(st());
        QVERIFY(writeFile(path("x.swk"), handWrittenGame()));
        bool &running = shuffle ? st().shuffleRunning : st().moveInProgress;
        running = true;
        const BoardSnapshot before = snapshot(st());
        auto click = [&] {
            switch (how) {
            case 0: st().cmdLadenM->trigger(); break;
            case 1: st().Command5->click(); break;
            case 2: st().cmdSpeichernM->trigger(); break;
            default: st().Command6->click(); break;
            }
        };
        w->dialog.files.push_back(path("x.swk"));
        click();
        QCOMPARE(w->dialog.opens + w->dialog.saves, 0);
        QCOMPARE(firstDifference(before, snapshot(st())), QString());
        QCOMPARE(readFile(path("x.swk")), handWrittenGame());
        QCOMPARE(entries(dir->path()), QStringList{"x.swk"});
        QVERIFY(w->messages.shown.empty());

        // Once it has ended, the same click works.
        running = false;
        click();
        QCOMPARE(w->dialog.opens + w->dialog.saves, 1);
        if (how < 2)
            QCOMPARE(st().steinzahl(), 3);
        else
            QCOMPARE(gamefile::parse(readFile(path("x.swk"))).game->steinzahl, 2);
    }

    // ---------------------------------------------------------------- sample boards

    void examplesOpenToPlayableGames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fields");
        QTest::addColumn<QString>("degrees"); // "degree x count" in ascending degree
        QTest::newRow("fifteen puzzle") << "fuenfzehn.swk" << 16 << "2x4 3x8 4x4";
        QTest::newRow("cycle") << "kreis.swk" << 10 << "2x10";
        QTest::newRow("path") << "pfad.swk" << 8 << "1x2 2x6";
        QTest::newRow("two cycles sharing a path") << "zwei_kreise.swk" << 10 << "2x8 3x2";
        QTest::newRow("three neighbours everywhere") << "petersen.swk" << 10 << "3x10";
    }

    void examplesOpenToPlayableGames()
    {
        QFETCH(QString, name);
        QFETCH(int, fields);
        QFETCH(QString, degrees);
        const QString file = QFINDTESTDATA("../examples/" + name);
        QVERIFY2(!file.isEmpty(), qPrintable(name));
        open(file);
        NO_MESSAGES();
        app::BoardState &s = st();
        QVERIFY(s.playMode());
        QCOMPARE(checkInvariants(s), QString());
        QCOMPARE(s.steinzahl(), fields - 1);

        // Symmetric, no loops, only board fields joined; the degrees make the shape.
        std::map<int, int> degreeCount;
        int freeField = -1;
        for (int a = 0; a < 65; ++a) {
            int d = 0;
            for (int b = 0; b < 65; ++b) {
                QCOMPARE(s.Kante[size_t(a)][size_t(b)], s.Kante[size_t(b)][size_t(a)]);
                if (s.Kante[size_t(a)][size_t(b)] == 1) {
                    QVERIFY(a != b && s.onBoard(a) && s.onBoard(b));
                    ++d;
                }
            }
            if (!s.onBoard(a))
                continue;
            ++degreeCount[d];
            if (s.picFeld[size_t(a)]->toolTipText() == app::Frei)
                freeField = a;
            // In the play area, clear of the controls strip and the notes.
            const auto *f = s.picFeld[size_t(a)];
            QVERIFY(f->top() > 115 && f->top() + f->height() < 485 && f->left() > 40 && f->left() + f->width() < 655);
        }
        QStringList shape;
        for (auto [d, n] : degreeCount)
            shape << QStringLiteral("%1x%2").arg(d).arg(n);
        QCOMPARE(shape.join(' '), degrees);

        // Connected (with one free field among tokens, a move is then always possible).
        QVERIFY(freeField >= 0);
        std::set<int> seen{freeField};
        for (std::vector<int> todo{freeField}; !todo.empty();) {
            const int a = todo.back();
            todo.pop_back();
            for (int b = 0; b < 65; ++b)
                if (s.Kante[size_t(a)][size_t(b)] == 1 && seen.insert(b).second)
                    todo.push_back(b);
        }
        QCOMPARE(int(seen.size()), fields);

        // Made by our own writer from a game just started: it saves back unchanged.
        save(path(name));
        QCOMPARE(readFile(path(name)), readFile(file));
    }
};

QTEST_MAIN(TestGamefile)
#include "tst_gamefile.moc"
