// Sketching on the board's free surface, the board colour through the colour dialog
// and the erase button. Mouse input goes through the window as real input does.

#include "app/app.h"
#include "editor/editor.h"
#include "support/mousedriver.h"
#include "support/testwindow.h"

#include <QtTest>
#include <memory>

using colors::rgb;

namespace {

const QColor Red(255, 0, 0);
const QColor EdgeGrey(128, 128, 128);

// How many pixels of the colour the column x of the image holds between y0 and y1.
int countInColumn(const QImage &img, int x, int y0, int y1, QColor c)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        n += img.pixelColor(x, y) == c ? 1 : 0;
    return n;
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

class TestSketch : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestWindow> tw;
    std::unique_ptr<testing::Mouse> mouse;
    app::BoardState &st() { return tw->st(); }
    QWidget *board() { return st().picRahmen->surface(); }
    forms::PictureBox *field(int i) { return st().picFeld[size_t(i)]; }
    QImage drawing() { return st().picRahmen->drawing(); }

    // A left stroke over the free surface: (200, 300) -> (260, 300) -> (260, 360).
    void stroke()
    {
        mouse->press(board(), QPointF(200, 300));
        mouse->move(board(), QPointF(260, 300));
        mouse->move(board(), QPointF(260, 360));
        mouse->release(board(), QPointF(260, 360));
    }
    bool strokeThere() { return st().picRahmen->image().pixelColor(230, 300) == Red; }

private slots:
    void init();
    void cleanup();

    void leftDragDrawsPolyline();
    void penColourIsTakenPerSegment();
    void strokeGoesOnOverFields();
    void noStroke_data();
    void noStroke();
    void strokeVanishesWithNextRedraw_data();
    void strokeVanishesWithNextRedraw();
    void eraseButtonInEveryMode_data();
    void eraseButtonInEveryMode();
    void boardColourFromDialog();
    void cancelledDialogChangesNothing();
    void rightPressOnControlsOpensNoDialog_data();
    void rightPressOnControlsOpensNoDialog();
};

void TestSketch::init()
{
    tw = std::make_unique<testing::TestWindow>();
    tw->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(tw->window.get()));
    tw->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(tw->window.get()));
    mouse = std::make_unique<testing::Mouse>(tw->window.get());
    // An edge from (121, 221) to (421, 221), clear of the stroke.
    field(5)->setPos(100, 200);
    field(5)->setTag(QStringLiteral("1"));
    field(6)->setPos(400, 200);
    field(6)->setTag(QStringLiteral("1"));
    st().Kante[5][6] = st().Kante[6][5] = 1;
    editor::KantenZeichnen(st());
}

void TestSketch::cleanup()
{
    mouse.reset();
    tw.reset();
}

void TestSketch::leftDragDrawsPolyline()
{
    mouse->press(board(), QPointF(200, 300));
    QCOMPARE(st().Zeichnen, 1);
    QCOMPARE(st().AltX, 200.0);
    QCOMPARE(st().AltY, 300.0);
    QVERIFY(!anyPixelOf(drawing(), Red)); // a press alone draws nothing
    mouse->move(board(), QPointF(260, 300));
    mouse->move(board(), QPointF(260, 360));
    QCOMPARE(st().AltX, 260.0);
    QCOMPARE(st().AltY, 360.0);
    mouse->release(board(), QPointF(260, 360));
    QCOMPARE(st().Zeichnen, 0);

    const QImage img = st().picRahmen->image();
    // From the press point on, two pixels wide, in the current colour.
    QCOMPARE(img.pixelColor(201, 300), Red);
    QCOMPARE(countInColumn(img, 230, 290, 310, Red), 2);
    QCOMPARE(img.pixelColor(260, 330), Red);
    QCOMPARE(img.pixelColor(190, 300), QColor(192, 192, 192));
    QCOMPARE(img.pixelColor(260, 370), QColor(192, 192, 192));
    // The edge is still there: drawing adds, it does not redraw.
    QCOMPARE(img.pixelColor(300, 221), EdgeGrey);
    // A move after the release draws nothing more.
    mouse->move(board(), QPointF(300, 400));
    QCOMPARE(st().picRahmen->image().pixelColor(280, 380), QColor(192, 192, 192));
}

void TestSketch::penColourIsTakenPerSegment()
{
    mouse->press(board(), QPointF(200, 300));
    mouse->move(board(), QPointF(260, 300));
    st().Picture1[0]->setBackColor(rgb(0, 0, 255));
    mouse->move(board(), QPointF(260, 360));
    mouse->release(board(), QPointF(260, 360));
    const QImage img = st().picRahmen->image();
    QCOMPARE(img.pixelColor(230, 300), Red);
    QCOMPARE(img.pixelColor(260, 330), QColor(0, 0, 255));
}

