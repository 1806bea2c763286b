#include "app.h"
#include "editor/editor.h"
#include "forms/numtext.h"

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
constexpr int PointerSizeAll = 15;
constexpr int PointerArrow = 1;

void setModeTags(BoardState &st, bool setOn, bool connectOn, bool playOn)
{
    st.setModeButton->setTag(setOn ? QStringLiteral("1") : QStringLiteral("0"));
    st.connectModeButton->setTag(connectOn ? QStringLiteral("1") : QStringLiteral("0"));
    st.playModeButton->setTag(playOn ? QStringLiteral("1") : QStringLiteral("0"));
}

// Outside play every token leaves the board and every field is free.
void tokensOff(BoardState &st, int pointer)
{
    for (int i = 0; i < FieldCount; ++i) {
        st.tokens[size_t(i)]->setVisible(false);
        st.tokens[size_t(i)]->setTag(QStringLiteral("-1"));
        st.fields[size_t(i)]->setToolTipText(FreeTip);
        st.fields[size_t(i)]->setMousePointer(pointer);
    }
}

} // namespace

void enterSetMode(BoardState &st)
{
    if (st.busy())
        return;
    st.setModeLamp->setFillColor(rgb(255, 0, 0));
    st.connectModeLamp->setFillColor(LampOff);
    st.playModeLamp->setFillColor(LampOff);
    setModeTags(st, true, false, false);
    st.clearHistory();
    tokensOff(st, PointerSizeAll);
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
    setModeTags(st, false, true, false);
    st.clearHistory();
    tokensOff(st, PointerArrow);
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
    setModeTags(st, false, false, true);
    st.clearHistory();
    st.targetNumbering.reset();
    editor::redrawEdges(st);
    st.notes->setText(PlayModeHelp);
    tokensOff(st, PointerArrow);

    std::int32_t n = -1;
    for (int i = 0; i < FieldCount; ++i) {
        if (st.onBoard(i)) {
            ++n;
            st.startFields[size_t(n)] = i;
        }
    }
    st.tokenCount = n;

    // Tokens 0, 1, 2, ... on the board fields in index order; the last field stays free.
    for (int k = 0; k < n; ++k) {
        const int f = st.startFields[size_t(k)];
        forms::PictureBox *z = st.tokens[size_t(k)];
        forms::PictureBox *field = st.fields[size_t(f)];
        z->setVisible(true);
        z->clear();
        z->printText(st.tokenTexts[size_t(k)]);
        z->setLeft(float(double(field->left()) + (double(field->width()) - double(z->width())) / 2));
        z->setTop(float(double(field->top()) + (double(field->height()) - double(z->height())) / 2));
        z->raise();
        z->setTag(numtext::tagText(std::int64_t(f)));
        field->setToolTipText(OccupiedTip);
    }
}

} // namespace app
