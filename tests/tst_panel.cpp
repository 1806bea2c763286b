// The token properties panel: stone colour, text colour and text of one token.

#include "app/app.h"
#include "appearance/appearance.h"
#include "editor/editor.h"
#include "support/testwindow.h"

#include "play/play.h"

#include <QtTest>

using app::BoardState;
using colors::Color;
using colors::rgb;

namespace {

const Color Blue = rgb(0, 0, 255);
const Color White = rgb(255, 255, 255);
const Color Red = rgb(255, 0, 0);
const Color Yellow = rgb(255, 255, 0);
const Color Teal = rgb(0, 128, 128);
const Color Olive = rgb(128, 128, 0);
const Color Pink = rgb(255, 128, 192);

using play::openPanel;

bool transparent(const QImage &img)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (qAlpha(a.pixel(x, y)) != 0)
                return false;
    return true;
}

} // namespace

class TestPanel : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_tw = std::make_unique<testing::TestWindow>();
        m_tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tw->window.get()));
        // Three tokens on fields 0, 1 and 2; field 3 is free.
        testing::buildBoard(st(), QStringLiteral("0-1 1-2 2-3"));
        app::cmdSpielen_Click(st());
        QCOMPARE(st().steinzahl(), 3);
    }

    void cleanup() { m_tw.reset(); }

    void startsWithItsColoursAndTexts()
    {
        QCOMPARE(st().picsteinFarbe->backColor(), Red);
        QCOMPARE(st().pictextfarbe->backColor(), White);
        QCOMPARE(st().Command11->text(), QStringLiteral("x"));
        QCOMPARE(st().picsteinFarbe->toolTipText(), QStringLiteral("Steinfarbe"));
        QCOMPARE(st().pictextfarbe->toolTipText(), QStringLiteral("Textfarbe"));
        QCOMPARE(st().txtFeld->toolTipText(), QStringLiteral("Stein-Text"));
    }

    void colourOkAppliesSwatchesAndTheBoxText()
    {
        openPanel(st(), 1);
        QVERIFY(st().picEigenschaften->isVisible());
        QCOMPARE(st().txtFeld->text(), QStringLiteral(" 2"));
        st().txtFeld->setText(QStringLiteral("Q7"));
        dialog().colors = {Teal, Olive};
        clickSwatch(st().picsteinFarbe);
        clickSwatch(st().pictextfarbe);
        QCOMPARE(dialog().colorShows, 2);
        QCOMPARE(st().picsteinFarbe->backColor(), Teal);
        QCOMPARE(st().pictextfarbe->backColor(), Olive);
        QCOMPARE(st().txtFeld->backColor(), Teal);
        QCOMPARE(st().txtFeld->foreColor(), Olive);
        const QImage other0 = token(0)->drawing(), other2 = token(2)->drawing();

        click(st().Command9);
        QVERIFY(!st().picEigenschaften->visible());
        QCOMPARE(token(1)->backColor(), Teal);
        QCOMPARE(token(1)->foreColor(), Olive);
        QVERIFY(token(1)->drawing() == face(QStringLiteral("Q7"), Olive));
        // The stored text stays: the next redraw of the token texts shows it again.
        QCOMPARE(st().Steintext[1], QStringLiteral(" 2"));
        for (int t : {0, 2}) {
            QCOMPARE(token(t)->backColor(), Blue);
            QCOMPARE(token(t)->foreColor(), White);
        }
        QVERIFY(token(0)->drawing() == other0);
        QVERIFY(token(2)->drawing() == other2);

        app::cmdSpielen_Click(st());
        QVERIFY(token(1)->drawing() == face(QStringLiteral(" 2"), Olive));
        QCOMPARE(token(1)->backColor(), Teal);
    }

    void textOkStoresTextAndKeepsColours()
    {
        openPanel(st(), 2);
        // Colours chosen but not applied: they wait in the swatches.
        editor::Picture1_Click(st(), 6);
        dialog().colors = {Pink};
        appearance::pictextfarbe_Click(st());
        st().txtFeld->setText(QStringLiteral("Neu"));

        click(st().cmdtxtFeld);
        QVERIFY(!st().picEigenschaften->visible());
        QCOMPARE(st().Steintext[2], QStringLiteral("Neu"));
        QCOMPARE(token(2)->backColor(), Blue);
        QCOMPARE(token(2)->foreColor(), White);
        QVERIFY(token(2)->drawing() == face(QStringLiteral("Neu"), White));
        QCOMPARE(st().picsteinFarbe->backColor(), Yellow);
        QCOMPARE(st().pictextfarbe->backColor(), Pink);

        // A later colour "ok" applies them, with the stored text.
        openPanel(st(), 2);
        QCOMPARE(st().txtFeld->text(), QStringLiteral("Neu"));
        click(st().Command9);
        QCOMPARE(token(2)->backColor(), Yellow);
        QCOMPARE(token(2)->foreColor(), Pink);
        QVERIFY(token(2)->drawing() == face(QStringLiteral("Neu"), Pink));
        // Play starts afresh with the stored text.
        app::cmdSpielen_Click(st());
        QVERIFY(token(2)->drawing() == face(QStringLiteral("Neu"), Pink));
    }

    void emptyText_data()
    {
        QTest::addColumn<bool>("textOk");
        QTest::newRow("text ok") << true;
        QTest::newRow("colour ok") << false;
    }

    void emptyText()
    {
        QFETCH(bool, textOk);
        QVERIFY(!transparent(token(1)->drawing()));
        openPanel(st(), 1);
        st().txtFeld->clear();
        if (textOk)
            appearance::cmdtxtFeld_Click(st());
        else
            appearance::Command9_Click(st());
        // The face is cleared and nothing is drawn on it.
        QVERIFY(transparent(token(1)->drawing()));
        QCOMPARE(st().Steintext[1], textOk ? QString() : QStringLiteral(" 2"));
        QVERIFY(!st().picEigenschaften->visible());
    }

    void paletteClickWhileOpen()
    {
        openPanel(st(), 0);
        QTest::mouseClick(st().Picture1[6]->surface(), Qt::LeftButton);
        QCOMPARE(st().picsteinFarbe->backColor(), Yellow);
        // The preview keeps the token's own colours.
        QCOMPARE(st().txtFeld->backColor(), Blue);
        QCOMPARE(st().txtFeld->foreColor(), White);
        QVERIFY(st().picEigenschaften->visible());
        appearance::Command9_Click(st());
        QCOMPARE(token(0)->backColor(), Yellow);
        QCOMPARE(token(0)->foreColor(), White);
    }

    void swatchDialogs_data()
    {
        QTest::addColumn<bool>("stone");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("stone colour chosen") << true << true;
        QTest::newRow("stone colour cancelled") << true << false;
        QTest::newRow("text colour chosen") << false << true;
        QTest::newRow("text colour cancelled") << false << false;
    }

    void swatchDialogs()
    {
        QFETCH(bool, stone);
        QFETCH(bool, confirmed);
        openPanel(st(), 1);
        // The dialog's last choice differs from everything the panel shows.
        dialog().Color = Pink;
        dialog().colors = {confirmed ? std::optional<Color>(Teal) : std::nullopt};
        clickSwatch(stone ? st().picsteinFarbe : st().pictextfarbe);
        QCOMPARE(dialog().colorShows, 1);

        const Color chosen = confirmed ? Teal : (stone ? Red : White);
        const Color preview = confirmed ? Teal : (stone ? Blue : White);
        // The chosen swatch and its side of the preview change; the other side stays.
        QCOMPARE(st().picsteinFarbe->backColor(), stone ? chosen : Red);
        QCOMPARE(st().txtFeld->backColor(), stone ? preview : Blue);
        QCOMPARE(st().pictextfarbe->backColor(), stone ? White : chosen);
        QCOMPARE(st().txtFeld->foreColor(), stone ? White : preview);
        // Choosing applies nothing to the token and leaves the panel open.
        QCOMPARE(token(1)->backColor(), Blue);
        QCOMPARE(token(1)->foreColor(), White);
        QVERIFY(st().picEigenschaften->visible());
    }

    void closeAppliesNothingSwatchesStay()
    {
        const QImage before = token(1)->drawing();
        openPanel(st(), 1);
        st().txtFeld->setText(QStringLiteral("weg"));
        dialog().colors = {Teal, Olive};
        appearance::picsteinFarbe_Click(st());
        appearance::pictextfarbe_Click(st());
        click(st().Command11);
        QVERIFY(!st().picEigenschaften->visible());
        QCOMPARE(token(1)->backColor(), Blue);
        QCOMPARE(token(1)->foreColor(), White);
        QVERIFY(token(1)->drawing() == before);
        QCOMPARE(st().Steintext[1], QStringLiteral(" 2"));

        // Opened on token 0: the preview shows token 0, the swatches what was chosen last.
        openPanel(st(), 0);
        QCOMPARE(st().txtFeld->backColor(), Blue);
        QCOMPARE(st().txtFeld->foreColor(), White);
        QCOMPARE(st().picsteinFarbe->backColor(), Teal);
        QCOMPARE(st().pictextfarbe->backColor(), Olive);
        appearance::Command9_Click(st());
        QCOMPARE(token(0)->backColor(), Teal);
        QCOMPARE(token(0)->foreColor(), Olive);
    }

    void followsAnotherToken()
    {
        openPanel(st(), 0);
        st().txtFeld->setText(QStringLiteral("A"));
        openPanel(st(), 2);
        QCOMPARE(st().txtFeld->text(), QStringLiteral(" 3"));
        st().txtFeld->setText(QStringLiteral("Z"));
        appearance::cmdtxtFeld_Click(st());
        QCOMPARE(st().Steintext[2], QStringLiteral("Z"));
        QCOMPARE(st().Steintext[0], QStringLiteral(" 1"));
        QVERIFY(token(0)->drawing() == face(QStringLiteral(" 1"), White));
    }

    void staysAcrossModeChanges_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("set") << 0;
        QTest::newRow("play again") << 2;
    }

    void staysAcrossModeChanges()
    {
        QFETCH(int, mode);
        openPanel(st(), 1);
        const QPoint where = st().picEigenschaften->pos();
        forms::CommandButton *buttons[3] = {st().cmdSetzen, st().cmdVerbinden, st().cmdSpielen};
        QTest::mouseClick(buttons[mode], Qt::LeftButton);
        QVERIFY(st().picEigenschaften->visible());
        QCOMPARE(st().picEigenschaften->pos(), where);
        QCOMPARE(st().AktStein, 1);

        // An "ok" still goes to token 1, on the board or not.
        st().txtFeld->setText(QStringLiteral("M"));
        dialog().colors = {Olive};
        appearance::picsteinFarbe_Click(st());
        appearance::Command9_Click(st());
        QCOMPARE(token(1)->backColor(), Olive);
        QCOMPARE(st().Steintext[1], QStringLiteral(" 2"));
        openPanel(st(), 1);
        st().txtFeld->setText(QStringLiteral("M"));
        appearance::cmdtxtFeld_Click(st());
        QCOMPARE(st().Steintext[1], QStringLiteral("M"));
        app::cmdSpielen_Click(st());
        QVERIFY(token(1)->visible());
        QCOMPARE(token(1)->backColor(), Olive);
        QVERIFY(token(1)->drawing() == face(QStringLiteral("M"), White));
        QCOMPARE(testing::checkInvariants(st()), QString());
    }

private:
    BoardState &st() { return m_tw->st(); }
    testing::ScriptedDialog &dialog() { return m_tw->dialog; }
    forms::PictureBox *token(int t) { return st().picZahl[size_t(t)]; }
    // What a token shows with the given text and text colour, drawn on a spare token.
    QImage face(const QString &text, Color textColour);
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
    void clickSwatch(forms::PictureBox *p) { QTest::mouseClick(p->surface(), Qt::LeftButton); }

    std::unique_ptr<testing::TestWindow> m_tw;
};

QImage TestPanel::face(const QString &text, Color textColour)
{
    // Shown for the drawing, so its inner area has its laid-out size.
    forms::PictureBox *spare = token(60);
    spare->setVisible(true);
    spare->setForeColor(textColour);
    spare->Cls();
    spare->Print(text);
    const QImage img = spare->drawing();
    spare->setVisible(false);
    return img;
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