// The board keeps the pointer once the stroke has begun; the line runs on under the
// field (hidden by it on screen).
void TestSketch::strokeGoesOnOverFields()
{
    mouse->press(board(), QPointF(60, 221));
    mouse->move(board(), QPointF(121, 221)); // the middle of field 5
    mouse->move(board(), QPointF(121, 300));
    mouse->release(board(), QPointF(121, 300));
    const QImage img = drawing();
    QCOMPARE(img.pixelColor(110, 221), Red);
    QCOMPARE(img.pixelColor(121, 260), Red);
    QCOMPARE(field(5)->left(), 100.0f); // no drag of the field
    QCOMPARE(st().Zeichnen, 0);
}

void TestSketch::noStroke_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("right drag") << "right";
    QTest::newRow("middle drag") << "middle";
    QTest::newRow("left then right held") << "left+right";
    QTest::newRow("right then left held") << "right+left";
    QTest::newRow("left drag from a field, set mode") << "field";
    QTest::newRow("left drag from a field, connect mode") << "field connect";
    QTest::newRow("left drag from a token") << "token";
    QTest::newRow("left drag from the lamp box") << "lamps";
    QTest::newRow("left drag from the divider") << "divider";
}

void TestSketch::noStroke()
{
    QFETCH(QString, how);
    QWidget *from = board();
    QPointF at(200, 300);
    Qt::MouseButton first = Qt::LeftButton;
    Qt::MouseButton second = Qt::NoButton;
    if (how == QLatin1String("right"))
        first = Qt::RightButton;
    if (how == QLatin1String("middle"))
        first = Qt::MiddleButton;
    if (how == QLatin1String("left+right"))
        second = Qt::RightButton;
    if (how == QLatin1String("right+left")) {
        first = Qt::RightButton;
        second = Qt::LeftButton;
    }
    if (how.startsWith(QLatin1String("field"))) {
        if (how.endsWith(QLatin1String("connect")))
            app::cmdVerbinden_Click(st());
        from = field(5)->surface();
        at = QPointF(20, 20);
    }
    if (how == QLatin1String("token")) {
        app::cmdSpielen_Click(st());
        from = st().picZahl[0]->surface();
        at = QPointF(15, 15);
    }
    if (how == QLatin1String("lamps")) {
        from = st().Picture3->surface();
        at = QPointF(3, 3);
    }
    if (how == QLatin1String("divider")) {
        // Inside its sunken frame the divider is two pixels high.
        from = st().Picture2->surface();
        at = QPointF(300, 1);
    }
    QCOMPARE(testing::widgetUnder(from, at), from);

    mouse->press(from, at, first);
    if (second != Qt::NoButton)
        mouse->press(from, at, second);
    for (int i = 1; i <= 4; ++i)
        mouse->move(board(), QPointF(200 + 20 * i, 300 + 15 * i));
    if (second != Qt::NoButton)
        mouse->release(board(), QPointF(280, 360), second);
    mouse->release(board(), QPointF(280, 360), first);

    QVERIFY(!anyPixelOf(drawing(), Red));
    QCOMPARE(st().Zeichnen, 0);
}

void TestSketch::strokeVanishesWithNextRedraw_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("erase button") << "X";
    QTest::newRow("mode switch") << "mode";
    QTest::newRow("new board") << "neu";
    QTest::newRow("edge toggle") << "toggle";
    QTest::newRow("nudge") << "key";
    QTest::newRow("drop") << "drop";
}

void TestSketch::strokeVanishesWithNextRedraw()
{
    QFETCH(QString, what);
    stroke();
    QVERIFY(strokeThere());
    if (what == QLatin1String("X")) {
        mouse->click(st().Command1, QPointF(st().Command1->rect().center()));
    } else if (what == QLatin1String("mode")) {
        mouse->click(st().cmdVerbinden, QPointF(st().cmdVerbinden->rect().center()));
        QVERIFY(st().connectMode());
    } else if (what == QLatin1String("neu")) {
        app::cmdneu_Click(st());
    } else if (what == QLatin1String("toggle")) {
        app::cmdVerbinden_Click(st());
        stroke();
        editor::picFeld_MouseDown(st(), 5, 1, 0, 0.5f, 0.5f);
        QVERIFY(strokeThere());
        editor::picFeld_MouseDown(st(), 6, 1, 0, 0.5f, 0.5f);
    } else if (what == QLatin1String("key")) {
        mouse->click(field(5)->surface(), QPointF(20, 20));
        QVERIFY(strokeThere());
        QTest::keyClick(tw->window->windowHandle(), Qt::Key_Down);
    } else if (what == QLatin1String("drop")) {
        mouse->press(field(5)->surface(), QPointF(20, 20));
        mouse->move(board(), QPointF(150, 400));
        QVERIFY(strokeThere());
        mouse->release(board(), QPointF(150, 400));
    }
    QVERIFY(!strokeThere());
}

void TestSketch::eraseButtonInEveryMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("set") << "set";
    QTest::newRow("connect") << "connect";
    QTest::newRow("play") << "play";
}

