#include "editor.h"

namespace editor {

namespace {
constexpr colors::Color Gewaehlt = colors::rgb(255, 255, 100);
constexpr colors::Color Weiss = colors::rgb(255, 255, 255);
} // namespace

void verbindenClick(BoardState &st, int c)
{
    if (!app::BoardState::isIndex(c))
        return;
    if (st.Feld1Gewaehlt == 0) {
        st.Feld1Gewaehlt = 1;
        st.Feld1 = c;
        st.picFeld[size_t(c)]->setBackColor(Gewaehlt);
        return;
    }
    st.Feld1Gewaehlt = 0;
    const int a = st.Feld1;
    if (!app::BoardState::isIndex(a))
        return;
    // Each entry flips on its own: for a field paired with itself the same entry flips
    // twice and stays as it was.
    auto &ac = st.Kante[size_t(a)][size_t(c)];
    ac = 1 - ac;
    auto &ca = st.Kante[size_t(c)][size_t(a)];
    ca = 1 - ca;
    st.picFeld[size_t(a)]->setBackColor(Weiss);
    KantenZeichnen(st);
}

void KantenLoeschen(BoardState &st, int field)
{
    if (!app::BoardState::isIndex(field))
        return;
    for (int k = 0; k < app::FieldCount; ++k) {
        st.Kante[size_t(k)][size_t(field)] = 0;
        st.Kante[size_t(field)][size_t(k)] = 0;
    }
    KantenZeichnen(st);
}

} // namespace editor
