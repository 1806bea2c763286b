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
const QColor Red(255, 0, 0), Grey(192, 192, 192), EdgeGrey(128, 128, 128), Green(10, 200, 30);
} // namespace

class TestSketch : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestWindow> tw;
    std::unique_ptr<testing::Mouse> mouse;
    app::BoardState &st() { return tw->st(); }
    QWidget *board() { return st().picRahmen->surface(); }
    forms::PictureBox *field(int i) { return st().picFeld[size_t(i)]; }
    QColor pixel(int x, int y) { return st().picRahmen->image().pixelColor(x, y); }

    // A left stroke over the free surface: (200, 300) -> (260, 300) -> (260, 360).
    void stroke()
    {
        mouse->press(board(), QPointF(200, 300));
        mouse->move(board(), QPointF(260, 300));
        mouse->move(board(), QPointF(260, 360));
        mouse->release(board(), QPointF(260, 360));
    }
    bool strokeThere() { return pixel(230, 300) == Red; }
    // A control to press on by name; play mode for the token.
    QWidget *control(const QString &name)
    {
        if (name == QLatin1String("field"))
            return field(5)->surface();
        if (name == QLatin1String("token")) {
            app::cmdSpielen_Click(st());
            return st().picZahl[0]->surface();
        }
        if (name == QLatin1String("lamps"))
            return st().Picture3->surface();
        if (name == QLatin1String("divider"))
            return st().Picture2->surface();
        if (name == QLatin1String("mode button") || name == QLatin1String("disabled")) {
            st().cmdSpielen->setEnabled(name == QLatin1String("mode button"));
            return st().cmdSpielen;
        }
        if (name == QLatin1String("X"))
            return st().Command1;
        return board();
    }

