// The colour palette: the bar Picture1(0) holds the current colour, the eight fixed
// swatches below it copy theirs into the bar and the panel's stone swatch, and the
// colour dialog is reached through the bar and through "Farbe wählen".

#include "editor/editor.h"
#include "support/testwindow.h"

#include <QtTest>

using app::BoardState;
using colors::Color;
using colors::rgb;

namespace {

struct Fixed { int index; Color colour; };
// The fixed swatches as the palette is laid out.
const Fixed FixedSwatches[] = {
    {8, rgb(128, 128, 128)}, {3, rgb(0, 0, 255)},   {4, rgb(0, 0, 128)},     {2, rgb(192, 0, 0)},
    {7, rgb(255, 255, 255)}, {6, rgb(255, 255, 0)}, {1, rgb(128, 255, 128)}, {5, rgb(255, 0, 0)},
};

const Color Red = rgb(255, 0, 0);
const Color Teal = rgb(0, 128, 128);
const Color Olive = rgb(128, 128, 0);

} // namespace

class TestPalette : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::TestWindow> m_tw;
    BoardState &st() { return m_tw->st(); }
    testing::ScriptedDialog &dialog() { return m_tw->dialog; }
    Color bar() { return st().Picture1[0]->backColor(); }
    Color stone() { return st().picsteinFarbe->backColor(); }
    void clickSwatch(int i, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(st().Picture1[size_t(i)]->surface(), b);
    }
    void clickText1(Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(st().Text1, b); }
    // The fixed swatches keep their colours whatever is done with the palette.
    void checkFixedSwatches()
    {
        for (const Fixed &f : FixedSwatches)
            QCOMPARE(st().Picture1[size_t(f.index)]->backColor(), f.colour);
    }

private slots:
    void init()
    {
        m_tw = std::make_unique<testing::TestWindow>();
        m_tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tw->window.get()));
    }
    void cleanup() { m_tw.reset(); }

    void fixedSwatchCopiesItsColour_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<Color>("colour");
        for (const Fixed &f : FixedSwatches)
            QTest::addRow("Picture1(%d)", f.index) << f.index << f.colour;
    }
    void fixedSwatchCopiesItsColour()
    {
        QFETCH(int, index);
        QFETCH(Color, colour);
        // Start from a colour none of the swatches has, so every copy shows.
        dialog().colors = {Teal};
        clickSwatch(0);
        QCOMPARE(bar(), Teal);
        const Color previewBack = st().txtFeld->backColor(), previewText = st().txtFeld->foreColor();

        clickSwatch(index);
        QCOMPARE(bar(), colour);
        QCOMPARE(stone(), colour);
        // No dialog for a fixed swatch; the text colour and the panel's preview stay.
        QCOMPARE(dialog().colorShows, 1);
        QCOMPARE(st().pictextfarbe->backColor(), rgb(255, 255, 255));
        QCOMPARE(st().txtFeld->backColor(), previewBack);
        QCOMPARE(st().txtFeld->foreColor(), previewText);
        checkFixedSwatches();
    }

    // The bar chooses both colours through the dialog, "Farbe wählen" only the bar's;
    // a cancel changes nothing, not even by copying the bar into the stone swatch.
    void dialogPaths_data()
    {
        QTest::addColumn<bool>("viaBar");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<Color>("barAfter");
        QTest::addColumn<Color>("stoneAfter");
        QTest::newRow("bar, chosen") << true << true << Olive << Olive;
        QTest::newRow("bar, cancelled") << true << false << Teal << Red;
        QTest::newRow("Farbe wählen, chosen") << false << true << Olive << Red;
        QTest::newRow("Farbe wählen, cancelled") << false << false << Teal << Red;
    }
    void dialogPaths()
    {
        QFETCH(bool, viaBar);
        QFETCH(bool, confirmed);
        QFETCH(Color, barAfter);
        QFETCH(Color, stoneAfter);
        // Bar and stone swatch apart, and the dialog's last colour differs from both.
        dialog().colors = {Teal};
        clickText1();
        QCOMPARE(bar(), Teal);
        QCOMPARE(stone(), Red);
        dialog().Color = rgb(255, 128, 192);
        dialog().colors = {confirmed ? std::optional<Color>(Olive) : std::nullopt};

        if (viaBar)
            clickSwatch(0);
        else
            clickText1();
        QCOMPARE(dialog().colorShows, 2);
        QCOMPARE(bar(), barAfter);
        QCOMPARE(stone(), stoneAfter);
        checkFixedSwatches();
    }

    void otherButtonsDoNotClick()
    {
        for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
            clickSwatch(6, b);
            clickSwatch(0, b);
            clickText1(b);
        }
        QCOMPARE(dialog().colorShows, 0);
        QCOMPARE(bar(), Red);
        QCOMPARE(stone(), Red);
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
