// The common dialog over Qt's own file and colour dialogs. The modal run is replaced by
// an answer given on the prepared dialog itself, so nothing is ever shown.

#include "forms/colors.h"
#include "forms/services.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using colors::rgb;

namespace {

// What the prepared dialog looked like when it would have been shown.
struct Seen {
    QString title;
    bool native = true;
    int acceptMode = -1;
    int fileMode = -1;
    QString suffix;
    QString directory;
    QStringList filters;
    QStringList preselected;
    QColor colour;
};

class AnsweringDialog : public forms::QtCommonDialog {
public:
    AnsweringDialog() : forms::QtCommonDialog(nullptr) {}
    // The user's answer on the open dialog; returns whether it was accepted.
    std::function<bool(QDialog &)> answer;
    Seen seen;
    int shown = 0;

protected:
    bool exec(QDialog &dlg) override
    {
        ++shown;
        seen = Seen();
        seen.title = dlg.windowTitle();
        if (auto *f = qobject_cast<QFileDialog *>(&dlg)) {
            seen.native = !f->testOption(QFileDialog::DontUseNativeDialog);
            seen.acceptMode = f->acceptMode();
            seen.fileMode = f->fileMode();
            seen.suffix = f->defaultSuffix();
            seen.directory = f->directory().absolutePath();
            seen.filters = f->nameFilters();
            seen.preselected = f->selectedFiles();
        }
        if (auto *c = qobject_cast<QColorDialog *>(&dlg)) {
            seen.native = !c->testOption(QColorDialog::DontUseNativeDialog);
            seen.colour = c->currentColor();
        }
        return answer ? answer(dlg) : false;
    }
};

// The user picks or types a file name and confirms.
std::function<bool(QDialog &)> choose(const QString &name)
{
    return [name](QDialog &d) {
        static_cast<QFileDialog &>(d).selectFile(name);
        return true;
    };
}

// The user picks a colour, then confirms or cancels.
std::function<bool(QDialog &)> pick(QColor c, bool confirm)
{
    return [c, confirm](QDialog &d) {
        static_cast<QColorDialog &>(d).setCurrentColor(c);
        return confirm;
    };
}

std::function<bool(QDialog &)> cancel()
{
    return [](QDialog &) { return false; };
}

} // namespace

class TestCommonDialog : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString &name) const { return QDir(dir.path()).absoluteFilePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        for (const char *name : {"a.swk", "b.swk"}) {
            QFile f(path(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }

    void openStartsInInitDirAndKeepsTheChoice()
    {
        AnsweringDialog d;
        QCOMPARE(d.DefaultExt, QStringLiteral("swk"));
        d.FileName = QStringLiteral("*swk");
        d.InitDir = dir.path();
        d.answer = cancel();
        QVERIFY(!d.ShowOpen());
        QCOMPARE(d.FileName, QStringLiteral("*swk"));

        d.answer = choose(QStringLiteral("b.swk"));
        QVERIFY(d.ShowOpen());
        QCOMPARE(d.shown, 2);
        QCOMPARE(d.seen.title, QStringLiteral("Spiel öffnen"));
        QVERIFY(!d.seen.native);
        QCOMPARE(d.seen.acceptMode, int(QFileDialog::AcceptOpen));
        QCOMPARE(d.seen.fileMode, int(QFileDialog::ExistingFile));
        QCOMPARE(d.seen.directory, QDir(dir.path()).absolutePath());
        QCOMPARE(d.seen.filters, (QStringList{"Spiele (*swk)", "Alle Dateien (*)"}));
        QCOMPARE(d.FileName, path(QStringLiteral("b.swk")));

        // A chosen file is offered again next time and kept through a cancel.
        d.answer = cancel();
        QVERIFY(!d.ShowOpen());
        QCOMPARE(d.FileName, path(QStringLiteral("b.swk")));
        QCOMPARE(d.seen.preselected, QStringList{path(QStringLiteral("b.swk"))});
    }

    void saveStartsAtLastFileAndAddsEnding_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no ending") << "neu" << true << "neu.swk";
        QTest::newRow("with ending") << "zwei.swk" << true << "zwei.swk";
        QTest::newRow("existing file") << "b.swk" << true << "b.swk";
        QTest::newRow("cancelled") << "anders" << false << "a.swk";
    }
    void saveStartsAtLastFileAndAddsEnding()
    {
        QFETCH(QString, typed);
        QFETCH(bool, confirmed);
        QFETCH(QString, saved);
        AnsweringDialog d;
        d.FileName = path(QStringLiteral("a.swk"));
        d.InitDir = QDir::tempPath(); // the last file wins over the start folder
        d.answer = [&](QDialog &dlg) {
            static_cast<QFileDialog &>(dlg).selectFile(typed);
            return confirmed;
        };

        QCOMPARE(d.ShowSave(), confirmed);
        QCOMPARE(d.seen.title, QStringLiteral("Spiel speichern"));
        QVERIFY(!d.seen.native);
        QCOMPARE(d.seen.acceptMode, int(QFileDialog::AcceptSave));
        QCOMPARE(d.seen.suffix, QStringLiteral("swk"));
        QCOMPARE(d.seen.directory, QDir(dir.path()).absolutePath());
        QCOMPARE(d.seen.preselected, QStringList{path(QStringLiteral("a.swk"))});
        QCOMPARE(d.seen.filters.value(0), QStringLiteral("Spiele (*.swk)"));
        QCOMPARE(d.FileName, path(saved));
    }

    void colourDialog_data()
    {
        QTest::addColumn<colors::Color>("start");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<colors::Color>("after");
        QTest::newRow("chosen") << rgb(10, 20, 30) << true << rgb(200, 100, 50);
        QTest::newRow("cancelled") << rgb(10, 20, 30) << false << rgb(10, 20, 30);
        QTest::newRow("system colour as start") << colors::ButtonFace << false << colors::ButtonFace;
    }
    void colourDialog()
    {
        QFETCH(colors::Color, start);
        QFETCH(bool, confirmed);
        QFETCH(colors::Color, after);
        AnsweringDialog d;
        d.Color = start;
        d.answer = pick(QColor(200, 100, 50), confirmed);
        QCOMPARE(d.ShowColor(), confirmed);
        QCOMPARE(d.seen.title, QStringLiteral("Farbe wählen"));
        QVERIFY(!d.seen.native);
        QCOMPARE(d.seen.colour, colors::toQColor(start));
        QCOMPARE(d.Color, after);
        // The next dialog starts from what the last one left.
        d.answer = cancel();
        d.ShowColor();
        QCOMPARE(d.seen.colour, colors::toQColor(after));
    }
};

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
