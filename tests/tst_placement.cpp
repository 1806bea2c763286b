// Placing fields in set mode: the drag with its outline, readout and drop, sending
// fields back, the cursor-key nudge with its focus mark, and what a press on a field
// does in the other two modes. Drags run on real mouse events through the window.

#include "app/app.h"
#include "editor/editor.h"
#include "support/mousedriver.h"
#include "support/testwindow.h"

#include <QtTest>
#include <memory>

using colors::rgb;
using testing::Mouse;
using testing::sendMouse;
using testing::widgetUnder;

namespace {

// The corner pixel of the colour drawn at (x, y) of an image, as a colour number;
// -1 where nothing is drawn.
colors::Color drawnAt(const QImage &img, int x, int y)
{
    const QColor c = img.pixelColor(x, y);
    if (c.alpha() == 0)
        return -1;
    return rgb(c.red(), c.green(), c.blue());
}

bool anyPixelOf(const QImage &img, QColor c)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c)
                return true;
    return false;
}

} // namespace

class TestPlacement : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestWindow> tw;
    std::unique_ptr<Mouse> mouse;

    app::BoardState &st() { return tw->st(); }
    QWidget *board() { return st().picRahmen->surface(); }
    forms::PictureBox *field(int i) { return st().picFeld[size_t(i)]; }

    // A release point on the board for each kind of target.
    QPointF target(const QString &name, QPointF pressAt);
    // A sketch stroke on the board: its pixels tell whether the board was redrawn since.
    void sketch()
    {
        st().picRahmen->Line(300, 400, 360, 400, rgb(255, 0, 0));
        QVERIFY(anyPixelOf(st().picRahmen->image(), QColor(255, 0, 0)));
    }
    bool sketchThere() { return anyPixelOf(st().picRahmen->image(), QColor(255, 0, 0)); }

private slots:
    void init();
    void cleanup();

    void dropWithRealMouse_data();
    void dropWithRealMouse();
    void dropAtFractionalPointer_data();
    void dropAtFractionalPointer();
    void lastGlobalPosKeepsFraction();
    void outlineFollowsPointerFieldStays();
    void readoutOnlyOverOwnSurface();
    void dropRedrawsEdgesToTheNewPlace();
    void otherButtonsDuringDragBelongToIt();
    void lostReleaseEndsWithNextPress_data();
    void lostReleaseEndsWithNextPress();
    void modeSwitchInMidDragDropsNothing_data();
    void modeSwitchInMidDragDropsNothing();
    void otherButtonsSendFieldBack_data();
    void otherButtonsSendFieldBack();
    void sendingBackKeepsConnectSelection();

    void focusMarkOnClickInSetModeOnly_data();
    void focusMarkOnClickInSetModeOnly();
    void losingFocusErasesMark();
    void cursorKeysNudge_data();
    void cursorKeysNudge();
    void nudgeInSupplyStaysInSupply();
    void keysDoNothingOutsideSetMode_data();
    void keysDoNothingOutsideSetMode();

    void playModeRightPressPaintsField_data();
    void playModeRightPressPaintsField();
    void connectModePressTogglesEdges();
};

void TestPlacement::init()
{
    tw = std::make_unique<testing::TestWindow>();
    tw->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(tw->window.get()));
    tw->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tw->window.get()));
    mouse = std::make_unique<Mouse>(tw->window.get());
}

void TestPlacement::cleanup()
{
    mouse.reset();
    tw.reset();
}

