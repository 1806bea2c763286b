// The common field size: the scroll bar resizes every field about its centre, live
// while its thumb moves, and "n" brings the normal size back.

#include "app/app.h"
#include "editor/editor.h"
#include "support/mousedriver.h"
#include "support/testwindow.h"

#include <QStyleOptionSlider>
#include <QtTest>
#include <memory>

using colors::rgb;

namespace {

// Where the parts of a scroll bar lie, as its style draws them.
struct ScrollBarParts : QScrollBar {
    static QRect rect(const QScrollBar *bar, QStyle::SubControl part)
    {
        QStyleOptionSlider opt;
        (bar->*(&ScrollBarParts::initStyleOption))(&opt);
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
    }
};

QPointF centreOf(const forms::PictureBox *f) { return {f->left() + f->width() / 2, f->top() + f->height() / 2}; }

} // namespace

class TestFieldSize : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestWindow> tw;
    app::BoardState &st() { return tw->st(); }
    forms::PictureBox *field(int i) { return st().picFeld[size_t(i)]; }
    QList<QPointF> centres()
    {
        QList<QPointF> c;
        for (int i = 0; i < app::FieldCount; ++i)
            c << centreOf(field(i));
        return c;
    }
    void show()
    {
        tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(tw->window.get()));
    }
    // Every field has the size and its 0..1 scale spans its inner area.
    void checkAllSized(int size)
    {
        for (int i = 0; i < app::FieldCount; ++i) {
            const forms::PictureBox *f = field(i);
            QCOMPARE(f->width(), float(size));
            QCOMPARE(f->height(), float(size));
            QCOMPARE(f->fromPixels(QPointF(f->innerWidthPx(), f->innerHeightPx())), QPointF(1, 1));
            QCOMPARE(f->fromPixels(QPointF(0, 0)), QPointF(0, 0));
        }
    }

