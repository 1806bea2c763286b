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
    BoardState::NormalGeometry &n = st.normalGeometry;
    n.windowLeft = frame.x() * double(Twips);
    n.windowTop = frame.y() * double(Twips);
    n.windowWidth = frame.width() * double(Twips);
    n.windowHeight = frame.height() * double(Twips);
    n.dividerWidth = st.dividerBar->width();
    n.boardHeight = st.board->height();
    n.boardWidth = st.board->width();
    n.eraseButtonLeft = st.eraseButton->left();
    n.clearNotesLeft = st.clearNotesButton->left();
    n.statusLineTop = st.statusLine->top();
    n.statusLineWidth = st.statusLine->width();
    n.notesTop = st.notes->top();
    n.notesWidth = st.notes->width();
    n.clearNotesTop = st.clearNotesButton->top();
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