QPointF TestPlacement::target(const QString &name, QPointF pressAt)
{
    if (name == QLatin1String("free play area"))
        return {200, 300};
    if (name == QLatin1String("first row below the divider"))
        return {200, 116};
    if (name == QLatin1String("top row of the divider"))
        return {200, 110};
    if (name == QLatin1String("bottom row of the divider"))
        return {200, 115};
    if (name == QLatin1String("free upper band"))
        return {70, 100};
    if (name == QLatin1String("last free row above the divider"))
        return {130, 109};
    if (name == QLatin1String("another field")) {
        // Field 5 lies on the board at (260, 130).
        return {281, 151};
    }
    if (name == QLatin1String("the dragged field itself"))
        return pressAt;
    if (name == QLatin1String("a token")) {
        forms::PictureBox *z = st().picZahl[3];
        z->setPos(400, 300);
        z->setVisible(true);
        z->raise();
        return {416, 316};
    }
    if (name == QLatin1String("the lamp box"))
        return {20, 160};
    if (name == QLatin1String("the notes"))
        return {300, 520};
    if (name == QLatin1String("the window's X button")) {
        QWidget *x = st().Command1;
        return board()->mapFromGlobal(x->mapToGlobal(QPointF(x->rect().center())));
    }
    if (name == QLatin1String("the window beside the board"))
        return {-10, 300};
    if (name == QLatin1String("outside the window"))
        return {-200, 300};
    if (name == QLatin1String("near the left edge"))
        return {10, 300};
    qFatal("unknown target");
}

// Field 0 lies on top of the supply pile; it is pressed at a pixel of its inner area
// (40 x 40 at size 42), which fixes the grab fraction.
void TestPlacement::dropWithRealMouse_data()
{
    QTest::addColumn<QPointF>("grab");
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");

    QTest::newRow("centre grab, play area") << QPointF(20, 20) << "free play area" << true << 179 << 279;
    QTest::newRow("quarter grab rounds down") << QPointF(10, 30) << "free play area" << true << 189 << 268;
    QTest::newRow("negative left") << QPointF(20, 20) << "near the left edge" << true << -11 << 279;
    QTest::newRow("first row below the divider") << QPointF(20, 20) << "first row below the divider" << true << 179
                                                 << 95;
    QTest::newRow("top row of the divider") << QPointF(20, 20) << "top row of the divider" << false << 0 << 0;
    QTest::newRow("bottom row of the divider") << QPointF(20, 20) << "bottom row of the divider" << false << 0 << 0;
    QTest::newRow("free upper band") << QPointF(20, 20) << "free upper band" << false << 0 << 0;
    QTest::newRow("last row above the divider") << QPointF(20, 20) << "last free row above the divider" << false << 0
                                                << 0;
    QTest::newRow("another field") << QPointF(20, 20) << "another field" << false << 0 << 0;
    QTest::newRow("the dragged field") << QPointF(20, 20) << "the dragged field itself" << false << 0 << 0;
    QTest::newRow("a token") << QPointF(20, 20) << "a token" << false << 0 << 0;
    QTest::newRow("a box on the board") << QPointF(20, 20) << "the lamp box" << false << 0 << 0;
    QTest::newRow("the notes") << QPointF(20, 20) << "the notes" << false << 0 << 0;
    QTest::newRow("window button over the board") << QPointF(20, 20) << "the window's X button" << false << 0 << 0;
    QTest::newRow("window beside the board") << QPointF(20, 20) << "the window beside the board" << false << 0 << 0;
    QTest::newRow("outside the window") << QPointF(20, 20) << "outside the window" << false << 0 << 0;
}

void TestPlacement::dropWithRealMouse()
{
    QFETCH(QPointF, grab);
    QFETCH(QString, where);
    QFETCH(bool, dropped);
    QFETCH(int, left);
    QFETCH(int, top);

    testing::buildBoard(st(), QStringLiteral("5-6"));
    forms::PictureBox *f = field(0);
    const float oldLeft = f->left(), oldTop = f->top();
    QCOMPARE(widgetUnder(f->surface(), grab), f->surface());
    const QPointF pressOnBoard = f->surface()->mapTo(board(), grab);
    const QPointF to = target(where, pressOnBoard);
    if (where.startsWith(QLatin1String("free")) || where.startsWith(QLatin1String("first"))
        || where.startsWith(QLatin1String("last")) || where.startsWith(QLatin1String("near")))
        QCOMPARE(widgetUnder(board(), to), board());
    sketch();

    mouse->press(f->surface(), grab);
    QCOMPARE(st().dragFeld, 0);
    mouse->move(board(), QPointF(250, 250));
    mouse->move(board(), to);
    mouse->release(board(), to);

    QCOMPARE(st().dragFeld, -1);
    QVERIFY(st().dragOutline->isHidden());
    if (dropped) {
        QCOMPARE(f->left(), float(left));
        QCOMPARE(f->top(), float(top));
        QCOMPARE(f->tag(), QStringLiteral("1"));
        QVERIFY(!sketchThere()); // the board was redrawn
    } else {
        QCOMPARE(f->left(), oldLeft);
        QCOMPARE(f->top(), oldTop);
        QCOMPARE(f->tag(), QStringLiteral("0"));
        QVERIFY(sketchThere());
    }
    QVERIFY(f->visible());
}

