#include "editor.h"

namespace editor {

namespace {
constexpr colors::Color SelectedColour = colors::rgb(255, 255, 100);
constexpr colors::Color FieldWhite = colors::rgb(255, 255, 255);
} // namespace

void onConnectModeClick(BoardState &st, int c)
{
    if (!view::BoardState::isIndex(c))
        return;
    if (st.pendingFieldChosen == 0) {
        st.pendingFieldChosen = 1;
        st.pendingField = c;
        st.game.fields[size_t(c)].colour = SelectedColour;
        st.showField(c);
        return;
    }
    st.pendingFieldChosen = 0;
    const int a = st.pendingField;
    if (!view::BoardState::isIndex(a))
        return;
    st.game.toggleEdge(a, c);
    st.game.fields[size_t(a)].colour = FieldWhite;
    st.showField(a);
    redrawEdges(st);
}

void removeEdgesOf(BoardState &st, int field)
{
    if (!view::BoardState::isIndex(field))
        return;
    st.game.removeEdgesOf(field);
    redrawEdges(st);
}

} // namespace editor
