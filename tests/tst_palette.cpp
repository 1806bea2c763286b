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

private slots:
    void init();
    void cleanup();

    void startsRed();
    void fixedSwatchCopiesItsColour_data();
    void fixedSwatchCopiesItsColour();
    void barChoosesBothThroughTheDialog();
    void barDialogCancelledChangesNothing();
    void farbeWaehlenSetsOnlyTheBar();
    void farbeWaehlenCancelledChangesNothing();
    void otherButtonsDoNotClick();

private:
    BoardState &st() { return m_tw->st(); }
    testing::ScriptedDialog &dialog() { return m_tw->dialog; }
    void clickSwatch(int i) { QTest::mouseClick(st().Picture1[size_t(i)]->surface(), Qt::LeftButton); }
    void clickText1() { QTest::mouseClick(st().Text1, Qt::LeftButton); }
    // The fixed swatches keep their colours whatever is done with the palette.
    void checkFixedSwatches();

    std::unique_ptr<testing::TestWindow> m_tw;
};

void TestPalette::init()
{
    m_tw = std::make_unique<testing::TestWindow>();
    m_tw->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tw->window.get()));
}

void TestPalette::cleanup() { m_tw.reset(); }

void TestPalette::checkFixedSwatches()
{
    for (const Fixed &f : FixedSwatches)
        QCOMPARE(st().Picture1[size_t(f.index)]->backColor(), f.colour);
}

void TestPalette::startsRed()
{
    QCOMPARE(st().Picture1[0]->backColor(), Red);
    QCOMPARE(st().picsteinFarbe->backColor(), Red);
    checkFixedSwatches();
}

void TestPalette::fixedSwatchCopiesItsColour_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Color>("colour");
    for (const Fixed &f : FixedSwatches)
        QTest::addRow("Picture1(%d)", f.index) << f.index << f.colour;
}

void TestPalette::fixedSwatchCopiesItsColour()
{
    QFETCH(int, index);
    QFETCH(Color, colour);
    // Start from a colour none of the swatches has, so every copy shows.
    dialog().colors = {Teal};
    clickSwatch(0);
    QCOMPARE(st().Picture1[0]->backColor(), Teal);
    const Color previewBack = st().txtFeld->backColor();
    const Color previewText = st().txtFeld->foreColor();

    clickSwatch(index);
    QCOMPARE(st().Picture1[0]->backColor(), colour);
    QCOMPARE(st().picsteinFarbe->backColor(), colour);
    // No dialog for a fixed swatch; the text colour and the panel's preview stay.
    QCOMPARE(dialog().colorShows, 1);
    QCOMPARE(st().pictextfarbe->backColor(), rgb(255, 255, 255));
    QCOMPARE(st().txtFeld->backColor(), previewBack);
    QCOMPARE(st().txtFeld->foreColor(), previewText);
    checkFixedSwatches();
}

void TestPalette::barChoosesBothThroughTheDialog()
{
    dialog().colors = {Teal, Olive};
    clickSwatch(0);
    QCOMPARE(dialog().colorShows, 1);
    QCOMPARE(st().Picture1[0]->backColor(), Teal);
    QCOMPARE(st().picsteinFarbe->backColor(), Teal);
    editor::Picture1_Click(st(), 0);
    QCOMPARE(st().Picture1[0]->backColor(), Olive);
    QCOMPARE(st().picsteinFarbe->backColor(), Olive);
    checkFixedSwatches();
}

void TestPalette::barDialogCancelledChangesNothing()
{
    // Bar and stone swatch apart: the bar teal, the stone swatch still red, and the
    // dialog's last choice teal as well.
    dialog().colors = {Teal, std::nullopt};
    clickText1();
    QCOMPARE(st().Picture1[0]->backColor(), Teal);
    QCOMPARE(st().picsteinFarbe->backColor(), Red);

    clickSwatch(0);
    QCOMPARE(dialog().colorShows, 2);
    // Neither the dialog's answer nor the bar's colour reaches the stone swatch.
    QCOMPARE(st().Picture1[0]->backColor(), Teal);
    QCOMPARE(st().picsteinFarbe->backColor(), Red);
    checkFixedSwatches();
}

void TestPalette::farbeWaehlenSetsOnlyTheBar()
{
    dialog().colors = {Olive};
    clickText1();
    QCOMPARE(dialog().colorShows, 1);
    QCOMPARE(st().Picture1[0]->backColor(), Olive);
    QCOMPARE(st().picsteinFarbe->backColor(), Red);
    checkFixedSwatches();
}

void TestPalette::farbeWaehlenCancelledChangesNothing()
{
    // The dialog's last choice differs from the bar when the cancel comes.
    dialog().colors = {Olive, std::nullopt};
    clickText1();
    clickSwatch(6);
    QCOMPARE(st().Picture1[0]->backColor(), rgb(255, 255, 0));
    clickText1();
    QCOMPARE(dialog().colorShows, 2);
    QCOMPARE(st().Picture1[0]->backColor(), rgb(255, 255, 0));
    QCOMPARE(st().picsteinFarbe->backColor(), rgb(255, 255, 0));
    checkFixedSwatches();
}

void TestPalette::otherButtonsDoNotClick()
{
    // Only a left click picks a colour.
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(st().Picture1[6]->surface(), b);
        QTest::mouseClick(st().Picture1[0]->surface(), b);
        QTest::mouseClick(st().Text1, b);
    }
    QCOMPARE(dialog().colorShows, 0);
    QCOMPARE(st().Picture1[0]->backColor(), Red);
    checkFixedSwatches();
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
