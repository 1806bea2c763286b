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
#include <functional>
#include <map>
#include <queue>
#include <set>

using namespace testing;
using fixtures::handWrittenGame;
using fixtures::joinLines;
using fixtures::splitLines;
using gamefile::groupLine;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
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

// Replaces lines of a file: {line, content} pairs.
QByteArray edited(const QByteArray &file, const std::vector<std::pair<int, QByteArray>> &changes,
                  const QByteArray &end = "\r\n")
{
    QList<QByteArray> lines = splitLines(file);
    for (const auto &[line, content] : changes)
        lines[line - 1] = content;
    return joinLines(lines, end);
}

constexpr colors::Color SystemWindow = colors::system(5);

} // namespace

class TestGamefile : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestWindow> w;
    std::unique_ptr<QTemporaryDir> dir;
    app::BoardState &st() { return w->st(); }
    QString path(const QString &name) const { return dir->filePath(name); }

    // Runs the save through the menu with the dialog answering `chosen`.
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
            out << m.kind + QLatin1Char('/') + m.title + QLatin1Char('/') + m.text;
        return out.join(QLatin1Char('|'));
    }
    // A game in play on the board: the hand-written one.
    void loadHandWritten()
    {
        QVERIFY(writeFile(path(QStringLiteral("start.swk")), handWrittenGame()));
        open(path(QStringLiteral("start.swk")));
        QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
        w->messages.shown.clear();
    }

private slots:
    void init()
    {
        w = std::make_unique<TestWindow>();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup()
    {
        w.reset();
        dir.reset();
    }

    void freshBoardWritesTheStartValues();
    void groupOfATokenOnItsField();
    void saveNames_data();
    void saveNames();
    void openIgnoresOtherEndings_data();
    void openIgnoresOtherEndings();
    void dialogsArePresetAndStartInTheWorkingFolder();
    void cancelTouchesNothing();
    void toolbarButtonsRunTheMenuCommands();

    void savedGameOpensAndSavesBackIdentically_data();
    void savedGameOpensAndSavesBackIdentically();
    void handWrittenFileOpensWhereItWasSaved_data();
    void handWrittenFileOpensWhereItWasSaved();
    void filesOfOthersSaveBackInOurForm_data();
    void filesOfOthersSaveBackInOurForm();
    void loadClearsDrawingsAndNumbersTheTokens();

    void badInputLeavesTheBoardAsItWas_data();
    void badInputLeavesTheBoardAsItWas();
    void saveFailureLeavesTheTargetAlone_data();
    void saveFailureLeavesTheTargetAlone();
    void saveReplacesAnExistingFileWhole();
    void nothingHappensWhileAMoveOrShuffleRuns_data();
    void nothingHappensWhileAMoveOrShuffleRuns();

    void examplesOpenToPlayableGames_data();
    void examplesOpenToPlayableGames();
};

// ---------------------------------------------------------------- writing

void TestGamefile::freshBoardWritesTheStartValues()
{
    save(path(QStringLiteral("neu")));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
    QCOMPARE(entries(dir->path()), QStringList{QStringLiteral("neu.swk")});
    const QByteArray file = readFile(path(QStringLiteral("neu.swk")));
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
        QCOMPARE(g[2], QByteArray("frei"));
        QCOMPARE(g[3], QByteArray(" 0"));
        QCOMPARE(g[6], QByteArray("Maus links: ziehen, Maus rechts: f\xE4rben"));
        QCOMPARE(g[7], QByteArray("-1"));
        QCOMPARE(g[8], QByteArray(" 16711680"));
        QCOMPARE(g[9], QByteArray(" 15"));
        QCOMPARE(g[10], QByteArray("False"));
        QCOMPARE(g[11], " " + QByteArray::number(i + 1));
    }
    for (int k = 780; k < 5005; ++k)
        QCOMPARE(l[k], QByteArray(" 0"));
    QCOMPARE(l.mid(5005), (QList<QByteArray>{" 1", " 0", " 0", "-2147483633", "-2147483633", "-2147483633", " 0",
                                             " 42"}));
    QCOMPARE(st().txtDateiname->text(), path(QStringLiteral("neu.swk")));
}

