// Placing fields in set mode: the drag with its outline, readout and drop, sending
// fields back, the cursor-key nudge with its focus mark, and what a press on a field
// does in the other modes. Drags run on real mouse events through the window.

#include "app/app.h"
#include "editor/editor.h"
#include "support/mousedriver.h"
#include "support/testwindow.h"

#include <QtTest>
#include <memory>

using colors::rgb;
using testing::sendMouse;
using testing::widgetUnder;

class TestPlacement : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestWindow> tw;
    std::unique_ptr<testing::Mouse> mouse;

    app::BoardState &st() { return tw->st(); }
    QWidget *board() { return st().picRahmen->surface(); }
    forms::PictureBox *field(int i) { return st().picFeld[size_t(i)]; }
    void place(int i, float x, float y)
    {
        field(i)->setPos(x, y);
        field(i)->setTag(QStringLiteral("1"));
    }
    void setMode(const QString &m)
    {
        if (m == QLatin1String("connect"))
            app::cmdVerbinden_Click(st());
        else if (m == QLatin1String("play"))
            app::cmdSpielen_Click(st());
    }
    void key(Qt::Key k) { QTest::keyClick(tw->window->windowHandle(), k); }
    // A red stroke on the board: gone once the board is redrawn.
    void sketch() { st().picRahmen->Line(300, 400, 360, 400, rgb(255, 0, 0)); }
    bool sketchThere() { return st().picRahmen->image().pixelColor(330, 400) == QColor(255, 0, 0); }
    void checkUnmoved(forms::PictureBox *f, QPointF old)
    {
        QCOMPARE(f->left(), float(old.x()));
        QCOMPARE(f->top(), float(old.y()));
        QCOMPARE(f->tag(), QStringLiteral("0"));
    }

