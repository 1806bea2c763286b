#include "editor.h"
#include "forms/numtext.h"

namespace editor {

QVector<QLineF> edgeLines(const BoardState &st)
{
    // All fields share the size of field 0; the half height is taken to a whole
    // number, the half width is not.
    const double hw = double(st.fields[0]->width()) / 2;
    const double hh = numtext::roundHalfEven(double(st.fields[0]->height()) / 2);

    // An edge (a, b) is drawn when either matrix entry says so. The same segment
    // drawn from both ends gives the same pixels, so each pair is drawn once.
    QVector<QLineF> lines;
    for (int a = 0; a < model::FieldCount; ++a) {
        const forms::PictureBox *fa = st.fields[size_t(a)];
        const QPointF pa(double(fa->left()) + hw, double(fa->top()) + hh);
        for (int b = a; b < model::FieldCount; ++b) {
            if (st.game.edges[size_t(b)][size_t(a)] != 1 && st.game.edges[size_t(a)][size_t(b)] != 1)
                continue;
            const forms::PictureBox *fb = st.fields[size_t(b)];
            lines.append(QLineF(pa, QPointF(double(fb->left()) + hw, double(fb->top()) + hh)));
        }
    }
    return lines;
}

void redrawEdges(BoardState &st)
{
    st.board->clear();
    st.board->drawLines(edgeLines(st), st.board->foreColor());
}

} // namespace editor
