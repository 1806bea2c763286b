#include "editor.h"

namespace editor {

void picRahmen_MouseDown(BoardState &, int, int, float, float) {}
void picRahmen_MouseMove(BoardState &, int, int, float, float) {}
void picRahmen_MouseUp(BoardState &, int, int, float, float) {}

void Command1_Click(BoardState &st)
{
    st.picRahmen->Cls();
    for (forms::PictureBox *f : st.picFeld)
        f->Cls();
    KantenZeichnen(st);
}

} // namespace editor
