// The widget layer: float geometry in container units, the retained drawing
// surface with its scales, and what mouse and keyboard events report.

#include "forms/controls.h"
#include "forms/picturebox.h"

#include <QSignalSpy>
#include <QtTest>

using forms::PictureBox;
using colors::rgb;

class TestForms : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> host;

    // A borderless drawing box at the host's corner, white, lines two pixels wide.
    PictureBox *canvas(float w, float h)
    {
        auto *b = new PictureBox(host.get(), 1.0f);
        b->setBorder(PictureBox::Border::None);
        b->setBounds(0, 0, w, h);
        b->setBackColor(rgb(255, 255, 255));
        b->setDrawWidth(2);
        return b;
    }

private slots:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(400, 300);
    }
    void cleanup() { host.reset(); }

    void fractionalPositionsAreKept()
    {
        auto *b = new PictureBox(host.get(), 1.0f);
        b->setBounds(13.5f, 20.25f, 47, 47);
        QCOMPARE(b->left(), 13.5f);
        QCOMPARE(b->top(), 20.25f);
        QCOMPARE(b->geometry(), QRect(14, 20, 47, 47));
        // Nudged by one unit, the box moves by one pixel.
        b->setLeft(b->left() + 1);
        QCOMPARE(b->geometry().x(), 15);
        b->setLeft(-10.5f);
        QCOMPARE(b->geometry().x(), -10);
        QCOMPARE(b->geometry().width(), 47);
    }

    void innerAreaAndUserScale()
    {
        auto *b = new PictureBox(host.get(), 1.0f);
        b->setBounds(0, 0, 42, 42);
        b->setFlat(true);
        QCOMPARE(b->borderWidth(), 1);
        QCOMPARE(b->innerWidthPx(), 40);
        b->setUserScale(0, 0, 1, 1);
        QCOMPARE(b->toPixels(QPointF(0.5, 0.25)), QPointF(20, 10));
        QCOMPARE(b->fromPixels(QPointF(10, 30)), QPointF(0.25, 0.75));
        b->setFlat(false);
        QCOMPARE(b->innerWidthPx(), 38);
        b->setBorder(PictureBox::Border::None);
        QCOMPARE(b->innerWidthPx(), 42);
        b->setTwipScale();
        QCOMPARE(b->scaleWidth(), 42.0f * 15);
    }

    void drawingIsRetainedUntilCleared()
    {
        auto *b = canvas(100, 100);
        QVERIFY(!b->hasDrawing());
        b->Line(10, 50, 90, 50, rgb(255, 0, 0));
        QCOMPARE(b->image().pixelColor(50, 50), QColor(255, 0, 0));
        QCOMPARE(b->image().pixelColor(50, 60), QColor(255, 255, 255));
        QCOMPARE(b->drawing().pixelColor(50, 60).alpha(), 0); // transparent beside the line
        b->setBackColor(rgb(0, 0, 255));
        QCOMPARE(b->image().pixelColor(50, 50), QColor(255, 0, 0));
        QCOMPARE(b->image().pixelColor(50, 60), QColor(0, 0, 255));
        b->Cls();
        QCOMPARE(b->image().pixelColor(50, 50), QColor(0, 0, 255));
        QVERIFY(!b->hasDrawing());
    }

    void linesFarOutsideAreClipped()
    {
        auto *b = canvas(100, 100);
        b->Lines({QLineF(-100000, 50, 100000, 50), QLineF(30, -1e6, 30, 1e6), QLineF(-5000, -5000, -10, -10),
                  QLineF(-1e5, -1e5, 1e5, 1e5)},
                 rgb(0, 0, 0));
        const QImage img = b->image();
        QCOMPARE(img.pixelColor(10, 50), QColor(0, 0, 0));
        QCOMPARE(img.pixelColor(30, 90), QColor(0, 0, 0));
        QCOMPARE(img.pixelColor(70, 70), QColor(0, 0, 0));
        QCOMPARE(img.pixelColor(90, 10), QColor(255, 255, 255));
    }

    void growingKeepsTheDrawing()
    {
        auto *b = canvas(50, 50);
        b->Line(5, 5, 45, 5, rgb(0, 0, 0));
        b->setWidth(200);
        b->Line(100, 20, 150, 20, rgb(0, 0, 0));
        QCOMPARE(b->image().pixelColor(20, 5), QColor(0, 0, 0));
        QCOMPARE(b->image().pixelColor(120, 20), QColor(0, 0, 0));
    }

    void circleAndLinesFollowTheUserScale()
    {
        auto *b = canvas(40, 40);
        b->setUserScale(0, 0, 1, 1);
        b->Circle(0.5f, 0.5f, 0.25f, rgb(0, 0, 192));
        // Radius 0.25 of 40 pixels: the ring passes 10 pixels right of the centre.
        QCOMPARE(b->image().pixelColor(30, 20), QColor(0, 0, 192));
        QCOMPARE(b->image().pixelColor(20, 20), QColor(255, 255, 255));
        // Two pixels wide: the row of the line and the one above it.
        b->Line(0, 0.875f, 1, 0.875f, rgb(0, 0, 192));
        QCOMPARE(b->image().pixelColor(20, 35), QColor(0, 0, 192));
        QCOMPARE(b->image().pixelColor(20, 34), QColor(0, 0, 192));
        QCOMPARE(b->image().pixelColor(20, 36), QColor(255, 255, 255));
        QCOMPARE(b->image().pixelColor(20, 33), QColor(255, 255, 255));
    }

    void printGoesToTheNextLine()
    {
        auto *b = canvas(100, 100);
        b->setForeColor(rgb(255, 255, 255));
        b->setBackColor(rgb(0, 0, 0));
        b->Cls();
        b->currentX = 30;
        b->Print(QStringLiteral("7"));
        QCOMPARE(b->currentX, 0.0f);
        const float lineHeight = b->currentY;
        QVERIFY(lineHeight > 5);
        b->Print(QStringLiteral("8"));
        QCOMPARE(b->currentY, 2 * lineHeight);
        // The first text stands right of x = 30, the second at the left edge.
        const QImage img = b->image();
        auto litIn = [&](int x0, int x1, int y0, int y1) {
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    if (img.pixelColor(x, y).red() > 128)
                        return true;
            return false;
        };
        QVERIFY(litIn(30, 60, 0, int(lineHeight)));
        QVERIFY(!litIn(0, 29, 0, int(lineHeight)));
        QVERIFY(litIn(0, 30, int(lineHeight), int(2 * lineHeight)));
    }

    void mouseEventsInTheBoxScale()
    {
        auto *b = new PictureBox(host.get(), 1.0f);
        b->setBounds(10, 10, 42, 42);
        b->setFlat(true);
        b->setUserScale(0, 0, 1, 1);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        QSignalSpy down(b, &PictureBox::mouseDown);
        QSignalSpy up(b, &PictureBox::mouseUp);
        QSignalSpy click(b, &PictureBox::click);
        // A double click as the platform delivers it: press, release, double-click
        // press, release. Its second press is no press of its own.
        QTest::mouseClick(b->surface(), Qt::LeftButton, {}, QPoint(20, 20));
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(20, 20), b->surface()->mapToGlobal(QPointF(20, 20)),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(b->surface(), &dbl);
        QTest::mouseRelease(b->surface(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(down.size(), 1);
        down.clear();
        up.clear();
        click.clear();
        // A press on the surface at its pixel (10, 30) is (0.25, 0.75) in the 0..1 scale.
        QTest::mousePress(b->surface(), Qt::RightButton, Qt::ShiftModifier, QPoint(10, 30));
        QCOMPARE(down.size(), 1);
        QCOMPARE(down[0][0].toInt(), 2);
        QCOMPARE(down[0][1].toInt(), 1);
        QCOMPARE(down[0][2].toFloat(), 0.25f);
        QCOMPARE(down[0][3].toFloat(), 0.75f);
        QTest::mouseRelease(b->surface(), Qt::RightButton, {}, QPoint(10, 30));
        QCOMPARE(up.size(), 1);
        QCOMPARE(click.size(), 0); // only the left button clicks
        QTest::mouseClick(b->surface(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(click.size(), 1);
        QCOMPARE(down.last()[0].toInt(), 1);
    }

    void keysAndFocus()
    {
        auto *b = new PictureBox(host.get(), 1.0f);
        b->setBounds(0, 0, 42, 42);
        auto *other = new PictureBox(host.get(), 1.0f);
        other->setBounds(100, 0, 42, 42);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        QSignalSpy keys(b, &PictureBox::keyDown);
        QSignalSpy got(b, &PictureBox::gotFocus);
        QSignalSpy lost(b, &PictureBox::lostFocus);
        QTest::mouseClick(b->surface(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(got.size(), 1);
        QTest::keyClick(b, Qt::Key_Left);
        QTest::keyClick(b, Qt::Key_Down);
        QTest::keyClick(b, Qt::Key_Q);
        QCOMPARE(keys.size(), 3);
        QCOMPARE(keys[0][0].toInt(), 37);
        QCOMPARE(keys[1][0].toInt(), 40);
        QCOMPARE(keys[2][0].toInt(), int('Q'));
        QTest::mouseClick(other->surface(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(lost.size(), 1);
    }

    void mousePointerCodes()
    {
        for (int code : {0, 15, 99})
            QVERIFY(PictureBox::isMousePointerCode(code));
        for (int code : {-1, 16, 98})
            QVERIFY(!PictureBox::isMousePointerCode(code));
        auto *b = new PictureBox(host.get(), 1.0f);
        b->setMousePointer(15);
        QCOMPARE(b->cursor().shape(), Qt::SizeAllCursor);
        b->setMousePointer(1);
        QCOMPARE(b->cursor().shape(), Qt::ArrowCursor);
    }

    void systemColours()
    {
        QCOMPARE(colors::ButtonFace, colors::Color(-2147483633));
        for (std::int64_t c : {std::int64_t(-2147483633), std::int64_t(16777215)})
            QVERIFY(colors::isValid(c));
        for (std::int64_t c : {std::int64_t(16777216), std::int64_t(-1), std::int64_t(0x8000001F) - (std::int64_t(1) << 32)})
            QVERIFY(!colors::isValid(c));
        QCOMPARE(colors::rgb(0, 0, 255), colors::Color(16711680));
        QCOMPARE(colors::toQColor(colors::rgb(1, 2, 3)), QColor(1, 2, 3));
        QCOMPARE(colors::toQColor(colors::ButtonFace), QGuiApplication::palette().color(QPalette::Button));
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
