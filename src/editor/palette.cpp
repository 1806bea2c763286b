#include "editor.h"

namespace editor {

void Picture1_Click(BoardState &st, int index)
{
    if (index < 0 || index >= int(st.Picture1.size()))
        return;
    if (index == 0) {
        // The bar itself: a free choice. A cancelled dialog changes no colour at all.
        if (!st.svc.dialog.ShowColor())
            return;
        st.Picture1[0]->setBackColor(st.svc.dialog.Color);
        st.picsteinFarbe->setBackColor(st.svc.dialog.Color);
    }
    // The current colour and the panel's stone colour follow the clicked member.
    const colors::Color c = st.Picture1[size_t(index)]->backColor();
    st.Picture1[0]->setBackColor(c);
    st.picsteinFarbe->setBackColor(c);
}

void Text1_Click(BoardState &st)
{
    // Only the current colour; the panel's stone colour stays as it is.
    if (!st.svc.dialog.ShowColor())
        return;
    st.Picture1[0]->setBackColor(st.svc.dialog.Color);
}

} // namespace editor
