#pragma once
// The boards the benchmarks and the soak run measure on.

#include "view/board_state.h"

// Fields 0..count-1 on the board in rows of 13, `rowHeight` apart, joined where `joined`
// says so.
template <class Joined>
void layOutBoard(view::BoardState &st, int count, Joined joined, float rowHeight = 48)
{
    for (int i = 0; i < count; ++i) {
        model::Field &field = st.game.fields[size_t(i)];
        field.left = 20 + float(i % 13) * 48;
        field.top = 130 + float(i / 13) * rowHeight;
        field.tag = 1;
        st.showField(i);
        for (int j = 0; j < count; ++j)
            st.game.edges[size_t(i)][size_t(j)] = (i != j && joined(i, j)) ? 1 : 0;
    }
}
