#include "app.h"
#include "editor/editor.h"

namespace app {

using colors::rgb;

const QString SetModeHelp = QStringLiteral(
    "Ziehen Sie bis zu 32 Leerfelder von oben links in das Spielfeld. Mit den Cursortasten können Sie eine "
    "Feinjustierung vornehmen. Durch Anklicken mit der rechten Maustaste kann ein Feld wieder gelöscht werden. "
    "Klicken Sie danach auf >2. Felder verbinden<. Klicken Sie zum Schluß auf >3. Spielen< oder laden Sie gleich "
    "ein fertiges gespeichertes Spiel.");
const QString ConnectModeHelp = QStringLiteral(
    "Klicken Sie nacheinander zwei Felder an. Diese werden dann durch eine Kante verbunden. Gibt es schon eine "
    "Kante, so wird diese gelöscht.");
const QString PlayModeHelp = QStringLiteral(
    "Klicken Sie einen Spielstein neben dem freien Feld mit der linken Maustaste an, so bewegt er sich in das "
    "freie Feld. Klicken Sie ihn mit der rechten Maustaste an, so wird er gefärbt (Farbe oben). Ist >Kaskade< "
    "aktiviert, so rücken zwingende Steine nach.");

namespace {

constexpr colors::Color LampOff = rgb(80, 80, 80);
constexpr std::int16_t PointerSizeAll = 15;
constexpr std::int16_t PointerArrow = 1;

// The mode's tags, and outside play every token off the board and every field free.
void switchMode(BoardState &st, model::Mode mode, std::int16_t pointer)
{
    st.game.setMode(mode);
    st.showModes();
    st.clearHistory();
    st.game.tokensOff(pointer);
    st.showTokens();
    st.showFields();
}

} // namespace

void enterSetMode(BoardState &st)
{
    if (st.busy())
        return;
    st.setModeLamp->setFillColor(rgb(255, 0, 0));
    st.connectModeLamp->setFillColor(LampOff);
    st.playModeLamp->setFillColor(LampOff);
    switchMode(st, model::Mode::Set, PointerSizeAll);
    editor::redrawEdges(st);
    st.notes->setText(SetModeHelp);
}

void enterConnectMode(BoardState &st)
{
    if (st.busy())
        return;
    st.setModeLamp->setFillColor(LampOff);
    st.connectModeLamp->setFillColor(rgb(255, 255, 0));
    st.playModeLamp->setFillColor(LampOff);
    // Coming from set mode, red and yellow shine together.
    if (st.inSetMode())
        st.setModeLamp->setFillColor(rgb(255, 0, 0));
    switchMode(st, model::Mode::Connect, PointerArrow);
    editor::redrawEdges(st);
    st.notes->setText(ConnectModeHelp);
}

void enterPlayMode(BoardState &st)
{
    if (st.busy())
        return;
    st.setModeLamp->setFillColor(LampOff);
    st.connectModeLamp->setFillColor(LampOff);
    st.playModeLamp->setFillColor(rgb(0, 255, 0));
    st.game.setMode(model::Mode::Play);
    st.showModes();
    st.clearHistory();
    st.game.targetNumbering.reset();
    editor::redrawEdges(st);
    st.notes->setText(PlayModeHelp);
    st.game.tokensOff(PointerArrow);
    st.showTokens();
    st.showFields();

    // Tokens 0, 1, 2, ... on the board fields in index order; the last field stays free.
    st.game.layOutTokens();
    for (int k = 0; k < st.game.tokenCountOrZero(); ++k) {
        forms::PictureBox *z = st.tokens[size_t(k)];
        st.showToken(k);
        z->clear();
        z->printText(st.game.tokens[size_t(k)].text);
        z->raise();
        st.showField(st.game.startFields[size_t(k)]);
    }
}

} // namespace app