void TestGamefile::groupOfATokenOnItsField()
{
    buildBoard(st(), QStringLiteral("0-1 1-2 2-3 3-4"));
    st().picFeld[3]->setPos(165, 200);
    app::cmdSpielen_Click(st());
    save(path(QStringLiteral("g.swk")));
    const QList<QByteArray> l = splitLines(readFile(path(QStringLiteral("g.swk"))));
    QCOMPARE(l.mid(36, 12), (QList<QByteArray>{" 165", " 200", "besetzt", " 1", " 170", " 205",
                                               "Maus links: ziehen, Maus rechts: f\xE4rben", " 3", " 16711680", " 1",
                                               "True", " 4"}));
    // Field 4 is the free one; its token 4 is out of play.
    QCOMPARE(l[groupLine(4, 3) - 1], QByteArray("frei"));
    QCOMPARE(l[groupLine(4, 8) - 1], QByteArray("-1"));
    QCOMPARE(l[groupLine(4, 11) - 1], QByteArray("False"));
    QCOMPARE(l[gamefile::edgeLine(3, 4) - 1], QByteArray(" 1"));
    QCOMPARE(l[gamefile::edgeLine(4, 3) - 1], QByteArray(" 1"));
    QCOMPARE(l.mid(5005), (QList<QByteArray>{" 0", " 0", " 1", "-2147483633", "-2147483633", "-2147483633", " 4",
                                             " 42"}));
}

void TestGamefile::saveNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("with ending") << "spiel.swk" << "spiel.swk";
    QTest::newRow("without ending") << "spiel" << "spiel.swk";
    QTest::newRow("upper-case ending") << "spiel.SWK" << "spiel.SWK.swk";
    QTest::newRow("mixed-case ending") << "spiel.Swk" << "spiel.Swk.swk";
    QTest::newRow("other ending") << "spiel.txt" << "spiel.txt.swk";
    QTest::newRow("swk without point") << "spielswk" << "spielswk.swk";
    QTest::newRow("only the ending") << ".swk" << ".swk";
    QTest::newRow("umlaut and blank") << "Würfel spiel" << "Würfel spiel.swk";
}

void TestGamefile::saveNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    save(path(chosen));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
    QCOMPARE(entries(dir->path()), QStringList{written});
    QCOMPARE(st().txtDateiname->text(), path(written));
    QVERIFY(gamefile::parse(readFile(path(written))).game);
}

void TestGamefile::openIgnoresOtherEndings_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("upper-case ending") << "spiel.SWK";
    QTest::newRow("other ending") << "spiel.txt";
    QTest::newRow("ending in the middle") << "spiel.swk.bak";
    QTest::newRow("swk without point") << "spielswk";
}

void TestGamefile::openIgnoresOtherEndings()
{
    QFETCH(QString, name);
    // A perfectly good game under the wrong name.
    QVERIFY(writeFile(path(name), handWrittenGame()));
    const BoardSnapshot before = snapshot(st());
    open(path(name));
    QCOMPARE(firstDifference(before, snapshot(st()), {QStringLiteral("txtDateiname")}), QString());
    QCOMPARE(st().txtDateiname->text(), path(name));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
    QVERIFY(st().setMode());
}

void TestGamefile::dialogsArePresetAndStartInTheWorkingFolder()
{
    QVERIFY(writeFile(path(QStringLiteral("a.swk")), handWrittenGame()));
    w->dialog.FileName = QStringLiteral("irgendwas");
    open(path(QStringLiteral("a.swk")));
    save(path(QStringLiteral("b.swk")));
    open(path(QStringLiteral("b.swk")));
    QCOMPARE(w->dialog.opens, 2);
    QCOMPARE(w->dialog.saves, 1);
    // Open always presets "*swk"; save shows whatever the dialog holds from its last use.
    QCOMPARE(w->dialog.presets,
             (QStringList{QStringLiteral("*swk"), path(QStringLiteral("a.swk")), QStringLiteral("*swk")}));
    QCOMPARE(w->dialog.initDirs, QStringList(3, QDir::currentPath()));
    QCOMPARE(w->dialog.DefaultExt, QStringLiteral("swk"));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
}

void TestGamefile::cancelTouchesNothing()
{
    loadHandWritten();
    st().txtDateiname->setText(QStringLiteral("vorher"));
    const BoardSnapshot before = snapshot(st());
    w->dialog.files = {std::nullopt, std::nullopt};
    gamefile::cmdSpeichernM_Click(st());
    gamefile::cmdLadenM_Click(st());
    QCOMPARE(w->dialog.saves, 1);
    QCOMPARE(w->dialog.opens, 2);
    QCOMPARE(entries(dir->path()), QStringList{QStringLiteral("start.swk")});
    QCOMPARE(firstDifference(before, snapshot(st())), QString());
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
}

