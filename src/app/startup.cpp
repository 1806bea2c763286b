#include "app.h"
#include "editor/editor.h"
#include "forms/numtext.h"

namespace app {

using colors::rgb;

namespace {
constexpr float Twips = forms::TwipsPerPixel;
const QString TokenTip = QStringLiteral("Maus links: ziehen, Maus rechts: färben");
} // namespace

void startUp(BoardState &st)
{
    st.normalViewButton->setVisible(false);

    // The normal view, for the view commands to come back to.
    const QRect frame = st.window->frameGeometry();
    st.normalGeometry[0] = frame.x() * double(Twips);
    st.normalGeometry[1] = frame.y() * double(Twips);
    st.normalGeometry[2] = frame.width() * double(Twips);
    st.normalGeometry[3] = frame.height() * double(Twips);
    st.normalGeometry[4] = st.dividerBar->width();
    st.normalGeometry[5] = st.board->height();
    st.normalGeometry[6] = st.board->width();
    st.normalGeometry[7] = st.eraseButton->left();
    st.normalGeometry[8] = st.clearNotesButton->left();
    st.normalGeometry[9] = st.statusLine->top();
    st.normalGeometry[10] = st.statusLine->width();
    st.normalGeometry[11] = st.notes->top();
    st.normalGeometry[12] = st.notes->width();
    st.normalGeometry[13] = st.clearNotesButton->top();
    watchStartupFrame(st);

    for (int i = 0; i < FieldCount; ++i) {
        forms::PictureBox *f = st.fields[size_t(i)];
        f->setWidth(42);
        f->setHeight(42);
        f->setUserScale(0, 0, 1, 1);
        f->setTag(QStringLiteral("0"));
        f->setToolTipText(FreeTip);
        f->setBorder(forms::PictureBox::Border::Single);
        f->setFlat(true);
        f->setBackColor(rgb(255, 255, 255));

        // The supply pile: a small random offset around (16, 36), field 0 on top.
        forms::PictureBox *g = st.fields[size_t(MaxIndex - i)];
        const double r = st.svc.rnd.next();
        const double s = st.svc.rnd.next();
        g->setLeft(float(8 * r + 16 - 4));
        g->setTop(float(8 * s + 36 - 4));
        g->raise();

        forms::PictureBox *z = st.tokens[size_t(i)];
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

        st.tokenTexts[size_t(i)] = numtext::fromInt(i + 1);
    }

    for (auto &row : st.edges)
        row.fill(0);
    st.pendingFieldChosen = 0;
    st.pendingField = 0;
    enterSetMode(st);
}

void newBoard(BoardState &st)
{
    if (st.busy())
        return;
    enterSetMode(st);
    for (int i = 0; i < FieldCount; ++i) {
        forms::PictureBox *f = st.fields[size_t(i)];
        f->setPos(12, 36);
        f->setTag(QStringLiteral("0"));
        st.tokens[size_t(i)]->setBackColor(rgb(0, 0, 255));
        st.tokenTexts[size_t(i)] = numtext::fromInt(i + 1);
    }
    for (auto &row : st.edges)
        row.fill(0);
    editor::redrawEdges(st);
}

void showInfo(BoardState &st)
{
    st.svc.messages.information(QStringLiteral("Programmiert von"), QStringLiteral("dem Graphen-Schiebwerk-Team"));
}

} // namespace app
