#include "editor.h"

namespace editor {

void picRahmen_MouseDown(BoardState &st, int button, int, float x, float y)
{
    // The board only sees a press when no field holds the mouse: a drag still running
    // lost its release.
    if (st.dragFeld >= 0)
        cancelFieldDrag(st);
    // Every press on the free surface puts the pen down.
    st.Zeichnen = 1;
    st.AltX = x;
    st.AltY = y;
    if (button != 2)
        return;
    // A cancelled dialog leaves the board as it is.
    if (!st.svc.dialog.ShowColor())
        return;
    const colors::Color c = st.svc.dialog.Color;
    st.picRahmen->setBackColor(c);
    Command1_Click(st);
    // The step numbers beside the mode buttons share the board's colour.
    st.Picture5->setBackColor(c);
    for (forms::Label *l : st.Label1)
        l->setBackColor(c);
}

void picRahmen_MouseMove(BoardState &st, int button, int, float x, float y)
{
    // Only a drag with the left button alone draws.
    if (st.Zeichnen != 1 || button != 1)
        return;
    st.picRahmen->Line(float(st.AltX), float(st.AltY), x, y, st.Picture1[0]->backColor());
    st.AltX = x;
    st.AltY = y;
}

void picRahmen_MouseUp(BoardState &st, int, int, float, float) { st.Zeichnen = 0; }

void Command1_Click(BoardState &st)
{
    st.picRahmen->Cls();
    for (forms::PictureBox *f : st.picFeld)
        f->Cls();
    KantenZeichnen(st);
}

} // namespace editor