void TestGamefile::toolbarButtonsRunTheMenuCommands()
{
    buildBoard(st(), QStringLiteral("0-1 1-2"));
    app::cmdSpielen_Click(st());
    w->dialog.files.push_back(path(QStringLiteral("knopf")));
    QTest::mouseClick(st().Command6, Qt::LeftButton);
    QCOMPARE(w->dialog.saves, 1);
    const QByteArray byButton = readFile(path(QStringLiteral("knopf.swk")));
    save(path(QStringLiteral("menu")));
    QCOMPARE(readFile(path(QStringLiteral("menu.swk"))), byButton);

    app::cmdneu_Click(st());
    w->dialog.files.push_back(path(QStringLiteral("knopf.swk")));
    QTest::mouseClick(st().Command5, Qt::LeftButton);
    QCOMPARE(w->dialog.opens, 1);
    QVERIFY(st().playMode());
    QCOMPARE(st().steinzahl(), 2);
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
}

// ---------------------------------------------------------------- reading

void TestGamefile::savedGameOpensAndSavesBackIdentically_data()
{
    QTest::addColumn<QString>("edges");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("sizeWhenOpening");
    QTest::addColumn<bool>("decorate");

    QString complete;
    for (int a = 0; a < 65; ++a)
        for (int b = a + 1; b < 65; ++b)
            complete += QStringLiteral("%1-%2 ").arg(a).arg(b);
    QTest::newRow("path at 42") << "0-1 1-2 2-3" << 42 << 42 << false;
    QTest::newRow("cycle at 30, colours and texts") << "0-1 1-2 2-3 3-0" << 30 << 55 << true;
    QTest::newRow("odd size 13") << "4-9 9-20 20-4 20-33" << 13 << 60 << true;
    QTest::newRow("complete graph at 60") << complete << 60 << 12 << false;
    QTest::newRow("one field") << "" << 50 << 42 << false;
}

void TestGamefile::savedGameOpensAndSavesBackIdentically()
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
        st().Steintext[0] = QStringLiteral("Würfel");
        st().Steintext[2] = QStringLiteral("€\t½");
        st().cmdVerbinden->setBackColor(colors::rgb(1, 2, 3));
        st().Kante[7][7] = 1;
    }
    app::cmdSpielen_Click(st());
    const BoardSnapshot played = snapshot(st());
    save(path(QStringLiteral("a.swk")));
    const QByteArray first = readFile(path(QStringLiteral("a.swk")));

    app::cmdneu_Click(st());
    st().VScroll1->setValue(sizeWhenOpening);
    open(path(QStringLiteral("a.swk")));
    save(path(QStringLiteral("b.swk")));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
    QCOMPARE(readFile(path(QStringLiteral("b.swk"))), first);

    // The board is back as it was played; only what a load lays out anew may differ:
    // the stacking order and the numbers on the tokens out of play.
    QStringList ignore{QStringLiteral("txtDateiname"), QStringLiteral("z-order")};
    for (int k = st().steinzahl(); k < 65; ++k)
        ignore << QStringLiteral("picZahl(%1)").arg(k, 2, 10, QLatin1Char('0'));
    QCOMPARE(firstDifference(played, snapshot(st()), ignore), QString());
}

void TestGamefile::handWrittenFileOpensWhereItWasSaved_data()
{
    QTest::addColumn<int>("windowSize");
    QTest::newRow("window at 42") << 42;
    QTest::newRow("window at 12") << 12;
    QTest::newRow("window at 60") << 60;
    QTest::newRow("window at the file's 47") << 47;
}

