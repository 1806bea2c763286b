#include "app.h"
#include "editor/editor.h"
#include "forms/numtext.h"

namespace app {

using colors::rgb;

const QString HilfeSetzen = QStringLiteral(
    "Ziehen Sie bis zu 32 Leerfelder von oben links in das Spielfeld. Mit den Cursortasten können Sie eine "
    "Feinjustierung vornehmen. Durch Anklicken mit der rechten Maustaste kann ein Feld wieder gelöscht werden. "
    "Klicken Sie danach auf >2. Felder verbinden<. Klicken Sie zum Schluß auf >3. Spielen< oder laden Sie gleich "
    "ein fertiges gespeichertes Spiel.");
const QString HilfeVerbinden = QStringLiteral(
    "Klicken Sie nacheinander zwei Felder an. Diese werden dann durch eine Kante verbunden. Gibt es schon eine "
    "Kante, so wird diese gelöscht.");
const QString HilfeSpielen = QStringLiteral(
    "Klicken Sie einen Spielstein neben dem freien Feld mit der linken Maustaste an, so bewegt er sich in das "
    "freie Feld. Klicken Sie ihn mit der rechten Maustaste an, so wird er gefärbt (Farbe oben). Ist >Kaskade< "
    "aktiviert, so rücken zwingende Steine nach.");

namespace {

constexpr colors::Color Dunkel = rgb(80, 80, 80);
constexpr int PointerSizeAll = 15;
constexpr int PointerArrow = 1;

void setModeTags(BoardState &st, bool setzen, bool verbinden, bool spielen)
{
    st.cmdSetzen->setTag(setzen ? QStringLiteral("1") : QStringLiteral("0"));
    st.cmdVerbinden->setTag(verbinden ? QStringLiteral("1") : QStringLiteral("0"));
    st.cmdSpielen->setTag(spielen ? QStringLiteral("1") : QStringLiteral("0"));
}

// Outside play every token leaves the board and every field is free.
void tokensOff(BoardState &st, int pointer)
{
    for (int i = 0; i < FieldCount; ++i) {
        st.picZahl[size_t(i)]->setVisible(false);
        st.picZahl[size_t(i)]->setTag(QStringLiteral("-1"));
        st.picFeld[size_t(i)]->setToolTipText(Frei);
        st.picFeld[size_t(i)]->setMousePointer(pointer);
    }
}

} // namespace

void cmdSetzen_Click(BoardState &st)
{
    if (st.busy())
        return;
    st.shpSetzen->setFillColor(rgb(255, 0, 0));
    st.shpVerbinden->setFillColor(Dunkel);
    st.shpSpielen->setFillColor(Dunkel);
    setModeTags(st, true, false, false);
    st.clearHistory();
    tokensOff(st, PointerSizeAll);
    editor::KantenZeichnen(st);
    st.Text5->setText(HilfeSetzen);
}

void cmdVerbinden_Click(BoardState &st)
{
    if (st.busy())
        return;
    st.shpSetzen->setFillColor(Dunkel);
    st.shpVerbinden->setFillColor(rgb(255, 255, 0));
    st.shpSpielen->setFillColor(Dunkel);
    // Coming from set mode, red and yellow shine together.
    if (st.setMode())
        st.shpSetzen->setFillColor(rgb(255, 0, 0));
    setModeTags(st, false, true, false);
    st.clearHistory();
    tokensOff(st, PointerArrow);
    editor::KantenZeichnen(st);
    st.Text5->setText(HilfeVerbinden);
}

void cmdSpielen_Click(BoardState &st)
{
    if (st.busy())
        return;
    st.shpSetzen->setFillColor(Dunkel);
    st.shpVerbinden->setFillColor(Dunkel);
    st.shpSpielen->setFillColor(rgb(0, 255, 0));
    setModeTags(st, false, false, true);
    st.clearHistory();
    st.targetNumbering.reset();
    editor::KantenZeichnen(st);
    st.Text5->setText(HilfeSpielen);
    tokensOff(st, PointerArrow);

    std::int32_t n = -1;
    for (int i = 0; i < FieldCount; ++i) {
        if (st.onBoard(i)) {
            ++n;
            st.Feldnummer[size_t(n)] = i;
        }
    }
    st.Steinzahl = n;

    // Tokens 0, 1, 2, ... on the board fields in index order; the last field stays free.
    for (int k = 0; k < n; ++k) {
        const int f = st.Feldnummer[size_t(k)];
        forms::PictureBox *z = st.picZahl[size_t(k)];
        forms::PictureBox *field = st.picFeld[size_t(f)];
        z->setVisible(true);
        z->Cls();
        z->Print(st.Steintext[size_t(k)]);
        z->setLeft(float(double(field->left()) + (double(field->width()) - double(z->width())) / 2));
        z->setTop(float(double(field->top()) + (double(field->height()) - double(z->height())) / 2));
        z->raise();
        z->setTag(numtext::tagText(std::int64_t(f)));
        field->setToolTipText(Besetzt);
    }
}

} // namespace app