// Qt rounds the pointer on its way from the window system; a pointer between pixels
// reaches the grabbing field as the events below.
void TestPlacement::dropAtFractionalPointer_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QPointF>("grab"); // in the field's inner pixels
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");

    QTest::newRow("centre grab") << 42 << QPointF(20, 20) << QPointF(100.3, 200.7) << true
                                 << "x:  79,  y:  179" << 79.0f << 179.0f;
    QTest::newRow("left edge") << 42 << QPointF(20, 20) << QPointF(10, 300) << true << "x: -11,  y:  279" << -11.0f
                               << 279.0f;
    QTest::newRow("floor of a negative half") << 42 << QPointF(20, 20) << QPointF(10.5, 300.25) << true
                                              << "x: -11,  y:  279" << -11.0f << 279.0f;
    QTest::newRow("odd size, whole result") << 47 << QPointF(22.5, 22.5) << QPointF(100.3, 200.7) << true
                                            << "x:  76,  y:  177" << 76.0f << 177.0f;
    QTest::newRow("first pixel below the divider") << 42 << QPointF(20, 20) << QPointF(200.2, 116.0) << true
                                                   << "x:  179,  y:  95" << 179.0f << 95.0f;
    QTest::newRow("last fraction of the divider") << 42 << QPointF(20, 20) << QPointF(200.2, 115.9) << false
                                                  << QString() << 0.0f << 0.0f;
    QTest::newRow("just above the divider, free surface") << 42 << QPointF(20, 20) << QPointF(130.5, 109.9) << false
                                                          << QString() << 0.0f << 0.0f;
}