private slots:
    void init()
    {
        tw = std::make_unique<testing::TestWindow>();
        QVERIFY(tw->showActive());
        mouse = std::make_unique<testing::Mouse>(tw->window.get());
        // An edge from (121, 221) to (421, 221), clear of the stroke.
        testing::buildBoard(st(), QString(), {5, 6});
        field(5)->setPos(100, 200);
        field(6)->setPos(400, 200);
        st().Kante[5][6] = st().Kante[6][5] = 1;
        editor::KantenZeichnen(st());
    }
    void cleanup()
    {
        mouse.reset();
        tw.reset();
    }

    void leftDragDrawsPolyline()
    {
        mouse->press(board(), QPointF(200, 300));
        QCOMPARE(st().Zeichnen, 1);
        QCOMPARE(pixel(201, 300), Grey); // a press alone draws nothing
        mouse->move(board(), QPointF(260, 300));
        st().Picture1[0]->setBackColor(rgb(0, 0, 255)); // the pen colour is taken per segment
        mouse->move(board(), QPointF(260, 360));
        mouse->release(board(), QPointF(260, 360));
        QCOMPARE(st().Zeichnen, 0);

        // From the press point on, two pixels wide, in the current colour.
        QCOMPARE(pixel(201, 300), Red);
        int wide = 0;
        for (int y = 290; y <= 310; ++y)
            wide += pixel(230, y) == Red ? 1 : 0;
        QCOMPARE(wide, 2);
        QCOMPARE(pixel(260, 330), QColor(0, 0, 255));
        QCOMPARE(pixel(190, 300), Grey);
        QCOMPARE(pixel(260, 370), Grey);
        QCOMPARE(pixel(300, 221), EdgeGrey); // drawing adds, it does not redraw
        // A move after the release draws nothing more.
        mouse->move(board(), QPointF(300, 400));
        QCOMPARE(pixel(280, 380), Grey);
    }

    // The board keeps the pointer once the stroke has begun; the line runs on under the
    // field (hidden by it on screen).
    void strokeGoesOnOverFields()
    {
        mouse->press(board(), QPointF(60, 221));
        mouse->move(board(), QPointF(121, 221)); // the middle of field 5
        mouse->move(board(), QPointF(121, 300));
        mouse->release(board(), QPointF(121, 300));
        QCOMPARE(st().picRahmen->drawing().pixelColor(110, 221), Red);
        QCOMPARE(st().picRahmen->drawing().pixelColor(121, 260), Red);
        QCOMPARE(field(5)->left(), 100.0f); // no drag of the field
        QCOMPARE(st().Zeichnen, 0);
    }

    void noStroke_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        const int L = Qt::LeftButton, R = Qt::RightButton, none = Qt::NoButton;
        QTest::newRow("right drag") << "board" << R << none;
        QTest::newRow("middle drag") << "board" << int(Qt::MiddleButton) << none;
        QTest::newRow("left then right held") << "board" << L << R;
        QTest::newRow("right then left held") << "board" << R << L;
        QTest::newRow("left drag from a field, set mode") << "field" << L << none;
        QTest::newRow("left drag from a field, connect mode") << "field connect" << L << none;
        QTest::newRow("left drag from a token") << "token" << L << none;
        QTest::newRow("left drag from the lamp box") << "lamps" << L << none;
        QTest::newRow("left drag from the divider") << "divider" << L << none;
    }
    void noStroke()
    {
        QFETCH(QString, from);
        QFETCH(int, first);
        QFETCH(int, second);
        if (from == QLatin1String("field connect"))
            app::cmdVerbinden_Click(st());
        QWidget *w = control(from.section(QLatin1Char(' '), 0, 0));
        // Inside its sunken frame the divider is two pixels high.
        const QPointF at = w == board() ? QPointF(200, 300) : from == QLatin1String("divider") ? QPointF(300, 1)
                                                                                              : QPointF(3, 3);
        QCOMPARE(testing::widgetUnder(w, at), w);

        mouse->press(w, at, Qt::MouseButton(first));
        if (second)
            mouse->press(w, at, Qt::MouseButton(second));
        for (int i = 1; i <= 4; ++i)
            mouse->move(board(), QPointF(200 + 20 * i, 300 + 15 * i));
        if (second)
            mouse->release(board(), QPointF(280, 360), Qt::MouseButton(second));
        mouse->release(board(), QPointF(280, 360), Qt::MouseButton(first));

        const QImage img = st().picRahmen->drawing();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                QVERIFY(img.pixelColor(x, y) != Red);
        QCOMPARE(st().Zeichnen, 0);
    }

    // The erase button, a mode switch and a new board redraw the board.
    void strokeVanishesWithNextRedraw_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("mode");
        QTest::newRow("X, set mode") << "X" << "set";
        QTest::newRow("X, connect mode") << "X" << "connect";
        QTest::newRow("X, play mode") << "X" << "play";
        QTest::newRow("mode switch") << "mode" << "set";
        QTest::newRow("new board") << "neu" << "set";
    }
    void strokeVanishesWithNextRedraw()
    {
        QFETCH(QString, what);
        QFETCH(QString, mode);
        if (mode == QLatin1String("connect"))
            app::cmdVerbinden_Click(st());
        if (mode == QLatin1String("play"))
            app::cmdSpielen_Click(st());
        stroke();
        QVERIFY(strokeThere());
        // Something drawn on a field (a number, say) and on a field in the supply.
        field(5)->Line(0.1f, 0.1f, 0.9f, 0.9f, rgb(0, 0, 0));
        field(40)->Print(QStringLiteral("7"));
        const bool tokenDrawn = st().picZahl[0]->hasDrawing();

        if (what == QLatin1String("X")) {
            mouse->click(st().Command1, QPointF(st().Command1->rect().center()));
            QVERIFY(!field(5)->hasDrawing());
            QVERIFY(!field(40)->hasDrawing());
            QCOMPARE(st().picZahl[0]->hasDrawing(), tokenDrawn); // tokens keep their numbers
            QCOMPARE(pixel(300, 221), EdgeGrey);
        } else if (what == QLatin1String("mode")) {
            mouse->click(st().cmdVerbinden, QPointF(st().cmdVerbinden->rect().center()));
            QVERIFY(st().connectMode());
        } else {
            app::cmdneu_Click(st());
        }
        QVERIFY(!strokeThere());
    }

    void boardColourFromDialog()
    {
        stroke();
        field(5)->Line(0.1f, 0.1f, 0.9f, 0.9f, rgb(0, 0, 0));
        tw->dialog.colors.push_back(rgb(10, 200, 30));

        mouse->press(board(), QPointF(500, 400), Qt::RightButton);
        QCOMPARE(tw->dialog.colorShows, 1);
        QCOMPARE(st().Zeichnen, 1);
        QCOMPARE(st().AltX, 500.0);
        QCOMPARE(st().AltY, 400.0);
        QCOMPARE(st().picRahmen->backColor(), rgb(10, 200, 30));
        QCOMPARE(st().Picture5->backColor(), rgb(10, 200, 30));
        for (forms::Label *l : st().Label1)
            QCOMPARE(l->backColor(), rgb(10, 200, 30));
        // Erased and redrawn at once: the new ground, the edge, no stroke, no field drawing.
        QCOMPARE(pixel(300, 221), EdgeGrey);
        QCOMPARE(pixel(230, 300), Green);
        QVERIFY(!field(5)->hasDrawing());
        // The palette and the fields keep theirs.
        QCOMPARE(st().Picture1[0]->backColor(), rgb(255, 0, 0));
        QCOMPARE(field(5)->backColor(), rgb(255, 255, 255));

        mouse->release(board(), QPointF(500, 400), Qt::RightButton);
        QCOMPARE(st().Zeichnen, 0);
        stroke(); // the next stroke lies on the new ground
        QCOMPARE(pixel(230, 300), Red);
        QCOMPARE(pixel(230, 320), Green);
    }

    // Mend: a cancelled dialog applies no colour and does not clear the board.
    void cancelledDialogChangesNothing()
    {
        stroke();
        tw->dialog.Color = rgb(1, 2, 3); // whatever the dialog held: it is not applied
        tw->dialog.colors.push_back(std::nullopt);

        mouse->press(board(), QPointF(500, 400), Qt::RightButton);
        QCOMPARE(tw->dialog.colorShows, 1);
        QCOMPARE(st().Zeichnen, 1); // the pen still went down, as with any press
        QCOMPARE(st().AltX, 500.0);
        QCOMPARE(st().picRahmen->backColor(), rgb(192, 192, 192));
        QCOMPARE(st().Picture5->backColor(), rgb(192, 192, 192));
        for (forms::Label *l : st().Label1)
            QCOMPARE(l->backColor(), rgb(192, 192, 192));
        QVERIFY(strokeThere());
        mouse->release(board(), QPointF(500, 400), Qt::RightButton);
        QCOMPARE(st().Zeichnen, 0);
    }

    void rightPressOnControlsOpensNoDialog_data()
    {
        QTest::addColumn<QString>("where");
        for (const char *w : {"field", "token", "lamps", "divider", "mode button", "disabled", "X"})
            QTest::newRow(w) << w;
    }
    void rightPressOnControlsOpensNoDialog()
    {
        QFETCH(QString, where);
        tw->dialog.colors.push_back(rgb(10, 200, 30));
        QWidget *w = control(where);
        const QPointF at = where == QLatin1String("divider") ? QPointF(300, 1) : QPointF(3, 3);
        QCOMPARE(testing::widgetUnder(w, at), w);
        mouse->click(w, at, Qt::RightButton);
        QCOMPARE(tw->dialog.colorShows, 0);
        QCOMPARE(st().Zeichnen, 0);
        QCOMPARE(st().picRahmen->backColor(), rgb(192, 192, 192));
    }
};

QTEST_MAIN(TestSketch)
#include "tst_sketch.moc"