void TestGamefile::handWrittenFileOpensWhereItWasSaved()
{
    QFETCH(int, windowSize);
    st().VScroll1->setValue(windowSize);
    QVERIFY(writeFile(path(QStringLiteral("hand.swk")), handWrittenGame()));
    open(path(QStringLiteral("hand.swk")));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
    app::BoardState &s = st();

    QCOMPARE(s.txtDateiname->text(), path(QStringLiteral("hand.swk")));
    QCOMPARE(s.VScroll1->value(), 47);
    for (auto *f : s.picFeld) {
        QCOMPARE(f->width(), 47.0f);
        QCOMPARE(f->height(), 47.0f);
    }
    QCOMPARE(s.picFeld[0]->left(), 165.0f);
    QCOMPARE(s.picFeld[0]->top(), 200.0f);
    QCOMPARE(s.picFeld[2]->left(), 240.5f);
    QCOMPARE(s.picFeld[2]->top(), 200.25f);
    QCOMPARE(s.picFeld[9]->left(), 320.75f);
    QCOMPARE(s.picFeld[40]->left(), 14.5f);
    QCOMPARE(s.picFeld[40]->top(), 33.5f);
    // Tokens out of play keep the file's places.
    QCOMPARE(s.picZahl[40]->left(), 12.25f);
    QCOMPARE(s.picZahl[40]->top(), 40.0f);

    QVERIFY(s.playMode());
    QCOMPARE(checkInvariants(s), QString());
    QCOMPARE(s.steinzahl(), 3);
    QCOMPARE(tokenOnField(s, 0), 0);
    QCOMPARE(tokenOnField(s, 2), 1);
    QCOMPARE(tokenOnField(s, 5), 2);
    QCOMPARE(s.picFeld[9]->toolTipText(), QStringLiteral("frei"));
    QCOMPARE(s.picZahl[1]->left(), 248.0f);
    QCOMPARE(s.picZahl[1]->top(), 207.75f);
    QCOMPARE(s.picFeld[4]->mousePointer(), 1);
    QCOMPARE(s.Text5->text(), app::HilfeSpielen);

    QCOMPARE(s.Steintext[0], QStringLiteral("Würfel"));
    QCOMPARE(s.Steintext[1], QStringLiteral("€ 2\tTab"));
    QCOMPARE(s.Steintext[2], QStringLiteral("Straße"));
    QCOMPARE(s.picZahl[1]->backColor(), SystemWindow);
    QCOMPARE(s.picZahl[2]->backColor(), colors::rgb(255, 0, 0));
    QCOMPARE(s.picZahl[7]->toolTipText(), QStringLiteral("Maus links: ziehen, Maus rechts: färben"));
    QCOMPARE(s.cmdSetzen->backColor(), colors::ButtonFace);
    QCOMPARE(s.cmdVerbinden->backColor(), colors::rgb(192, 192, 192));
    QCOMPARE(s.Kante[2][2], 1);
    QCOMPARE(s.Kante[5][9], 1);
    QCOMPARE(s.Kante[9][5], 1);
    int edges = 0;
    for (const auto &row : s.Kante)
        edges += int(std::count(row.begin(), row.end(), 1));
    QCOMPARE(edges, 9);
}

void TestGamefile::filesOfOthersSaveBackInOurForm_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray a = handWrittenGame();
    const QList<QByteArray> lines = splitLines(a);

    QTest::newRow("our own form") << a;
    QTest::newRow("LF line ends") << joinLines(lines, "\n");
    QTest::newRow("CR line ends") << joinLines(lines, "\r");
    QTest::newRow("last line unended") << a.left(a.size() - 2);
    QTest::newRow("lines after the last") << a + "Notizen\r\n\x01\x81\r\n";
    QTest::newRow("165.0 and 1.65E2")
        << edited(a, {{groupLine(0, 1), " 165.0"}, {groupLine(5, 1), "1.65E2"}, {groupLine(2, 1), "240.50"}});
    QTest::newRow("other spellings")
        << edited(a, {{groupLine(0, 4), "1"},
                      {groupLine(2, 4), " 1.0"},
                      {groupLine(9, 4), " 1E0"},
                      {groupLine(0, 11), "TRUE"},
                      {groupLine(1, 11), "-1"},
                      {groupLine(0, 9), "1.671168E7"},
                      {groupLine(0, 10), "  1  "},
                      {gamefile::edgeLine(0, 2), "1"},
                      {gamefile::edgeLine(4, 4), ""},
                      {gamefile::edgeLine(4, 5), "0.4"},
                      {5012, "  3"},
                      {5013, " 47.0"}});
    // Whatever play derives is laid out afresh: mode, token places, tags and
    // visibility, field tooltips and pointers, the token count.
    std::vector<std::pair<int, QByteArray>> setMode{{5006, " 1"}, {5007, " 0"}, {5008, " 0"}, {5012, ""}};
    for (int i = 0; i < 65; ++i) {
        setMode.push_back({groupLine(i, 3), "frei"});
        setMode.push_back({groupLine(i, 8), "-1"});
        setMode.push_back({groupLine(i, 10), " 15"});
        setMode.push_back({groupLine(i, 11), "False"});
    }
    setMode.push_back({groupLine(0, 5), " 50"});
    setMode.push_back({groupLine(0, 6), " 60"});
    QTest::newRow("saved in set mode") << edited(a, setMode);
    QTest::newRow("saved after moves") << edited(a, {{groupLine(0, 3), "frei"},
                                                     {groupLine(9, 3), "besetzt"},
                                                     {groupLine(0, 5), " 328.25"},
                                                     {groupLine(0, 6), " 317.5"},
                                                     {groupLine(0, 8), " 9"}});
    QTest::newRow("saved in connect mode, LF")
        << edited(a, {{5006, " 0"}, {5007, " 1"}, {5008, " 0"}, {groupLine(1, 11), "False"}, {groupLine(1, 10), " 1"}},
                  "\n");
}

