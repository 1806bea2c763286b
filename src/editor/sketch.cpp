#include "editor.h"

namespace editor {

void onBoardPressed(BoardState &st, int button, int, float x, float y)
{
    // The board only sees a press when no field holds the mouse: a drag still running
    // lost its release.
    if (st.draggedField >= 0)
        cancelFieldDrag(st);
    // Every press on the free surface puts the pen down.
    st.penDown = 1;
    st.penX = x;
    st.penY = y;
    if (button != 2)
        return;
    // A cancelled dialog leaves the board as it is.
    if (!st.svc.dialog.showColour())
        return;
    const colors::Color c = st.svc.dialog.colour;
    st.board->setBackColor(c);
    eraseBoard(st);
    // The step numbers beside the mode buttons share the board's colour.
    st.stepNumberBox->setBackColor(c);
    for (forms::Label *l : st.stepNumbers)
        l->setBackColor(c);
}

void onBoardMouseMoved(BoardState &st, int button, int, float x, float y)
{
    // Only a drag with the left button alone draws.
    if (st.penDown != 1 || button != 1)
        return;
    st.board->drawLine(float(st.penX), float(st.penY), x, y, st.swatches[0]->backColor());
    st.penX = x;
    st.penY = y;
}

void onBoardReleased(BoardState &st, int, int, float, float) { st.penDown = 0; }

void eraseBoard(BoardState &st)
{
    st.board->clear();
    for (forms::PictureBox *f : st.fields)
        f->clear();
    redrawEdges(st);
}

} // namespace editor
