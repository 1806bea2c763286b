#include "editor.h"

namespace editor {

void onFieldSizeChanged(BoardState &st)
{
    // One geometry change per field, so the thumb can drag smoothly.
    st.game.resizeFields(st.fieldSizeBar->value());
    for (int i = 0; i < model::FieldCount; ++i)
        st.showFieldPlace(i);
}

void resetFieldSize(BoardState &st)
{
    if (st.fieldSizeBar->value() != 42)
        st.fieldSizeBar->setValue(42);
}

} // namespace editor