void TestGamefile::filesOfOthersSaveBackInOurForm()
{
    QFETCH(QByteArray, file);
    QVERIFY(writeFile(path(QStringLiteral("fremd.swk")), file));
    open(path(QStringLiteral("fremd.swk")));
    save(path(QStringLiteral("unser.swk")));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
    const QByteArray ours = readFile(path(QStringLiteral("unser.swk")));
    const QList<QByteArray> got = splitLines(ours), want = splitLines(handWrittenGame());
    for (int i = 0; i < std::min(got.size(), want.size()); ++i)
        QVERIFY2(got[i] == want[i], qPrintable(QStringLiteral("line %1: %2 instead of %3")
                                                   .arg(i + 1)
                                                   .arg(QString::fromLatin1(got[i]), QString::fromLatin1(want[i]))));
    QCOMPARE(ours, handWrittenGame());
}

void TestGamefile::loadClearsDrawingsAndNumbersTheTokens()
{
    app::BoardState &s = st();
    // Something drawn on the board, on a field and on a token beforehand.
    s.picRahmen->Line(0, 0, 2000, 2000, colors::rgb(255, 0, 0));
    s.picFeld[9]->Print(QStringLiteral("7"));
    s.picZahl[3]->Print(QStringLiteral("alt"));
    QVERIFY(writeFile(path(QStringLiteral("hand.swk")), handWrittenGame()));
    open(path(QStringLiteral("hand.swk")));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));

    // The sketch is gone, the edges are drawn again.
    QVERIFY(s.picRahmen->hasDrawing());
    const QImage board = s.picRahmen->drawing().copy();
    editor::KantenZeichnen(s);
    QCOMPARE(s.picRahmen->drawing(), board);
    for (auto *f : s.picFeld)
        QVERIFY(!f->hasDrawing());

    // A token out of play keeps the number the load printed on it, not its text ...
    forms::PictureBox *z = s.picZahl[3];
    QCOMPARE(s.Steintext[3], QStringLiteral("vier"));
    const QImage loaded = z->drawing().copy();
    z->Cls();
    z->Print(QStringLiteral(" 4"));
    QCOMPARE(z->drawing(), loaded);
    z->Cls();
    z->Print(QStringLiteral("vier"));
    QVERIFY(z->drawing() != loaded);
    // ... while a token in play shows its text.
    forms::PictureBox *t = s.picZahl[0];
    const QImage inPlay = t->drawing().copy();
    t->Cls();
    t->Print(QStringLiteral("Würfel"));
    QCOMPARE(t->drawing(), inPlay);
}

// ---------------------------------------------------------------- failures

void TestGamefile::badInputLeavesTheBoardAsItWas_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind"); // 0 file, 1 folder, 2 missing
    for (const auto &row : fixtures::badFiles())
        QTest::newRow(row.name) << row.bytes << 0;
    QTest::newRow("a folder") << QByteArray() << 1;
    QTest::newRow("no such file") << QByteArray() << 2;
}

void TestGamefile::badInputLeavesTheBoardAsItWas()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kind);
    loadHandWritten();
    // Some more lasting state that a load would change.
    st().picRahmen->Line(600, 440, 660, 440, colors::rgb(255, 0, 0));
    st().VScroll1->setValue(33);
    st().Text5->setText(QStringLiteral("meine Notizen"));

    const QString target = path(QStringLiteral("x.swk"));
    if (kind == 0)
        QVERIFY(writeFile(target, bytes));
    else if (kind == 1)
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("x.swk")));

    const BoardSnapshot before = snapshot(st());
    open(target);
    QCOMPARE(messagesText(), QStringLiteral("critical/Fehler/Ungültiger x Dateiname!"));
    QCOMPARE(firstDifference(before, snapshot(st()), {QStringLiteral("txtDateiname")}), QString());
    QCOMPARE(st().txtDateiname->text(), target);
}

