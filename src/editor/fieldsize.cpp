#include "editor.h"

namespace editor {

void VScroll1_Change(BoardState &st)
{
    const float size = float(st.VScroll1->value());
    for (forms::PictureBox *f : st.picFeld) {
        const float w0 = f->width();
        // Fields are square: the width difference keeps the centre in both directions.
        // One geometry change per field, so the thumb can drag smoothly.
        const float shift = (w0 - size) / 2;
        f->setBounds(f->left() + shift, f->top() + shift, size, size);
        f->setUserScale(0, 0, 1, 1);
    }
}

void Command12_Click(BoardState &st)
{
    if (st.VScroll1->value() != 42)
        st.VScroll1->setValue(42);
}

} // namespace editor