void TestPlacement::dropAtFractionalPointer()
{
    QFETCH(int, size);
    QFETCH(QPointF, grab);
    QFETCH(QPointF, pointer);
    QFETCH(bool, dropped);
    QFETCH(QString, readout);
    QFETCH(float, left);
    QFETCH(float, top);

    st().VScroll1->setValue(size);
    forms::PictureBox *f = field(0);
    const float oldLeft = f->left(), oldTop = f->top();
    QWidget *grabber = f->surface();
    const QPointF global = board()->mapToGlobal(pointer);

    sendMouse(grabber, QEvent::MouseButtonPress, grabber->mapToGlobal(grab), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(st().GriffX, 0.5f);
    QCOMPARE(st().GriffY, 0.5f);
    sendMouse(grabber, QEvent::MouseMove, global, Qt::NoButton, Qt::LeftButton);
    // Over the free surface the readout shows where the field would land.
    if (dropped)
        QCOMPARE(st().txtDateiname->text(), readout);
    const QString shown = st().txtDateiname->text();
    sendMouse(grabber, QEvent::MouseButtonRelease, global, Qt::LeftButton, Qt::NoButton);

    if (dropped) {
        QCOMPARE(f->left(), left);
        QCOMPARE(f->top(), top);
        QCOMPARE(f->tag(), QStringLiteral("1"));
        QCOMPARE(st().txtDateiname->text(), readout);
    } else {
        QCOMPARE(f->left(), oldLeft);
        QCOMPARE(f->top(), oldTop);
        QCOMPARE(f->tag(), QStringLiteral("0"));
        QCOMPARE(st().txtDateiname->text(), shown);
    }
}

// Qt rounds the global position of a delivered event; the box's own record of it must
// not, or a drop between pixels lands a pixel off.
void TestPlacement::lastGlobalPosKeepsFraction()
{
    QWidget *s = field(0)->surface();
    const QPointF global = s->mapToGlobal(QPointF(12.25, 30.75));
    sendMouse(s, QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(field(0)->lastGlobalPos(), global);
    const QPointF far = board()->mapToGlobal(QPointF(333.5, 222.125));
    sendMouse(s, QEvent::MouseMove, far, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(field(0)->lastGlobalPos(), far);
    sendMouse(s, QEvent::MouseButtonRelease, far, Qt::LeftButton, Qt::NoButton);
}

void TestPlacement::outlineFollowsPointerFieldStays()
{
    forms::PictureBox *f = field(0);
    const QRect before = f->geometry();
    QVERIFY(st().dragOutline->isHidden());

    mouse->press(f->surface(), QPointF(20, 20));
    QVERIFY(!st().dragOutline->isHidden());
    QCOMPARE(st().dragOutline->geometry(), before);
    // In front of everything on the board.
    QCOMPARE(board()->children().constLast(), st().dragOutline);

    mouse->move(board(), QPointF(200, 300));
    QCOMPARE(st().dragOutline->geometry(), QRect(179, 279, 42, 42));
    mouse->move(board(), QPointF(20, 500)); // over the notes: the outline still follows
    QCOMPARE(st().dragOutline->geometry(), QRect(-1, 479, 42, 42));
    QCOMPARE(f->geometry(), before);
    QCOMPARE(f->tag(), QStringLiteral("0"));

    mouse->release(board(), QPointF(20, 500));
    QVERIFY(st().dragOutline->isHidden());
    QCOMPARE(f->geometry(), before);
}

void TestPlacement::readoutOnlyOverOwnSurface()
{
    forms::PictureBox *f = field(0);
    st().txtDateiname->setText(QStringLiteral("spiel.swk"));
    mouse->press(f->surface(), QPointF(20, 20));
    QCOMPARE(st().txtDateiname->text(), QStringLiteral("spiel.swk")); // a press alone writes nothing
    mouse->move(board(), QPointF(300, 250));
    QCOMPARE(st().txtDateiname->text(), QStringLiteral("x:  279,  y:  229"));
    // The upper band is board surface too: the readout has no test against the divider.
    mouse->move(board(), QPointF(70, 100));
    QCOMPARE(st().txtDateiname->text(), QStringLiteral("x:  49,  y:  79"));
    // Over the divider, a box or outside, the last candidate stays.
    mouse->move(board(), QPointF(200, 112));
    mouse->move(board(), QPointF(20, 160));
    mouse->move(board(), QPointF(-200, 160));
    QCOMPARE(st().txtDateiname->text(), QStringLiteral("x:  49,  y:  79"));
    mouse->release(board(), QPointF(-200, 160));
    QCOMPARE(st().txtDateiname->text(), QStringLiteral("x:  49,  y:  79"));
    QCOMPARE(f->tag(), QStringLiteral("0"));
}

void TestPlacement::dropRedrawsEdgesToTheNewPlace()
{
    // Fields 0 and 1 on the board with an edge; field 1 moves.
    field(0)->setPos(100, 300);
    field(0)->setTag(QStringLiteral("1"));
    field(1)->setPos(300, 300);
    field(1)->setTag(QStringLiteral("1"));
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
    const QImage img = st().picRahmen->image();
    QVERIFY(img.pixelColor(200, 321) != edge);
    QCOMPARE(img.pixelColor(121, 390), edge);
}

void TestPlacement::otherButtonsDuringDragBelongToIt()
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
    QCOMPARE(st().Kante[5][6], 1);
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
void TestPlacement::lostReleaseEndsWithNextPress_data()
{
    QTest::addColumn<QString>("next");
    QTest::newRow("press on the board") << "board";
    QTest::newRow("right press on another field") << "other field";
    QTest::newRow("left press on the same field") << "same field";
}

void TestPlacement::lostReleaseEndsWithNextPress()
{
    QFETCH(QString, next);
    testing::buildBoard(st(), QStringLiteral("5-6"));
    forms::PictureBox *f = field(0);
    const float oldLeft = f->left();
    QWidget *s = f->surface();
    sendMouse(s, QEvent::MouseButtonPress, s->mapToGlobal(QPointF(20, 20)), Qt::LeftButton, Qt::LeftButton);
    sendMouse(s, QEvent::MouseMove, board()->mapToGlobal(QPointF(200, 300)), Qt::NoButton, Qt::LeftButton);
    QVERIFY(!st().dragOutline->isHidden());

    if (next == QLatin1String("board")) {
        mouse->press(board(), QPointF(400, 400));
        QVERIFY(st().dragOutline->isHidden());
        QCOMPARE(st().Zeichnen, 1);
        mouse->release(board(), QPointF(400, 400));
    } else if (next == QLatin1String("other field")) {
        mouse->click(field(5)->surface(), QPointF(20, 20), Qt::RightButton);
        QVERIFY(st().dragOutline->isHidden());
        QCOMPARE(field(5)->tag(), QStringLiteral("0"));
    } else {
        mouse->press(s, QPointF(10, 10));
        QVERIFY(!st().dragOutline->isHidden());
        QCOMPARE(st().GriffX, 0.25f);
        mouse->move(board(), QPointF(300, 300));
        mouse->release(board(), QPointF(300, 300));
        QCOMPARE(f->left(), 289.0f);
        QCOMPARE(f->top(), 289.0f);
        return;
    }
    QCOMPARE(st().dragFeld, -1);
    QCOMPARE(f->left(), oldLeft);
    QCOMPARE(f->tag(), QStringLiteral("0"));
}

void TestPlacement::modeSwitchInMidDragDropsNothing_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("moveAfter");
    QTest::newRow("connect, moved on") << "connect" << true;
    QTest::newRow("play, moved on") << "play" << true;
    QTest::newRow("connect, released at once") << "connect" << false;
    QTest::newRow("play, released at once") << "play" << false;
}

void TestPlacement::modeSwitchInMidDragDropsNothing()
{
    QFETCH(QString, mode);
    QFETCH(bool, moveAfter);
    testing::buildBoard(st(), QStringLiteral("5-6 6-7"));
    forms::PictureBox *f = field(0);
    const float oldLeft = f->left(), oldTop = f->top();

    mouse->press(f->surface(), QPointF(20, 20));
    mouse->move(board(), QPointF(200, 300));
    // The button is still down when the mode changes (from the keyboard, say).
    if (mode == QLatin1String("connect"))
        app::cmdVerbinden_Click(st());
    else
        app::cmdSpielen_Click(st());
    // Qt puts a move before a release elsewhere; released at once, the release is all.
    const QPointF end = moveAfter ? QPointF(220, 320) : QPointF(200, 300);
    if (moveAfter) {
        mouse->move(board(), end);
        QVERIFY(st().dragOutline->isHidden());
    }
    mouse->release(board(), end);

    QCOMPARE(st().dragFeld, -1);
    QVERIFY(st().dragOutline->isHidden());
    QCOMPARE(f->left(), oldLeft);
    QCOMPARE(f->top(), oldTop);
    QCOMPARE(f->tag(), QStringLiteral("0"));
    QCOMPARE(testing::checkInvariants(st()), QString());

    // Back in set mode the next drag works as ever.
    app::cmdSetzen_Click(st());
    mouse->press(f->surface(), QPointF(20, 20));
    mouse->move(board(), QPointF(200, 300));
    mouse->release(board(), QPointF(200, 300));
    QCOMPARE(f->left(), 179.0f);
    QCOMPARE(f->tag(), QStringLiteral("1"));
}

void TestPlacement::otherButtonsSendFieldBack_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("onBoard");
    QTest::newRow("right, board field") << int(Qt::RightButton) << true;
    QTest::newRow("middle, board field") << int(Qt::MiddleButton) << true;
    QTest::newRow("right, supply field") << int(Qt::RightButton) << false;
}

void TestPlacement::otherButtonsSendFieldBack()
{
    QFETCH(int, button);
    QFETCH(bool, onBoard);

    // Field 6 joins 5 and 7; 5-7 has nothing to do with it.
    testing::buildBoard(st(), QStringLiteral("5-6 6-7 5-7 6-6"));
    int k = 6;
    if (!onBoard) {
        // A supply field with an edge to a board field; the pile's offset is lost.
        k = 0;
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
void TestPlacement::sendingBackKeepsConnectSelection()
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

void TestPlacement::focusMarkOnClickInSetModeOnly_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("marked");
    QTest::newRow("set") << "set" << true;
    QTest::newRow("connect") << "connect" << false;
    QTest::newRow("play") << "play" << false;
}

void TestPlacement::focusMarkOnClickInSetModeOnly()
{
    QFETCH(QString, mode);
    QFETCH(bool, marked);
    testing::buildBoard(st(), QStringLiteral("5-6"));
    if (mode == QLatin1String("connect"))
        app::cmdVerbinden_Click(st());
    if (mode == QLatin1String("play"))
        app::cmdSpielen_Click(st());
    forms::PictureBox *f = field(6); // free in play
    // A press on the field's edge: in play a token covers the middle of a field.
    mouse->click(f->surface(), QPointF(2, 2));
    QCOMPARE(QApplication::focusWidget(), f);
    QCOMPARE(f->hasDrawing(), marked);
    if (!marked)
        return;

    // Inner area 40 x 40: the cross-hair runs 8..16 and 24..32 through the middle,
    // with a gap of radius 4 around it, in the field's dark blue.
    const QImage img = f->drawing();
    const colors::Color blue = rgb(0, 0, 192);
    QCOMPARE(drawnAt(img, 12, 20), blue);
    QCOMPARE(drawnAt(img, 28, 20), blue);
    QCOMPARE(drawnAt(img, 20, 12), blue);
    QCOMPARE(drawnAt(img, 20, 28), blue);
    QCOMPARE(drawnAt(img, 20, 20), -1);
    QCOMPARE(drawnAt(img, 4, 20), -1);
    QCOMPARE(drawnAt(img, 36, 20), -1);
    QCOMPARE(drawnAt(img, 30, 30), -1);
    // The circle, 2 pixels wide: something of it on each diagonal.
    bool diag = false;
    for (int d = 2; d <= 4; ++d)
        diag = diag || drawnAt(img, 20 + d, 20 + d) == blue;
    QVERIFY(diag);
}

void TestPlacement::losingFocusErasesMark()
{
    testing::buildBoard(st(), QStringLiteral("5-6"));
    mouse->click(field(5)->surface(), QPointF(20, 20));
    QVERIFY(field(5)->hasDrawing());
    mouse->click(field(6)->surface(), QPointF(20, 20));
    QVERIFY(!field(5)->hasDrawing());
    QVERIFY(field(6)->hasDrawing());
    QCOMPARE(QApplication::focusWidget(), field(6));
}

void TestPlacement::cursorKeysNudge_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::newRow("left") << int(Qt::Key_Left) << "x:  99,  y:  200" << 99.0f << 200.0f;
    QTest::newRow("right") << int(Qt::Key_Right) << "x:  101,  y:  200" << 101.0f << 200.0f;
    QTest::newRow("up") << int(Qt::Key_Up) << "x:  100,  y:  199" << 100.0f << 199.0f;
    QTest::newRow("down") << int(Qt::Key_Down) << "x:  100,  y:  201" << 100.0f << 201.0f;
    QTest::newRow("letter") << int(Qt::Key_A) << "x:  100,  y:  200" << 100.0f << 200.0f;
    QTest::newRow("shift") << int(Qt::Key_Shift) << "x:  100,  y:  200" << 100.0f << 200.0f;
}

void TestPlacement::cursorKeysNudge()
{
    QFETCH(int, key);
    QFETCH(QString, readout);
    QFETCH(float, left);
    QFETCH(float, top);

    forms::PictureBox *f = field(3);
    f->setPos(100, 200);
    f->setTag(QStringLiteral("1"));
    field(4)->setPos(300, 200);
    field(4)->setTag(QStringLiteral("1"));
    st().Kante[3][4] = st().Kante[4][3] = 1;
    mouse->click(f->surface(), QPointF(20, 20));
    QCOMPARE(QApplication::focusWidget(), f);
    st().txtDateiname->setText(QString());
    sketch();

    QTest::keyClick(tw->window->windowHandle(), Qt::Key(key));
    QCOMPARE(f->left(), left);
    QCOMPARE(f->top(), top);
    QCOMPARE(st().txtDateiname->text(), readout);
    QCOMPARE(f->tag(), QStringLiteral("1"));
    // Redrawn: the sketch is gone, the edge runs from the field's new centre.
    QVERIFY(!sketchThere());
    QCOMPARE(st().picRahmen->image().pixelColor(150, int(top) + 21), QColor(128, 128, 128));

    // Key repeat: the field walks on.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(tw->window->windowHandle(), Qt::Key(key));
    QCOMPARE(f->left(), 100 + 5 * (left - 100));
    QCOMPARE(f->top(), 200 + 5 * (top - 200));
}

void TestPlacement::nudgeInSupplyStaysInSupply()
{
    forms::PictureBox *f = field(0);
    const float oldLeft = f->left();
    mouse->click(f->surface(), QPointF(20, 20));
    QTest::keyClick(tw->window->windowHandle(), Qt::Key_Right);
    QCOMPARE(f->left(), oldLeft + 1);
    QCOMPARE(f->tag(), QStringLiteral("0"));
    QVERIFY(st().txtDateiname->text().startsWith(QLatin1String("x:  ")));
}

void TestPlacement::keysDoNothingOutsideSetMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("connect") << "connect";
    QTest::newRow("play") << "play";
}