void TestGamefile::saveFailureLeavesTheTargetAlone_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("badText");
    QTest::newRow("folder is a regular file") << "start.swk/spiel.swk" << QString();
    QTest::newRow("folder missing") << "fehlt/spiel.swk" << QString();
    QTest::newRow("target is a folder") << "ordner.swk" << QString();
    QTest::newRow("token text beyond the code page") << "start.swk" << QStringLiteral("Ω");
    QTest::newRow("token text with a line break") << "start.swk" << QStringLiteral("zwei\nZeilen");
}

void TestGamefile::saveFailureLeavesTheTargetAlone()
{
    QFETCH(QString, chosen);
    QFETCH(QString, badText);
    loadHandWritten(); // start.swk holds the hand-written game
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("ordner.swk")));
    if (!badText.isEmpty())
        st().Steintext[5] = badText;
    const QStringList filesBefore = entries(dir->path());
    const BoardSnapshot before = snapshot(st());

    save(path(chosen));
    QCOMPARE(messagesText(), QStringLiteral("critical/Eingabeproblem/Speichern abgebrochen!"));
    QCOMPARE(st().txtDateiname->text(), path(chosen));
    QCOMPARE(entries(dir->path()), filesBefore);
    QCOMPARE(readFile(path(QStringLiteral("start.swk"))), handWrittenGame());
    QVERIFY(QFileInfo(path(QStringLiteral("ordner.swk"))).isDir());
    QVERIFY(entries(path(QStringLiteral("ordner.swk"))).isEmpty());
    QCOMPARE(firstDifference(before, snapshot(st()), {QStringLiteral("txtDateiname")}), QString());
}

void TestGamefile::saveReplacesAnExistingFileWhole()
{
    const QByteArray old = QByteArray(200000, 'z');
    QVERIFY(writeFile(path(QStringLiteral("alt.swk")), old));
    buildBoard(st(), QStringLiteral("0-1"));
    save(path(QStringLiteral("alt.swk")));
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
    const QByteArray now = readFile(path(QStringLiteral("alt.swk")));
    QCOMPARE(now.count("\r\n"), 5013);
    QVERIFY(now.endsWith(" 42\r\n"));
    QVERIFY(gamefile::parse(now).game);
    QCOMPARE(entries(dir->path()), QStringList{QStringLiteral("alt.swk")});
}

void TestGamefile::nothingHappensWhileAMoveOrShuffleRuns_data()
{
    QTest::addColumn<bool>("shuffle");
    QTest::addColumn<int>("how"); // 0 menu open, 1 toolbar open, 2 menu save, 3 toolbar save
    const char *hows[] = {"menu open", "toolbar open", "menu save", "toolbar save"};
    for (bool shuffle : {false, true})
        for (int how = 0; how < 4; ++how)
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(shuffle ? "shuffle" : "move", hows[how])))
                << shuffle << how;
}

void TestGamefile::nothingHappensWhileAMoveOrShuffleRuns()
{
    QFETCH(bool, shuffle);
    QFETCH(int, how);
    buildBoard(st(), QStringLiteral("0-1 1-2"));
    app::cmdSpielen_Click(st());
    QVERIFY(writeFile(path(QStringLiteral("x.swk")), handWrittenGame()));
    (shuffle ? st().shuffleRunning : st().moveInProgress) = true;
    const BoardSnapshot before = snapshot(st());

    w->dialog.files.push_back(path(QStringLiteral("x.swk")));
    switch (how) {
    case 0: st().cmdLadenM->trigger(); break;
    case 1: st().Command5->click(); break;
    case 2: st().cmdSpeichernM->trigger(); break;
    default: st().Command6->click(); break;
    }
    QCOMPARE(w->dialog.opens + w->dialog.saves, 0);
    QCOMPARE(w->dialog.files.size(), size_t(1));
    QCOMPARE(firstDifference(before, snapshot(st())), QString());
    QCOMPARE(readFile(path(QStringLiteral("x.swk"))), handWrittenGame());
    QCOMPARE(entries(dir->path()), QStringList{QStringLiteral("x.swk")});
    QVERIFY(w->messages.shown.empty());

    // Once it has ended, the same click works.
    (shuffle ? st().shuffleRunning : st().moveInProgress) = false;
    switch (how) {
    case 0: st().cmdLadenM->trigger(); break;
    case 1: st().Command5->click(); break;
    case 2: st().cmdSpeichernM->trigger(); break;
    default: st().Command6->click(); break;
    }
    QCOMPARE(w->dialog.opens + w->dialog.saves, 1);
    if (how < 2)
        QCOMPARE(st().steinzahl(), 3);
    else
        QCOMPARE(gamefile::parse(readFile(path(QStringLiteral("x.swk")))).game->steinzahl, 2);
}

