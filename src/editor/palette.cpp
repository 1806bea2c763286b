#include "editor.h"

namespace editor {

void onSwatchClicked(BoardState &st, int index)
{
    if (index < 0 || index >= int(st.swatches.size()))
        return;
    if (index == 0) {
        // The bar itself: a free choice. A cancelled dialog changes no colour at all.
        if (!st.svc.dialog.showColour())
            return;
        st.swatches[0]->setBackColor(st.svc.dialog.colour);
        st.tokenColourSwatch->setBackColor(st.svc.dialog.colour);
    }
    // The current colour and the panel's stone colour follow the clicked member.
    const colors::Color c = st.swatches[size_t(index)]->backColor();
    st.swatches[0]->setBackColor(c);
    st.tokenColourSwatch->setBackColor(c);
}

void chooseCurrentColour(BoardState &st)
{
    // Only the current colour; the panel's stone colour stays as it is.
    if (!st.svc.dialog.showColour())
        return;
    st.swatches[0]->setBackColor(st.svc.dialog.colour);
}

} // namespace editor