void TestSketch::eraseButtonInEveryMode()
{
    QFETCH(QString, mode);
    if (mode == QLatin1String("connect"))
        app::cmdVerbinden_Click(st());
    if (mode == QLatin1String("play"))
        app::cmdSpielen_Click(st());
    stroke();
    // Something drawn on a field (a number, say) and on a field in the supply.
    field(5)->Line(0.1f, 0.1f, 0.9f, 0.9f, rgb(0, 0, 0));
    field(40)->Print(QStringLiteral("7"));
    forms::PictureBox *token = st().picZahl[0];
    const bool tokenDrawn = token->hasDrawing();

    mouse->click(st().Command1, QPointF(st().Command1->rect().center()));

    QVERIFY(!strokeThere());
    QVERIFY(!field(5)->hasDrawing());
    QVERIFY(!field(40)->hasDrawing());
    QCOMPARE(token->hasDrawing(), tokenDrawn); // tokens keep their numbers
    QCOMPARE(st().picRahmen->image().pixelColor(300, 221), EdgeGrey);
}

void TestSketch::boardColourFromDialog()
{
    stroke();
    field(5)->Line(0.1f, 0.1f, 0.9f, 0.9f, rgb(0, 0, 0));
    const colors::Color green = rgb(10, 200, 30);
    tw->dialog.colors.push_back(green);

    mouse->press(board(), QPointF(500, 400), Qt::RightButton);
    QCOMPARE(tw->dialog.colorShows, 1);
    QCOMPARE(st().Zeichnen, 1);
    QCOMPARE(st().AltX, 500.0);
    QCOMPARE(st().AltY, 400.0);
    QCOMPARE(st().picRahmen->backColor(), green);
    QCOMPARE(st().Picture5->backColor(), green);
    for (forms::Label *l : st().Label1)
        QCOMPARE(l->backColor(), green);
    // Erased and redrawn at once: the new ground, the edge, no stroke, no field drawing.
    const QImage img = st().picRahmen->image();
    QCOMPARE(img.pixelColor(300, 221), EdgeGrey);
    QCOMPARE(img.pixelColor(230, 300), QColor(10, 200, 30));
    QVERIFY(!field(5)->hasDrawing());
    // The palette and the fields keep theirs.
    QCOMPARE(st().Picture1[0]->backColor(), rgb(255, 0, 0));
    QCOMPARE(field(5)->backColor(), rgb(255, 255, 255));

    mouse->release(board(), QPointF(500, 400), Qt::RightButton);
    QCOMPARE(st().Zeichnen, 0);
    // The next stroke lies on the new ground.
    stroke();
    QCOMPARE(st().picRahmen->image().pixelColor(230, 300), Red);
    QCOMPARE(st().picRahmen->image().pixelColor(230, 320), QColor(10, 200, 30));
}

void TestSketch::cancelledDialogChangesNothing()
{
    stroke();
    tw->dialog.Color = rgb(1, 2, 3); // whatever the dialog held: it is not applied
    tw->dialog.colors.push_back(std::nullopt);

    mouse->press(board(), QPointF(500, 400), Qt::RightButton);
    QCOMPARE(tw->dialog.colorShows, 1);
    // The pen still went down, as with any press.
    QCOMPARE(st().Zeichnen, 1);
    QCOMPARE(st().AltX, 500.0);
    QCOMPARE(st().picRahmen->backColor(), rgb(192, 192, 192));
    QCOMPARE(st().Picture5->backColor(), rgb(192, 192, 192));
    for (forms::Label *l : st().Label1)
        QCOMPARE(l->backColor(), rgb(192, 192, 192));
    QVERIFY(strokeThere());
    mouse->release(board(), QPointF(500, 400), Qt::RightButton);
    QCOMPARE(st().Zeichnen, 0);
}

void TestSketch::rightPressOnControlsOpensNoDialog_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("field") << "field";
    QTest::newRow("token") << "token";
    QTest::newRow("lamp box") << "lamps";
    QTest::newRow("divider") << "divider";
    QTest::newRow("mode button") << "mode button";
    QTest::newRow("disabled mode button") << "disabled";
    QTest::newRow("window button over the board") << "X";
}

void TestSketch::rightPressOnControlsOpensNoDialog()
{
    QFETCH(QString, where);
    tw->dialog.colors.push_back(rgb(10, 200, 30));
    QWidget *w = nullptr;
    if (where == QLatin1String("field"))
        w = field(5)->surface();
    if (where == QLatin1String("token")) {
        app::cmdSpielen_Click(st());
        w = st().picZahl[0]->surface();
    }
    if (where == QLatin1String("lamps"))
        w = st().Picture3->surface();
    if (where == QLatin1String("divider"))
        w = st().Picture2->surface();
    if (where == QLatin1String("mode button"))
        w = st().cmdSpielen;
    if (where == QLatin1String("disabled")) {
        w = st().cmdSpielen;
        w->setEnabled(false);
    }
    if (where == QLatin1String("X"))
        w = st().Command1;
    const QPointF at = where == QLatin1String("divider") ? QPointF(300, 1) : QPointF(3, 3);
    QCOMPARE(testing::widgetUnder(w, at), w);
    mouse->click(w, at, Qt::RightButton);
    QCOMPARE(tw->dialog.colorShows, 0);
    QCOMPARE(st().Zeichnen, 0);
    QCOMPARE(st().picRahmen->backColor(), rgb(192, 192, 192));
}

QTEST_MAIN(TestSketch)
#include "tst_sketch.moc"