private slots:

    void init()
    {
        tw = std::make_unique<testing::TestWindow>();
        QVERIFY(tw->showActive());
        mouse = std::make_unique<testing::Mouse>(tw->window.get());
    }
    void cleanup()
    {
        mouse.reset();
        tw.reset();
    }

    // Field 0 lies on top of the supply pile; a press at a pixel of its inner area (40 x 40
    // at size 42) fixes the grab fraction. Field 5 lies on the board at (260, 130).
    void dropWithRealMouse_data()
    {
        QTest::addColumn<QPointF>("grab");
        QTest::addColumn<QPointF>("to"); // on the board; a token or the X button where named
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QPointF>("at");

        const QPointF c(20, 20), none;
        QTest::newRow("centre grab, play area") << c << QPointF(200, 300) << "" << true << QPointF(179, 279);
        QTest::newRow("quarter grab rounds down") << QPointF(10, 30) << QPointF(200, 300) << "" << true << QPointF(189, 268);
        QTest::newRow("top row of the divider") << c << QPointF(200, 110) << "" << false << none;
        QTest::newRow("another field") << c << QPointF(281, 151) << "" << false << none;
        QTest::newRow("the dragged field") << c << QPointF(-1, -1) << "self" << false << none;
        QTest::newRow("a token") << c << QPointF(416, 316) << "token" << false << none;
        QTest::newRow("a box on the board") << c << QPointF(20, 160) << "" << false << none;
        QTest::newRow("window button over the board") << c << none << "X" << false << none;
        QTest::newRow("window beside the board") << c << QPointF(-10, 300) << "" << false << none;
        QTest::newRow("outside the window") << c << QPointF(-200, 300) << "" << false << none;
    }

    void dropWithRealMouse()
    {
        QFETCH(QPointF, grab);
        QFETCH(QPointF, to);
        QFETCH(QString, over);
        QFETCH(bool, dropped);
        QFETCH(QPointF, at);

        testing::buildBoard(st(), QStringLiteral("5-6"));
        forms::PictureBox *f = field(0);
        const QPointF old(f->left(), f->top());
        QCOMPARE(widgetUnder(f->surface(), grab), f->surface());
        if (over == QLatin1String("self"))
            to = f->surface()->mapTo(board(), grab);
        if (over == QLatin1String("token")) {
            forms::PictureBox *z = st().picZahl[3];
            z->setPos(400, 300);
            z->setVisible(true);
            z->raise();
        }
        if (over == QLatin1String("X"))
            to = board()->mapFromGlobal(st().Command1->mapToGlobal(QPointF(st().Command1->rect().center())));
        if (dropped)
            QCOMPARE(widgetUnder(board(), to), board());
        sketch();

        mouse->press(f->surface(), grab);
        QCOMPARE(st().dragFeld, 0);
        mouse->move(board(), QPointF(250, 250));
        mouse->move(board(), to);
        mouse->release(board(), to);

        QCOMPARE(st().dragFeld, -1);
        QVERIFY(st().dragOutline->isHidden());
        QVERIFY(f->visible());
        QCOMPARE(sketchThere(), !dropped); // a drop redraws the board
        if (!dropped)
            return checkUnmoved(f, old);
        QCOMPARE(f->left(), float(at.x()));
        QCOMPARE(f->top(), float(at.y()));
        QCOMPARE(f->tag(), QStringLiteral("1"));
    }

    // Qt rounds the pointer on its way from the window system; a pointer between pixels
    // reaches the grabbing field as the events below.
    void dropAtFractionalPointer_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QPointF>("grab"); // in the field's inner pixels
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QString>("readout"); // empty: no drop
        QTest::addColumn<QPointF>("at");

        const QPointF c(20, 20);
        QTest::newRow("centre grab") << 42 << c << QPointF(100.3, 200.7) << "x:  79,  y:  179" << QPointF(79, 179);
        QTest::newRow("left edge") << 42 << c << QPointF(10, 300) << "x: -11,  y:  279" << QPointF(-11, 279);
        QTest::newRow("floor of a negative half") << 42 << c << QPointF(10.5, 300.25) << "x: -11,  y:  279"
                                                  << QPointF(-11, 279);
        QTest::newRow("odd size, whole result") << 47 << QPointF(22.5, 22.5) << QPointF(100.3, 200.7)
                                                << "x:  76,  y:  177" << QPointF(76, 177);
        QTest::newRow("first pixel below the divider") << 42 << c << QPointF(200.2, 116.0) << "x:  179,  y:  95"
                                                       << QPointF(179, 95);
        QTest::newRow("last fraction of the divider") << 42 << c << QPointF(200.2, 115.9) << "" << QPointF();
        QTest::newRow("just above the divider, free surface") << 42 << c << QPointF(130.5, 109.9) << "" << QPointF();
    }

    void dropAtFractionalPointer()
    {
        QFETCH(int, size);
        QFETCH(QPointF, grab);
        QFETCH(QPointF, pointer);
        QFETCH(QString, readout);
        QFETCH(QPointF, at);

        st().VScroll1->setValue(size);
        forms::PictureBox *f = field(0);
        const QPointF old(f->left(), f->top());
        QWidget *grabber = f->surface();
        const QPointF global = board()->mapToGlobal(pointer);

        sendMouse(grabber, QEvent::MouseButtonPress, grabber->mapToGlobal(grab), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(st().GriffX, 0.5f);
        QCOMPARE(st().GriffY, 0.5f);
        sendMouse(grabber, QEvent::MouseMove, global, Qt::NoButton, Qt::LeftButton);
        // Over the free surface the readout shows where the field would land.
        const QString shown = st().txtDateiname->text();
        if (!readout.isEmpty())
            QCOMPARE(shown, readout);
        sendMouse(grabber, QEvent::MouseButtonRelease, global, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(st().txtDateiname->text(), shown);
        if (readout.isEmpty())
            return checkUnmoved(f, old);
        QCOMPARE(f->left(), float(at.x()));
        QCOMPARE(f->top(), float(at.y()));
        QCOMPARE(f->tag(), QStringLiteral("1"));
    }

    void outlineFollowsPointerFieldStays()
    {
        forms::PictureBox *f = field(0);
        const QRect before = f->geometry();
        QVERIFY(st().dragOutline->isHidden());
        mouse->press(f->surface(), QPointF(20, 20));
        QVERIFY(!st().dragOutline->isHidden());
        QCOMPARE(st().dragOutline->geometry(), before);
        QCOMPARE(board()->children().constLast(), st().dragOutline); // in front of everything
        mouse->move(board(), QPointF(200, 300));
        QCOMPARE(st().dragOutline->geometry(), QRect(179, 279, 42, 42));
        mouse->move(board(), QPointF(20, 500)); // over the notes: the outline still follows
        QCOMPARE(st().dragOutline->geometry(), QRect(-1, 479, 42, 42));
        QCOMPARE(f->geometry(), before);
        mouse->release(board(), QPointF(20, 500));
        QVERIFY(st().dragOutline->isHidden());
        QCOMPARE(f->geometry(), before);
        QCOMPARE(f->tag(), QStringLiteral("0"));
    }

    void readoutOnlyOverOwnSurface()
    {
        const QString xy = QStringLiteral("x:  49,  y:  79");
        st().txtDateiname->setText(QStringLiteral("spiel.swk"));
        mouse->press(field(0)->surface(), QPointF(20, 20));
        QCOMPARE(st().txtDateiname->text(), QStringLiteral("spiel.swk")); // a press alone writes nothing
        mouse->move(board(), QPointF(300, 250));
        QCOMPARE(st().txtDateiname->text(), QStringLiteral("x:  279,  y:  229"));
        // The upper band is board surface too: the readout has no test against the divider.
        mouse->move(board(), QPointF(70, 100));
        QCOMPARE(st().txtDateiname->text(), xy);
        // Over the divider, a box or outside, the last candidate stays.
        for (QPointF p : {QPointF(200, 112), QPointF(20, 160), QPointF(-200, 160)})
            mouse->move(board(), p);
        QCOMPARE(st().txtDateiname->text(), xy);
        mouse->release(board(), QPointF(-200, 160));
        QCOMPARE(st().txtDateiname->text(), xy);
        QCOMPARE(field(0)->tag(), QStringLiteral("0"));
    }

    void dropRedrawsEdgesToTheNewPlace()
    {
        place(0, 100, 300);
        place(1, 300, 300);
        st().Kante[0][1] = st().Kante[1][0] = 1;
        editor::KantenZeichnen(st());
        const QColor edge(128, 128, 128);
        QCOMPARE(st().picRahmen->image().pixelColor(200, 321), edge);

        mouse->press(field(1)->surface(), QPointF(20, 20));
        mouse->move(board(), QPointF(121, 451));
        mouse->release(board(), QPointF(121, 451));
        QCOMPARE(field(1)->left(), 100.0f);
        QCOMPARE(field(1)->top(), 430.0f);
        // The edge now runs straight down from field 0's centre to field 1's.
        QVERIFY(st().picRahmen->image().pixelColor(200, 321) != edge);
        QCOMPARE(st().picRahmen->image().pixelColor(121, 390), edge);
    }

    void otherButtonsDuringDragBelongToIt()
    {
        testing::buildBoard(st(), QStringLiteral("5-6"));
        forms::PictureBox *f = field(6);
        mouse->press(f->surface(), QPointF(20, 20));
        mouse->move(board(), QPointF(250, 300));
        for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
            mouse->press(board(), QPointF(250, 300), b);
            mouse->release(board(), QPointF(250, 300), b);
        }
        QCOMPARE(f->tag(), QStringLiteral("1")); // not sent back
        QVERIFY(!st().dragOutline->isHidden());
        mouse->move(board(), QPointF(260, 320));
        mouse->release(board(), QPointF(260, 320));
        QCOMPARE(f->left(), 239.0f);
        QCOMPARE(f->top(), 299.0f);
        QCOMPARE(st().Kante[5][6], 1);
        QVERIFY(st().dragOutline->isHidden());
    }

    // When the release of a drag never arrives (another window took the mouse), the next
    // press ends the drag: the outline does not stay behind.
    void lostReleaseEndsWithNextPress_data()
    {
        QTest::addColumn<QString>("next");
        QTest::newRow("press on the board") << "board";
        QTest::newRow("right press on another field") << "other field";
        QTest::newRow("left press on the same field") << "same field";
    }

    void lostReleaseEndsWithNextPress()
    {
        QFETCH(QString, next);
        testing::buildBoard(st(), QStringLiteral("5-6"));
        forms::PictureBox *f = field(0);
        const QPointF old(f->left(), f->top());
        QWidget *s = f->surface();
        sendMouse(s, QEvent::MouseButtonPress, s->mapToGlobal(QPointF(20, 20)), Qt::LeftButton, Qt::LeftButton);
        sendMouse(s, QEvent::MouseMove, board()->mapToGlobal(QPointF(200, 300)), Qt::NoButton, Qt::LeftButton);
        QVERIFY(!st().dragOutline->isHidden());

        if (next == QLatin1String("same field")) {
            mouse->press(s, QPointF(10, 10));
            QVERIFY(!st().dragOutline->isHidden());
            QCOMPARE(st().GriffX, 0.25f);
            mouse->move(board(), QPointF(300, 300));
            mouse->release(board(), QPointF(300, 300));
            QCOMPARE(f->left(), 289.0f);
            QCOMPARE(f->top(), 289.0f);
            return;
        }
        if (next == QLatin1String("board")) {
            mouse->press(board(), QPointF(400, 400));
            QVERIFY(st().dragOutline->isHidden());
            QCOMPARE(st().Zeichnen, 1);
            mouse->release(board(), QPointF(400, 400));
        } else {
            mouse->click(field(5)->surface(), QPointF(20, 20), Qt::RightButton);
            QVERIFY(st().dragOutline->isHidden());
            QCOMPARE(field(5)->tag(), QStringLiteral("0"));
        }
        QCOMPARE(st().dragFeld, -1);
        checkUnmoved(f, old);
    }

    void modeSwitchInMidDragDropsNothing_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("moveAfter");
        QTest::newRow("connect, moved on") << "connect" << true;
        QTest::newRow("play, released at once") << "play" << false;
    }

    void modeSwitchInMidDragDropsNothing()
    {
        QFETCH(QString, mode);
        QFETCH(bool, moveAfter);
        testing::buildBoard(st(), QStringLiteral("5-6 6-7"));
        forms::PictureBox *f = field(0);
        const QPointF old(f->left(), f->top());

        mouse->press(f->surface(), QPointF(20, 20));
        mouse->move(board(), QPointF(200, 300));
        setMode(mode); // the button is still down (a mode change from the keyboard, say)
        // Qt puts a move before a release elsewhere; released at once, the release is all.
        const QPointF end = moveAfter ? QPointF(220, 320) : QPointF(200, 300);
        if (moveAfter) {
            mouse->move(board(), end);
            QVERIFY(st().dragOutline->isHidden());
        }
        mouse->release(board(), end);
        QCOMPARE(st().dragFeld, -1);
        QVERIFY(st().dragOutline->isHidden());
        checkUnmoved(f, old);

        // Back in set mode the next drag works as ever.
        app::cmdSetzen_Click(st());
        mouse->press(f->surface(), QPointF(20, 20));
        mouse->move(board(), QPointF(200, 300));
        mouse->release(board(), QPointF(200, 300));
        QCOMPARE(f->left(), 179.0f);
        QCOMPARE(f->tag(), QStringLiteral("1"));
    }

    void otherButtonsSendFieldBack_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("k");
        QTest::newRow("right, board field") << int(Qt::RightButton) << 6;
        QTest::newRow("middle, board field") << int(Qt::MiddleButton) << 6;
        QTest::newRow("right, supply field") << int(Qt::RightButton) << 0;
    }

    void otherButtonsSendFieldBack()
    {
        QFETCH(int, button);
        QFETCH(int, k);
        // Field 6 joins 5 and 7; 5-7 has nothing to do with it.
        testing::buildBoard(st(), QStringLiteral("5-6 6-7 5-7 6-6"));
        if (k == 0) {
            // A supply field with an edge to a board field; the pile's offset is lost.
            st().Kante[0][5] = st().Kante[5][0] = 1;
            editor::KantenZeichnen(st());
            QVERIFY(field(0)->left() != 16.0f || field(0)->top() != 36.0f);
        }
        sketch();
        mouse->click(field(k)->surface(), QPointF(20, 20), Qt::MouseButton(button));

        QCOMPARE(field(k)->left(), 16.0f);
        QCOMPARE(field(k)->top(), 36.0f);
        QCOMPARE(field(k)->tag(), QStringLiteral("0"));
        for (int j = 0; j < app::FieldCount; ++j) {
            QCOMPARE(st().Kante[size_t(k)][size_t(j)], 0);
            QCOMPARE(st().Kante[size_t(j)][size_t(k)], 0);
        }
        QCOMPARE(st().Kante[5][7], 1);
        QCOMPARE(st().Kante[7][5], 1);
        QVERIFY(!sketchThere());
        QCOMPARE(st().dragFeld, -1);
        QVERIFY(st().dragOutline->isHidden());
    }

    // A field chosen in connect mode stays chosen while another field is sent back.
    void sendingBackKeepsConnectSelection()
    {
        testing::buildBoard(st(), QStringLiteral("6-7"), {2, 3});
        app::cmdVerbinden_Click(st());
        mouse->click(field(2)->surface(), QPointF(20, 20));
        QCOMPARE(field(2)->backColor(), rgb(255, 255, 100));
        app::cmdSetzen_Click(st());
        mouse->click(field(7)->surface(), QPointF(20, 20), Qt::RightButton);
        QCOMPARE(st().Kante[6][7], 0);
        app::cmdVerbinden_Click(st());
        mouse->click(field(3)->surface(), QPointF(20, 20));

        QCOMPARE(st().Kante[2][3], 1);
        QCOMPARE(st().Kante[3][2], 1);
        QCOMPARE(st().Kante[7][3], 0);
        QCOMPARE(field(2)->backColor(), rgb(255, 255, 255));
        QCOMPARE(st().Feld1Gewaehlt, 0);
    }

    void focusMarkAndKeysInSetModeOnly_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("set") << "set";
        QTest::newRow("connect") << "connect";
        QTest::newRow("play") << "play";
    }

    void focusMarkAndKeysInSetModeOnly()
    {
        QFETCH(QString, mode);
        testing::buildBoard(st(), QStringLiteral("5-6"));
        setMode(mode);
        forms::PictureBox *f = field(6); // free in play
        // A press on the field's edge: in play a token covers the middle of a field.
        mouse->click(f->surface(), QPointF(2, 2));
        QCOMPARE(QApplication::focusWidget(), f);
        QCOMPARE(f->hasDrawing(), mode == QLatin1String("set"));
        if (mode == QLatin1String("set")) {
            // Inner area 40 x 40: the cross-hair runs 8..16 and 24..32 through the middle,
            // with a gap of radius 4 around it, in the field's dark blue.
            const QImage img = f->drawing();
            const QColor blue(0, 0, 192);
            for (QPoint p : {QPoint(12, 20), QPoint(28, 20), QPoint(20, 12), QPoint(20, 28)})
                QCOMPARE(img.pixelColor(p), blue);
            for (QPoint p : {QPoint(20, 20), QPoint(4, 20), QPoint(36, 20), QPoint(30, 30)})
                QCOMPARE(img.pixelColor(p).alpha(), 0);
            // The circle, 2 pixels wide: something of it on the diagonal.
            bool diag = false;
            for (int d = 2; d <= 4; ++d)
                diag = diag || img.pixelColor(20 + d, 20 + d) == blue;
            QVERIFY(diag);
            return;
        }
        // Outside set mode keys neither move the field nor write the readout nor redraw.
        const QPointF old(f->left(), f->top());
        st().txtDateiname->setText(QStringLiteral("unchanged"));
        sketch();
        for (Qt::Key k : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_A})
            key(k);
        QCOMPARE(f->left(), float(old.x()));
        QCOMPARE(f->top(), float(old.y()));
        QCOMPARE(st().txtDateiname->text(), QStringLiteral("unchanged"));
        QVERIFY(sketchThere());
    }

    void losingFocusErasesMark()
    {
        testing::buildBoard(st(), QStringLiteral("5-6"));
        mouse->click(field(5)->surface(), QPointF(20, 20));
        QVERIFY(field(5)->hasDrawing());
        mouse->click(field(6)->surface(), QPointF(20, 20));
        QVERIFY(!field(5)->hasDrawing());
        QVERIFY(field(6)->hasDrawing());
        QCOMPARE(QApplication::focusWidget(), field(6));
    }

    void cursorKeysNudge_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QPointF>("step");
        QTest::newRow("left") << int(Qt::Key_Left) << "x:  99,  y:  200" << QPointF(-1, 0);
        QTest::newRow("right") << int(Qt::Key_Right) << "x:  101,  y:  200" << QPointF(1, 0);
        QTest::newRow("up") << int(Qt::Key_Up) << "x:  100,  y:  199" << QPointF(0, -1);
        QTest::newRow("down") << int(Qt::Key_Down) << "x:  100,  y:  201" << QPointF(0, 1);
        QTest::newRow("letter") << int(Qt::Key_A) << "x:  100,  y:  200" << QPointF(0, 0);
        QTest::newRow("shift") << int(Qt::Key_Shift) << "x:  100,  y:  200" << QPointF(0, 0);
    }

    void cursorKeysNudge()
    {
        QFETCH(int, key);
        QFETCH(QString, readout);
        QFETCH(QPointF, step);

        forms::PictureBox *f = field(3);
        place(3, 100, 200);
        place(4, 300, 200);
        st().Kante[3][4] = st().Kante[4][3] = 1;
        mouse->click(f->surface(), QPointF(20, 20));
        QCOMPARE(QApplication::focusWidget(), f);
        st().txtDateiname->setText(QString());
        sketch();

        this->key(Qt::Key(key));
        QCOMPARE(f->left(), float(100 + step.x()));
        QCOMPARE(f->top(), float(200 + step.y()));
        QCOMPARE(st().txtDateiname->text(), readout);
        QCOMPARE(f->tag(), QStringLiteral("1"));
        // Redrawn: the sketch is gone, the edge runs from the field's new centre.
        QVERIFY(!sketchThere());
        QCOMPARE(st().picRahmen->image().pixelColor(150, int(200 + step.y()) + 21), QColor(128, 128, 128));
        // Key repeat: the field walks on.
        for (int i = 0; i < 4; ++i)
            this->key(Qt::Key(key));
        QCOMPARE(f->left(), float(100 + 5 * step.x()));
        QCOMPARE(f->top(), float(200 + 5 * step.y()));
    }

    void nudgeInSupplyStaysInSupply()
    {
        forms::PictureBox *f = field(0);
        const float oldLeft = f->left();
        mouse->click(f->surface(), QPointF(20, 20));
        key(Qt::Key_Right);
        QCOMPARE(f->left(), oldLeft + 1);
        QCOMPARE(f->tag(), QStringLiteral("0"));
        QVERIFY(st().txtDateiname->text().startsWith(QLatin1String("x:  ")));
    }

    void playModeRightPressPaintsField_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("painted");
        QTest::newRow("right") << int(Qt::RightButton) << true;
        QTest::newRow("left") << int(Qt::LeftButton) << false;
        QTest::newRow("middle") << int(Qt::MiddleButton) << false;
    }

    void playModeRightPressPaintsField()
    {
        QFETCH(int, button);
        QFETCH(bool, painted);
        testing::buildBoard(st(), QStringLiteral("5-6 6-7"));
        app::cmdSpielen_Click(st());
        st().Picture1[0]->setBackColor(rgb(12, 34, 56));
        // Field 5 carries a token; the ring around it is still the field.
        QVERIFY(st().picZahl[0]->visible());
        QCOMPARE(widgetUnder(field(5)->surface(), QPointF(2, 2)), field(5)->surface());
        mouse->click(field(5)->surface(), QPointF(2, 2), Qt::MouseButton(button));
        QCOMPARE(field(5)->backColor(), painted ? rgb(12, 34, 56) : rgb(255, 255, 255));
        QCOMPARE(field(6)->backColor(), rgb(255, 255, 255));
        QCOMPARE(field(5)->left(), 260.0f);
        QCOMPARE(testing::checkInvariants(st()), QString());
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
