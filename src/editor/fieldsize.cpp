#include "editor.h"

namespace editor {

void VScroll1_Change(BoardState &st)
{
    const float size = float(st.VScroll1->value());
    for (forms::PictureBox *f : st.picFeld) {
        const float w0 = f->width();
        f->setWidth(size);
        f->setHeight(size);
        const float w1 = f->width();
        // Fields are square: the width difference keeps the centre in both directions.
        f->setPos(f->left() + (w0 - w1) / 2, f->top() + (w0 - w1) / 2);
        f->setUserScale(0, 0, 1, 1);
    }
}

void Command12_Click(BoardState &st)
{
    if (st.VScroll1->value() != 42)
        st.VScroll1->setValue(42);
}

} // namespace editor
