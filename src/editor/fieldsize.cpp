#include "editor.h"

namespace editor {

void onFieldSizeChanged(BoardState &st)
{
    const float size = float(st.fieldSizeBar->value());
    for (forms::PictureBox *f : st.fields) {
        const float w0 = f->width();
        // Fields are square: the width difference keeps the centre in both directions.
        // One geometry change per field, so the thumb can drag smoothly.
        const float shift = (w0 - size) / 2;
        f->setBounds(f->left() + shift, f->top() + shift, size, size);
        f->setUserScale(0, 0, 1, 1);
    }
}

void resetFieldSize(BoardState &st)
{
    if (st.fieldSizeBar->value() != 42)
        st.fieldSizeBar->setValue(42);
}

} // namespace editor
