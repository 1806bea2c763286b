// The command line: what it asks for, and a game given on it opening exactly as
// "Datei" > "öffnen" opens the same file. Help, version and wrong options of the real
// binary are checked by cli.sh.

#include "app/app.h"
#include "app/commandline.h"
#include "gamefile/gamefile.h"
#include "gamefile/format.h"
#include "support.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

using namespace testing;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(QStringLiteral(GSW_SOURCE_DIR))); }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode"); // -1: the window starts
        QTest::addColumn<QString>("game");
        QTest::newRow("nothing") << QStringList{} << -1 << "";
        QTest::newRow("a game") << QStringList{"spiel.swk"} << -1 << "spiel.swk";
        QTest::newRow("a name like an option, after --") << QStringList{"--", "-v"} << -1 << "-v";
        QTest::newRow("Qt's own options pass") << QStringList{"-style", "Fusion", "-reverse", "-widgetcount", "a.swk"} << -1 << "a.swk";
        QTest::newRow("two games") << QStringList{"a.swk", "b.swk"} << 2 << "";
        QTest::newRow("a value missing") << QStringList{"a.swk", "-platform"} << 2 << "";
    }
    void arguments()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, game);
        const app::StartRequest r = app::readCommandLine(QStringList{"graphen-schiebwerk"} + args);
        QCOMPARE(r.startWindow, exitCode < 0);
        if (exitCode >= 0)
            QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.game, game);
        // A refusal says why on standard error and shows the usage; a start says nothing.
        QCOMPARE(r.err.contains(QStringLiteral("Aufruf: graphen-schiebwerk")), exitCode > 0);
        QVERIFY(r.out.isEmpty());
    }

    void gameOpensAsThroughTheMenu_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("sample game, full path") << QString(GSW_SOURCE_DIR "/examples/fuenfzehn.swk") << "opened";
        QTest::newRow("sample game, relative path") << "examples/../examples/kreis.swk" << "opened";
        QTest::newRow("broken game") << "broken.swk" << "failed";
        QTest::newRow("no such file") << "fehlt/spiel.swk" << "failed";
        QTest::newRow("not a game's name") << "examples/README.md" << "name only";
    }
    void gameOpensAsThroughTheMenu()
    {
        QFETCH(QString, given);
        QFETCH(QString, outcome);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        if (given == QStringLiteral("broken.swk")) {
            // The first eight groups of a good game, then the file ends.
            QFile good(QStringLiteral("examples/pfad.swk")), cut(tmp.filePath(given));
            QVERIFY(good.open(QIODevice::ReadOnly) && cut.open(QIODevice::WriteOnly));
            cut.write(good.read(1000));
            given = cut.fileName();
        }
        // The dialog reports the full path of what the user chose.
        const QString chosen = QDir::cleanPath(QFileInfo(given).absoluteFilePath());

        TestWindow menu, cli, fresh;
        menu.dialog.files.push_back(chosen);
        menu.st.openAction->trigger();
        app::openGivenGame(cli.st, given);

        // The saved game holds nearly the whole board.
        QVERIFY(gamefile::collect(menu.st.game) == gamefile::collect(cli.st.game));
        QCOMPARE(cli.dialog.fileName, menu.dialog.fileName);
        QCOMPARE(cli.st.statusLine->text(), chosen);
        QCOMPARE(cli.messages.shown, menu.messages.shown);
        const bool failed = outcome == QStringLiteral("failed");
        QCOMPARE(cli.messages.shown,
                 failed ? QStringList{gamefile::LoadFailedTitle + ": " + gamefile::LoadFailedText} : QStringList{});
        // Opened: in play; otherwise the fresh board but for the file name line.
        QCOMPARE(gamefile::collect(fresh.st.game) == gamefile::collect(cli.st.game), outcome != QStringLiteral("opened"));
        QCOMPARE(cli.st.inPlayMode(), outcome == QStringLiteral("opened"));
    }

    // Last, as it changes the whole application: what start-up sets before the window.
    void applicationSpeaksGerman()
    {
        app::setUpApplication();
        QCOMPARE(QLocale().language(), QLocale::German);
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
