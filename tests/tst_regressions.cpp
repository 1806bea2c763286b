// Regression tests, each named after the fault it guards: the window without a frame,
// the window manager that gives less than asked, the keyboard focus, edge pixels.
//
// The suite runs on an offscreen screen of 1024 x 768 pixels whose windows have no
// frame, as under X without a window manager.

#include "app/app.h"
#include "support.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QWindow>
#include <QtTest>

using namespace testing;
using view::BoardState;

class TestRegressions : public QObject {
    Q_OBJECT
    std::unique_ptr<TestWindow> tw;
    BoardState &st() { return tw->st; }
    forms::PictureBox *field(int i) { return st().fields[size_t(i)]; }
    QPointF centre(QWidget *w) { return QPointF(w->width() / 2.0, w->height() / 2.0); }
    void pressLeft()
    {
        QWidget *to = QApplication::focusWidget() ? QApplication::focusWidget() : &tw->window;
        QTest::keyClick(to, Qt::Key_Left);
    }

private slots:
    void init()
    {
        tw = std::make_unique<TestWindow>();
        QVERIFY(tw->showActive());
    }
    void cleanup() { tw.reset(); }

    void normalIgnoresMovesOfAFramelessWindow()
    {
        QWidget *w = &tw->window;
        const QRect start = w->frameGeometry();
        QCOMPARE(start, w->geometry()); // no frame: the case where the watch never ended
        w->move(start.topLeft() + QPoint(40, 25));
        QTRY_COMPARE(w->frameGeometry().topLeft(), start.topLeft() + QPoint(40, 25));
        st().normalViewAction->trigger();
        QTRY_COMPARE(w->frameGeometry(), start);
    }

    void fullScreenFollowsTheSizeTheWindowTook()
    {
        QWidget *w = &tw->window;
        st().fullScreenAction->trigger();
        QTRY_COMPARE(w->frameGeometry(), QRect(0, 0, 1024, 768));
        // A window manager that keeps a panel free answers with less than the screen.
        w->windowHandle()->resize(1000, 700);
        QTRY_COMPARE(w->frameGeometry().size(), QSize(1000, 700));
        forms::PictureBox *board = st().board;
        QCOMPARE(board->height(), float((700 * 15.0 - double(board->top())) * 0.9));
        QCOMPARE(board->width(), float(1000 * 15.0 - double(board->left()) - 480));
        QCOMPARE(st().eraseButton->left(),
                 float(double(board->left()) + double(board->width()) - double(st().eraseButton->width()) - 240));
        QCOMPARE(st().statusLine->width(), float(board->innerWidthPx()));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        // Back to normal, the follower lets go: the board keeps its normal size.
        st().normalViewAction->trigger();
        const float normalHeight = board->height();
        w->windowHandle()->resize(900, 600);
        QCoreApplication::processEvents();
        QCOMPARE(board->height(), normalHeight);
    }

    void clickOnAControlTakesTheFocusFromTheField_data()
    {
        QTest::addColumn<QString>("control");
        for (const char *c : {"eraseButton", "newButton", "openButton", "saveButton", "colourHeading", "cascadeOption"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void clickOnAControlTakesTheFocusFromTheField()
    {
        QFETCH(QString, control);
        buildBoard(st(), QStringLiteral("0-1"));
        QTest::mouseClick(field(0), Qt::LeftButton, {}, centre(field(0)).toPoint());
        QVERIFY(field(0)->hasFocus());
        QVERIFY(field(0)->hasDrawing());

        const std::map<QString, QWidget *> controls{
            {"eraseButton", st().eraseButton}, {"newButton", st().newButton}, {"openButton", st().openButton},
            {"saveButton", st().saveButton}, {"colourHeading", st().colourHeading},       {"cascadeOption", st().cascadeOption}};
        QWidget *target = controls.at(control);
        QVERIFY2(target && target->isVisible(), qPrintable(control));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!field(0)->hasFocus());
        QVERIFY(!field(0)->hasDrawing());
        // A nudge, moving or not, always writes the position readout.
        st().statusLine->setText(QString());
        pressLeft();
        QCOMPARE(st().statusLine->text(), QString());
    }

    void activatingClickMovesFocusAndMark()
    {
        buildBoard(st(), QStringLiteral("0-1"));
        QTest::mouseClick(field(0), Qt::LeftButton, {}, centre(field(0)).toPoint());
        QVERIFY(field(0)->hasDrawing());

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(field(0)->hasDrawing()); // another program taking over erases nothing
        // The click that activates the window again lands on field 1.
        field(1)->setFocus(Qt::MouseFocusReason);
        tw->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&tw->window));

        QVERIFY(!field(0)->hasDrawing());
        QVERIFY(field(1)->hasDrawing());
        const float left0 = field(0)->left(), left1 = field(1)->left(), top1 = field(1)->top();
        pressLeft();
        QCOMPARE(field(0)->left(), left0);
        QCOMPARE(field(1)->left(), left1 - 1);
        for (Qt::Key k : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up})
            QTest::keyClick(field(1), k);
        QCOMPARE(QPointF(field(1)->left(), field(1)->top()), QPointF(left1, top1 + 1));

        // Coming back to the same field changes nothing.
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        tw->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&tw->window));
        QVERIFY(field(1)->hasFocus());
        QVERIFY(field(1)->hasDrawing());
    }

    void segmentGivesTheSamePixelsFromEitherEnd()
    {
        forms::PictureBox box(nullptr, 1);
        box.setBounds(0, 0, 240, 180);
        QRandomGenerator rng(20261207);
        // Half-pixel ends as odd field sizes give, whole ones, and some far outside.
        const auto coord = [&](double span) { return std::round(rng.bounded(span * 1.4) - span * 0.2) / 2; };
        int differing = 0;
        for (int i = 0; i < 2000; ++i) {
            const QPointF a(coord(480), coord(360)), b(coord(480), coord(360));
            box.clear();
            box.drawLine(float(a.x()), float(a.y()), float(b.x()), float(b.y()), colors::rgb(128, 128, 128));
            const QImage forth = box.drawing().copy();
            box.clear();
            box.drawLine(float(b.x()), float(b.y()), float(a.x()), float(a.y()), colors::rgb(128, 128, 128));
            if (box.drawing() != forth && ++differing < 5)
                qWarning() << "differs:" << a << b;
        }
        QCOMPARE(differing, 0);
    }
};

int main(int argc, char *argv[])
{
    QTemporaryFile config;
    if (!config.open())
        return 2;
    config.write(QByteArrayLiteral(R"({"screens":[{"name":"test","x":0,"y":0,"width":1024,"height":768,)"
                                   R"("logicalDpi":96,"dpr":1}],"windowFrameMargins":false})"));
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    QApplication app(argc, argv);
    TestRegressions t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_regressions.moc"