// ---------------------------------------------------------------- sample boards

void TestGamefile::examplesOpenToPlayableGames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("edges");
    QTest::addColumn<QString>("degrees"); // "degree x count" in ascending degree
    QTest::newRow("fifteen puzzle") << "fuenfzehn.swk" << 16 << 24 << "2x4 3x8 4x4";
    QTest::newRow("cycle") << "kreis.swk" << 10 << 10 << "2x10";
    QTest::newRow("path") << "pfad.swk" << 8 << 7 << "1x2 2x6";
    QTest::newRow("two cycles sharing a path") << "zwei_kreise.swk" << 10 << 11 << "2x8 3x2";
    QTest::newRow("three neighbours everywhere") << "petersen.swk" << 10 << 15 << "3x10";
}

void TestGamefile::examplesOpenToPlayableGames()
{
    QFETCH(QString, name);
    QFETCH(int, fields);
    QFETCH(int, edges);
    QFETCH(QString, degrees);
    const QString file = QFINDTESTDATA(QStringLiteral("../examples/") + name);
    QVERIFY2(!file.isEmpty(), qPrintable(name));
    open(file);
    QVERIFY2(w->messages.shown.empty(), qPrintable(messagesText()));
    app::BoardState &s = st();
    QVERIFY(s.playMode());
    QCOMPARE(checkInvariants(s), QString());
    QCOMPARE(s.steinzahl(), fields - 1);

    // Symmetric, no loops, only board fields joined; the degrees make the shape.
    std::map<int, int> degreeCount;
    int edgeEnds = 0;
    for (int a = 0; a < 65; ++a) {
        int d = 0;
        for (int b = 0; b < 65; ++b) {
            QCOMPARE(s.Kante[size_t(a)][size_t(b)], s.Kante[size_t(b)][size_t(a)]);
            if (s.Kante[size_t(a)][size_t(b)] == 1) {
                QVERIFY(a != b && s.onBoard(a) && s.onBoard(b));
                ++d;
            }
        }
        edgeEnds += d;
        if (s.onBoard(a))
            ++degreeCount[d];
    }
    QCOMPARE(edgeEnds, 2 * edges);
    QStringList shape;
    for (auto [d, n] : degreeCount)
        shape << QStringLiteral("%1x%2").arg(d).arg(n);
    QCOMPARE(shape.join(QLatin1Char(' ')), degrees);

    // Connected, and a token stands next to the free field.
    std::vector<int> board;
    int freeField = -1;
    for (int i = 0; i < 65; ++i)
        if (s.onBoard(i)) {
            board.push_back(i);
            if (s.picFeld[size_t(i)]->toolTipText() == app::Frei)
                freeField = i;
        }
    QVERIFY(freeField >= 0);
    std::set<int> seen{freeField};
    std::queue<int> todo;
    todo.push(freeField);
    bool movable = false;
    while (!todo.empty()) {
        const int a = todo.front();
        todo.pop();
        for (int b : board)
            if (s.Kante[size_t(a)][size_t(b)] == 1) {
                movable |= a == freeField && tokenOnField(s, b) >= 0;
                if (seen.insert(b).second)
                    todo.push(b);
            }
    }
    QCOMPARE(int(seen.size()), fields);
    QVERIFY(movable);
    // Fields and tokens lie in the play area, clear of the controls strip and the notes.
    for (int i : board) {
        const auto *f = s.picFeld[size_t(i)];
        QVERIFY(f->top() > 115 && f->top() + f->height() < 485 && f->left() > 40 && f->left() + f->width() < 655);
    }

    // Made by our own writer from a game just started: it saves back unchanged.
    save(path(name));
    QCOMPARE(readFile(path(name)), readFile(file));
}

QTEST_MAIN(TestGamefile)
#include "tst_gamefile.moc"