private slots:
    void init()
    {
        tw = std::make_unique<testing::TestWindow>();
        // Known places: a board field, a field exactly at the supply point, a half pixel.
        field(5)->setPos(100, 200);
        field(5)->setTag(QStringLiteral("1"));
        field(6)->setPos(16, 36);
        field(7)->setPos(33.5f, 250);
        field(7)->setTag(QStringLiteral("1"));
    }

    void cleanup() { tw.reset(); }

    void resizeKeepsCentres_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<float>("left5");
        QTest::addColumn<float>("left6");
        QTest::addColumn<float>("left7");
        QTest::newRow("44, even") << 44 << 99.0f << 15.0f << 32.5f;
        QTest::newRow("47, odd") << 47 << 97.5f << 13.5f << 31.0f;
        QTest::newRow("41, one smaller") << 41 << 100.5f << 16.5f << 34.0f;
        QTest::newRow("12, smallest") << 12 << 115.0f << 31.0f << 48.5f;
        QTest::newRow("60, largest") << 60 << 91.0f << 7.0f << 24.5f;
    }

    void resizeKeepsCentres()
    {
        QFETCH(int, size);
        QFETCH(float, left5);
        QFETCH(float, left6);
        QFETCH(float, left7);
        const auto before = centres();

        st().VScroll1->setValue(size);
        checkAllSized(size);
        QCOMPARE(field(5)->left(), left5);
        QCOMPARE(field(5)->top(), 200 + (left5 - 100));
        QCOMPARE(field(6)->left(), left6);
        QCOMPARE(field(6)->top(), 36 + (left6 - 16));
        QCOMPARE(field(7)->left(), left7);
        QCOMPARE(centres(), before); // the supply pile too: every centre stays
        QCOMPARE(field(5)->tag(), QStringLiteral("1"));
        QCOMPARE(field(6)->tag(), QStringLiteral("0"));

        // Through another size and back with "n": exactly where they were.
        st().VScroll1->setValue(size == 47 ? 20 : 47);
        st().Command12->click();
        QCOMPARE(st().VScroll1->value(), 42);
        checkAllSized(42);
        const QList<QPointF> back{{field(5)->left(), field(5)->top()}, {field(6)->left(), field(6)->top()},
                                  {field(7)->left(), field(7)->top()}};
        QCOMPARE(back, (QList<QPointF>{{100, 200}, {16, 36}, {33.5, 250}}));
    }

    void resizeDoesNotRedraw_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("set") << "set";
        QTest::newRow("play") << "play";
    }

    void resizeDoesNotRedraw()
    {
        QFETCH(QString, mode);
        st().Kante[5][7] = st().Kante[7][5] = 1;
        if (mode == QLatin1String("play"))
            app::cmdSpielen_Click(st());
        else
            editor::KantenZeichnen(st());
        st().picRahmen->Line(300, 400, 360, 400, rgb(255, 0, 0));
        const QImage drawn = st().picRahmen->drawing();

        st().VScroll1->setValue(51);
        QCOMPARE(field(5)->width(), 51.0f); // the bar works in every mode
        QCOMPARE(st().picRahmen->drawing(), drawn);
        st().VScroll1->setValue(13);
        QCOMPARE(st().picRahmen->drawing(), drawn);
    }

    void tokensKeepPlaceAndSize()
    {
        app::cmdSpielen_Click(st());
        forms::PictureBox *z = st().picZahl[0];
        QCOMPARE(z->tag(), QStringLiteral("5"));
        const float l = z->left(), t = z->top();
        st().VScroll1->setValue(20); // smaller than the token
        QCOMPARE(z->left(), l);
        QCOMPARE(z->top(), t);
        QCOMPARE(z->width(), 32.0f);
        QCOMPARE(z->height(), 32.0f);
        // Still centred: the field's centre stayed.
        QCOMPARE(centreOf(z), centreOf(field(5)));
    }

    // A press in the middle of a resized field is still the middle of its 0..1 scale.
    void grabPointFollowsNewSize()
    {
        st().VScroll1->setValue(22); // inner area 20 x 20
        show();
        forms::PictureBox *f = field(5);
        QCOMPARE(f->innerWidthPx(), 20);
        testing::Mouse mouse(tw->window.get());
        mouse.press(f->surface(), QPointF(5, 15));
        QCOMPARE(st().GriffX, 0.25f);
        QCOMPARE(st().GriffY, 0.75f);
        mouse.move(st().picRahmen->surface(), QPointF(200.0, 300.0));
        mouse.release(st().picRahmen->surface(), QPointF(200.0, 300.0));
        QCOMPARE(f->left(), 194.0f); // floor(200 - 22 * 0.25)
        QCOMPARE(f->top(), 283.0f);  // floor(300 - 22 * 0.75)
    }

    // The bar's upper end is the small size; an arrow steps 1, a click in the track 5.
    void arrowsStepOneTrackStepsFive_data()
    {
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("size");
        QTest::newRow("upper arrow") << int(QStyle::SC_ScrollBarSubLine) << 41;
        QTest::newRow("lower arrow") << int(QStyle::SC_ScrollBarAddLine) << 43;
        QTest::newRow("track above the thumb") << int(QStyle::SC_ScrollBarSubPage) << 37;
        QTest::newRow("track below the thumb") << int(QStyle::SC_ScrollBarAddPage) << 47;
    }

    void arrowsStepOneTrackStepsFive()
    {
        QFETCH(int, part);
        QFETCH(int, size);
        show();
        QScrollBar *bar = st().VScroll1;
        const QRect r = ScrollBarParts::rect(bar, QStyle::SubControl(part));
        QVERIFY2(!r.isEmpty(), "the part has room to be clicked");
        testing::Mouse mouse(tw->window.get());
        mouse.click(bar, QPointF(r.center()));
        QCOMPARE(bar->value(), size);
        checkAllSized(size);
    }

    void thumbDragResizesLive()
    {
        show();
        QScrollBar *bar = st().VScroll1;
        const QRect thumb = ScrollBarParts::rect(bar, QStyle::SC_ScrollBarSlider);
        const QRect groove = ScrollBarParts::rect(bar, QStyle::SC_ScrollBarGroove);
        QVERIFY2(thumb.height() < groove.height(), "the thumb has room to move");
        const QPointF grip = QPointF(thumb.center());
        const QPointF centre5 = centreOf(field(5));
        testing::Mouse mouse(tw->window.get());

        mouse.press(bar, grip);
        // Down step by step: the fields follow before the button goes up.
        int last = bar->value();
        int seen = 0;
        for (int dy = 1; dy <= groove.height(); ++dy) {
            mouse.move(bar, grip + QPointF(0, dy));
            const int v = bar->value();
            QVERIFY(v >= last);
            if (v != last)
                ++seen;
            last = v;
            QCOMPARE(field(5)->width(), float(v));
            QCOMPARE(centreOf(field(5)), centre5);
        }
        QCOMPARE(bar->value(), 60);
        QVERIFY(seen >= 3);
        mouse.move(bar, grip - QPointF(0, groove.height()));
        QCOMPARE(bar->value(), 12);
        checkAllSized(12);
        mouse.release(bar, grip - QPointF(0, groove.height()));
        QCOMPARE(centreOf(field(5)), centre5);
        QCOMPARE(field(7)->left(), 48.5f);
    }
};

QTEST_MAIN(TestFieldSize)
#include "tst_fieldsize.moc"
