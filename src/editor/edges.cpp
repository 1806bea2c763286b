#include "editor.h"

namespace editor {

namespace {
constexpr colors::Color SelectedColour = colors::rgb(255, 255, 100);
constexpr colors::Color FieldWhite = colors::rgb(255, 255, 255);
} // namespace

void onConnectModeClick(BoardState &st, int c)
{
    if (!app::BoardState::isIndex(c))
        return;
    if (st.pendingFieldChosen == 0) {
        st.pendingFieldChosen = 1;
        st.pendingField = c;
        st.fields[size_t(c)]->setBackColor(SelectedColour);
        return;
    }
    st.pendingFieldChosen = 0;
    const int a = st.pendingField;
    if (!app::BoardState::isIndex(a))
        return;
    // Each entry flips on its own: for a field paired with itself the same entry flips
    // twice and stays as it was.
    auto &ac = st.edges[size_t(a)][size_t(c)];
    ac = 1 - ac;
    auto &ca = st.edges[size_t(c)][size_t(a)];
    ca = 1 - ca;
    st.fields[size_t(a)]->setBackColor(FieldWhite);
    redrawEdges(st);
}

void removeEdgesOf(BoardState &st, int field)
{
    if (!app::BoardState::isIndex(field))
        return;
    for (int k = 0; k < app::FieldCount; ++k) {
        st.edges[size_t(k)][size_t(field)] = 0;
        st.edges[size_t(field)][size_t(k)] = 0;
    }
    redrawEdges(st);
}

} // namespace editor