void TestPlacement::keysDoNothingOutsideSetMode()
{
    QFETCH(QString, mode);
    testing::buildBoard(st(), QStringLiteral("5-6"));
    if (mode == QLatin1String("connect"))
        app::cmdVerbinden_Click(st());
    else
        app::cmdSpielen_Click(st());
    forms::PictureBox *f = field(6);
    const float oldLeft = f->left(), oldTop = f->top();
    mouse->click(f->surface(), QPointF(2, 2));
    QCOMPARE(QApplication::focusWidget(), f);
    st().txtDateiname->setText(QStringLiteral("unchanged"));
    sketch();
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_A})
        QTest::keyClick(tw->window->windowHandle(), k);
    QCOMPARE(f->left(), oldLeft);
    QCOMPARE(f->top(), oldTop);
    QCOMPARE(st().txtDateiname->text(), QStringLiteral("unchanged"));
    QVERIFY(sketchThere());
}

void TestPlacement::playModeRightPressPaintsField_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("painted");
    QTest::newRow("right") << int(Qt::RightButton) << true;
    QTest::newRow("left") << int(Qt::LeftButton) << false;
    QTest::newRow("middle") << int(Qt::MiddleButton) << false;
}

void TestPlacement::playModeRightPressPaintsField()
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

// The press on a field in connect mode reaches the pair selection for any button.
void TestPlacement::connectModePressTogglesEdges()
{
    testing::buildBoard(st(), QString(), {5, 6, 7});
    app::cmdVerbinden_Click(st());
    mouse->click(field(5)->surface(), QPointF(20, 20), Qt::RightButton);
    QCOMPARE(field(5)->backColor(), rgb(255, 255, 100));
    mouse->click(field(7)->surface(), QPointF(20, 20), Qt::MiddleButton);
    QCOMPARE(st().Kante[5][7], 1);
    QCOMPARE(st().Kante[7][5], 1);
    QCOMPARE(field(5)->backColor(), rgb(255, 255, 255));
    QCOMPARE(field(5)->left(), 260.0f); // no drag, no sending back
    QCOMPARE(field(7)->tag(), QStringLiteral("1"));
    QVERIFY(st().dragOutline->isHidden());
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
