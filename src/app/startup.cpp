#include "app.h"
#include "editor/editor.h"
#include "forms/numtext.h"

namespace app {

using colors::rgb;

namespace {
constexpr float Twips = forms::TwipsPerPixel;
const QString TokenTip = QStringLiteral("Maus links: ziehen, Maus rechts: färben");
} // namespace

void Form_Load(BoardState &st)
{
    st.image2->setVisible(false);

    // The normal view, for the view commands to come back to.
    const QRect frame = st.form->frameGeometry();
    st.Normalmass[0] = frame.x() * double(Twips);
    st.Normalmass[1] = frame.y() * double(Twips);
    st.Normalmass[2] = frame.width() * double(Twips);
    st.Normalmass[3] = frame.height() * double(Twips);
    st.Normalmass[4] = st.Picture2->width();
    st.Normalmass[5] = st.picRahmen->height();
    st.Normalmass[6] = st.picRahmen->width();
    st.Normalmass[7] = st.Command1->left();
    st.Normalmass[8] = st.Command7->left();
    st.Normalmass[9] = st.txtDateiname->top();
    st.Normalmass[10] = st.txtDateiname->width();
    st.Normalmass[11] = st.Text5->top();
    st.Normalmass[12] = st.Text5->width();
    st.Normalmass[13] = st.Command7->top();
    watchStartupFrame(st);

    for (int i = 0; i < FieldCount; ++i) {
        forms::PictureBox *f = st.picFeld[size_t(i)];
        f->setWidth(42);
        f->setHeight(42);
        f->setUserScale(0, 0, 1, 1);
        f->setTag(QStringLiteral("0"));
        f->setToolTipText(Frei);
        f->setBorder(forms::PictureBox::Border::Single);
        f->setFlat(true);
        f->setBackColor(rgb(255, 255, 255));

        // The supply pile: a small random offset around (16, 36), field 0 on top.
        forms::PictureBox *g = st.picFeld[size_t(MaxIndex - i)];
        const double r = st.svc.rnd.next();
        const double s = st.svc.rnd.next();
        g->setLeft(float(8 * r + 16 - 4));
        g->setTop(float(8 * s + 36 - 4));
        g->raise();

        forms::PictureBox *z = st.picZahl[size_t(i)];
        z->setVisible(false);
        z->setTag(QStringLiteral("-1"));
        z->setForeColor(rgb(255, 255, 255));
        QFont font = z->font();
        font.setPointSizeF(16);
        font.setBold(true);
        z->setFont(font);
        z->setBorder(forms::PictureBox::Border::Single);
        z->setFlat(true);
        z->setWidth(32);
        z->setHeight(32);
        z->setToolTipText(TokenTip);

        st.Steintext[size_t(i)] = numtext::fromInt(i + 1);
    }

    for (auto &row : st.Kante)
        row.fill(0);
    st.Feld1Gewaehlt = 0;
    st.Feld1 = 0;
    cmdSetzen_Click(st);
}

void cmdneu_Click(BoardState &st)
{
    if (st.busy())
        return;
    cmdSetzen_Click(st);
    for (int i = 0; i < FieldCount; ++i) {
        forms::PictureBox *f = st.picFeld[size_t(i)];
        f->setPos(12, 36);
        f->setTag(QStringLiteral("0"));
        st.picZahl[size_t(i)]->setBackColor(rgb(0, 0, 255));
        st.Steintext[size_t(i)] = numtext::fromInt(i + 1);
    }
    for (auto &row : st.Kante)
        row.fill(0);
    editor::KantenZeichnen(st);
}

void cmdInfo_Click(BoardState &st)
{
    st.svc.messages.information(QStringLiteral("Programmiert von"), QStringLiteral("dem Graphen-Schiebwerk-Team"));
}

} // namespace app
